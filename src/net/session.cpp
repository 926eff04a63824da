#include "net/session.h"

#include <unistd.h>

#include <algorithm>
#include <cstring>

#include "base/fingerprint.h"
#include "platform/net.h"

namespace {

// The most frames in a row without an inputs packet while there is no news.
constexpr int32_t kFramesBetweenQuietInputs = 2;

uint8_t outgoing[kMostPacketBytes];

void send(NetSession& s, int channel, size_t size) {
  if (size > 0) netSend(s.endpoint, s.peer, channel, outgoing, size);
}

// A caller the host will not seat: told why, and let go.
void turnAway(NetSession& s, int peer, uint8_t reason) {
  const size_t size = encodeRefuse(outgoing, 0, reason, "", 0);
  netSend(s.endpoint, peer, kNetChannelSetup, outgoing, size);
  netDisconnect(s.endpoint, peer);
}

void forgetCaller(NetSession& s, int peer) {
  s.caller[peer] = false;
  s.callerSinceMs[peer] = 0;
}

void endSession(NetSession& s, int32_t end, const std::string& detail = "") {
  if (s.state == kSessionEnded) return;
  s.state = kSessionEnded;
  s.end = end;
  s.endDetail = detail;
}

uint32_t newSessionId() {
  const uint64_t seed[2] = {netClockMs(), static_cast<uint64_t>(getpid())};
  const uint32_t id = static_cast<uint32_t>(fnv1a(seed, sizeof seed, kFnvStart));
  return id != 0 ? id : 1;
}

void startPlaying(NetSession& s, uint64_t nowMs) {
  s.state = kSessionPlaying;
  s.lastHeardMs = nowMs;
  rollbackStart(s.rollback, s.role == kRoleHost ? 0 : 1, s.plan.delay, s.prediction);
  s.rollback.endTick = static_cast<int32_t>(s.plan.ticks);
}

int32_t otherPlayer(const NetSession& s) { return 1 - s.rollback.localPlayer; }

// ---- greetings ------------------------------------------------------------------------------

void welcome(NetSession& s, int peer, const Packet& hello, uint64_t nowMs) {
  s.peer = peer;
  forgetCaller(s, peer);
  for (int other = 0; other < kNetPeersPerEndpoint; ++other)
    if (s.caller[other]) {
      turnAway(s, other, kRefuseFull);
      forgetCaller(s, other);
      ++s.peersTurnedAway;
    }
  if (hello.packDigest != s.pack->digest) {
    send(s, kNetChannelSetup, encodeRefuse(outgoing, 0, kRefuseContent, s.pack->lines.data(), s.pack->lines.size()));
    endSession(s, kEndOtherContent, firstDifferentFile(s.pack->lines, std::string(hello.list, hello.listSize)));
    return;
  }
  s.sessionId = newSessionId();
  send(s, kNetChannelSetup,
       encodeWelcome(outgoing, s.sessionId, s.plan.seed, s.plan.ticks, static_cast<uint8_t>(s.plan.delay),
                     s.plan.world, s.plan.stage, static_cast<uint8_t>(s.plan.difficulty),
                     static_cast<uint8_t>(s.plan.lives)));
  startPlaying(s, nowMs);
}

void takeWelcome(NetSession& s, const Packet& p, uint64_t nowMs) {
  s.sessionId = p.session;
  s.plan.seed = p.seed;
  s.plan.ticks = p.ticks;
  s.plan.delay = std::min<int32_t>(p.delay, kMostInputDelay);
  std::memcpy(s.plan.world, p.world, sizeof s.plan.world);
  std::memcpy(s.plan.stage, p.stage, sizeof s.plan.stage);
  s.plan.difficulty = p.difficulty;
  s.plan.lives = p.lives;
  startPlaying(s, nowMs);
}

void takeRefusal(NetSession& s, const Packet& p) {
  if (p.reason == kRefuseVersion) endSession(s, kEndOtherVersion);
  if (p.reason == kRefuseFull) endSession(s, kEndFull);
  if (p.reason == kRefuseContent)
    endSession(s, kEndOtherContent, firstDifferentFile(s.pack->lines, std::string(p.list, p.listSize)));
}

// ---- play ---------------------------------------------------------------------------------

// The sender runs no further ahead of this side's commands it has than its prediction lets it,
// so a tick past that is not one it ran; taking it would throw off the leads and the delays.
bool plausibleSenderTick(const Packet& p) { return p.senderTick <= p.ack + static_cast<uint32_t>(kMostPrediction); }

void takeInputs(NetSession& s, const Packet& p, uint64_t nowMs) {
  Rollback& r = s.rollback;
  const int32_t remote = otherPlayer(s);
  switch (judgeInputs(p, s.heardSequence, static_cast<uint32_t>(r.knownEnd[remote]))) {
    case kInputsDuplicate: ++s.dropped[kDropDuplicate]; return;
    case kInputsLate: ++s.dropped[kDropLate]; return;
    case kInputsGap: ++s.dropped[kDropGap]; return;
    case kInputsUse: break;
  }
  // It cannot have commands of this side that were never sent.
  if (p.ack > static_cast<uint32_t>(r.knownEnd[r.localPlayer]) || !plausibleSenderTick(p)) {
    ++s.dropped[kDropMalformed];
    return;
  }
  // Only a packet newer than the last counts as hearing from the other side: a repeated one
  // proves nothing about whether it is still there.
  s.lastHeardMs = nowMs;
  s.heardSequence = p.sequence;
  s.peerAck = std::max(s.peerAck, static_cast<int32_t>(p.ack));
  r.leadKnown = true;
  r.peerTick = static_cast<int32_t>(p.senderTick);
  r.peerLead = p.lead;
  for (int32_t i = 0; i < p.count; ++i) {
    const int64_t tick = int64_t{p.first} + i;
    if (tick >= r.knownEnd[remote]) rollbackAddRemote(r, static_cast<int32_t>(tick), p.commands[i]);
  }
}

void compareChecks(NetSession& s, int32_t slot) {
  if (s.ourCheckTicks[slot] == 0 || s.ourCheckTicks[slot] != s.peerCheckTicks[slot]) return;
  ++s.checksCompared;
  if (s.ourCheckDigests[slot] != s.peerCheckDigests[slot])
    endSession(s, kEndDesync, "after tick " + std::to_string(s.ourCheckTicks[slot]));
}

void takeCheck(NetSession& s, const Packet& p, uint64_t nowMs) {
  if (p.checkTick == 0 || p.checkTick % kCheckEvery != 0 || p.checkTick > static_cast<uint32_t>(s.rollback.tick) + kCommandRing) {
    ++s.dropped[kDropMalformed];
    return;
  }
  const int32_t slot = static_cast<int32_t>(p.checkTick / kCheckEvery) % kCheckRing;
  if (s.peerCheckTicks[slot] == static_cast<int32_t>(p.checkTick)) {
    ++s.dropped[kDropDuplicate];
    return;
  }
  s.lastHeardMs = nowMs;
  s.peerCheckTicks[slot] = static_cast<int32_t>(p.checkTick);
  s.peerCheckDigests[slot] = p.digest;
  compareChecks(s, slot);
}

void takePacket(NetSession& s, const Packet& p, uint64_t nowMs) {
  if (p.kind == kPacketRefuse) return takeRefusal(s, p);
  if (p.kind == kPacketBye) {
    s.peerSaidBye = true;
    if (s.state != kSessionPlaying || !sessionDone(s)) endSession(s, kEndPeerLeft);
    return;
  }
  if (s.state == kSessionGreeting && p.kind == kPacketWelcome) return takeWelcome(s, p, nowMs);
  if (s.state == kSessionPlaying) {
    if (p.kind == kPacketInputs) return takeInputs(s, p, nowMs);
    if (p.kind == kPacketCheck) return takeCheck(s, p, nowMs);
  }
  ++s.dropped[kDropMalformed];  // a kind that has no place now
}

// A packet of another protocol version, from the peer being greeted: neither side can go on,
// and the other is told in the one packet every version reads the same way, the header.
void otherVersion(NetSession& s, int peer) {
  if (s.state != kSessionGreeting && !(s.role == kRoleHost && s.state == kSessionWaiting)) {
    ++s.dropped[kDropOtherVersion];
    return;
  }
  turnAway(s, peer, kRefuseVersion);
  endSession(s, kEndOtherVersion);
}

// The host has no peer yet: a caller's hello takes the seat; nothing else a caller sends
// counts for anything, nor keeps it past its time to greet.
void takeCallerBytes(NetSession& s, const NetEvent& e, uint64_t nowMs) {
  if (e.peer < 0 || e.peer >= kNetPeersPerEndpoint || !s.caller[e.peer]) {
    ++s.dropped[kDropForeign];
    return;
  }
  Packet p;
  switch (decodePacket(e.data, e.size, 0, &p)) {
    case kDecoded:
      if (p.kind == kPacketHello) return welcome(s, e.peer, p, nowMs);
      ++s.dropped[kDropMalformed];
      return;
    case kDecodeOversized: ++s.dropped[kDropOversized]; return;
    case kDecodeOtherVersion: return otherVersion(s, e.peer);
    default: ++s.dropped[kDropMalformed]; return;
  }
}

void takeBytes(NetSession& s, const NetEvent& e, uint64_t nowMs) {
  if (e.data == nullptr && e.size > kNetMostBytes) {
    ++s.dropped[kDropOversized];
    return;
  }
  if (s.role == kRoleHost && s.peer < 0) return takeCallerBytes(s, e, nowMs);
  if (e.peer != s.peer) {
    ++s.dropped[kDropForeign];
    return;
  }
  Packet p;
  switch (decodePacket(e.data, e.size, s.state == kSessionPlaying ? s.sessionId : 0, &p)) {
    case kDecoded: return takePacket(s, p, nowMs);
    case kDecodeMalformed: ++s.dropped[kDropMalformed]; return;
    case kDecodeOversized: ++s.dropped[kDropOversized]; return;
    case kDecodeOtherVersion: return otherVersion(s, s.peer);
    case kDecodeForeign: ++s.dropped[kDropForeign]; return;
  }
}

void takeConnection(NetSession& s, int peer, uint64_t nowMs) {
  if (s.role == kRoleJoiner) {
    s.state = kSessionGreeting;
    s.lastHeardMs = nowMs;
    send(s, kNetChannelSetup, encodeHello(outgoing, s.pack->digest, s.pack->lines.data(), s.pack->lines.size()));
    return;
  }
  if (s.peer >= 0 || s.state != kSessionWaiting || peer < 0 || peer >= kNetPeersPerEndpoint) {
    // One too many: told so, and let go, without a word to the session's own peer.
    turnAway(s, peer, kRefuseFull);
    ++s.peersTurnedAway;
    return;
  }
  s.caller[peer] = true;
  s.callerSinceMs[peer] = nowMs;
}

void takeDisconnection(NetSession& s, int peer) {
  // A caller that hangs up before it greets leaves the host waiting, as it was.
  if (s.role == kRoleHost && peer >= 0 && peer < kNetPeersPerEndpoint && s.caller[peer]) return forgetCaller(s, peer);
  if (peer != s.peer) return;
  if (s.state == kSessionWaiting) endSession(s, kEndCannotConnect);
  if (s.state == kSessionPlaying && sessionDone(s)) return;
  endSession(s, s.peerSaidBye ? kEndPeerLeft : kEndLost);
}

// Whether a command in [from, end) differs from what the other side guesses for it.
bool anyNews(const Rollback& r, int32_t from, int32_t end) {
  for (int32_t t = std::max(from, 1); t < end; ++t)
    if (rollbackCommand(r, r.localPlayer, t) != predictCommand(rollbackCommand(r, r.localPlayer, t - 1))) return true;
  return false;
}

// Most of a packet is headers (the game's, ENet's, UDP's and IP's), so a frame whose commands
// the other side would guess right anyway sends nothing, up to kFramesBetweenQuietInputs. News
// goes at once, where the felt delay is, and once more the next frame against a loss. In
// lockstep nothing is guessed: the other side waits for every command.
bool inputsDue(NetSession& s) {
  const Rollback& r = s.rollback;
  const bool news = r.prediction == 0 || anyNews(r, s.inputsSentEnd, r.knownEnd[r.localPlayer]);
  ++s.framesSinceInputs;
  if (!news && !s.newsSent && s.framesSinceInputs < kFramesBetweenQuietInputs) return false;
  s.newsSent = news;
  s.framesSinceInputs = 0;
  s.inputsSentEnd = r.knownEnd[r.localPlayer];
  return true;
}

void sendInputs(NetSession& s) {
  if (!inputsDue(s)) return;
  const Rollback& r = s.rollback;
  const int32_t local = r.localPlayer;
  // Everything the other side has not acknowledged; the newest again when it has it all, so
  // that it hears this side's tick and acknowledgement while nothing new is pressed.
  int32_t first = std::min(s.peerAck, r.knownEnd[local] - 1);
  first = std::max(first, 0);
  const int32_t count = std::min(r.knownEnd[local] - first, kMostInputsPerPacket);
  if (count <= 0) return;
  NetCommand commands[kMostInputsPerPacket];
  for (int32_t i = 0; i < count; ++i) commands[i] = rollbackCommand(r, local, first + i);
  InputsHeader h;
  // The wire carries the low 16 bits, and 0 there would read as "nothing heard yet".
  if (static_cast<uint16_t>(++s.sentSequence) == 0) ++s.sentSequence;
  h.sequence = s.sentSequence;
  h.ack = static_cast<uint32_t>(r.knownEnd[otherPlayer(s)]);
  h.senderTick = static_cast<uint32_t>(r.tick);
  h.lead = rollbackLead(r);
  h.first = static_cast<uint32_t>(first);
  const size_t size = encodeInputs(outgoing, s.sessionId, h, commands, count);
  if (size > 0) netSend(s.endpoint, s.peer, kNetChannelInputs, outgoing, size);
}

void sendChecks(NetSession& s) {
  const int32_t confirmed = rollbackConfirmedEnd(s.rollback);
  while (s.nextCheck <= confirmed) {
    const int32_t slot = (s.nextCheck / kCheckEvery) % kCheckRing;
    s.ourCheckTicks[slot] = s.nextCheck;
    s.ourCheckDigests[slot] = rollbackCheckDigest(s.rollback, s.nextCheck);
    send(s, kNetChannelSetup, encodeCheck(outgoing, s.sessionId, static_cast<uint32_t>(s.nextCheck), s.ourCheckDigests[slot]));
    compareChecks(s, slot);
    s.nextCheck += kCheckEvery;
  }
}

}  // namespace

bool sessionHost(NetSession& s, const std::string& bindHost, uint16_t port, const SessionPlan& plan,
                 const PackList& pack, std::string* error) {
  s = NetSession{};
  s.role = kRoleHost;
  s.plan = plan;
  s.plan.delay = std::clamp(plan.delay, 0, kMostInputDelay);
  s.pack = &pack;
  s.endpoint = netListen(bindHost, port, error);
  if (s.endpoint < 0) return false;
  s.state = kSessionWaiting;
  return true;
}

bool sessionJoin(NetSession& s, const std::string& host, uint16_t port, const PackList& pack, std::string* error) {
  s = NetSession{};
  s.role = kRoleJoiner;
  s.pack = &pack;
  s.peer = 0;
  s.endpoint = netConnect(host, port, error);
  if (s.endpoint < 0) return false;
  s.state = kSessionWaiting;
  s.lastHeardMs = netClockMs();
  return true;
}

void sessionAttach(NetSession& s, int32_t role, int endpoint, int peer, const SessionPlan& plan,
                   const PackList& pack, uint64_t nowMs) {
  s = NetSession{};
  s.role = role;
  s.plan = plan;
  s.plan.delay = std::clamp(plan.delay, 0, kMostInputDelay);
  s.pack = &pack;
  s.endpoint = endpoint;
  s.ownsEndpoint = false;
  s.state = kSessionWaiting;
  s.lastHeardMs = nowMs;
  if (role == kRoleJoiner) {
    s.peer = peer;
    return takeConnection(s, peer, nowMs);
  }
  if (peer < 0 || peer >= kNetPeersPerEndpoint) return endSession(s, kEndCannotConnect);
  s.caller[peer] = true;
  s.callerSinceMs[peer] = nowMs;
}

void sessionTake(NetSession& s, const NetEvent& e, uint64_t nowMs) {
  if (s.state == kSessionEnded) return;
  if (e.type == kNetConnected) takeConnection(s, e.peer, nowMs);
  if (e.type == kNetDisconnected) takeDisconnection(s, e.peer);
  if (e.type == kNetReceived) takeBytes(s, e, nowMs);
}

void sessionPoll(NetSession& s, uint64_t nowMs) {
  NetEvent e;
  while (s.state != kSessionEnded && netPoll(s.endpoint, &e)) sessionTake(s, e, nowMs);
  sessionClocks(s, nowMs);
}

void sessionClocks(NetSession& s, uint64_t nowMs) {
  if (s.role == kRoleHost && s.state == kSessionWaiting) {
    // A caller that never greets is let go; the host waits on for another.
    for (int peer = 0; peer < kNetPeersPerEndpoint; ++peer)
      if (s.caller[peer] && nowMs > s.callerSinceMs[peer] + kGreetingMs) {
        netDisconnect(s.endpoint, peer);
        forgetCaller(s, peer);
      }
    return;
  }
  const bool listening = s.state == kSessionGreeting || s.state == kSessionPlaying || s.state == kSessionWaiting;
  const uint64_t allowed = s.state == kSessionPlaying && s.heardSequence == 0 ? kStageLoadGraceMs : kSilenceMs;
  if (!listening || (s.state == kSessionPlaying && sessionDone(s)) || nowMs <= s.lastHeardMs + allowed) return;
  endSession(s, s.state == kSessionWaiting ? kEndCannotConnect : kEndLost);
}

void sessionStep(NetSession& s, const RollbackWorld& world) {
  if (s.state != kSessionPlaying) return;
  rollbackStep(s.rollback, world);
  sendChecks(s);
  if (s.state == kSessionPlaying) sendInputs(s);
}

bool sessionDone(const NetSession& s) {
  const int32_t end = static_cast<int32_t>(s.plan.ticks);
  if (end <= 0 || s.rollback.knownEnd[0] < end || s.rollback.knownEnd[1] < end) return false;
  return s.peerAck >= end || s.peerSaidBye;
}

void sessionLeave(NetSession& s, int32_t end) {
  if (s.endpoint < 0) return;
  if (s.peer >= 0 && (s.state == kSessionGreeting || s.state == kSessionPlaying))
    send(s, kNetChannelSetup, encodeBye(outgoing, s.sessionId));
  endSession(s, end);
  if (s.ownsEndpoint) netClose(s.endpoint);
  s.endpoint = -1;
}

std::string sessionEndMessage(const NetSession& s) {
  switch (s.end) {
    case kEndFinished: return "the fight is over";
    case kEndLost: return "CONNECTION LOST";
    case kEndPeerLeft: return "the other player left";
    case kEndLeft: return "you left";
    case kEndOtherVersion: return "the other player's game is another version";
    case kEndOtherContent: return "the other player's game data differs: data/" + s.endDetail;
    case kEndFull: return "session full";
    case kEndDesync: return "DESYNC " + s.endDetail;
    case kEndCannotConnect: return "cannot reach the other player";
  }
  return "";
}

int64_t sessionDropped(const NetSession& s) {
  int64_t total = 0;
  for (int64_t n : s.dropped) total += n;
  return total;
}
