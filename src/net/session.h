// One online fight between two machines: the host waits for one peer, the joiner connects;
// they greet (protocol version, content pack), the host says what to play, and then both
// exchange their controls every frame and the world's fingerprint every kCheckEvery ticks.
// Whatever goes wrong ends the session with a reason a player can read.
#pragma once
#include <cstdint>
#include <string>

#include "net/pack_list.h"
#include "net/rollback.h"
#include "platform/net.h"

enum SessionRole { kRoleHost, kRoleJoiner };

enum SessionState {
  kSessionOff,
  kSessionWaiting,   // host: for a caller's hello; joiner: for the connection
  kSessionGreeting,  // joiner: connected, the host's welcome not yet here
  kSessionPlaying,
  kSessionEnded,
};

enum SessionEnd {
  kEndNone,
  kEndFinished,      // the planned ticks ran, both sides have every command
  kEndLost,          // nothing heard for kSilenceMs
  kEndPeerLeft,      // the other side said goodbye before the end
  kEndLeft,          // this side left
  kEndOtherVersion,  // the other side speaks another protocol version
  kEndOtherContent,  // its game data differs (endDetail names the first file)
  kEndFull,          // the host already has its peer
  kEndDesync,        // the worlds' fingerprints differ at a confirmed tick
  kEndCannotConnect,
};

// Packets dropped unused, by why.
enum DropKind { kDropMalformed, kDropOversized, kDropOtherVersion, kDropForeign, kDropLate, kDropDuplicate,
                kDropGap, kDropKinds };

constexpr uint64_t kSilenceMs = 3000;
// A caller has this long from its connection to greet, whatever else it sends.
constexpr uint64_t kGreetingMs = kSilenceMs;
// Until the other side's first controls come, it may still be loading its stage.
constexpr uint64_t kStageLoadGraceMs = 10000;

// What the host decides and the joiner is told.
struct SessionPlan {
  uint32_t seed = 0;
  uint32_t ticks = 0;  // the fight's length, 0 for no end
  int32_t delay = kDefaultInputDelay;
  char world[kMostNameBytes + 1] = {};
  char stage[kMostNameBytes + 1] = {};
  // The run's choices, the host's for both players.
  int32_t difficulty = kDifficultyNormal;
  int32_t lives = kDefaultLives;
};

// Who reads and writes: sessionHost and sessionJoin fill it; sessionPoll moves the state and
// takes the other side's packets; the caller adds this side's commands to `rollback` and runs
// it with sessionStep; sessionLeave and the faults end it.
struct NetSession {
  int32_t role = kRoleHost;
  int32_t state = kSessionOff;
  int32_t end = kEndNone;
  std::string endDetail;  // the file that differs, the tick that desynced
  int endpoint = -1;
  int peer = -1;  // the one peer of the session on the endpoint (host: -1 until a hello)
  // Host, while waiting: the callers connected and not yet greeted, by peer, and when each
  // came. The first good hello takes the seat; the rest are then told the session is full.
  bool caller[kNetPeersPerEndpoint] = {};
  uint64_t callerSinceMs[kNetPeersPerEndpoint] = {};
  uint32_t sessionId = 0;
  uint64_t lastHeardMs = 0;  // the last packet that told something new (not a repeat)
  const PackList* pack = nullptr;
  SessionPlan plan;
  int32_t prediction = kMostPrediction;
  Rollback rollback;
  int32_t peerAck = 0;       // the other side has this side's commands of every tick before this
  uint32_t sentSequence = 0;
  // This side's commands went out up to this tick, this many frames ago; `newsSent`: the last
  // inputs packet carried one the other side could not have guessed.
  int32_t inputsSentEnd = 0;
  int32_t framesSinceInputs = 0;
  bool newsSent = false;
  uint32_t heardSequence = 0;
  bool peerSaidBye = false;
  int32_t nextCheck = kCheckEvery;  // the next confirmed tick count whose fingerprint goes out
  int32_t peerCheckTicks[kCheckRing] = {};
  uint64_t peerCheckDigests[kCheckRing] = {};
  int32_t ourCheckTicks[kCheckRing] = {};
  uint64_t ourCheckDigests[kCheckRing] = {};
  int64_t checksCompared = 0;
  int64_t dropped[kDropKinds] = {};
  int64_t peersTurnedAway = 0;
  // False when the endpoint is another's (a lobby's client, which polls it and hands the
  // session its events): the session then neither polls nor closes it.
  bool ownsEndpoint = true;
};

// Listens on bindHost:port ("" for every address; port 0 lets the system pick). False with
// the reason when it cannot.
bool sessionHost(NetSession& s, const std::string& bindHost, uint16_t port, const SessionPlan& plan,
                 const PackList& pack, std::string* error);
bool sessionJoin(NetSession& s, const std::string& host, uint16_t port, const PackList& pack, std::string* error);
// A session over a peer already connected on an endpoint someone else polls (a lobby's client,
// which reached the other side directly or through the lobby's relay): the host waits for
// that peer's hello, the joiner greets it at once. Its events come through sessionTake and its
// clocks run in sessionClocks; it never polls the endpoint itself.
void sessionAttach(NetSession& s, int32_t role, int endpoint, int peer, const SessionPlan& plan,
                   const PackList& pack, uint64_t nowMs);
// Takes every packet that has come and moves the state on; `nowMs` on netClockMs.
void sessionPoll(NetSession& s, uint64_t nowMs);
// One event of the endpoint, and the clocks (silence, callers that never greet).
void sessionTake(NetSession& s, const NetEvent& e, uint64_t nowMs);
void sessionClocks(NetSession& s, uint64_t nowMs);
// Runs the world on (rollbackStep), then sends this side's unacknowledged commands and any
// fingerprint due. A no-op unless playing.
void sessionStep(NetSession& s, const RollbackWorld& world);
// Whether this side's part is done: both players' commands are here for every planned tick,
// and the other side has all of this side's (or has said it is done). What is left to run
// needs no more packets.
bool sessionDone(const NetSession& s);
// Says goodbye and closes the endpoint (if the session's own); the session ends as `end`
// unless it had ended already.
void sessionLeave(NetSession& s, int32_t end);
// A line a player can read for how the session ended.
std::string sessionEndMessage(const NetSession& s);
int64_t sessionDropped(const NetSession& s);
