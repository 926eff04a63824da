// Cost of one stage picture with every entity and scenery slot in use, drawn through the
// null platform (the quad recording is cleared outside the timing).
#include <benchmark/benchmark.h>

#include "platform/null_platform.h"
#include "render/stage_scene.h"
#include "sim/entity.h"
#include "sim/game_state.h"

namespace {

Texture sheet;

void fillStage() {
  useNullPlatform(true);
  sheet.width = sheet.height = 256;
  sheet.glName = 1;
  lastEntity = kEntityCount - 1;
  lastObject = kSceneryCount - 1;
  cameraX = 2000;
  for (int e = 0; e < kEntityCount; ++e) {
    entities[e].alive = 1;
    entities[e].x = static_cast<int16_t>(e * 7 % 5000);
    entities[e].y = static_cast<int16_t>(400 + e * 37 % 300);
    entitySprites[e].bodyHeight = 100;
    entitySprites[e].frames.frame[0].texture = &sheet;
    entitySprites[e].frames.frame[0].x2 = entitySprites[e].frames.frame[0].y2 = 64;
    drawOrder[e] = e;
  }
  for (int i = 0; i < kSceneryCount; ++i) {
    sceneryObjects[i].kind = i % 3;
    sceneryObjects[i].parallax = 2;
    sceneryObjects[i].x = static_cast<int16_t>(i * 11 % 8000);
    sceneryObjects[i].z = static_cast<int16_t>(300 + i % 400);
    scenerySprites[i].visible = 1;
    scenerySprites[i].autoSize = 1;
    scenerySprites[i].frames.frame[0].texture = &sheet;
    scenerySprites[i].frames.frame[0].x2 = scenerySprites[i].frames.frame[0].y2 = 32;
  }
}

// Entities walk a little every frame, so the sort has real work as in play.
void BM_DrawStageSceneFullTables(benchmark::State& state) {
  fillStage();
  int frame = 0;
  for (auto _ : state) {
    ++frame;
    for (int e = 0; e < kEntityCount; e += 5) entities[e].y = static_cast<int16_t>(400 + (e + frame) % 300);
    drawStageScene();
    state.PauseTiming();
    nullQuads.clear();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_DrawStageSceneFullTables);

// The worst order for the sort: every entity's foot line reversed since the last frame, as
// after a stage whose placements come in back-to-front order.
void BM_DrawStageSceneReversedOrder(benchmark::State& state) {
  fillStage();
  int flip = 0;
  for (auto _ : state) {
    flip ^= 1;
    for (int e = 0; e < kEntityCount; ++e)
      entities[e].y = static_cast<int16_t>(flip ? 2000 - e : 1000 + e);
    drawStageScene();
    state.PauseTiming();
    nullQuads.clear();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_DrawStageSceneReversedOrder);

}  // namespace

BENCHMARK_MAIN();
