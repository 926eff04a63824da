// Program start: start-up values, bindings, players, the window and the interface sheets.
#include "shell/game_start.h"

#include <chrono>

#include "base/numbers.h"
#include "content/pack_layout.h"
#include "render/stage_scene.h"
#include "shell/input.h"
#include "shell/screen_state.h"
#include "shell/window.h"
#include "sim/entity.h"
#include "sim/game_state.h"
#include "sim/random.h"

namespace {

constexpr double kGravity = 1.2;  // rounds to 1 in the integer field

}  // namespace

uint32_t monotonicSeconds() {
  auto sinceStart = std::chrono::steady_clock::now().time_since_epoch();
  return static_cast<uint32_t>(std::chrono::duration_cast<std::chrono::seconds>(sinceStart).count());
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
