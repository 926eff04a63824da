#include "net/lobby_message.h"

#include <cstring>

#include "net/byte_io.h"

namespace {

constexpr uint8_t kLobbyMagic[4] = {'B', 'R', 'W', 'L'};

void writeHeader(Writer& w, uint8_t kind) {
  w.bytes(kLobbyMagic, sizeof kLobbyMagic);
  w.u8(kLobbyProtocolVersion);
  w.u8(kind);
}

bool codeLetter(char c) {
  for (int i = 0; i < kRoomCodeAlphabetSize; ++i)
    if (kRoomCodeAlphabet[i] == c) return true;
  return false;
}

void writeCode(Writer& w, const char* code) { w.bytes(code, kRoomCodeLetters); }

// A code field: four letters, or four zero bytes where a refusal names no room.
bool readCode(Reader& r, char* code, bool mayBeEmpty) {
  if (!r.has(kRoomCodeLetters)) return false;
  std::memcpy(code, r.data + r.at, kRoomCodeLetters);
  code[kRoomCodeLetters] = '\0';
  r.at += kRoomCodeLetters;
  if (mayBeEmpty && code[0] == '\0' && code[1] == '\0' && code[2] == '\0' && code[3] == '\0') return true;
  return validRoomCode(code);
}

void writeAddress(Writer& w, const NetAddress& a) {
  w.bytes(a.ip, sizeof a.ip);
  w.u16(a.port);
}

// Port 0 is nobody's: an address with it is not one a machine reported. Only the lobby's
// introduction may say it, of a player it sees on a WebSocket, which no UDP packet reaches.
bool readAddress(Reader& r, NetAddress* a, bool mayHaveNoPort = false) {
  for (uint8_t& b : a->ip) b = r.u8();
  a->port = r.u16();
  return r.ok && (a->port != 0 || mayHaveNoPort);
}

bool writeAddresses(Writer& w, const NetAddress* self, int32_t count) {
  if (count < 0 || count > kMostSelfAddresses) return false;
  w.u8(static_cast<uint8_t>(count));
  for (int32_t i = 0; i < count; ++i) {
    if (self[i].port == 0) return false;
    writeAddress(w, self[i]);
  }
  return true;
}

bool readAddresses(Reader& r, LobbyMessage* m) {
  const uint8_t count = r.u8();
  if (count > kMostSelfAddresses) return false;
  m->selfCount = count;
  for (int32_t i = 0; i < m->selfCount; ++i)
    if (!readAddress(r, &m->self[i])) return false;
  return r.ok;
}

bool readGreeting(Reader& r, LobbyMessage* m) {
  m->gameVersion = r.u8();
  m->packDigest = r.u64();
  return r.ok;
}

bool readFeed(Reader& r, LobbyMessage* m) {
  m->first = r.u32();
  const uint16_t count = r.u16();
  if (count == 0 || count > kMostFeedTicks || m->first > UINT32_MAX - count) return false;
  m->count = count;
  for (int32_t i = 0; i < m->count; ++i)
    for (NetCommand& c : m->ticks[i].player) {
      c.held = r.u8();
      c.pressed = r.u8();
      if (!netCommandValid(c)) return false;
    }
  return r.ok;
}

// The plan is the session's own welcome, read by the game's decoder: one format, one check.
bool readPlan(Reader& r, LobbyMessage* m) {
  m->welcome = r.data + r.at;
  m->welcomeSize = r.size - r.at;
  r.at = r.size;
  Packet p;
  return decodePacket(m->welcome, m->welcomeSize, 0, &p) == kDecoded && p.kind == kPacketWelcome;
}

bool readBody(Reader& r, LobbyMessage* m) {
  switch (m->kind) {
    case kLobbyHostRoom: return readGreeting(r, m) && readAddresses(r, m);
    case kLobbyJoinRoom: return readCode(r, m->code, false) && readGreeting(r, m) && readAddresses(r, m);
    case kLobbyWatchRoom: return readCode(r, m->code, false) && readGreeting(r, m);
    case kLobbyRoom:
    case kLobbyWatching: return readCode(r, m->code, false);
    case kLobbyRefuse:
      m->reason = r.u8();
      return m->reason >= kLobbyRefuseOtherVersion && m->reason < kLobbyRefusalsEnd && readCode(r, m->code, true);
    case kLobbyIntroduce:
      m->seat = r.u8();
      return m->seat <= 1 && readAddress(r, &m->seen, true) && readAddresses(r, m);
    case kLobbyPath:
      m->path = r.u8();
      return m->path >= kPathDirect && m->path < kPathKindsEnd;
    case kLobbyPlan: return readPlan(r, m);
    case kLobbyFeed: return readFeed(r, m);
  }
  return false;
}

}  // namespace

bool isLobbyMessage(const uint8_t* data, size_t size) {
  return data != nullptr && size >= kLobbyHeaderBytes && std::memcmp(data, kLobbyMagic, sizeof kLobbyMagic) == 0;
}

LobbyDecodeResult decodeLobbyMessage(const uint8_t* data, size_t size, LobbyMessage* out) {
  out->version = 0;
  out->kind = 0;
  out->code[0] = '\0';
  out->selfCount = 0;
  out->count = 0;
  out->welcome = nullptr;
  out->welcomeSize = 0;
  if (size > kMostLobbyMessageBytes) return kLobbyOversized;
  if (!isLobbyMessage(data, size)) return kLobbyMalformed;
  Reader r{data, size};
  r.at = sizeof kLobbyMagic;
  out->version = r.u8();
  out->kind = r.u8();
  if (out->version != kLobbyProtocolVersion) return kLobbyOtherVersion;
  if (!readBody(r, out) || !r.atEnd()) return kLobbyMalformed;
  return kLobbyDecoded;
}

bool validRoomCode(const char* code) {
  for (int i = 0; i < kRoomCodeLetters; ++i)
    if (!codeLetter(code[i])) return false;
  return code[kRoomCodeLetters] == '\0';
}

bool normalizeRoomCode(const char* typed, char code[kRoomCodeLetters + 1]) {
  if (std::strlen(typed) != kRoomCodeLetters) return false;
  for (int i = 0; i < kRoomCodeLetters; ++i) {
    const char c = typed[i];
    code[i] = c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
  }
  code[kRoomCodeLetters] = '\0';
  return validRoomCode(code);
}

size_t encodeLobbyHostRoom(uint8_t* out, uint8_t gameVersion, uint64_t packDigest, const NetAddress* self,
                           int32_t selfCount) {
  Writer w{out};
  writeHeader(w, kLobbyHostRoom);
  w.u8(gameVersion);
  w.u64(packDigest);
  return writeAddresses(w, self, selfCount) ? w.at : 0;
}

size_t encodeLobbyJoinRoom(uint8_t* out, const char* code, uint8_t gameVersion, uint64_t packDigest,
                           const NetAddress* self, int32_t selfCount) {
  if (!validRoomCode(code)) return 0;
  Writer w{out};
  writeHeader(w, kLobbyJoinRoom);
  writeCode(w, code);
  w.u8(gameVersion);
  w.u64(packDigest);
  return writeAddresses(w, self, selfCount) ? w.at : 0;
}

size_t encodeLobbyWatchRoom(uint8_t* out, const char* code, uint8_t gameVersion, uint64_t packDigest) {
  if (!validRoomCode(code)) return 0;
  Writer w{out};
  writeHeader(w, kLobbyWatchRoom);
  writeCode(w, code);
  w.u8(gameVersion);
  w.u64(packDigest);
  return w.at;
}

namespace {

size_t encodeCodeOnly(uint8_t* out, uint8_t kind, const char* code) {
  if (!validRoomCode(code)) return 0;
  Writer w{out};
  writeHeader(w, kind);
  writeCode(w, code);
  return w.at;
}

}  // namespace

size_t encodeLobbyRoom(uint8_t* out, const char* code) { return encodeCodeOnly(out, kLobbyRoom, code); }

size_t encodeLobbyWatching(uint8_t* out, const char* code) { return encodeCodeOnly(out, kLobbyWatching, code); }

size_t encodeLobbyRefuse(uint8_t* out, uint8_t reason, const char* code) {
  if (reason < kLobbyRefuseOtherVersion || reason >= kLobbyRefusalsEnd) return 0;
  const bool named = code != nullptr && code[0] != '\0';
  if (named && !validRoomCode(code)) return 0;
  Writer w{out};
  writeHeader(w, kLobbyRefuse);
  w.u8(reason);
  if (named)
    writeCode(w, code);
  else
    w.u32(0);
  return w.at;
}

size_t encodeLobbyIntroduce(uint8_t* out, uint8_t seat, const NetAddress& seen, const NetAddress* self,
                            int32_t selfCount) {
  if (seat > 1) return 0;
  Writer w{out};
  writeHeader(w, kLobbyIntroduce);
  w.u8(seat);
  writeAddress(w, seen);
  return writeAddresses(w, self, selfCount) ? w.at : 0;
}

size_t encodeLobbyPath(uint8_t* out, uint8_t path) {
  if (path < kPathDirect || path >= kPathKindsEnd) return 0;
  Writer w{out};
  writeHeader(w, kLobbyPath);
  w.u8(path);
  return w.at;
}

size_t encodeLobbyPlan(uint8_t* out, const uint8_t* welcome, size_t welcomeSize) {
  if (welcomeSize > kMostLobbyMessageBytes - kLobbyHeaderBytes) return 0;
  Writer w{out};
  writeHeader(w, kLobbyPlan);
  w.bytes(welcome, welcomeSize);
  return w.at;
}

size_t encodeLobbyFeed(uint8_t* out, uint32_t first, const FeedTick* ticks, int32_t count) {
  if (count <= 0 || count > kMostFeedTicks || first > UINT32_MAX - static_cast<uint32_t>(count)) return 0;
  Writer w{out};
  writeHeader(w, kLobbyFeed);
  w.u32(first);
  w.u16(static_cast<uint16_t>(count));
  for (int32_t i = 0; i < count; ++i)
    for (const NetCommand& c : ticks[i].player) {
      if (!netCommandValid(c)) return 0;
      w.u8(c.held);
      w.u8(c.pressed);
    }
  return w.at;
}

const char* lobbyRefusalText(uint8_t reason) {
  switch (reason) {
    case kLobbyRefuseOtherVersion: return "the other player's game is another version";
    case kLobbyRefuseOtherContent: return "the other player's game data differs";
    case kLobbyRefuseNoRoom: return "no room under that code";
    case kLobbyRefuseExpired: return "that room has expired";
    case kLobbyRefuseRoomFull: return "room full";
    case kLobbyRefuseWatchersFull: return "the room has all the watchers it takes";
    case kLobbyRefuseLobbyFull: return "the lobby is full; try again later";
    case kLobbyRefuseTooManyRooms: return "too many rooms from your address";
    case kLobbyRefuseTooFast: return "too many requests; try again in a moment";
    case kLobbyRefuseLobbyVersion: return "the lobby is another version";
  }
  return "refused";
}
