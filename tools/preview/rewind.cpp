// Rewind: the world before each of the last 10 seconds of ticks, with the commands each tick
// ran on, so the author can go back a tick at a time and forward again over the same inputs.
#include <memory>
#include <vector>

#include "sim/tick_input.h"
#include "sim/world.h"
#include "workbench.h"

namespace {

constexpr int32_t kTicksPerSecond = 60;
constexpr int32_t kRewindSeconds = 10;
constexpr int32_t kRewindTicks = kRewindSeconds * kTicksPerSecond;

// A tick as it was first run: the world before it (only the snapshot's used bytes) and the
// players' commands it ran on.
struct KeptTick {
  std::vector<unsigned char> world;
  TickInput input;
};
KeptTick kept[kRewindTicks];
// The tick after the last one ever run: ticks shownTick .. newestTick - 1 can be run again.
int32_t newestTick = 0;
std::unique_ptr<WorldSnapshot> scratch;

WorldSnapshot& scratchSnapshot() {
  if (!scratch) scratch = std::make_unique<WorldSnapshot>();
  return *scratch;
}

void keepWorldBeforeTick(int32_t tick) {
  WorldSnapshot& snapshot = scratchSnapshot();
  saveWorld(snapshot);
  const auto* bytes = reinterpret_cast<const unsigned char*>(&snapshot);
  KeptTick& slot = kept[tick % kRewindTicks];
  slot.world.assign(bytes, bytes + worldSnapshotBytes(snapshot));
  slot.input = captureTickInput();
}

}  // namespace

void forgetRewind() {
  workbench.shownTick = 0;
  newestTick = 0;
}

void prepareRewindableTick() {
  const int32_t tick = workbench.shownTick;
  if (tick < newestTick) {
    applyTickInput(kept[tick % kRewindTicks].input);  // forward again, as it went the first time
  } else {
    keepWorldBeforeTick(tick);
    newestTick = tick + 1;
  }
  workbench.shownTick = tick + 1;
}

bool stepBackOneTick() {
  const int32_t oldest = newestTick > kRewindTicks ? newestTick - kRewindTicks : 0;
  if (workbench.shownTick <= oldest) return false;
  workbench.shownTick -= 1;
  const KeptTick& slot = kept[workbench.shownTick % kRewindTicks];
  WorldSnapshot& snapshot = scratchSnapshot();
  std::copy(slot.world.begin(), slot.world.end(), reinterpret_cast<unsigned char*>(&snapshot));
  restoreWorld(snapshot);
  return true;
}
