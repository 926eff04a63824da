#include "net/lobby_client.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "net/lobby/lobby.h"
#include "platform/net.h"

namespace {

// The client's endpoint: the lobby, and the direct attempts or the other player's connection.
constexpr int kClientPeers = kNetPeersPerEndpoint;

uint8_t outgoing[kMostLobbyMessageBytes];

void sendToLobby(LobbyClient& c, size_t size) {
  if (size > 0) netSend(c.endpoint, c.lobbyPeer, kNetChannelSetup, outgoing, size);
}

void moveTo(LobbyClient& c, int32_t state, uint64_t nowMs) {
  c.state = state;
  c.sinceMs = nowMs;
}

void endWith(LobbyClient& c, const std::string& message) {
  if (c.state == kClientEnded) return;
  c.state = kClientEnded;
  c.endMessage = message;
}

bool isLoopback(const NetAddress& a) { return a.ip[0] == 127; }

// The machine's own addresses on the endpoint's port, for a joiner behind the same router. A
// lobby on this machine needs none (and a test then sends nothing past the loopback).
int32_t selfAddresses(const LobbyClient& c, const NetAddress& lobby, NetAddress* out) {
  if (c.webSocket || isLoopback(lobby)) return 0;
  int32_t count = 0;
  for (const std::string& text : netLocalAddresses())
    if (count < kMostSelfAddresses && netResolve(text, netLocalPort(c.endpoint), &out[count])) ++count;
  return count;
}

bool start(LobbyClient& c, int32_t role, const std::string& lobbyHost, uint16_t port, const PackList& pack,
           std::string* error) {
  c = LobbyClient{};
  c.role = role;
  c.pack = &pack;
  if (netIsWebSocketUrl(lobbyHost)) {
    // Over a WebSocket the lobby is the only way to the other player.
    c.endpoint = netConnectWebSocket(lobbyHost, error);
    if (c.endpoint < 0) return false;
    c.webSocket = true;
    c.forceRelay = true;
    c.lobbyPeer = 0;
    moveTo(c, kClientConnecting, netClockMs());
    return true;
  }
  NetAddress lobby;
  if (!netResolve(lobbyHost, port, &lobby)) {
    *error = "cannot find the lobby " + lobbyHost;
    return false;
  }
  c.endpoint = netOpen("", 0, kClientPeers, kClientPeers, kNetMostBytes, error);
  if (c.endpoint < 0) return false;
  c.lobbyPeer = netConnectTo(c.endpoint, lobby);
  if (c.lobbyPeer < 0) {
    *error = "cannot start a connection to the lobby";
    netClose(c.endpoint);
    c.endpoint = -1;
    return false;
  }
  moveTo(c, kClientConnecting, netClockMs());
  return true;
}

void sendRequest(LobbyClient& c) {
  NetAddress self[kMostSelfAddresses];
  const int32_t selfCount = selfAddresses(c, netPeerAddress(c.endpoint, c.lobbyPeer), self);
  const uint64_t digest = c.pack->digest;
  if (c.role == kClientHost) sendToLobby(c, encodeLobbyHostRoom(outgoing, kNetProtocolVersion, digest, self, selfCount));
  if (c.role == kClientJoiner)
    sendToLobby(c, encodeLobbyJoinRoom(outgoing, c.code, kNetProtocolVersion, digest, self, selfCount));
  if (c.role == kClientWatcher) sendToLobby(c, encodeLobbyWatchRoom(outgoing, c.code, kNetProtocolVersion, digest));
}

// ---- the path -------------------------------------------------------------------------------

// An address of port 0 is a player with no UDP path (a page): nothing to try.
void addCandidate(LobbyClient& c, const NetAddress& a) {
  if (a.port == 0) return;
  for (int32_t i = 0; i < c.candidateCount; ++i)
    if (c.candidates[i] == a) return;
  c.candidates[c.candidateCount++] = a;
}

void dropAttempts(LobbyClient& c, int keep) {
  for (int32_t i = 0; i < c.candidateCount; ++i)
    if (c.attempt[i] >= 0 && c.attempt[i] != keep) {
      netDropPeer(c.endpoint, c.attempt[i]);
      c.attempt[i] = -1;
    }
}

void attach(LobbyClient& c, int peer, int32_t path, uint64_t nowMs) {
  c.path = path;
  const int32_t sessionRole = c.role == kClientHost ? kRoleHost : kRoleJoiner;
  sessionAttach(c.session, sessionRole, c.endpoint, peer, c.plan, *c.pack, nowMs);
  moveTo(c, kClientPlaying, nowMs);
}

// The joiner chooses the path and tells the lobby, which tells the host.
void choosePath(LobbyClient& c, int peer, int32_t path, uint64_t nowMs) {
  dropAttempts(c, peer);
  sendToLobby(c, encodeLobbyPath(outgoing, static_cast<uint8_t>(path)));
  attach(c, peer, path, nowMs);
}

void takeIntroduction(LobbyClient& c, const LobbyMessage& m, uint64_t nowMs) {
  c.candidateCount = 0;
  addCandidate(c, m.seen);
  for (int32_t i = 0; i < m.selfCount; ++i) addCandidate(c, m.self[i]);
  std::fill(std::begin(c.attempt), std::end(c.attempt), -1);
  moveTo(c, kClientPunching, nowMs);
  c.nextPunchMs = nowMs;
  if (c.role != kClientJoiner) return;
  if (c.forceRelay || c.candidateCount == 0) return choosePath(c, c.lobbyPeer, kPathRelay, nowMs);
  for (int32_t i = 0; i < c.candidateCount; ++i) c.attempt[i] = netConnectTo(c.endpoint, c.candidates[i]);
}

// The host lets the joiner's packets through its router by sending towards each of its
// addresses; the joiner's connection attempts do the same from its side.
void punch(LobbyClient& c, uint64_t nowMs) {
  if (c.role != kClientHost || nowMs < c.nextPunchMs || nowMs > c.sinceMs + kPunchMs) return;
  for (int32_t i = 0; i < c.candidateCount; ++i) netPunch(c.endpoint, c.candidates[i]);
  c.nextPunchMs = nowMs + kPunchEveryMs;
}

bool fromCandidate(const LobbyClient& c, int peer) {
  const NetAddress a = netPeerAddress(c.endpoint, peer);
  for (int32_t i = 0; i < c.candidateCount; ++i)
    if (std::memcmp(c.candidates[i].ip, a.ip, sizeof a.ip) == 0) return true;
  return false;
}

// ---- the lobby's messages -------------------------------------------------------------------

void takeWatchPlan(LobbyClient& c, const LobbyMessage& m) {
  Packet p;
  if (c.planKnown || decodePacket(m.welcome, m.welcomeSize, 0, &p) != kDecoded) return;
  c.watchPlan.seed = p.seed;
  c.watchPlan.ticks = p.ticks;
  c.watchPlan.delay = p.delay;
  std::memcpy(c.watchPlan.world, p.world, sizeof p.world);
  std::memcpy(c.watchPlan.stage, p.stage, sizeof p.stage);
  c.watchPlan.difficulty = p.difficulty;
  c.watchPlan.lives = p.lives;
  c.planKnown = true;
}

void takeFeed(LobbyClient& c, const LobbyMessage& m) {
  if (!c.planKnown || m.first != c.feed.size()) return;
  // A session with no end (the arcade's run) is kept up to what the lobby keeps.
  const size_t planned = c.watchPlan.ticks == 0 ? kRoomFeedTicks : c.watchPlan.ticks;
  const size_t most = std::min<size_t>(planned, kRoomFeedTicks);
  c.feed.insert(c.feed.end(), m.ticks, m.ticks + std::min<size_t>(m.count, most - std::min(most, c.feed.size())));
}

void takeLobbyMessage(LobbyClient& c, const uint8_t* data, size_t size, uint64_t nowMs) {
  static LobbyMessage m;
  if (decodeLobbyMessage(data, size, &m) != kLobbyDecoded) return;
  switch (m.kind) {
    case kLobbyRefuse: return endWith(c, lobbyRefusalText(m.reason));
    case kLobbyRoom:
      std::memcpy(c.code, m.code, sizeof c.code);
      return moveTo(c, kClientWaiting, nowMs);
    case kLobbyIntroduce:
      if (c.state == kClientWaiting || c.state == kClientAsking) takeIntroduction(c, m, nowMs);
      return;
    case kLobbyPath:
      if (c.role == kClientHost && c.path == 0) c.path = m.path;
      return;
    case kLobbyWatching: return moveTo(c, kClientWatching, nowMs);
    case kLobbyPlan: return takeWatchPlan(c, m);
    case kLobbyFeed: return takeFeed(c, m);
  }
}

// ---- events -----------------------------------------------------------------------------------

bool sessionsPeer(const LobbyClient& c, int peer) { return c.state == kClientPlaying && c.session.peer == peer; }

void takeFromLobby(LobbyClient& c, const NetEvent& e, uint64_t nowMs) {
  if (e.type == kNetConnected && c.state == kClientConnecting) {
    sendRequest(c);
    return moveTo(c, kClientAsking, nowMs);
  }
  if (e.type == kNetDisconnected) {
    // Through the relay the session hears of it as its own loss; played directly, the fight
    // goes on without the lobby (the watchers only miss the rest).
    if (sessionsPeer(c, e.peer)) return sessionTake(c.session, e, nowMs);
    // A watcher of a fight of known length that has it all is done; one of an endless session
    // (the arcade's run) learns here that the feed is over.
    if (c.state == kClientWatching && c.planKnown && c.watchPlan.ticks > 0 && c.feed.size() >= c.watchPlan.ticks) return;
    if (c.state != kClientPlaying) endWith(c, c.state == kClientConnecting ? "cannot reach the lobby" : "the lobby let go");
    return;
  }
  if (e.type != kNetReceived || e.data == nullptr) return;
  if (isLobbyMessage(e.data, e.size)) return takeLobbyMessage(c, e.data, e.size, nowMs);
  // A game packet through the relay: the host takes its first one as the joiner choosing it.
  if (c.role == kClientHost && c.state == kClientPunching && isGamePacket(e.data, e.size))
    attach(c, c.lobbyPeer, kPathRelay, nowMs);
  if (sessionsPeer(c, e.peer) || (c.state == kClientPlaying && c.session.peer < 0)) sessionTake(c.session, e, nowMs);
}

void takeFromOther(LobbyClient& c, const NetEvent& e, uint64_t nowMs) {
  if (c.state == kClientPunching && c.role == kClientJoiner && e.type == kNetConnected)
    return choosePath(c, e.peer, kPathDirect, nowMs);
  if (c.state == kClientPunching && c.role == kClientHost) {
    // The joiner's connection from an address it was introduced with; anyone else is let go.
    if (e.type == kNetConnected) {
      if (!fromCandidate(c, e.peer)) netDropPeer(c.endpoint, e.peer);
      return;
    }
    if (e.type == kNetReceived && isGamePacket(e.data, e.size)) attach(c, e.peer, kPathDirect, nowMs);
  }
  if (c.state == kClientPlaying && (c.session.peer == e.peer || c.session.peer < 0)) return sessionTake(c.session, e, nowMs);
  if (e.type == kNetConnected) netDropPeer(c.endpoint, e.peer);
}

// ---- the watchers' feed (host) ----------------------------------------------------------------

void sendPlan(LobbyClient& c) {
  const NetSession& s = c.session;
  uint8_t welcome[kMostPacketBytes];
  const size_t size = encodeWelcome(welcome, s.sessionId, s.plan.seed, s.plan.ticks, static_cast<uint8_t>(s.plan.delay),
                                    s.plan.world, s.plan.stage, static_cast<uint8_t>(s.plan.difficulty),
                                    static_cast<uint8_t>(s.plan.lives));
  sendToLobby(c, encodeLobbyPlan(outgoing, welcome, size));
  c.planSent = true;
}

// The confirmed controls go to the lobby in batches, and the last of them as soon as the
// session has them all; the rollback ring still holds them, being never a batch behind.
void sendFeed(LobbyClient& c) {
  if (c.role != kClientHost || c.session.state != kSessionPlaying) return;
  if (!c.planSent) sendPlan(c);
  const Rollback& r = c.session.rollback;
  const int32_t confirmed = rollbackConfirmedEnd(r);
  const bool all = sessionDone(c.session) || (r.endTick > 0 && confirmed >= r.endTick);
  if (confirmed - c.feedSent < kFeedBatchTicks && !(all && confirmed > c.feedSent)) return;
  FeedTick ticks[kMostFeedTicks];
  const int32_t count = std::min(confirmed - c.feedSent, kMostFeedTicks);
  for (int32_t i = 0; i < count; ++i)
    for (int32_t p = 0; p < kNetPlayers; ++p) ticks[i].player[p] = rollbackCommand(r, p, c.feedSent + i);
  sendToLobby(c, encodeLobbyFeed(outgoing, static_cast<uint32_t>(c.feedSent), ticks, count));
  c.feedSent += count;
}

void runClocks(LobbyClient& c, uint64_t nowMs) {
  const bool answerDue = c.state == kClientConnecting || c.state == kClientAsking;
  if (answerDue && nowMs > c.sinceMs + kLobbyAnswerMs)
    return endWith(c, c.state == kClientConnecting ? "cannot reach the lobby" : "the lobby does not answer");
  if (c.state == kClientPunching) {
    punch(c, nowMs);
    if (c.role == kClientJoiner && nowMs > c.sinceMs + kPunchMs) choosePath(c, c.lobbyPeer, kPathRelay, nowMs);
    // The joiner greets at once on whichever path it chose; a host that hears nothing by the
    // end of the try and a silence after it waits no longer.
    if (c.role == kClientHost && nowMs > c.sinceMs + kPunchMs + kSilenceMs) endWith(c, "cannot reach the other player");
  }
  if (c.state == kClientPlaying) {
    sessionClocks(c.session, nowMs);
    sendFeed(c);
  }
}

}  // namespace

bool lobbyClientHost(LobbyClient& c, const std::string& lobbyHost, uint16_t port, const SessionPlan& plan,
                     const PackList& pack, std::string* error) {
  if (!start(c, kClientHost, lobbyHost, port, pack, error)) return false;
  c.plan = plan;
  return true;
}

namespace {

bool startWithCode(LobbyClient& c, int32_t role, const std::string& lobbyHost, uint16_t port, const std::string& code,
                   const PackList& pack, std::string* error) {
  char normal[kRoomCodeLetters + 1];
  if (!normalizeRoomCode(code.c_str(), normal)) {
    *error = "a room code is four letters (no I, no O)";
    return false;
  }
  if (!start(c, role, lobbyHost, port, pack, error)) return false;
  std::memcpy(c.code, normal, sizeof normal);
  return true;
}

}  // namespace

bool lobbyClientJoin(LobbyClient& c, const std::string& lobbyHost, uint16_t port, const std::string& code,
                     const PackList& pack, std::string* error) {
  return startWithCode(c, kClientJoiner, lobbyHost, port, code, pack, error);
}

bool lobbyClientWatch(LobbyClient& c, const std::string& lobbyHost, uint16_t port, const std::string& code,
                      const PackList& pack, std::string* error) {
  return startWithCode(c, kClientWatcher, lobbyHost, port, code, pack, error);
}

void lobbyClientStep(LobbyClient& c, uint64_t nowMs) {
  if (c.endpoint < 0) return;
  NetEvent e;
  while (netPoll(c.endpoint, &e)) {
    if (e.peer == c.lobbyPeer)
      takeFromLobby(c, e, nowMs);
    else
      takeFromOther(c, e, nowMs);
  }
  runClocks(c, nowMs);
}

void lobbyClientLeave(LobbyClient& c) {
  if (c.endpoint < 0) return;
  if (c.state == kClientPlaying) {
    sendFeed(c);
    sessionLeave(c.session, kEndLeft);
  }
  netClose(c.endpoint);
  c.endpoint = -1;
  endWith(c, "you left");
}

bool splitLobbyAddress(const std::string& text, std::string* host, uint16_t* port) {
  WebSocketUrl url;
  if (netIsWebSocketUrl(text)) {
    *host = text;
    *port = 0;
    return netParseWebSocketUrl(text, &url);
  }
  const size_t colon = text.rfind(':');
  *host = text.substr(0, colon);
  *port = kLobbyDefaultPort;
  if (colon == std::string::npos) return !host->empty();
  const std::string digits = text.substr(colon + 1);
  const long value = std::strtol(digits.c_str(), nullptr, 10);
  if (digits.empty() || digits.size() > 5 || digits.find_first_not_of("0123456789") != std::string::npos || value < 1 ||
      value > 65535)
    return false;
  *port = static_cast<uint16_t>(value);
  return !host->empty();
}

const char* lobbyPathName(int32_t path) {
  if (path == kPathDirect) return "DIRECT";
  if (path == kPathRelay) return "RELAY";
  return "";
}
