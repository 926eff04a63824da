// The arcade's flow: which screen runs, and the change from one screen to the next.
#include <cstdio>
#include <cstring>

#include "arcade/arcade.h"
#include "arcade/high_scores.h"
#include "base/player_files.h"
#include "platform/platform.h"
#include "screens/screens.h"
#include "shell/game_start.h"
#include "shell/input.h"
#include "shell/screen_state.h"
#include "sim/game_state.h"

ArcadeState arcade;

namespace {

constexpr const char* kScoresFileName = "scores.txt";
constexpr int kUsageStatus = 1;
const char* const kUsage =
    "usage: brawler-arcade [--scores FILE]\n"
    "Run it in a content folder. The high scores are kept in FILE, or else in\n"
    "$XDG_DATA_HOME/brawler/scores.txt (~/.local/share/brawler/scores.txt when that is not set).\n";

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
    {kArcadeInitials, initialsEntry, initialsFrame},
    {kArcadeHighScores, highScoresEntry, highScoresFrame},
    {kArcadeDemo, demoEntry, demoFrame},
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
  gameRules.jumpLandsOnFeet = 1;
  bindSecondPlayer(platformJoystickCount());
  windowCloseRequested = 0;
  resetAttract();
  enterArcadeScreen(kArcadeTitle);
}

bool arcadeFrame() {
  if (!stepsOf(arcade.screen).frame()) return false;
  if (arcade.nextScreen != kArcadeNoScreen) enterArcadeScreen(arcade.nextScreen);
  return windowCloseRequested == 0;
}

int arcadeMain(int argc, char** argv) {
  std::string scoresFile = playerDataFile(kScoresFileName);
  for (int a = 1; a < argc; ++a) {
    if (std::strcmp(argv[a], "--scores") == 0 && a + 1 < argc) {
      scoresFile = argv[++a];
      continue;
    }
    std::fprintf(stderr, "%s", kUsage);
    return kUsageStatus;
  }
  loadHighScores(scoresFile);
  startUp(monotonicSeconds());
  enterArcade();
  while (arcadeFrame()) {
  }
  endProgram();
}
