// The stage play loop: the order in which everything acts within one frame.
#include "shell/play_loop.h"

#include <cstdio>

#include "audio/sound.h"
#include "base/numbers.h"
#include "platform/platform.h"
#include "render/draw.h"
#include "render/stage_scene.h"
#include "shell/camera.h"
#include "shell/input.h"
#include "shell/window.h"
#include "sim/animation.h"
#include "sim/body.h"
#include "sim/combat.h"
#include "sim/control.h"
#include "sim/entity.h"
#include "sim/game_state.h"
#include "sim/physics.h"

namespace {

// Entities further than this outside the view keep their animation frozen.
constexpr int32_t kAnimationMargin = 1000;
constexpr int32_t kMostShakeY = 15;

int32_t fadeActive = 0;
double fadeAmount = 0.0;

bool nearTheView(const Entity& entity, const SpriteSet& sprite) {
  return entity.x >= int64_t{cameraX} - kAnimationMargin &&
         entity.x + sprite.width <= int64_t{cameraX} + screenWidth + kAnimationMargin;
}

void animateEntity(int32_t e) {
  Entity& entity = entities[e];
  SpriteSet& sprite = entitySprites[e];
  currentEntity = e;
  // Taken before the script runs: the floor band hold below uses where the feet were.
  entity.footY = roundedFootLine(e);
  const int32_t footY = entity.footY;
  holdAtLeftEdge(e);
  if (nearTheView(entity, sprite) || entity.kind == kKindEffect) stepAnimation(sprite);
  if (entity.kind == kKindObject || entity.kind == kKindFighter) holdOnFloorBand(e, footY);
}

void animateEntities() {
  const int32_t last = lastEntity < kEntityCount ? lastEntity : kEntityCount - 1;
  for (int32_t e = 0; e <= last; ++e)
    if (entities[e].alive == 1) animateEntity(e);
}

void decayShake() {
  shakeSign = shakeSign == 0 ? 1 : 0;
  shakeX = shakeX - 1 < 0 ? 0 : shakeX - 1;
  shakeY = shakeY - 1 < 0 ? 0 : shakeY - 1;
  if (shakeY > kMostShakeY) shakeY = kMostShakeY;
}

// The cover starts nearly opaque and clears by a fortieth each frame. Each step's amount goes
// to standard output with three decimals ("0.025" ... "1.000"), flushed at once so a watcher
// sees the stage come up as it happens.
void fadeIn() {
  if (fadeActive != 1) return;
  fadeAmount += kFadeStep;
  std::printf("%.3f\n", fadeAmount);
  std::fflush(stdout);
  drawScreenCover(fadeAmount);
  if (fadeAmount > 1.0) {
    fadeActive = 0;
    fadeAmount = 0.0;
  }
}

}  // namespace

void enterStage() {
  fadeActive = 1;
  fadeAmount = 0.0;
  currentEntity = 0;
  startAnimation(entitySprites[0], "STAND");
  startMusic();
}

void simulateTick() {
  if (updatePlayers()) platformQuit(0);
  updatePhysics();
  animateEntities();
  updateOpponents();
  resolveAttacks();
  decayShake();
  updateCamera();
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
