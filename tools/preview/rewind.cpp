// Rewind: the world before each of the last ticks run, with the commands each tick ran on, so
// the author can go back a tick at a time and forward again over the same inputs. The ring
// holds 10 seconds of ticks and at most kRewindBytes of snapshots: a small stage keeps all 10
// seconds (stage3's snapshot is about 16 KB), a crowded one fewer ticks (1,001 entities make
// about 420 KB, so some 80 ticks, 1.3 seconds).
#include <memory>
#include <vector>

#include "sim/tick_input.h"
#include "sim/world.h"
#include "workbench.h"

namespace {

constexpr int32_t kTicksPerSecond = 60;
constexpr int32_t kRewindSeconds = 10;
constexpr int32_t kRewindTicks = kRewindSeconds * kTicksPerSecond;
constexpr size_t kRewindBytes = size_t{32} << 20;

// A tick as it was first run: the world before it (only the snapshot's used bytes) and the
// players' commands it ran on.
struct KeptTick {
  std::vector<unsigned char> world;
  TickInput input;
};
KeptTick kept[kRewindTicks];
// Ticks oldestTick .. newestTick - 1 are kept; shownTick can go back to oldestTick.
int32_t oldestTick = 0;
int32_t newestTick = 0;
size_t keptBytes = 0;  // the kept worlds' bytes together
std::unique_ptr<WorldSnapshot> scratch;

WorldSnapshot& scratchSnapshot() {
  if (!scratch) scratch = std::make_unique<WorldSnapshot>();
  return *scratch;
}

// Gives the memory back, so the cap bounds what the ring holds, not only what it counts.
void forgetKeptTick(KeptTick& slot) {
  keptBytes -= slot.world.size();
  std::vector<unsigned char>().swap(slot.world);
}

void keepWorldBeforeTick(int32_t tick) {
  WorldSnapshot& snapshot = scratchSnapshot();
  saveWorld(snapshot);
  const size_t size = worldSnapshotBytes(snapshot);
  while (oldestTick < tick && (tick - oldestTick >= kRewindTicks || keptBytes + size > kRewindBytes))
    forgetKeptTick(kept[oldestTick++ % kRewindTicks]);
  const auto* bytes = reinterpret_cast<const unsigned char*>(&snapshot);
  KeptTick& slot = kept[tick % kRewindTicks];
  slot.world.assign(bytes, bytes + size);
  keptBytes += size;
  slot.input = captureTickInput();
}

}  // namespace

void forgetRewind() {
  for (KeptTick& slot : kept) forgetKeptTick(slot);
  workbench.shownTick = 0;
  oldestTick = 0;
  newestTick = 0;
}

int32_t oldestKeptTick() { return oldestTick; }

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
  if (workbench.shownTick <= oldestTick) return false;
  workbench.shownTick -= 1;
  const KeptTick& slot = kept[workbench.shownTick % kRewindTicks];
  WorldSnapshot& snapshot = scratchSnapshot();
  std::copy(slot.world.begin(), slot.world.end(), reinterpret_cast<unsigned char*>(&snapshot));
  restoreWorld(snapshot);
  return true;
}
