#include "net/lobby/lobby.h"

#include <algorithm>
#include <cstring>
#include <random>

#include "net/lobby/lobby_addresses.h"
#include "platform/net.h"

namespace {

// The clocks (rooms waiting, quiet peers, watchers' feeds) run this often, not every message.
constexpr uint64_t kClockEveryMs = 10;
// A watcher is sent more of the feed only while less than this is on its way to it, so that a
// watcher that does not read holds this much of the lobby's memory and no more.
constexpr size_t kWatcherWindowBytes = 16384;
// A refusal goes out only while this little is queued for the peer: a flood that does not read
// its answers gets no more of them.
constexpr size_t kAnswerWindowBytes = 4096;

uint8_t outgoing[kMostLobbyMessageBytes];

void logLine(Lobby& lobby, const char* format, const std::string& a, const std::string& b = "",
             const std::string& c = "") {
  if (lobby.log == nullptr) return;
  std::fprintf(lobby.log, format, a.c_str(), b.c_str(), c.c_str());
  std::fputc('\n', lobby.log);
  std::fflush(lobby.log);
}

// ---- peers of either kind ---------------------------------------------------------------------

bool onWebSocket(int32_t peer) { return peer >= kLobbyPeers; }
int endpointOf(const Lobby& lobby, int32_t peer) { return onWebSocket(peer) ? lobby.webSocketEndpoint : lobby.endpoint; }
int numberOn(int32_t peer) { return peer % kLobbyPeers; }

void peerSend(Lobby& lobby, int32_t peer, int channel, const uint8_t* data, size_t size) {
  netSend(endpointOf(lobby, peer), numberOn(peer), channel, data, size);
}
size_t peerQueued(const Lobby& lobby, int32_t peer) { return netQueuedBytes(endpointOf(lobby, peer), numberOn(peer)); }
void peerDisconnect(const Lobby& lobby, int32_t peer) { netDisconnect(endpointOf(lobby, peer), numberOn(peer)); }
void peerDrop(const Lobby& lobby, int32_t peer) { netDropPeer(endpointOf(lobby, peer), numberOn(peer)); }
NetAddress peerAddress(const Lobby& lobby, int32_t peer) { return netPeerAddress(endpointOf(lobby, peer), numberOn(peer)); }

// A player as the other one is told of it. A WebSocket client cannot be reached by UDP at all:
// its port 0 tells the other side so, which then plays through the relay at once.
NetAddress seenAddress(const Lobby& lobby, int32_t peer) {
  NetAddress a = peerAddress(lobby, peer);
  if (onWebSocket(peer)) a.port = 0;
  return a;
}

void sendTo(Lobby& lobby, int32_t peer, size_t size) {
  if (size > 0) peerSend(lobby, peer, kNetChannelSetup, outgoing, size);
}

void refuse(Lobby& lobby, int32_t peer, uint8_t reason, const char* code = "") {
  ++lobby.counts.refused;
  if (peerQueued(lobby, peer) < kAnswerWindowBytes) sendTo(lobby, peer, encodeLobbyRefuse(outgoing, reason, code));
}

std::string peerText(const Lobby& lobby, int32_t peer) {
  return netAddressText(peerAddress(lobby, peer)) + (onWebSocket(peer) ? " (websocket)" : "");
}

// ---- rooms ------------------------------------------------------------------------------------

int32_t roomByCode(const Lobby& lobby, const char* code) {
  for (size_t r = 0; r < lobby.rooms.size(); ++r)
    if (lobby.rooms[r].state != kRoomFree && std::memcmp(lobby.rooms[r].code, code, kRoomCodeLetters) == 0)
      return static_cast<int32_t>(r);
  return -1;
}

bool recentlyClosed(const Lobby& lobby, const char* code) {
  for (const auto& recent : lobby.recent)
    if (std::memcmp(recent, code, kRoomCodeLetters) == 0) return true;
  return false;
}

// A code no open room has and no room closed lately had, so that a late joiner is never sent
// into a stranger's room.
bool newCode(Lobby& lobby, char* code) {
  std::uniform_int_distribution<int> letter(0, kRoomCodeAlphabetSize - 1);
  for (int attempt = 0; attempt < 64; ++attempt) {
    for (int i = 0; i < kRoomCodeLetters; ++i) code[i] = kRoomCodeAlphabet[letter(lobby.random)];
    code[kRoomCodeLetters] = '\0';
    if (roomByCode(lobby, code) < 0 && !recentlyClosed(lobby, code)) return true;
  }
  return false;
}

int32_t freeRoom(const Lobby& lobby) {
  for (size_t r = 0; r < lobby.rooms.size(); ++r)
    if (lobby.rooms[r].state == kRoomFree) return static_cast<int32_t>(r);
  return -1;
}

void closeRoom(Lobby& lobby, int32_t r, const char* why) {
  LobbyRoom& room = lobby.rooms[r];
  logLine(lobby, "room %s closed: %s", room.code, why);
  for (int32_t s = 0; s < 2; ++s)
    if (room.seat[s] >= 0) {
      lobby.peers[room.seat[s]].room = -1;
      peerDisconnect(lobby, room.seat[s]);
    }
  for (int32_t w = 0; w < room.watchers; ++w) {
    lobby.peers[room.watcher[w]].room = -1;
    peerDisconnect(lobby, room.watcher[w]);
  }
  if (room.address >= 0) --lobby.addresses[room.address].rooms;
  std::memcpy(lobby.recent[lobby.recentNext], room.code, sizeof room.code);
  lobby.recentNext = (lobby.recentNext + 1) % kRecentCodes;
  std::vector<FeedTick>().swap(room.feed);  // the memory goes back, not only the ticks
  room = LobbyRoom{};
  --lobby.roomsInUse;
}

void dropWatcher(LobbyRoom& room, int32_t w) {
  --room.watchers;
  room.watcher[w] = room.watcher[room.watchers];
  room.watcherSent[w] = room.watcherSent[room.watchers];
  room.watcherHasPlan[w] = room.watcherHasPlan[room.watchers];
}

// A peer that goes: its seat or its place among the watchers is emptied. A room whose players
// are both gone ends once its watchers have the whole feed.
void leaveRoom(Lobby& lobby, int32_t peer) {
  const int32_t r = lobby.peers[peer].room;
  if (r < 0) return;
  LobbyRoom& room = lobby.rooms[r];
  lobby.peers[peer].room = -1;
  for (int32_t w = 0; w < room.watchers; ++w)
    if (room.watcher[w] == peer) return dropWatcher(room, w);
  for (int32_t s = 0; s < 2; ++s)
    if (room.seat[s] == peer) room.seat[s] = -1;
  if (room.state == kRoomWaiting) return closeRoom(lobby, r, "the host left before anyone joined");
  if (room.seat[0] < 0 && room.seat[1] < 0) room.state = kRoomEnding;
}

void takeDisconnection(Lobby& lobby, int32_t peer) {
  LobbyPeer& p = lobby.peers[peer];
  leaveRoom(lobby, peer);
  if (p.address >= 0) --lobby.addresses[p.address].peers;
  p = LobbyPeer{};
}

// ---- requests ---------------------------------------------------------------------------------

bool sameGame(Lobby& lobby, int32_t peer, const LobbyRoom& room, const LobbyMessage& m) {
  if (m.gameVersion != room.gameVersion) {
    refuse(lobby, peer, kLobbyRefuseOtherVersion, room.code);
    return false;
  }
  if (m.packDigest != room.packDigest) {
    refuse(lobby, peer, kLobbyRefuseOtherContent, room.code);
    return false;
  }
  return true;
}

// The room under a code a joiner or watcher gave, or -1 having told it why not.
int32_t roomAsked(Lobby& lobby, int32_t peer, const LobbyMessage& m) {
  const int32_t r = roomByCode(lobby, m.code);
  if (r < 0) refuse(lobby, peer, recentlyClosed(lobby, m.code) ? kLobbyRefuseExpired : kLobbyRefuseNoRoom, m.code);
  return r;
}

void hostRoom(Lobby& lobby, int32_t peer, const LobbyMessage& m, uint64_t nowMs) {
  LobbyPeer& p = lobby.peers[peer];
  if (lobby.addresses[p.address].rooms >= lobby.limits.roomsPerAddress) return refuse(lobby, peer, kLobbyRefuseTooManyRooms);
  const int32_t r = freeRoom(lobby);
  char code[kRoomCodeLetters + 1];
  if (r < 0 || !newCode(lobby, code)) return refuse(lobby, peer, kLobbyRefuseLobbyFull);
  LobbyRoom& room = lobby.rooms[r];
  room = LobbyRoom{};
  room.state = kRoomWaiting;
  std::memcpy(room.code, code, sizeof code);
  room.seat[0] = peer;
  room.address = p.address;
  room.openedMs = nowMs;
  room.gameVersion = m.gameVersion;
  room.packDigest = m.packDigest;
  room.seen[0] = seenAddress(lobby, peer);
  room.selfCount[0] = onWebSocket(peer) ? 0 : m.selfCount;
  std::copy(m.self, m.self + m.selfCount, room.self[0]);
  ++lobby.addresses[p.address].rooms;
  ++lobby.roomsInUse;
  ++lobby.counts.roomsOpened;
  p.role = kLobbyPeerHost;
  p.room = r;
  sendTo(lobby, peer, encodeLobbyRoom(outgoing, room.code));
  logLine(lobby, "room %s opened by %s", room.code, peerText(lobby, peer));
}

void introduce(Lobby& lobby, const LobbyRoom& room, int32_t seat) {
  const int32_t other = 1 - seat;
  sendTo(lobby, room.seat[seat],
         encodeLobbyIntroduce(outgoing, static_cast<uint8_t>(seat), room.seen[other], room.self[other], room.selfCount[other]));
}

void joinRoom(Lobby& lobby, int32_t peer, const LobbyMessage& m) {
  const int32_t r = roomAsked(lobby, peer, m);
  if (r < 0) return;
  LobbyRoom& room = lobby.rooms[r];
  if (room.state != kRoomWaiting) return refuse(lobby, peer, kLobbyRefuseRoomFull, room.code);
  if (!sameGame(lobby, peer, room, m)) return;
  room.state = kRoomPaired;
  room.seat[1] = peer;
  room.seen[1] = seenAddress(lobby, peer);
  room.selfCount[1] = onWebSocket(peer) ? 0 : m.selfCount;
  std::copy(m.self, m.self + m.selfCount, room.self[1]);
  lobby.peers[peer].role = kLobbyPeerJoiner;
  lobby.peers[peer].room = r;
  ++lobby.counts.roomsPaired;
  introduce(lobby, room, 0);
  introduce(lobby, room, 1);
  logLine(lobby, "room %s joined by %s", room.code, peerText(lobby, peer));
}

void watchRoom(Lobby& lobby, int32_t peer, const LobbyMessage& m) {
  const int32_t r = roomAsked(lobby, peer, m);
  if (r < 0) return;
  LobbyRoom& room = lobby.rooms[r];
  if (!sameGame(lobby, peer, room, m)) return;
  if (room.watchers >= std::min(lobby.limits.watchersPerRoom, kMostWatchersPerRoom))
    return refuse(lobby, peer, kLobbyRefuseWatchersFull, room.code);
  const int32_t w = room.watchers++;
  room.watcher[w] = peer;
  room.watcherSent[w] = 0;
  room.watcherHasPlan[w] = false;
  lobby.peers[peer].role = kLobbyPeerWatcher;
  lobby.peers[peer].room = r;
  sendTo(lobby, peer, encodeLobbyWatching(outgoing, room.code));
  logLine(lobby, "room %s watched by %s (%s watching)", room.code, peerText(lobby, peer), std::to_string(room.watchers));
}

// ---- what a player in a room says -------------------------------------------------------------

void takePath(Lobby& lobby, LobbyRoom& room, const LobbyMessage& m) {
  if (room.path != 0) return;
  room.path = m.path;
  if (room.seat[0] >= 0) sendTo(lobby, room.seat[0], encodeLobbyPath(outgoing, m.path));
  logLine(lobby, "room %s plays %s", room.code, m.path == kPathDirect ? "DIRECT" : "RELAY");
}

bool takeFeed(LobbyRoom& room, const LobbyMessage& m) {
  if (room.planSize == 0 || m.first != room.feed.size()) return false;
  const size_t roomLeft = kRoomFeedTicks - room.feed.size();
  room.feed.insert(room.feed.end(), m.ticks, m.ticks + std::min<size_t>(m.count, roomLeft));
  return true;
}

// Whether the message had its place: a host's plan and feed, a joiner's path, asked once each.
bool takeRoomMessage(Lobby& lobby, int32_t peer, const LobbyMessage& m) {
  const LobbyPeer& p = lobby.peers[peer];
  if (p.room < 0) return false;
  LobbyRoom& room = lobby.rooms[p.room];
  if (room.state != kRoomPaired) return false;
  if (m.kind == kLobbyPath && p.role == kLobbyPeerJoiner) {
    takePath(lobby, room, m);
    return true;
  }
  if (m.kind == kLobbyPlan && p.role == kLobbyPeerHost && room.planSize == 0) {
    std::memcpy(room.plan, m.welcome, m.welcomeSize);
    room.planSize = m.welcomeSize;
    return true;
  }
  return m.kind == kLobbyFeed && p.role == kLobbyPeerHost && takeFeed(room, m);
}

// ---- messages and packets ---------------------------------------------------------------------

void strike(Lobby& lobby, int32_t peer) {
  if (++lobby.peers[peer].strikes < lobby.limits.strikes) return;
  ++lobby.counts.struckOut;
  takeDisconnection(lobby, peer);
  peerDrop(lobby, peer);
}

bool isRequest(uint8_t kind) { return kind == kLobbyHostRoom || kind == kLobbyJoinRoom || kind == kLobbyWatchRoom; }

void takeRequest(Lobby& lobby, int32_t peer, const LobbyMessage& m, uint64_t nowMs) {
  LobbyPeer& p = lobby.peers[peer];
  if (p.role != kLobbyPeerNew) {
    ++lobby.counts.outOfPlace;
    return strike(lobby, peer);
  }
  if (!lobbyAddressMayAsk(lobby.addresses[p.address], lobby.limits, nowMs)) {
    ++lobby.counts.tooFast;
    refuse(lobby, peer, kLobbyRefuseTooFast);
    return strike(lobby, peer);
  }
  if (m.kind == kLobbyHostRoom) return hostRoom(lobby, peer, m, nowMs);
  if (m.kind == kLobbyJoinRoom) return joinRoom(lobby, peer, m);
  watchRoom(lobby, peer, m);
}

void takeLobbyMessage(Lobby& lobby, int32_t peer, const uint8_t* data, size_t size, uint64_t nowMs) {
  static LobbyMessage m;
  switch (decodeLobbyMessage(data, size, &m)) {
    case kLobbyDecoded: break;
    case kLobbyOtherVersion:
      ++lobby.counts.otherVersion;
      refuse(lobby, peer, kLobbyRefuseLobbyVersion);
      return strike(lobby, peer);
    case kLobbyOversized: ++lobby.counts.oversized; return strike(lobby, peer);
    case kLobbyMalformed: ++lobby.counts.garbage; return strike(lobby, peer);
  }
  if (isRequest(m.kind)) return takeRequest(lobby, peer, m, nowMs);
  if (takeRoomMessage(lobby, peer, m)) return;
  ++lobby.counts.outOfPlace;
  strike(lobby, peer);
}

// A game packet goes to the other seat of the sender's own room, unread and unchanged.
void relay(Lobby& lobby, int32_t peer, const NetEvent& e) {
  const LobbyPeer& p = lobby.peers[peer];
  const bool seated = (p.role == kLobbyPeerHost || p.role == kLobbyPeerJoiner) && p.room >= 0;
  if (!seated || lobby.rooms[p.room].state != kRoomPaired) {
    ++lobby.counts.unseatedGame;
    return strike(lobby, peer);
  }
  LobbyRoom& room = lobby.rooms[p.room];
  const int32_t to = room.seat[p.role == kLobbyPeerHost ? 1 : 0];
  if (to < 0) return;
  peerSend(lobby, to, e.channel, e.data, e.size);
  ++room.relayedPackets;
  ++lobby.counts.relayedPackets;
  lobby.counts.relayedBytes += static_cast<int64_t>(e.size);
}

void takeBytes(Lobby& lobby, int32_t peer, const NetEvent& e, uint64_t nowMs) {
  if (e.data == nullptr) {
    ++lobby.counts.oversized;
    return strike(lobby, peer);
  }
  if (isGamePacket(e.data, e.size)) return relay(lobby, peer, e);
  if (isLobbyMessage(e.data, e.size)) return takeLobbyMessage(lobby, peer, e.data, e.size, nowMs);
  ++lobby.counts.garbage;
  strike(lobby, peer);
}

// An address's connections are counted across both kinds, so that it cannot hold twice its
// share by using both.
void takeConnection(Lobby& lobby, int32_t peer, uint64_t nowMs) {
  LobbyPeer& p = lobby.peers[peer];
  p = LobbyPeer{};
  const int32_t slot = lobbyAddressSlot(lobby.addresses, lobby.limits, peerAddress(lobby, peer), nowMs);
  if (slot < 0 || lobby.addresses[slot].peers >= lobby.limits.peersPerAddress) {
    ++(slot < 0 ? lobby.counts.addressesFull : lobby.counts.crowded);
    peerDrop(lobby, peer);
    return;
  }
  p.sinceMs = nowMs;
  p.address = slot;
  ++lobby.addresses[slot].peers;
}

// Every event of one endpoint, its peers numbered from `first` in the lobby's table.
void serveEndpoint(Lobby& lobby, int endpoint, int32_t first, uint64_t nowMs) {
  NetEvent e;
  while (netPoll(endpoint, &e)) {
    if (e.peer < 0 || e.peer >= kLobbyPeers) continue;
    const int32_t peer = first + e.peer;
    if (e.type == kNetConnected) takeConnection(lobby, peer, nowMs);
    if (e.type == kNetDisconnected) takeDisconnection(lobby, peer);
    if (e.type == kNetReceived && lobby.peers[peer].address >= 0) takeBytes(lobby, peer, e, nowMs);
  }
  netFlush(endpoint);
}

// ---- the clocks -------------------------------------------------------------------------------

// A connection that asked for nothing in its time is dropped with no goodbye: a half-open
// caller does not answer one anyway.
void letQuietPeersGo(Lobby& lobby, uint64_t nowMs) {
  for (int32_t peer = 0; peer < static_cast<int32_t>(lobby.peers.size()); ++peer) {
    LobbyPeer& p = lobby.peers[peer];
    if (p.address < 0 || p.role != kLobbyPeerNew || nowMs < p.sinceMs + lobby.limits.quietPeerMs) continue;
    ++lobby.counts.quietLetGo;
    takeDisconnection(lobby, peer);
    peerDrop(lobby, peer);
  }
}

// Each watcher gets the plan, then the feed as it grows, never more than a window ahead of
// what it has read. True when every watcher has the whole feed.
bool feedWatchers(Lobby& lobby, LobbyRoom& room) {
  bool allFed = true;
  for (int32_t w = 0; w < room.watchers; ++w) {
    const int32_t peer = room.watcher[w];
    if (room.planSize == 0) return false;
    if (!room.watcherHasPlan[w]) {
      sendTo(lobby, peer, encodeLobbyPlan(outgoing, room.plan, room.planSize));
      room.watcherHasPlan[w] = true;
    }
    const int32_t fed = static_cast<int32_t>(room.feed.size());
    while (room.watcherSent[w] < fed) {
      if (peerQueued(lobby, peer) >= kWatcherWindowBytes) {
        ++lobby.counts.watchersBehind;
        break;
      }
      const int32_t count = std::min(fed - room.watcherSent[w], kMostFeedTicks);
      sendTo(lobby, peer,
             encodeLobbyFeed(outgoing, static_cast<uint32_t>(room.watcherSent[w]), &room.feed[room.watcherSent[w]], count));
      room.watcherSent[w] += count;
    }
    allFed = allFed && room.watcherSent[w] == fed && peerQueued(lobby, peer) == 0;
  }
  return allFed;
}

void runClocks(Lobby& lobby, uint64_t nowMs) {
  for (int32_t r = 0; r < static_cast<int32_t>(lobby.rooms.size()); ++r) {
    LobbyRoom& room = lobby.rooms[r];
    if (room.state == kRoomWaiting && nowMs >= room.openedMs + lobby.limits.roomWaitMs) {
      if (room.seat[0] >= 0) refuse(lobby, room.seat[0], kLobbyRefuseExpired, room.code);
      closeRoom(lobby, r, "nobody joined in time");
      continue;
    }
    const bool fed = room.watchers == 0 || feedWatchers(lobby, room);
    if (room.state == kRoomEnding && fed) closeRoom(lobby, r, "the fight is over");
  }
  letQuietPeersGo(lobby, nowMs);
}

}  // namespace

bool lobbyStart(Lobby& lobby, const std::string& bindHost, uint16_t port, uint16_t webSocketPort,
                const LobbyLimits& limits, FILE* log, std::string* error) {
  lobby.limits = limits;
  lobby.limits.rooms = std::max(limits.rooms, 1);
  lobby.log = log;
  lobby.rooms.assign(static_cast<size_t>(lobby.limits.rooms), LobbyRoom{});
  lobby.peers.assign(kLobbyAllPeers, LobbyPeer{});
  lobby.addresses.assign(kAddressSlots, LobbyAddress{});
  lobby.random.seed(std::random_device{}());
  lobby.endpoint = netOpen(bindHost, port, kLobbyPeers, limits.peersPerAddress, kMostPacketBytes, error);
  if (lobby.endpoint < 0) return false;
  netSetBatched(lobby.endpoint, true);
  lobby.webSocketEndpoint =
      netListenWebSocket(bindHost, webSocketPort, kLobbyPeers, limits.peersPerAddress, kMostPacketBytes, error);
  if (lobby.webSocketEndpoint < 0) {
    lobbyStop(lobby);
    return false;
  }
  netSetBatched(lobby.webSocketEndpoint, true);
  return true;
}

uint16_t lobbyPort(const Lobby& lobby) { return netLocalPort(lobby.endpoint); }
uint16_t lobbyWebSocketPort(const Lobby& lobby) { return netLocalPort(lobby.webSocketEndpoint); }

void lobbyServe(Lobby& lobby, uint64_t nowMs) {
  serveEndpoint(lobby, lobby.endpoint, 0, nowMs);
  serveEndpoint(lobby, lobby.webSocketEndpoint, kLobbyPeers, nowMs);
  if (nowMs < lobby.nextClockMs) return;
  lobby.nextClockMs = nowMs + kClockEveryMs;
  runClocks(lobby, nowMs);
  netFlush(lobby.endpoint);
  netFlush(lobby.webSocketEndpoint);
}

void lobbyWait(Lobby& lobby, uint32_t ms) {
  const int both[] = {lobby.endpoint, lobby.webSocketEndpoint};
  netWaitAny(both, 2, ms);
}

void lobbyStop(Lobby& lobby) {
  for (int* endpoint : {&lobby.endpoint, &lobby.webSocketEndpoint}) {
    if (*endpoint >= 0) netClose(*endpoint);
    *endpoint = -1;
  }
}

std::string lobbyCountsLine(const Lobby& lobby) {
  const LobbyCounts& c = lobby.counts;
  const std::pair<const char*, int64_t> fields[] = {
      {"rooms", c.roomsOpened},          {"paired", c.roomsPaired},        {"relayed", c.relayedPackets},
      {"relayed-bytes", c.relayedBytes}, {"refused", c.refused},           {"too-fast", c.tooFast},
      {"garbage", c.garbage},            {"oversized", c.oversized},       {"other-version", c.otherVersion},
      {"out-of-place", c.outOfPlace},    {"unseated", c.unseatedGame},     {"quiet", c.quietLetGo},
      {"struck-out", c.struckOut},       {"addresses-full", c.addressesFull}, {"watchers-behind", c.watchersBehind},
      {"crowded", c.crowded},
  };
  std::string line = "lobby counts";
  for (const auto& f : fields) line += std::string(" ") + f.first + " " + std::to_string(f.second);
  return line;
}
