// The arcade's flow: which screen runs, and the change from one screen to the next.
#include <cstdio>

#include "arcade/arcade.h"
#include "platform/platform.h"
#include "screens/screens.h"
#include "shell/game_start.h"
#include "shell/input.h"
#include "sim/game_state.h"

ArcadeState arcade;

namespace {

struct ArcadeScreenSteps {
  int32_t screen;
  std::string (*entry)();
  bool (*frame)();
};
const ArcadeScreenSteps kScreenSteps[] = {
    {kArcadeTitle, titleEntry, titleFrame},
    {kArcadeSelect, selectEntry, selectFrame},
    {kArcadeMap, mapEntry, mapFrame},
    {kArcadeStage, stageEntry, stageFrame},
    {kArcadeEnd, endEntry, endFrame},
};
static_assert(sizeof kScreenSteps / sizeof kScreenSteps[0] == kArcadeScreens, "a screen without steps");

const ArcadeScreenSteps& stepsOf(int32_t screen) {
  for (const ArcadeScreenSteps& s : kScreenSteps)
    if (s.screen == screen) return s;
  return kScreenSteps[kArcadeTitle];
}

}  // namespace

void enterArcadeScreen(int32_t screen) {
  arcade.screen = screen;
  arcade.nextScreen = kArcadeNoScreen;
  const std::string announced = stepsOf(screen).entry();
  std::printf("arcade: %s\n", announced.c_str());
  std::fflush(stdout);
}

void enterArcade() {
  arcade = ArcadeState{};
  gameRules.friendlyFire = 0;
  gameRules.quitKeysEndProgram = 0;
  gameRules.portraitFollowsMover = 1;
  bindSecondPlayer(platformJoystickCount());
  windowCloseRequested = 0;
  enterArcadeScreen(kArcadeTitle);
}

bool arcadeFrame() {
  if (!stepsOf(arcade.screen).frame()) return false;
  if (arcade.nextScreen != kArcadeNoScreen) enterArcadeScreen(arcade.nextScreen);
  return windowCloseRequested == 0;
}

int arcadeMain() {
  startUp(monotonicSeconds());
  enterArcade();
  while (arcadeFrame()) {
  }
  endProgram();
}
