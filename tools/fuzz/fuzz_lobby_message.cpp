// Any bytes as a message the lobby receives: whatever decodes is encoded again and must decode
// to the same fields, so that the decoder takes nothing its own encoders would not write.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "net/lobby_message.h"

namespace {

void check(bool holds) {
  if (!holds) std::abort();
}

size_t encodeAgain(const LobbyMessage& m, uint8_t* out) {
  switch (m.kind) {
    case kLobbyHostRoom: return encodeLobbyHostRoom(out, m.gameVersion, m.packDigest, m.self, m.selfCount);
    case kLobbyJoinRoom: return encodeLobbyJoinRoom(out, m.code, m.gameVersion, m.packDigest, m.self, m.selfCount);
    case kLobbyWatchRoom: return encodeLobbyWatchRoom(out, m.code, m.gameVersion, m.packDigest);
    case kLobbyRoom: return encodeLobbyRoom(out, m.code);
    case kLobbyRefuse: return encodeLobbyRefuse(out, m.reason, m.code);
    case kLobbyIntroduce: return encodeLobbyIntroduce(out, m.seat, m.seen, m.self, m.selfCount);
    case kLobbyPath: return encodeLobbyPath(out, m.path);
    case kLobbyWatching: return encodeLobbyWatching(out, m.code);
    case kLobbyPlan: return encodeLobbyPlan(out, m.welcome, m.welcomeSize);
    case kLobbyFeed: return encodeLobbyFeed(out, m.first, m.ticks, m.count);
  }
  return 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static LobbyMessage m, again;
  static std::vector<uint8_t> bytes(kMostLobbyMessageBytes);
  if (decodeLobbyMessage(data, size, &m) != kLobbyDecoded) return 0;
  const size_t length = encodeAgain(m, bytes.data());
  check(length == size && std::memcmp(bytes.data(), data, size) == 0);
  check(decodeLobbyMessage(bytes.data(), length, &again) == kLobbyDecoded);
  check(again.kind == m.kind && again.count == m.count && again.selfCount == m.selfCount &&
        std::strcmp(again.code, m.code) == 0);
  return 0;
}
