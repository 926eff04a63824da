#include "net/packet.h"

#include <algorithm>
#include <cstring>

#include "net/byte_io.h"
#include "sim/player_command.h"

namespace {

constexpr uint8_t kMagic[4] = {'B', 'R', 'W', 'N'};
// Every action bit a command may carry.
constexpr uint8_t kActionBits = static_cast<uint8_t>((1u << kPlayerActions) - 1);
// Inputs go as runs: a tick count, the actions held through the run, and when its first tick
// pressed anything, the pressed actions (the rest of the run pressed none). A run is one change
// of the player's controls and the ticks it stays, which is what a peer cannot guess.
constexpr uint8_t kRunPresses = 0x80;  // in the held byte: a pressed byte follows
static_assert((kActionBits & kRunPresses) == 0, "the held byte has no room for the press flag");

void writeHeader(Writer& w, uint8_t kind, uint32_t session) {
  w.bytes(kMagic, sizeof kMagic);
  w.u8(kNetProtocolVersion);
  w.u8(kind);
  w.u32(session);
}

bool nameChar(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
}

}  // namespace

bool netNameValid(const char* name, size_t size) {
  if (size == 0 || size > kMostNameBytes) return false;
  for (size_t i = 0; i < size; ++i)
    if (!nameChar(name[i])) return false;
  return true;
}

namespace {

// Printable ASCII lines: the list is shown to a player and compared line by line.
bool validList(const char* list, size_t size) {
  for (size_t i = 0; i < size; ++i)
    if (list[i] != '\n' && (list[i] < ' ' || list[i] > '~')) return false;
  return true;
}

bool readName(Reader& r, char* name) {
  const uint8_t size = r.u8();
  if (!r.has(size) || !netNameValid(reinterpret_cast<const char*>(r.data + r.at), size)) return false;
  std::memcpy(name, r.data + r.at, size);
  name[size] = '\0';
  r.at += size;
  return true;
}

bool readList(Reader& r, Packet* p) {
  const uint32_t size = r.u32();
  if (size > kMostListBytes || !r.has(size)) return false;
  p->list = reinterpret_cast<const char*>(r.data + r.at);
  p->listSize = size;
  r.at += size;
  return validList(p->list, size);
}

constexpr uint8_t kPressBits = kActionBits | static_cast<uint8_t>(1u << kNetPauseBit);
static_assert(kPlayerActions <= kNetPauseBit, "the pause bit stands on an action");

}  // namespace

bool netCommandValid(NetCommand c) { return (c.held & ~kActionBits) == 0 && (c.pressed & ~kPressBits) == 0; }

bool isGamePacket(const uint8_t* data, size_t size) {
  return data != nullptr && size >= kPacketHeaderBytes && std::memcmp(data, kMagic, sizeof kMagic) == 0;
}

namespace {

// Sequence, first tick, then the acknowledgement and the sender's tick near the first, the
// lead, and runs to the end of the packet (at least one).
bool readInputs(Reader& r, Packet* p) {
  p->sequence = r.u16();
  p->first = r.varint();
  p->ack = r.near(p->first);
  p->senderTick = r.near(p->first);
  p->lead = static_cast<int8_t>(r.u8());
  if (!r.has(1)) return false;
  while (r.ok && r.at < r.size) {
    const uint8_t length = r.u8();
    const uint8_t held = r.u8();
    NetCommand c;
    c.held = held & ~kRunPresses;
    if (held & kRunPresses) c.pressed = r.u8();
    if (length == 0 || !netCommandValid(c) || p->count + length > kMostInputsPerPacket) return false;
    p->commands[p->count++] = c;
    c.pressed = 0;
    for (uint8_t k = 1; k < length; ++k) p->commands[p->count++] = c;
  }
  // The newest input's tick must not wrap around.
  return r.ok && p->first <= UINT32_MAX - static_cast<uint32_t>(p->count);
}

bool readBody(Reader& r, Packet* p) {
  switch (p->kind) {
    case kPacketHello:
      // Sent before there is a session: an id in it is not one this game wrote.
      p->packDigest = r.u64();
      return p->session == 0 && readList(r, p);
    case kPacketWelcome:
      p->seed = r.u32();
      p->ticks = r.u32();
      p->delay = r.u8();
      if (!readName(r, p->world) || !readName(r, p->stage)) return false;
      p->difficulty = r.u8();
      p->lives = r.u8();
      return p->difficulty < kDifficulties && p->lives >= kFewestLives && p->lives <= kMostLives;
    case kPacketRefuse:
      p->reason = r.u8();
      return p->reason >= kRefuseVersion && p->reason < kRefuseReasonsEnd && readList(r, p);
    case kPacketInputs:
      return readInputs(r, p);
    case kPacketCheck:
      p->checkTick = r.u32();
      p->digest = r.u64();
      return true;
    case kPacketBye:
      return true;
  }
  return false;
}

}  // namespace

DecodeResult decodePacket(const uint8_t* data, size_t size, uint32_t session, Packet* out) {
  *out = Packet{};
  if (size > kMostPacketBytes) return kDecodeOversized;
  if (data == nullptr || size < kPacketHeaderBytes || std::memcmp(data, kMagic, sizeof kMagic) != 0)
    return kDecodeMalformed;
  Reader r{data, size};
  r.at = sizeof kMagic;
  out->version = r.u8();
  out->kind = r.u8();
  out->session = r.u32();
  if (out->version != kNetProtocolVersion) return kDecodeOtherVersion;
  if (!readBody(r, out) || !r.atEnd()) return kDecodeMalformed;
  if (session != 0 && out->session != session) return kDecodeForeign;
  return kDecoded;
}

size_t encodeHello(uint8_t* out, uint64_t packDigest, const char* list, size_t listSize) {
  if (listSize > kMostListBytes || !validList(list, listSize)) return 0;
  Writer w{out};
  writeHeader(w, kPacketHello, 0);
  w.u64(packDigest);
  w.u32(static_cast<uint32_t>(listSize));
  w.bytes(list, listSize);
  return w.at;
}

size_t encodeWelcome(uint8_t* out, uint32_t session, uint32_t seed, uint32_t ticks, uint8_t delay,
                     const char* world, const char* stage, uint8_t difficulty, uint8_t lives) {
  const size_t worldSize = std::strlen(world), stageSize = std::strlen(stage);
  if (!netNameValid(world, worldSize) || !netNameValid(stage, stageSize)) return 0;
  Writer w{out};
  writeHeader(w, kPacketWelcome, session);
  w.u32(seed);
  w.u32(ticks);
  w.u8(delay);
  w.u8(static_cast<uint8_t>(worldSize));
  w.bytes(world, worldSize);
  w.u8(static_cast<uint8_t>(stageSize));
  w.bytes(stage, stageSize);
  w.u8(difficulty);
  w.u8(lives);
  return w.at;
}

size_t encodeRefuse(uint8_t* out, uint32_t session, uint8_t reason, const char* list, size_t listSize) {
  if (listSize > kMostListBytes || !validList(list, listSize)) return 0;
  Writer w{out};
  writeHeader(w, kPacketRefuse, session);
  w.u8(reason);
  w.u32(static_cast<uint32_t>(listSize));
  w.bytes(list, listSize);
  return w.at;
}

size_t encodeInputs(uint8_t* out, uint32_t session, const InputsHeader& header, const NetCommand* commands,
                    int32_t count) {
  if (count <= 0 || count > kMostInputsPerPacket) return 0;
  for (int32_t i = 0; i < count; ++i)
    if (!netCommandValid(commands[i])) return 0;
  Writer w{out};
  writeHeader(w, kPacketInputs, session);
  w.u16(static_cast<uint16_t>(header.sequence));
  w.varint(header.first);
  w.near(header.ack, header.first);
  w.near(header.senderTick, header.first);
  w.u8(static_cast<uint8_t>(static_cast<int8_t>(std::clamp(header.lead, -127, 127))));
  for (int32_t i = 0; i < count;) {
    const NetCommand c = commands[i];
    int32_t length = 1;
    while (i + length < count && commands[i + length] == NetCommand{c.held, 0}) ++length;
    w.u8(static_cast<uint8_t>(length));
    w.u8(c.pressed != 0 ? static_cast<uint8_t>(c.held | kRunPresses) : c.held);
    if (c.pressed != 0) w.u8(c.pressed);
    i += length;
  }
  return w.at;
}

size_t encodeCheck(uint8_t* out, uint32_t session, uint32_t tick, uint64_t digest) {
  Writer w{out};
  writeHeader(w, kPacketCheck, session);
  w.u32(tick);
  w.u64(digest);
  return w.at;
}

size_t encodeBye(uint8_t* out, uint32_t session) {
  Writer w{out};
  writeHeader(w, kPacketBye, session);
  return w.at;
}

InputsVerdict judgeInputs(const Packet& packet, uint32_t lastSequence, uint32_t knownEnd) {
  const int16_t ahead = static_cast<int16_t>(static_cast<uint16_t>(packet.sequence - lastSequence));
  if (ahead == 0) return kInputsDuplicate;
  if (ahead < 0) return kInputsLate;
  if (packet.first > knownEnd) return kInputsGap;
  return kInputsUse;
}
