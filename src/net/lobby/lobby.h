// The lobby: a server that gives a host a four-letter room code, pairs a joiner who gives the
// code, tells each the other's addresses so that they can reach each other directly, forwards
// their game packets when they cannot, and feeds watchers both players' confirmed controls.
//
// Everything it holds is in fixed tables sized when it starts (rooms, peers, addresses), and
// each room's store of controls stops at a session's worth, so no client can make it grow.
// It routes only on its own record of which peer sits in which seat of which room: nothing a
// packet says about itself moves it anywhere else.
//
// lobbyStart opens it; lobbyServe (one call a turn of the program's loop) takes every message
// that came, forwards, answers, and runs the clocks (rooms that waited too long, peers that
// never asked for anything, watchers' feeds); lobbyStop says goodbye to everyone.
#pragma once
#include <cstdint>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "net/lobby_message.h"

constexpr uint16_t kLobbyDefaultPort = 7708;
// The TCP port pages (and desktops given a ws:// address) reach the lobby on.
constexpr uint16_t kLobbyWebSocketPort = 7709;
// Connections on each endpoint (ENet numbers a host's peers in 12 bits). The lobby numbers its
// peers across both: the UDP endpoint's first, then the WebSocket endpoint's.
constexpr int32_t kLobbyPeers = 4095;
constexpr int32_t kLobbyAllPeers = 2 * kLobbyPeers;
constexpr int32_t kMostWatchersPerRoom = 8;
// Codes of rooms that closed lately, so that a joiner late with one is told it expired.
constexpr int32_t kRecentCodes = 1024;
constexpr int32_t kAddressSlots = 8192;

// What one lobby allows; the defaults are a public lobby's (`--help` lists them).
struct LobbyLimits {
  int32_t rooms = 2000;
  int32_t roomsPerAddress = 4;
  int32_t requestsPerSecond = 4;  // room, join and watch requests from one address...
  int32_t requestBurst = 8;       // ...with this many at once after a quiet spell
  int32_t peersPerAddress = 32;   // connections from one address at once
  int32_t watchersPerRoom = kMostWatchersPerRoom;
  uint64_t roomWaitMs = 10 * 60 * 1000;  // a room waits this long for its joiner
  uint64_t quietPeerMs = 5000;           // a connection that asks for nothing is let go after
  int32_t strikes = 16;                  // messages of one peer dropped before it is let go
};

enum LobbyRoomState {
  kRoomFree,
  kRoomWaiting,  // the host is in, waiting for its joiner
  kRoomPaired,   // both players are in (or were): relaying and feeding watchers
  kRoomEnding,   // both players gone: the watchers get the rest of the feed, then goodbye
};

enum LobbyPeerRole { kLobbyPeerNew, kLobbyPeerHost, kLobbyPeerJoiner, kLobbyPeerWatcher };

// One room. lobbyServe opens, fills and frees it; nothing else writes it.
struct LobbyRoom {
  int32_t state = kRoomFree;
  char code[kRoomCodeLetters + 1] = {};
  int32_t seat[2] = {-1, -1};  // the peers of the host and the joiner, -1 when gone
  int32_t watcher[kMostWatchersPerRoom] = {};
  int32_t watcherSent[kMostWatchersPerRoom] = {};  // ticks of the feed sent to each watcher
  bool watcherHasPlan[kMostWatchersPerRoom] = {};
  int32_t watchers = 0;
  int32_t address = -1;  // the host's slot in the address table
  uint64_t openedMs = 0;
  uint8_t gameVersion = 0;
  uint64_t packDigest = 0;
  NetAddress seen[2];  // each player as the lobby sees it
  NetAddress self[2][kMostSelfAddresses];
  int32_t selfCount[2] = {};
  int32_t path = 0;  // as the joiner said: kPathDirect or kPathRelay
  uint8_t plan[kMostLobbyMessageBytes];  // the session's welcome packet, as the host sent it
  size_t planSize = 0;
  std::vector<FeedTick> feed;  // from tick 0, up to kRoomFeedTicks
  uint64_t relayedPackets = 0;
};

// One connection. Reset when it connects and when it goes.
struct LobbyPeer {
  int32_t role = kLobbyPeerNew;
  int32_t room = -1;
  int32_t address = -1;  // its slot in the address table
  uint64_t sinceMs = 0;
  int32_t strikes = 0;
};

// What one IP address holds and how fast it may ask, in a fixed open-addressed table.
struct LobbyAddress {
  uint32_t ip = 0;
  bool used = false;
  int32_t rooms = 0;
  int32_t peers = 0;
  int64_t tokens = 0;  // thousandths of a request
  uint64_t refilledMs = 0;
};

// Everything dropped and refused, by why; printed when the lobby stops.
struct LobbyCounts {
  int64_t roomsOpened = 0;
  int64_t roomsPaired = 0;
  int64_t garbage = 0;        // neither a lobby message nor a game packet, or a malformed one
  int64_t oversized = 0;
  int64_t otherVersion = 0;   // a lobby message of another lobby protocol
  int64_t outOfPlace = 0;     // a message its sender has no business sending (a forged seat)
  int64_t unseatedGame = 0;   // a game packet from a peer with no seat in a paired room
  int64_t tooFast = 0;
  int64_t refused = 0;
  int64_t quietLetGo = 0;     // connected and asked for nothing
  int64_t struckOut = 0;      // let go after too many dropped messages
  int64_t addressesFull = 0;  // turned away: the address table had no slot
  int64_t crowded = 0;        // turned away: their address had all the connections it may
  int64_t watchersBehind = 0; // watchers whose queue was full when their feed was due
  int64_t relayedPackets = 0;
  int64_t relayedBytes = 0;
};

struct Lobby {
  LobbyLimits limits;
  int endpoint = -1;           // UDP
  int webSocketEndpoint = -1;  // pages, and desktops given a ws:// address
  FILE* log = nullptr;  // one line per room event; null for none
  std::vector<LobbyRoom> rooms;
  std::vector<LobbyPeer> peers;
  std::vector<LobbyAddress> addresses;
  char recent[kRecentCodes][kRoomCodeLetters + 1] = {};
  int32_t recentNext = 0;
  int32_t roomsInUse = 0;
  std::mt19937 random;  // draws the room codes: a code must not be guessable from the last
  uint64_t nextClockMs = 0;
  LobbyCounts counts;
};

// Listens on UDP `port` and TCP `webSocketPort` (0: ports the system picks).
bool lobbyStart(Lobby& lobby, const std::string& bindHost, uint16_t port, uint16_t webSocketPort,
                const LobbyLimits& limits, FILE* log, std::string* error);
uint16_t lobbyPort(const Lobby& lobby);
uint16_t lobbyWebSocketPort(const Lobby& lobby);
// Takes every message that came and runs the clocks; `nowMs` on netClockMs.
void lobbyServe(Lobby& lobby, uint64_t nowMs);
// Waits up to `ms` for the next message (the lobby's loop sleeps here, not in a fixed sleep,
// so that a relayed packet is forwarded the moment it comes).
void lobbyWait(Lobby& lobby, uint32_t ms);
void lobbyStop(Lobby& lobby);
// The closing line: rooms, relayed packets and every count of what was dropped.
std::string lobbyCountsLine(const Lobby& lobby);
