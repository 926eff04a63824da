// One simulation tick of the default content's stage3 crowded to a full entity table: both
// players, about a thousand opponents and props, effects from the hits, and every step of the
// tick between the input poll and the drawing (players, physics, the animation pass,
// opponents, combat, shake and camera).
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdlib>

#include "crowded_stage.h"
#include "platform/null_platform.h"
#include "shell/play_loop.h"
#include "sim/entity.h"
#include "sim/random.h"

namespace {

void enterCrowdedStage() {
  static bool started = false;
  if (started) return;
  if (chdir(BRAWLER_CONTENT_DIR) != 0) std::abort();
  seedRandom(1);
  useNullPlatform(true);
  startCrowdedStage();
  started = true;
}

// Nobody dies during the measurement, so every tick has the full crowd to move and fight.
void keepEveryoneStanding() {
  for (int e = 0; e <= lastEntity; ++e)
    if (entities[e].kind == kKindFighter && entities[e].hp < entities[e].maxHp) entities[e].hp = entities[e].maxHp;
}

void BM_SimulationTickCrowdedStage(benchmark::State& state) {
  enterCrowdedStage();
  int live = 0;
  for (auto _ : state) {
    keepEveryoneStanding();
    simulateTick();
  }
  for (int e = 0; e <= lastEntity; ++e) live += entities[e].alive == 1;
  state.counters["live_entities"] = live;
}
BENCHMARK(BM_SimulationTickCrowdedStage)->Unit(benchmark::kMicrosecond)->Repetitions(9)->ReportAggregatesOnly(true);

}  // namespace
