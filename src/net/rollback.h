// Rollback: each side runs its world on at once with a guess for the other player's controls,
// and when the real ones come and differ, puts the world back to the first tick guessed wrong
// and runs it forward again to the present, in the same frame. Both sides end up running
// every tick with both players' real controls, so both show the same fight.
//
// The driver knows the world only through a table of four operations, so that the game's world
// and a small stand-in (in the tests) run under the same driver.
#pragma once
#include <cstdint>

#include "net/packet.h"

constexpr int32_t kNetPlayers = 2;
// The furthest this side runs ahead of the other player's last known controls; past it, it
// waits. So a rollback is never deeper than this many ticks.
constexpr int32_t kMostPrediction = 8;
// Ticks of controls kept: the deepest rollback, the inputs a packet may bring ahead of what
// is known, and the commands not yet written out.
constexpr int32_t kCommandRing = 256;
// World snapshots kept: one before each tick that could still be run again.
constexpr int32_t kSnapshotRing = kMostPrediction + 2;
constexpr int32_t kDefaultInputDelay = 2;
constexpr int32_t kMostInputDelay = 4;
// Both sides compare the world's fingerprint after every tick that is a multiple of this.
constexpr int32_t kCheckEvery = 60;
constexpr int32_t kCheckRing = 4;
// A side whose lead over the other exceeds the other's own lead by this many ticks sits out a
// frame now and then, so that neither keeps running into the prediction limit.
constexpr int32_t kLeadToEvenOut = 2;
constexpr int32_t kFramesBetweenIdles = 6;
// No lead is larger than the ring of commands reaches: the leads are read within this.
constexpr int32_t kMostLead = kCommandRing;

// The world the driver runs. `save` and `restore` keep and bring back the world as it is
// before a tick, in one of kSnapshotRing slots; `tick` runs one tick with both players'
// commands (`again`: a tick run once more, which must sound nothing); `digest` fingerprints it.
struct RollbackWorld {
  void (*save)(int32_t slot);
  void (*restore)(int32_t slot);
  void (*tick)(const NetCommand commands[kNetPlayers], bool again);
  uint64_t (*digest)();
};

// One fight's rollback state. rollbackStart fills it; rollbackAddLocal and rollbackAddRemote
// write the controls; rollbackStep runs the world and keeps the counts.
struct Rollback {
  int32_t localPlayer = 0;  // 0: the host's side, 1: the joiner's
  int32_t delay = kDefaultInputDelay;
  int32_t prediction = kMostPrediction;  // how far ahead this side may guess (0: lockstep)
  int32_t tick = 0;                      // the next tick to run; every one before has run
  int32_t endTick = 0;                   // no tick from here on runs (0: no end)
  int32_t knownEnd[kNetPlayers] = {};    // each player's commands are known for every tick before
  NetCommand commands[kNetPlayers][kCommandRing] = {};  // by tick % kCommandRing
  NetCommand used[kCommandRing] = {};  // the other player's command each tick last ran with
  int32_t firstWrong = -1;             // the earliest tick run with a wrong guess, -1 none
  // Fingerprints of the world after each multiple of kCheckEvery ticks, as last run.
  uint64_t checkDigest[kCheckRing] = {};
  // The other side's tick when it last sent, and its lead over this side as it saw it then.
  bool leadKnown = false;  // set once the other side has told its tick and lead
  int32_t peerTick = 0;
  int32_t peerLead = 0;
  int32_t framesSinceIdle = 0;
  // Counts, for the closing lines and the measures.
  int64_t rollbacks = 0;
  int64_t ticksRunAgain = 0;
  int64_t rollbacksByDepth[kMostPrediction + 1] = {};
  int64_t framesWaited = 0;  // at the prediction limit
  int64_t framesIdled = 0;   // sat out to even the leads
  // Felt delay: for each key the other player pressed, the ticks from its press (its tick,
  // taken to run even with this side's) to the tick this side first shows its effect.
  int64_t pressesSeen = 0;
  int64_t feltTicksTotal = 0;
  int32_t feltTicksMost = 0;
};

void rollbackStart(Rollback& r, int32_t localPlayer, int32_t delay, int32_t prediction);
// This side's command for the next tick that has none (the present tick plus the delay).
void rollbackAddLocal(Rollback& r, NetCommand command);
// The other player's command for tick `tick`; taken only when it is the next one missing.
// False when it is not (already known, or a gap before it).
bool rollbackAddRemote(Rollback& r, int32_t tick, NetCommand command);
// Runs again what was guessed wrong, then one tick unless this side is too far ahead (past
// the prediction limit, or leading by more than the other side does). True when a new tick ran.
bool rollbackStep(Rollback& r, const RollbackWorld& world);
// Every tick before this has run with both players' real commands.
int32_t rollbackConfirmedEnd(const Rollback& r);
NetCommand rollbackCommand(const Rollback& r, int32_t player, int32_t tick);
// The fingerprint of the world after `ticks` ticks (a multiple of kCheckEvery, run lately).
uint64_t rollbackCheckDigest(const Rollback& r, int32_t ticks);
// How far this side is ahead of the other as far as it can tell, within +-kMostLead.
int32_t rollbackLead(const Rollback& r);
// What this side runs with for a tick whose command from the other player has not come: the
// same actions held as in the last one known, none newly pressed.
NetCommand predictCommand(NetCommand lastKnown);
