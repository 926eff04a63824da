#include "net_world.h"

#include "platform/null_platform.h"
#include "sim/sound_requests.h"
#include "sim/tick.h"
#include "sim/tick_input.h"
#include "sim/world.h"
#include "stage_run.h"

namespace {

// The world before each of the last ticks, any of which a late command may take back to.
WorldSnapshot snapshots[kSnapshotRing];

void saveSlot(int32_t slot) { saveWorld(snapshots[slot]); }
void restoreSlot(int32_t slot) { restoreWorld(snapshots[slot]); }

// A tick run for the first time is the game's, sounds and all; one run again to catch up
// after a late command is the simulation's alone, and its sounds are dropped unheard.
void tickWith(const NetCommand commands[kNetPlayers], bool again) {
  TickInput input{};
  for (int p = 0; p < kNetPlayers; ++p) {
    input.held[p] = commands[p].held;
    input.pressed[p] = commands[p].pressed;
  }
  if (!again) return headlessTick(input);
  applyTickInput(input);
  runTick();
  clearSoundRequests();
}

}  // namespace

const RollbackWorld gameWorld = {saveSlot, restoreSlot, tickWith, worldDigest};
const int32_t gameWorldPrediction = kMostPrediction;
