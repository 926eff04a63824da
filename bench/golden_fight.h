// The golden stage3 fight as the benchmarks replay it: headless (drawing goes to the null
// platform), its commands fed tick by tick with the sound requests thrown away.
#pragma once
#include <unistd.h>

#include <string>

#include "platform/null_platform.h"
#include "shell/game_start.h"
#include "shell/play_loop.h"
#include "shell/screen_state.h"
#include "sim/game_state.h"
#include "sim/recording.h"
#include "sim/sound_requests.h"
#include "sim/tick.h"
#include "sim/tick_input.h"

// The fight read and its stage entered under the house rules it was recorded under, at tick 0;
// false when it cannot be, or is shorter than `ticksWanted`. `name` is another recorded stage3
// fight of tests/replays (moves_stage3: the arcade's rules, with the genre's moves).
inline bool enterGoldenStage3(Recording* fight, size_t ticksWanted, const char* name = "stage3") {
  std::string message;
  if (chdir(BRAWLER_CONTENT_DIR) != 0 ||
      !loadRecording(std::string(BRAWLER_CONTENT_DIR) + "/../tests/replays/" + name + ".replay", ".", fight, &message) ||
      fight->ticks.size() < ticksWanted)
    return false;
  gameRules = GameRules{};
  if (fight->rules == kArcadeRulesName) applyArcadeHouseRules(gameRules);
  useNullPlatform(true);
  startUp(fight->seed);
  worldName = fight->world;
  stageName = fight->stage;
  screenState = kScreenPlaystage;
  startPlaystage();
  enterStage();
  return true;
}

// Ticks [from, to) of the fight.
inline void playGoldenTicks(const Recording& fight, size_t from, size_t to) {
  for (size_t t = from; t < to; ++t) {
    applyTickInput(fight.ticks[t]);
    runTick();
    clearSoundRequests();
  }
}
