// The animation pass and hit-effect spawning at full load: 1,000 entities stepping their
// scripts every tick, and sparks spawned during play.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "content/fighter_loader.h"
#include "content/text_file.h"
#include "platform/null_platform.h"
#include "sim/animation.h"
#include "sim/entity.h"
#include "sim/spawn.h"

namespace {

constexpr int kAnimated = 1000;

// A walk cycle much like a fighter's: four frames of six ticks with a step each, then END;
// a statistics section and a second block in front of it so the BEGIN search has lines to pass.
const std::vector<std::string> kWalkScript = {
    "WIDTH 64", "HEIGHT 100", "WALKSPEED 5", "SETHP 100", "",
    "BEGIN STAND", "FRAMESET 0", "LOOPSTART 8", "LOOPEND", "FRAMESET 1", "LOOPSTART 8", "LOOPEND",
    "END",
    "BEGIN WALK",
    "FRAMESET 2", "MOVEFORWARD 1", "LOOPSTART 6", "LOOPEND",
    "FRAMESET 3", "MOVEFORWARD 1", "LOOPSTART 6", "LOOPEND",
    "FRAMESET 4", "MOVEFORWARD 1", "LOOPSTART 6", "LOOPEND",
    "FRAMESET 5", "MOVEFORWARD 1", "LOOPSTART 6", "LOOPEND",
    "END"};

void fillWalkers() {
  useNullPlatform(true);
  ScriptRef script;
  writeScript(kWalkScript, script);
  lastEntity = kAnimated - 1;
  for (int e = 0; e < kAnimated; ++e) {
    entities[e].alive = 1;
    entities[e].facing = e % 2;
    entitySprites[e].script = script;  // one type's script, shared as placed entities of a type
    startAnimation(entitySprites[e], "WALK");
    // Spread the entities over the cycle so every kind of line runs in every tick.
    for (int t = 0; t < e % 30; ++t) {
      stepAnimation(e, entitySprites[e]);
    }
  }
}

// One tick of the animation pass over every entity, as the play loop runs it.
void BM_AnimationTick1000Entities(benchmark::State& state) {
  fillWalkers();
  for (auto _ : state) {
    for (int e = 0; e <= lastEntity; ++e) {
      stepAnimation(e, entitySprites[e]);
    }
  }
  state.counters["ticks_per_second"] =
      benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_AnimationTick1000Entities);

// The same pass splitting each executed line's text on every tick, for comparison: what the
// interpreter would cost if it read the script text rather than the lines split at load.
void BM_AnimationTickSplittingText1000Entities(benchmark::State& state) {
  fillWalkers();
  for (auto _ : state) {
    for (int e = 0; e <= lastEntity; ++e) {
      SpriteSet& s = entitySprites[e];
      // Split as many lines as the real step runs, then run it.
      int line = s.scriptLine;
      for (;;) {
        ++line;
        if (line > 1000) break;
        const std::string& text = scriptText(s.script, line);
        std::string keyword = getField(text, 1);
        benchmark::DoNotOptimize(toNumber(getField(text, 2)));
        if (keyword == "LOOPEND" || keyword == "END" || keyword == "STOP") break;
      }
      stepAnimation(e, s);
    }
  }
  state.counters["ticks_per_second"] =
      benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_AnimationTickSplittingText1000Entities);

// Starting an animation: hit list cleared, BEGIN found past the statistics and first block.
void BM_StartAnimation(benchmark::State& state) {
  fillWalkers();
  for (auto _ : state) startAnimation(entitySprites[5], "walk");
}
BENCHMARK(BM_StartAnimation);

// A spark spawned and freed again, as combat does on a hit, with the effect type's offsets
// from the test content.
void BM_SpawnEffect(benchmark::State& state) {
  useNullPlatform(true);
  if (chdir(BRAWLER_TEST_DATA "/loaders") != 0) {
    state.SkipWithError("no loader test content");
    return;
  }
  typeNames[kEffectsType] = "globals";
  typeKinds[kEffectsType] = kKindEffect;
  readScript("scripts/globals.dat", typeSprites[kEffectsType].script);
  loadFrameList(typeSprites[kEffectsType].frames, typeTextures[kEffectsType],
                "gfx/entities/globals.spr");
  for (int e = 0; e < kEntityCount; ++e) entities[e].alive = e < 100 ? 1 : 0;
  lastEntity = 99;
  for (auto _ : state) {
    spawnEntity(300, 400, kEffectsType, "SMALLSPARK");
    entities[100].alive = 0;
  }
}
BENCHMARK(BM_SpawnEffect);

// What each spawn would add if it read the offset file from disk every time.
void BM_ReadEffectOffsetFile(benchmark::State& state) {
  if (chdir(BRAWLER_TEST_DATA "/loaders") != 0) {
    state.SkipWithError("no loader test content");
    return;
  }
  for (auto _ : state) readLines("gfx/entities/globals.off", offsetLines);
}
BENCHMARK(BM_ReadEffectOffsetFile);

}  // namespace
