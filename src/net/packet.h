// The messages two peers exchange, as bytes on the wire, and the checks every received packet
// passes before anything in it is used.
//
// Every packet starts with the same ten bytes, which no later version may change: "BRWN", the
// protocol version, the kind, and the session id (little-endian, 0 until the host gave one).
#pragma once
#include <cstddef>
#include <cstdint>

#include "sim/difficulty.h"

constexpr uint8_t kNetProtocolVersion = 3;
constexpr size_t kPacketHeaderBytes = 10;
// Inputs in one packet: every unacknowledged one up to this many, the oldest first.
constexpr int32_t kMostInputsPerPacket = 64;
// Room for the content list a greeting carries ("digest path" lines).
constexpr size_t kMostListBytes = 32768;
// A world or stage name: letters, digits and '_' only, so it can only name a file in the pack.
constexpr size_t kMostNameBytes = 32;
// Ample for any packet the game encodes.
constexpr size_t kMostPacketBytes = kPacketHeaderBytes + 16 + kMostListBytes;

enum PacketKind : uint8_t {
  kPacketHello = 1,  // joiner to host, reliable: content fingerprint and list
  kPacketWelcome,    // host to joiner, reliable: the session id and what to play
  kPacketRefuse,     // either way, reliable: why not (and the host's content list)
  kPacketInputs,     // either way, unsequenced: the sender's unacknowledged inputs
  kPacketCheck,      // either way, reliable: the world fingerprint of a confirmed tick
  kPacketBye,        // either way, reliable: leaving on purpose
  kPacketKindsEnd
};

enum RefuseReason : uint8_t { kRefuseVersion = 1, kRefuseContent, kRefuseFull, kRefuseReasonsEnd };

// One player's controls in one tick: bit n of each is PlayerAction n.
// Bit kNetPauseBit of `pressed` only: Escape or the player's pause went down. The fight's tick
// never reads it; the arcade's screens around it (pause, leaving a menu) do. It is never held.
constexpr int kNetPauseBit = 7;
struct NetCommand {
  uint8_t held = 0;
  uint8_t pressed = 0;
};
inline bool operator==(NetCommand a, NetCommand b) { return a.held == b.held && a.pressed == b.pressed; }
inline bool operator!=(NetCommand a, NetCommand b) { return !(a == b); }

// Whether a command carries only actions that exist (and the pause bit among the presses).
bool netCommandValid(NetCommand c);
// A world or stage name the game takes: 1 to kMostNameBytes letters, digits and '_'.
bool netNameValid(const char* name, size_t size);
// Whether the bytes start as every packet of this game does, whatever the version or kind:
// what a relay forwards without reading further.
bool isGamePacket(const uint8_t* data, size_t size);

// A decoded packet: the header, then the fields of its kind (the others stay zero). Text
// fields point into the received bytes and live as long as they do.
struct Packet {
  uint8_t version = 0;
  uint8_t kind = 0;
  uint32_t session = 0;
  // hello and refuse
  uint64_t packDigest = 0;
  uint8_t reason = 0;
  const char* list = nullptr;  // "digest path" lines
  size_t listSize = 0;
  // welcome
  uint32_t seed = 0;
  uint32_t ticks = 0;  // how many ticks the fight runs, 0 for no end
  uint8_t delay = 0;
  char world[kMostNameBytes + 1] = {};
  char stage[kMostNameBytes + 1] = {};
  uint8_t difficulty = 0;  // the host's, for the whole session (sim/difficulty.h)
  uint8_t lives = 0;       // each player's at a new game, kFewestLives..kMostLives
  // inputs
  // The sender's count of inputs packets, its low 16 bits: a newer one is ahead by less than
  // half the circle (nine minutes of frames), so the count may wrap.
  uint32_t sequence = 0;
  uint32_t ack = 0;         // the sender has the receiver's commands of every tick before this
  uint32_t senderTick = 0;  // the tick the sender is about to run
  int32_t lead = 0;         // how far the sender was ahead of the receiver as it saw it (+-127)
  uint32_t first = 0;       // the tick of commands[0]
  int32_t count = 0;
  NetCommand commands[kMostInputsPerPacket];
  // check
  uint32_t checkTick = 0;
  uint64_t digest = 0;
};

enum DecodeResult {
  kDecoded,
  kDecodeMalformed,     // not a packet of this game, or a field out of its range
  kDecodeOversized,     // longer than any packet the game sends
  kDecodeOtherVersion,  // this game's, but another protocol version
  kDecodeForeign,       // this version, but another session
};
// `session`: the id this side expects, 0 while it has none (any is taken).
DecodeResult decodePacket(const uint8_t* data, size_t size, uint32_t session, Packet* out);

// Each encoder writes into `out` (at least kMostPacketBytes) and returns the size, 0 when the
// fields do not fit the format.
size_t encodeHello(uint8_t* out, uint64_t packDigest, const char* list, size_t listSize);
size_t encodeWelcome(uint8_t* out, uint32_t session, uint32_t seed, uint32_t ticks, uint8_t delay,
                     const char* world, const char* stage, uint8_t difficulty = kDifficultyNormal,
                     uint8_t lives = kDefaultLives);
size_t encodeRefuse(uint8_t* out, uint32_t session, uint8_t reason, const char* list, size_t listSize);
struct InputsHeader {
  uint32_t sequence, ack, senderTick;
  int32_t lead;
  uint32_t first;
};
size_t encodeInputs(uint8_t* out, uint32_t session, const InputsHeader& header, const NetCommand* commands,
                    int32_t count);
size_t encodeCheck(uint8_t* out, uint32_t session, uint32_t tick, uint64_t digest);
size_t encodeBye(uint8_t* out, uint32_t session);

// Whether an inputs packet may be used, given the sequence of the last one used and that
// the sender's commands are known for every tick before `knownEnd`.
enum InputsVerdict {
  kInputsUse,        // newer than the last one, and starting at or before knownEnd
  kInputsDuplicate,  // the last one again
  kInputsLate,       // overtaken by a newer one
  kInputsGap,        // starts after knownEnd: it cannot be the sender's next
};
InputsVerdict judgeInputs(const Packet& packet, uint32_t lastSequence, uint32_t knownEnd);
