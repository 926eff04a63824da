// The entry point: start-up values, the window, and the loop that hands control from one
// screen to the next by the name in `screenState`.
#include "shell/game_start.h"

#include <chrono>
#include <cstdio>

#include "base/numbers.h"
#include "render/stage_scene.h"
#include "screens/screens.h"
#include "shell/input.h"
#include "shell/play_loop.h"
#include "shell/window.h"
#include "sim/entity.h"
#include "sim/game_state.h"
#include "sim/random.h"

namespace {

constexpr double kGravity = 1.2;  // rounds to 1 in the integer field
constexpr const char* kStartWorld = "world1";
constexpr const char* kStartStage = "stage3";
constexpr int32_t kStartPlayers = 2;
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

uint32_t monotonicSeconds() {
  auto sinceStart = std::chrono::steady_clock::now().time_since_epoch();
  return static_cast<uint32_t>(std::chrono::duration_cast<std::chrono::seconds>(sinceStart).count());
}

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

void setStartUpValues(uint32_t seed) {
  gravity = roundToInt(kGravity);
  seedRandom(seed);
  setPlayerDefaults();
  worldName = kStartWorld;
  playerCount = kStartPlayers;
  cameraTarget = 0;
  screenState = kScreenPlaystage;
}

void startUp(uint32_t seed) {
  setStartUpValues(seed);
  setDefaultBindings();
  initVideoAndAudio();
  loadInterfaceGraphics();
}

int brawlerMain() {
  startUp(monotonicSeconds());
  stageName = kStartStage;
  screenState = kScreenPlaystage;
  return runScreenLoop();
}
