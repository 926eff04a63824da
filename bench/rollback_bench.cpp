// The worst frame of an online fight: the world put back 8 ticks, those ticks run again with
// corrected commands and no sound, and the present drawn once; on stage3 part way into its
// golden fight, headless (drawing goes to the null platform).
#include <benchmark/benchmark.h>

#include <string>

#include "golden_fight.h"
#include "platform/null_platform.h"
#include "render/stage_scene.h"
#include "sim/world.h"

namespace {

constexpr int kRollbackDepth = 8;
constexpr size_t kIntoTheFight = 1000;

Recording fight;
WorldSnapshot before;  // the world kRollbackDepth ticks before the present

// Stage3 run headless to kIntoTheFight ticks, the world saved kRollbackDepth ticks earlier.
bool readyStage() {
  static bool ready = false;
  if (ready) return true;
  if (!enterGoldenStage3(&fight, kIntoTheFight)) return false;
  playGoldenTicks(fight, 0, kIntoTheFight - kRollbackDepth);
  saveWorld(before);
  playGoldenTicks(fight, kIntoTheFight - kRollbackDepth, kIntoTheFight);
  ready = true;
  return true;
}

void runAgain() {
  restoreWorld(before);
  playGoldenTicks(fight, kIntoTheFight - kRollbackDepth, kIntoTheFight);
}

void BM_RollbackEightTicks(benchmark::State& state) {
  if (!readyStage()) return state.SkipWithError("no stage3 golden fight");
  for (auto _ : state) runAgain();
}
BENCHMARK(BM_RollbackEightTicks)->Unit(benchmark::kMicrosecond);

void BM_RollbackEightTicksAndDraw(benchmark::State& state) {
  if (!readyStage()) return state.SkipWithError("no stage3 golden fight");
  for (auto _ : state) {
    runAgain();
    drawStageScene();
    drawHud();
    state.PauseTiming();
    nullQuads.clear();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_RollbackEightTicksAndDraw)->Unit(benchmark::kMicrosecond);

}  // namespace
