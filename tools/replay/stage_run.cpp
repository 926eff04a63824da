#include "stage_run.h"

#include <cstdio>

#include "base/fingerprint.h"
#include "platform/host_path.h"
#include "platform/null_platform.h"
#include "screens/screens.h"
#include "shell/game_start.h"
#include "shell/input.h"
#include "shell/play_loop.h"
#include "shell/window.h"
#include "sim/entity.h"
#include "sim/game_state.h"
#include "sim/world.h"

namespace {

// Nothing is drawn headless: the tick sizes the sprites itself. What the null platform keeps
// of the sounds is let go every tick.
void forgetSounds() { nullSoundLog.clear(); }

}  // namespace

void useRecordedRules(const Recording& recording) {
  gameRules = GameRules{};
  if (recording.rules == kArcadeRulesName) applyArcadeHouseRules(gameRules);
}

void startRecordedStage(uint32_t seed, const std::string& world, const std::string& stage) {
  startUp(seed);
  worldName = world;
  stageName = stage;
  screenState = kScreenPlaystage;
  startPlaystage();
  enterStage();
}

void headlessTick(const TickInput& input) {
  applyTickInput(input);
  simulateTick();
  forgetSounds();
}

void showRecordedTick(const TickInput& input) {
  pollInput();
  buildPlayerCommands();
  applyTickInput(input);
  simulateTick();
  drawStageFrame();
  presentFrame();
}

void printDigest(const char* label, size_t tick) {
  int alive[3] = {0, 0, 0};  // by kind: props, fighters, effects
  for (int e = 0; e <= lastEntity; ++e)
    if (entities[e].alive == 1 && entities[e].kind >= kKindObject && entities[e].kind <= kKindEffect)
      ++alive[entities[e].kind];
  const Entity& p1 = entities[0];
  const Entity& p2 = entities[1];
  std::printf("%s %zu %s fighters %d props %d effects %d p1 %d,%d,%d hp %g p2 %d,%d,%d hp %g camera %d,%d\n",
              label, tick, hex64(worldDigest()).c_str(), alive[kKindFighter], alive[kKindObject],
              alive[kKindEffect], p1.x, p1.y, p1.z, p1.hp, p2.x, p2.y, p2.z, p2.hp, cameraX, cameraY);
}

void fingerprintContentUsed(Recording* recording) {
  for (const std::string& path : hostPathsUsed()) recording->content.push_back({path, fileDigest(path)});
}
