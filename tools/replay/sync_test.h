// The sync test: a recorded fight played so that after every tick the world goes back a few
// ticks and plays them again from the recorded commands, as online play with rollback would.
// A world that comes out different names a field the snapshot or the tick misses.
#pragma once
#include <cstddef>
#include <string>
#include <vector>

#include "sim/tick_input.h"

constexpr int kFewestRollbackTicks = 1;
constexpr int kMostRollbackTicks = 16;
constexpr int kDefaultRollbackTicks = 8;

struct SyncResult {
  bool same;          // every tick ran again to the world first reached
  size_t tick;        // the first tick that did not (1-based), else the ticks run
  std::string field;  // the first field that differed
};

// From the world as it stands: tick t runs, then the world saved before tick t + 1 - rollback
// (or the first, early on) comes back, those ticks run again, and the digests must agree.
SyncResult runSyncTest(const std::vector<TickInput>& ticks, int rollback);
