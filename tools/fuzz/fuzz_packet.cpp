// Any bytes as a received packet: decoded as the session would while greeting (any session)
// and while playing (one session); whatever decodes is encoded again and must decode to the
// same fields, and an inputs packet is judged against the input window.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "net/packet.h"

namespace {

constexpr uint32_t kPlayingSession = 0x01020304;

void check(bool holds) {
  if (!holds) std::abort();
}

// Encodes `p` again as its kind; 0 for the kinds whose encoder takes more than the packet says.
size_t encodeAgain(const Packet& p, uint8_t* out) {
  switch (p.kind) {
    case kPacketHello: return encodeHello(out, p.packDigest, p.list, p.listSize);
    case kPacketWelcome: return encodeWelcome(out, p.session, p.seed, p.ticks, p.delay, p.world, p.stage);
    case kPacketRefuse: return encodeRefuse(out, p.session, p.reason, p.list, p.listSize);
    case kPacketInputs: {
      const InputsHeader h{p.sequence, p.ack, p.senderTick, p.lead, p.first};
      return encodeInputs(out, p.session, h, p.commands, p.count);
    }
    case kPacketCheck: return encodeCheck(out, p.session, p.checkTick, p.digest);
    case kPacketBye: return encodeBye(out, p.session);
  }
  return 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static std::vector<uint8_t> again(kMostPacketBytes);
  for (uint32_t session : {0u, kPlayingSession}) {
    Packet p;
    if (decodePacket(data, size, session, &p) != kDecoded) continue;
    const size_t length = encodeAgain(p, again.data());
    check(length > 0);
    Packet q;
    check(decodePacket(again.data(), length, session, &q) == kDecoded);
    check(q.kind == p.kind && q.session == p.session && q.count == p.count && q.first == p.first &&
          q.listSize == p.listSize && std::strcmp(q.stage, p.stage) == 0);
    for (int32_t i = 0; i < p.count; ++i) check(q.commands[i] == p.commands[i]);
    if (p.kind == kPacketInputs) (void)judgeInputs(p, p.sequence / 2, p.first / 2);
  }
  return 0;
}
