// The stage play loop: the order in which everything acts within one frame.
#include "shell/play_loop.h"

#include <cstdio>

#include "audio/sound.h"
#include "platform/platform.h"
#include "render/draw.h"
#include "render/stage_scene.h"
#include "shell/input.h"
#include "shell/stage_start.h"
#include "shell/window.h"
#include "sim/animation.h"
#include "sim/entity.h"
#include "sim/game_state.h"
#include "sim/tick.h"

namespace {

int32_t fadeActive = 0;
double fadeAmount = 0.0;

}  // namespace

// The cover starts nearly opaque and clears by a fortieth each frame. Each step's amount goes
// to standard output with three decimals ("0.025" ... "1.000"), flushed at once so a watcher
// sees the stage come up as it happens.
void fadeIn() {
  if (fadeActive != 1) return;
  fadeAmount += kFadeStep;
  std::printf("%.3f\n", fadeAmount);
  std::fflush(stdout);
  drawFadeCover();
  if (fadeAmount > 1.0) {
    fadeActive = 0;
    fadeAmount = 0.0;
  }
}

void drawFadeCover() {
  if (fadeActive != 1) return;
  drawScreenCover(fadeAmount);
}

void enterStage() {
  fadeActive = 1;
  fadeAmount = 0.0;
  currentEntity = 0;
  startAnimation(entitySprites[0], "STAND");
  startMusic();
}

void startPlaystage() {
  startStage();
  showFullHealth();
}

void simulateTick(void (*beforePhase)(TickPhase next)) {
  runTickWatched(beforePhase);
  if (quitRequested == 1) platformQuit(0);
  updateMusic();
  playRequestedSounds();
}

void drawStageFrame() {
  drawStageScene();
  drawHud();
  fadeIn();
}

void stageTick() {
  pollInput();
  buildPlayerCommands();
  simulateTick();
  drawStageFrame();
  presentFrame();
}

void runStage() {
  enterStage();
  for (;;) stageTick();
}
