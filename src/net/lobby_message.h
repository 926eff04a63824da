// What players' machines and the lobby say to each other, as bytes on the wire, and the checks
// every received message passes before anything in it is used.
//
// A lobby message starts with "BRWL", the lobby protocol's version and the kind. Game packets
// ("BRWN", packet.h) travel on the same connection when the lobby relays a room: the lobby
// tells the two apart by those first four bytes and never reads further into a game packet.
#pragma once
#include <cstddef>
#include <cstdint>

#include "net/packet.h"
#include "platform/net.h"

constexpr uint8_t kLobbyProtocolVersion = 1;
constexpr size_t kLobbyHeaderBytes = 6;
// A room code: four letters a player reads out and types, none that looks like another or
// like a digit (no I, no O).
constexpr int kRoomCodeLetters = 4;
constexpr char kRoomCodeAlphabet[] = "ABCDEFGHJKLMNPQRSTUVWXYZ";
constexpr int kRoomCodeAlphabetSize = sizeof kRoomCodeAlphabet - 1;
// The addresses a machine reports of itself, for two machines behind one router.
constexpr int kMostSelfAddresses = 3;
// Confirmed ticks in one feed message: about four seconds of the fight.
constexpr int32_t kMostFeedTicks = 256;
// A session's worth of confirmed controls, which the lobby keeps for late watchers: ten
// minutes of the game's ticks.
constexpr int32_t kRoomFeedTicks = 60 * 60 * 10;
// The largest lobby message: a feed message full of ticks, with room to spare.
constexpr size_t kMostLobbyMessageBytes = 1200;

enum LobbyKind : uint8_t {
  kLobbyHostRoom = 1,  // player to lobby: open a room (game version, content, own addresses)
  kLobbyJoinRoom,      // player to lobby: the code, game version, content, own addresses
  kLobbyWatchRoom,     // anyone to lobby: the code, game version, content
  kLobbyRoom,          // lobby to host: the room is open, under this code
  kLobbyRefuse,        // lobby to anyone: why not
  kLobbyIntroduce,     // lobby to both players: the seat and the other player's addresses
  kLobbyPath,          // joiner to lobby, lobby to host: direct or through the relay
  kLobbyWatching,      // lobby to a watcher: taken in; the plan and the feed follow
  kLobbyPlan,          // host to lobby, lobby to watchers: the session's welcome packet
  kLobbyFeed,          // host to lobby, lobby to watchers: both players' confirmed controls
  kLobbyKindsEnd
};

enum LobbyRefusal : uint8_t {
  kLobbyRefuseOtherVersion = 1,  // the other player's game is another version
  kLobbyRefuseOtherContent,      // the other player's game data differs
  kLobbyRefuseNoRoom,            // no room under that code
  kLobbyRefuseExpired,           // the room under that code closed or waited too long
  kLobbyRefuseRoomFull,          // both seats taken
  kLobbyRefuseWatchersFull,      // the room has all the watchers it takes
  kLobbyRefuseLobbyFull,         // every room of the lobby is in use
  kLobbyRefuseTooManyRooms,      // this address holds as many rooms as it may
  kLobbyRefuseTooFast,           // this address asks faster than it may
  kLobbyRefuseLobbyVersion,      // the lobby speaks another lobby protocol
  kLobbyRefusalsEnd
};

enum LobbyPathKind : uint8_t { kPathDirect = 1, kPathRelay, kPathKindsEnd };

// Both players' controls in one confirmed tick.
struct FeedTick {
  NetCommand player[2];
};

// A decoded lobby message: the header, then the fields of its kind (the others stay zero).
struct LobbyMessage {
  uint8_t version = 0;
  uint8_t kind = 0;
  char code[kRoomCodeLetters + 1] = {};  // join, watch, room, refuse (may be empty there)
  uint8_t gameVersion = 0;               // host, join, watch
  uint64_t packDigest = 0;               // host, join, watch
  int32_t selfCount = 0;                 // host, join, introduce
  NetAddress self[kMostSelfAddresses];
  uint8_t reason = 0;   // refuse
  uint8_t seat = 0;     // introduce: 0 the host, 1 the joiner
  NetAddress seen;      // introduce: the other player as the lobby sees it (port 0: on a WebSocket)
  uint8_t path = 0;     // path
  const uint8_t* welcome = nullptr;  // plan: a game welcome packet, pointing into the bytes
  size_t welcomeSize = 0;
  uint32_t first = 0;  // feed: the tick of ticks[0]
  int32_t count = 0;
  FeedTick ticks[kMostFeedTicks];
};

enum LobbyDecodeResult {
  kLobbyDecoded,
  kLobbyMalformed,     // not a lobby message, or a field out of its range
  kLobbyOversized,     // longer than any lobby message
  kLobbyOtherVersion,  // a lobby message of another lobby protocol version
};
LobbyDecodeResult decodeLobbyMessage(const uint8_t* data, size_t size, LobbyMessage* out);
// Whether the bytes start as every lobby message does, whatever its version.
bool isLobbyMessage(const uint8_t* data, size_t size);

// Whether `code` is four letters of the alphabet (upper case).
bool validRoomCode(const char* code);
// A code as a player typed it, upper-cased; false when it cannot be one.
bool normalizeRoomCode(const char* typed, char code[kRoomCodeLetters + 1]);

// Each encoder writes into `out` (at least kMostLobbyMessageBytes) and returns the size, 0
// when the fields do not fit the format.
size_t encodeLobbyHostRoom(uint8_t* out, uint8_t gameVersion, uint64_t packDigest, const NetAddress* self,
                           int32_t selfCount);
size_t encodeLobbyJoinRoom(uint8_t* out, const char* code, uint8_t gameVersion, uint64_t packDigest,
                           const NetAddress* self, int32_t selfCount);
size_t encodeLobbyWatchRoom(uint8_t* out, const char* code, uint8_t gameVersion, uint64_t packDigest);
size_t encodeLobbyRoom(uint8_t* out, const char* code);
size_t encodeLobbyRefuse(uint8_t* out, uint8_t reason, const char* code);
size_t encodeLobbyIntroduce(uint8_t* out, uint8_t seat, const NetAddress& seen, const NetAddress* self,
                            int32_t selfCount);
size_t encodeLobbyPath(uint8_t* out, uint8_t path);
size_t encodeLobbyWatching(uint8_t* out, const char* code);
size_t encodeLobbyPlan(uint8_t* out, const uint8_t* welcome, size_t welcomeSize);
size_t encodeLobbyFeed(uint8_t* out, uint32_t first, const FeedTick* ticks, int32_t count);

// A refusal as a player reads it ("room full", ...), with the code where it names one.
const char* lobbyRefusalText(uint8_t reason);
