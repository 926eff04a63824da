// A player's (or a watcher's) side of the lobby: ask for a room or give a code, be introduced
// to the other player, open a direct path through both routers or fall back to the lobby's
// relay, and hand the game's session a peer that looks the same either way.
//
// How a program drives it (the arcade's screens, brawler-replay netplay), one frame at a time
// and never in a blocking loop:
//   1. lobbyClientHost / lobbyClientJoin / lobbyClientWatch start it (false: why, in *error).
//   2. Every frame (and as often between frames as the program likes), lobbyClientStep(c, now):
//      it takes every packet, answers the lobby, punches, picks the path, runs the session's
//      clocks and sends the watchers' feed. It never sleeps.
//   3. Read `state`: kClientWaiting shows `code` (the host's room, to read out); kClientPunching
//      is the short try for a direct path; kClientPlaying has `session` attached (greeting,
//      then playing: drive it with sessionStep exactly as over a direct connection) and `path`
//      says DIRECT or RELAY; kClientWatching fills `watchPlan` and `feed`; kClientEnded has
//      the reason in `endMessage` (or in the session's end once it had one).
//   4. lobbyClientLeave when done: the session's goodbye, then the lobby's.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "net/lobby_message.h"
#include "net/session.h"

enum LobbyClientRole { kClientHost, kClientJoiner, kClientWatcher };

enum LobbyClientState {
  kClientConnecting,  // to the lobby
  kClientAsking,      // the request is out; the answer has not come
  kClientWaiting,     // host: the room is open, `code` known, no joiner yet
  kClientPunching,    // introduced: trying the direct path for up to kPunchMs
  kClientPlaying,     // `session` is attached to the path chosen
  kClientWatching,    // a watcher taken in: the plan and the feed come in
  kClientEnded,
};

// Both sides try the direct path this long before they play through the relay.
constexpr uint64_t kPunchMs = 2000;
// A punch every this often while trying, from the host's side (the joiner's connection
// attempts are its punches).
constexpr uint64_t kPunchEveryMs = 100;
// The lobby must answer within this long.
constexpr uint64_t kLobbyAnswerMs = 5000;
// The host sends the lobby the confirmed controls in messages of about this many ticks.
constexpr int32_t kFeedBatchTicks = 30;

// Who reads and writes: the start functions fill it; lobbyClientStep moves everything on;
// the program reads `state`, `code`, `path`, `endMessage`, `watchPlan` and `feed`, and drives
// `session` once it is attached.
struct LobbyClient {
  int32_t role = kClientHost;
  int32_t state = kClientEnded;
  std::string endMessage;
  char code[kRoomCodeLetters + 1] = {};
  bool forceRelay = false;  // skip the direct path (a player whose router misbehaves, a test)
  bool webSocket = false;   // the lobby is a ws:// address: relayed always, no addresses of its own told
  int endpoint = -1;
  int lobbyPeer = -1;
  uint64_t sinceMs = 0;  // when the present state began
  const PackList* pack = nullptr;
  SessionPlan plan;  // the host's, for its session
  // The other player's addresses: as the lobby sees it, then as it reported itself.
  NetAddress candidates[1 + kMostSelfAddresses];
  int32_t candidateCount = 0;
  int32_t attempt[1 + kMostSelfAddresses] = {};  // the joiner's connection attempts, by candidate
  uint64_t nextPunchMs = 0;
  int32_t path = 0;  // kPathDirect or kPathRelay once known
  NetSession session;
  // Host: what of the watchers' feed went to the lobby.
  bool planSent = false;
  int32_t feedSent = 0;
  // Watcher: the session's plan and both players' confirmed controls from tick 0.
  bool planKnown = false;
  SessionPlan watchPlan;
  std::vector<FeedTick> feed;
};

// `lobbyHost` names the lobby's machine, its UDP port `port`; or it is a whole WebSocket address
// ("ws://HOST:PORT", "wss://..."), `port` then unused.
bool lobbyClientHost(LobbyClient& c, const std::string& lobbyHost, uint16_t port, const SessionPlan& plan,
                     const PackList& pack, std::string* error);
// `code` as the player typed it (either case); false when it cannot be a code.
bool lobbyClientJoin(LobbyClient& c, const std::string& lobbyHost, uint16_t port, const std::string& code,
                     const PackList& pack, std::string* error);
bool lobbyClientWatch(LobbyClient& c, const std::string& lobbyHost, uint16_t port, const std::string& code,
                      const PackList& pack, std::string* error);
void lobbyClientStep(LobbyClient& c, uint64_t nowMs);
void lobbyClientLeave(LobbyClient& c);
// A lobby's address as a player gives it: "HOST" or "HOST:PORT" (UDP, the lobby's own port
// unless given), or a WebSocket address, kept whole in *host. False when it is none of these.
bool splitLobbyAddress(const std::string& text, std::string* host, uint16_t* port);
// "DIRECT", "RELAY", or "" before the path is known.
const char* lobbyPathName(int32_t path);
