// `brawler` from start-up on: the downtown stage first, then whichever screen the last one
// named.
#include "brawler/screen_loop.h"

#include <cstdio>
#include <string>

#include "content/pack_layout.h"
#include "screens/screens.h"
#include "shell/game_start.h"
#include "shell/play_loop.h"
#include "shell/screen_state.h"

namespace {

constexpr int kUnknownScreenStatus = 1;

// The stage screen: load it, show every health bar full at once, play it (never returns).
void runPlaystage() {
  startPlaystage();
  runStage();
}

struct Screen {
  const char* name;
  void (*run)();
};
// Compared in this order, exactly and case-sensitively.
constexpr Screen kScreens[] = {
    {kScreenOverworld, runOverworld},
    {kScreenCharacterSelect, runCharacterSelect},
    {kScreenMainMenu, runMainMenu},
    {kScreenPlaystage, runPlaystage},
};

}  // namespace

bool runScreenOnce() {
  // A copy: the screen may change the state while it runs.
  const std::string state = screenState;
  for (const Screen& s : kScreens) {
    if (state == s.name) {
      s.run();
      return true;
    }
  }
  // No screen sets such a state; looping on it would spin without input or frames.
  std::printf("no screen is named \"%s\"; stopping\n", state.c_str());
  std::fflush(stdout);
  return false;
}

int runScreenLoop() {
  while (runScreenOnce()) {
  }
  return kUnknownScreenStatus;
}

int brawlerMain() {
  startUp(monotonicSeconds());
  stageName = kStartStage;
  screenState = kScreenPlaystage;
  return runScreenLoop();
}
