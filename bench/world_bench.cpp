// The world snapshot and the tick without drawing: snapshot size and one save plus one restore
// on stage3 at its start and 2,000 ticks into its golden fight (and into the arcade's fight with
// the genre's moves), and on the crowded stage (every entity slot in use); one tick of each with
// nothing drawn.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <memory>
#include <string>

#include "crowded_stage.h"
#include "golden_fight.h"
#include "platform/null_platform.h"
#include "shell/play_loop.h"
#include "sim/random.h"
#include "sim/sound_requests.h"
#include "sim/tick.h"
#include "sim/world.h"

namespace {

constexpr size_t kIntoTheFight = 2000;

Recording fight;
std::unique_ptr<WorldSnapshot> snapshot = std::make_unique<WorldSnapshot>();

// Stage3 of the golden fight (or another recorded stage3 fight), run headless for `ticks` ticks.
bool stage3After(size_t ticks, const char* name = "stage3") {
  if (!enterGoldenStage3(&fight, ticks, name)) return false;
  playGoldenTicks(fight, 0, ticks);
  return true;
}

bool crowded() {
  if (chdir(BRAWLER_CONTENT_DIR) != 0) return false;
  gameRules = GameRules{};  // as brawler plays it, whatever fight ran before
  seedRandom(1);
  useNullPlatform(true);
  startCrowdedStage();
  return true;
}

void saveAndRestore(benchmark::State& state) {
  for (auto _ : state) {
    saveWorld(*snapshot);
    restoreWorld(*snapshot);
  }
  state.counters["snapshot_bytes"] = static_cast<double>(worldSnapshotBytes(*snapshot));
}

void BM_SaveRestoreStage3Start(benchmark::State& state) {
  if (!stage3After(0)) return state.SkipWithError("no stage3 golden fight");
  saveAndRestore(state);
}
BENCHMARK(BM_SaveRestoreStage3Start)->Unit(benchmark::kMicrosecond);

void BM_SaveRestoreStage3After2000Ticks(benchmark::State& state) {
  if (!stage3After(kIntoTheFight)) return state.SkipWithError("no stage3 golden fight");
  saveAndRestore(state);
}
BENCHMARK(BM_SaveRestoreStage3After2000Ticks)->Unit(benchmark::kMicrosecond);

void BM_SaveRestoreCrowded(benchmark::State& state) {
  if (!crowded()) return state.SkipWithError("no content");
  saveAndRestore(state);
}
BENCHMARK(BM_SaveRestoreCrowded)->Unit(benchmark::kMicrosecond);

// The tick alone, its world put back before each so every measured tick is the same one.
void tickAgain(benchmark::State& state) {
  saveWorld(*snapshot);
  for (auto _ : state) {
    runTick();
    clearSoundRequests();
    state.PauseTiming();
    restoreWorld(*snapshot);
    state.ResumeTiming();
  }
}

void BM_TickWithoutDrawingStage3(benchmark::State& state) {
  if (!stage3After(kIntoTheFight)) return state.SkipWithError("no stage3 golden fight");
  tickAgain(state);
}
BENCHMARK(BM_TickWithoutDrawingStage3)->Unit(benchmark::kMicrosecond);

// The same stage3 tick with the genre's moves on, in the arcade's recorded fight that uses them.
void BM_TickWithoutDrawingMovesStage3(benchmark::State& state) {
  if (!stage3After(kIntoTheFight, "moves_stage3")) return state.SkipWithError("no moves_stage3 fight");
  tickAgain(state);
}
BENCHMARK(BM_TickWithoutDrawingMovesStage3)->Unit(benchmark::kMicrosecond);

void BM_SaveRestoreMovesStage3After2000Ticks(benchmark::State& state) {
  if (!stage3After(kIntoTheFight, "moves_stage3")) return state.SkipWithError("no moves_stage3 fight");
  saveAndRestore(state);
}
BENCHMARK(BM_SaveRestoreMovesStage3After2000Ticks)->Unit(benchmark::kMicrosecond);

void BM_TickWithoutDrawingCrowded(benchmark::State& state) {
  if (!crowded()) return state.SkipWithError("no content");
  tickAgain(state);
}
BENCHMARK(BM_TickWithoutDrawingCrowded)->Unit(benchmark::kMicrosecond);

}  // namespace
