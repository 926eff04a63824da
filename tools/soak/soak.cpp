// A long headless run of a crowded stage: both players on random input, every entity slot in
// use at some point, opponents fighting, effects spawning and dying. Checks the table
// invariants after every tick and reports the memory in use, so that a sanitizer build of this
// tool shows memory faults, leaks that grow, and state that leaves its tables.
//
//   brawler-soak CONTENT_DIR [TICKS] [SEED] > /dev/null
//
// Standard output carries the game's own joystick-code echo (player 2 plays on the joystick
// codes); the soak's report goes to standard error. The exit status is 0 only when every
// invariant held, every slot was used, the fight really happened (hits, effects born and
// freed, props moved) and the memory in use stayed flat after the first minute of ticks: the
// resident set in a plain build, the bytes held allocated in an AddressSanitizer build (whose
// resident set saw-tooths as its quarantine of freed blocks fills and recycles).
#include <unistd.h>

#if defined(__SANITIZE_ADDRESS__)
#define SOAK_UNDER_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define SOAK_UNDER_ASAN 1
#endif
#endif
#ifdef SOAK_UNDER_ASAN
// The sanitizer runtime's count of bytes the program holds; GCC ships no header for it.
extern "C" size_t __sanitizer_get_current_allocated_bytes();
#endif

#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "base/numbers.h"
#include "content/fighter_loader.h"
#include "content/stage_loader.h"
#include "crowded_stage.h"
#include "soak_report.h"
#include "platform/null_platform.h"
#include "shell/input.h"
#include "shell/play_loop.h"
#include "shell/stage_start.h"
#include "shell/window.h"
#include "sim/entity.h"
#include "sim/game_state.h"
#include "sim/random.h"
#include "sim/spawn.h"

namespace {

constexpr int kMinimumFighters = 40;   // below this, new opponents join the fight
constexpr int kStageEndMargin = 200;

#ifdef SOAK_UNDER_ASAN
const char* const kMemoryMeasure = "heap in use";
long memoryInUseKiB() { return static_cast<long>(__sanitizer_get_current_allocated_bytes() / 1024); }
#else
const char* const kMemoryMeasure = "resident";
long memoryInUseKiB() { return residentKiB(); }
#endif

}  // namespace

int main(int argc, char** argv) {
  if (!enterContentFolder(argc, argv, "usage: brawler-soak CONTENT_DIR [TICKS] [SEED]\n")) return 2;
  const long ticks = argc > 2 ? std::atol(argv[2]) : 1000000;
  seedRandom(argc > 3 ? static_cast<uint32_t>(std::atol(argv[3])) : 1);
  useNullPlatform(true);
  const std::vector<int> fighterTypes = startCrowdedStage();

  int highestSlot = lastEntity;
  long inUseAfterMinute = 0, inUsePeak = 0;
  long failures = 0;
  static Coverage coverage;
  observe(coverage);
  for (long tick = 1; tick <= ticks; ++tick) {
    queueRandomInput();
    // The players never stay down, so the fight goes on for the whole run. Nor do they leave
    // through the stage's end: nothing stops a walk to the right, and past the camera's last
    // column plus the animation margin every script freezes, the players' own hurt
    // animations with them, and the soak would go on over a still stage.
    for (int p = 0; p < playerCount; ++p) {
      if (entities[p].hp < 100) entities[p].hp = entities[p].maxHp;
      if (entities[p].x > stageEnd - kStageEndMargin) entities[p].x = static_cast<int16_t>(stageEnd - kStageEndMargin);
    }
    stageTick();
    // The null platform records every quad drawn and every sound played for tests to look at;
    // over a long run those records alone would grow by a few megabytes per 100,000 ticks.
    nullQuads.clear();
    nullSoundLog.clear();
    const std::string fault = tableFault();
    if (!fault.empty()) {
      std::fprintf(stderr, "tick %ld: %s\n", tick, fault.c_str());
      if (++failures > 20) return 1;
    }
    observe(coverage);

    if (lastEntity > highestSlot) highestSlot = lastEntity;
    int fighters = 0;
    for (int e = playerCount; e <= lastEntity; ++e)
      fighters += entities[e].alive == 1 && entities[e].kind == kKindFighter;
    if (fighters < kMinimumFighters && !fighterTypes.empty()) {
      const int type = fighterTypes[tick % fighterTypes.size()];
      spawnEntity(wrap16(entities[0].x + 300 + randomBelow(400)), 450, type, "STAND");
    }
    // Memory is read every 100 ticks: reading /proc every tick would cost more than the tick.
    if (tick % 100 == 0 || tick == kTicksPerMinute) {
      const long inUse = memoryInUseKiB();
      if (inUse > inUsePeak) inUsePeak = inUse;
      if (tick == kTicksPerMinute) inUseAfterMinute = inUse;
    }
    if (tick % 100000 == 0)
      std::fprintf(stderr, "tick %ld: lastEntity %d, fighters %d, %s %ld KiB\n", tick, lastEntity, fighters,
                   kMemoryMeasure, memoryInUseKiB());
  }
  int slotsUsed = 0;
  for (bool used : coverage.slotUsed) slotsUsed += used;
  const long inUseEnd = memoryInUseKiB();
  std::fprintf(stderr,
               "soak: %ld ticks, highest slot %d, slots used %d of %d, hits %ld, effects born %ld and freed %ld, "
               "prop moves %ld, %s after a minute %ld KiB, at the end %ld KiB, peak %ld KiB, %ld invariant "
               "failures\n",
               ticks, highestSlot, slotsUsed, kEntityCount, coverage.hitsTaken, coverage.effectsBorn,
               coverage.effectsFreed, coverage.propsMoved, kMemoryMeasure, inUseAfterMinute, inUseEnd, inUsePeak, failures);
  SoakVerdict verdict{"soak", failures == 0};
  verdict.require(slotsUsed == kEntityCount, "not every entity slot was used");
  verdict.require(coverage.hitsTaken > 0, "no fighter was ever hit");
  verdict.require(coverage.effectsBorn > 0 && coverage.effectsFreed > 0, "no effect was spawned and freed");
  verdict.require(coverage.propsMoved > 0, "no prop was ever moved or broken");
  if (ticks >= 2L * kTicksPerMinute)
    verdict.require(inUseEnd <= inUseAfterMinute + kFlatMarginKiB, "memory in use grew after the first minute");
  return verdict.ok ? 0 : 1;
}
