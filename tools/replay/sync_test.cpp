#include "sync_test.h"

#include <memory>

#include "sim/sound_requests.h"
#include "sim/tick.h"
#include "sim/world.h"

namespace {

// The tick as the game runs it, its sounds let go: nobody listens.
void runRecordedTick(const TickInput& input) {
  applyTickInput(input);
  runTick();
  clearSoundRequests();
}

}  // namespace

SyncResult runSyncTest(const std::vector<TickInput>& ticks, int rollback) {
  const size_t depth = static_cast<size_t>(rollback);
  // before[t % ring]: the world before tick t, for the last `rollback` ticks.
  const size_t ring = depth + 1;
  std::vector<std::unique_ptr<WorldSnapshot>> before(ring);
  for (auto& snapshot : before) snapshot = std::make_unique<WorldSnapshot>();
  auto reached = std::make_unique<WorldSnapshot>();
  auto again = std::make_unique<WorldSnapshot>();
  for (size_t t = 0; t < ticks.size(); ++t) {
    saveWorld(*before[t % ring]);
    runRecordedTick(ticks[t]);
    saveWorld(*reached);
    const uint64_t first = snapshotDigest(*reached);
    const size_t from = t + 1 >= depth ? t + 1 - depth : 0;
    restoreWorld(*before[from % ring]);
    for (size_t k = from; k <= t; ++k) runRecordedTick(ticks[k]);
    saveWorld(*again);
    if (snapshotDigest(*again) != first) return {false, t + 1, firstWorldDifference(*reached, *again)};
  }
  return {true, ticks.size(), ""};
}
