// The simulation steps of one tick on a full table: 1,000 fighters around player 1, as many
// airborne bodies, and hit resolution with growing numbers of attacks in the same tick (each
// attack looks at every live entity and draws its effect jitter for each).
#include <benchmark/benchmark.h>

#include "audio/sound.h"
#include "platform/null_platform.h"
#include "sim/combat.h"
#include "sim/control.h"
#include "sim/entity.h"
#include "sim/physics.h"
#include "sim/random.h"

namespace {

constexpr int kCrowd = 1000;

void fillCrowd() {
  useNullPlatform(true);
  for (int s = 0; s < kSoundSlots; ++s) soundSlots[s] = nullptr;
  seedRandom(5);
  lastEntity = kCrowd - 1;
  for (int e = 0; e < kCrowd; ++e) {
    Entity& en = entities[e];
    en.alive = 1;
    en.kind = kKindFighter;
    en.x = static_cast<int16_t>(randomBelow(4000));
    en.y = static_cast<int16_t>(350 + randomBelow(100));
    en.z = 0;
    en.walkSpeed = 5;
    en.jumpHeight = 20;
    en.attacksAmount = 3;
    en.hp = 1e9;
    en.maxPower = 100;
    en.facing = e % 2;
    en.aiState = 0;
    en.aiTimer = 0;
    entitySprites[e].bodyWidth = 60;
    entitySprites[e].bodyHeight = 150;
  }
}

void BM_ResolveAttacks(benchmark::State& state) {
  fillCrowd();
  const int attackers = static_cast<int>(state.range(0));
  for (auto _ : state) {
    for (int a = 0; a < attackers; ++a) {
      Entity& e = entities[a * (kCrowd / attackers)];
      e.attackPending = 1;
      e.attackReach = 30;
      e.attackKind = kAttackMid;
      e.attackDamage = 0;
      e.hitList.clear();
    }
    resolveAttacks();
  }
  state.counters["ticks_per_second"] =
      benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_ResolveAttacks)->Arg(1)->Arg(10)->Arg(100)->Arg(1000)->Unit(benchmark::kMicrosecond);

void BM_UpdateOpponents1000(benchmark::State& state) {
  fillCrowd();
  for (auto _ : state) updateOpponents();
  state.counters["ticks_per_second"] =
      benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_UpdateOpponents1000)->Unit(benchmark::kMicrosecond);

void BM_UpdatePhysics1000Airborne(benchmark::State& state) {
  fillCrowd();
  for (auto _ : state) {
    state.PauseTiming();
    for (int e = 0; e < kCrowd; ++e) {
      entities[e].physicsOn = 1;
      entities[e].z = 1000;
      entities[e].yv = 5;
    }
    state.ResumeTiming();
    updatePhysics();
  }
}
BENCHMARK(BM_UpdatePhysics1000Airborne)->Unit(benchmark::kMicrosecond);

}  // namespace
