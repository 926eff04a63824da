#include "net_world.h"

#include "stage_run.h"
#include "sim/world.h"

namespace {

// The world cannot be taken back yet: sessions run in lockstep (no guessing) until it can.
void saveNothing(int32_t) {}
void restoreNothing(int32_t) {}

void tickWith(const NetCommand commands[kNetPlayers], bool) {
  TickInput input{};
  for (int p = 0; p < kNetPlayers; ++p) {
    input.held[p] = commands[p].held;
    input.pressed[p] = commands[p].pressed;
  }
  headlessTick(input);
}

}  // namespace

const RollbackWorld gameWorld = {saveNothing, restoreNothing, tickWith, worldDigest};
const int32_t gameWorldPrediction = 0;
