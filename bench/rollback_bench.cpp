// The worst frame of an online fight: the world put back 8 ticks, those ticks run again with
// corrected commands and no sound, and the present drawn once; on stage3 part way into its
// golden fight, headless (drawing goes to the null platform).
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <string>

#include "platform/null_platform.h"
#include "render/stage_scene.h"
#include "shell/game_start.h"
#include "shell/play_loop.h"
#include "shell/screen_state.h"
#include "sim/game_state.h"
#include "sim/recording.h"
#include "sim/sound_requests.h"
#include "sim/tick.h"
#include "sim/tick_input.h"
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
  std::string message;
  if (chdir(BRAWLER_CONTENT_DIR) != 0 ||
      !loadRecording(std::string(BRAWLER_CONTENT_DIR) + "/../tests/replays/stage3.replay", ".", &fight, &message) ||
      fight.ticks.size() < kIntoTheFight)
    return false;
  useNullPlatform(true);
  startUp(fight.seed);
  worldName = fight.world;
  stageName = fight.stage;
  screenState = kScreenPlaystage;
  startPlaystage();
  enterStage();
  for (size_t t = 0; t < kIntoTheFight; ++t) {
    if (t == kIntoTheFight - kRollbackDepth) saveWorld(before);
    applyTickInput(fight.ticks[t]);
    runTick();
    clearSoundRequests();
  }
  ready = true;
  return true;
}

void runAgain() {
  restoreWorld(before);
  for (size_t t = kIntoTheFight - kRollbackDepth; t < kIntoTheFight; ++t) {
    applyTickInput(fight.ticks[t]);
    runTick();
    clearSoundRequests();
  }
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
