#include <cmath>
#include <cstdlib>
#include <string>

#include "audio/sound.h"
#include "content/text_file.h"
#include "shell/game_state.h"
#include "shell/input.h"
#include "shell/platform.h"
#include "sim/animation.h"
#include "sim/body.h"
#include "sim/control.h"
#include "sim/entity.h"
#include "sim/physics.h"

namespace {

constexpr int32_t kDoubleTapWindow = 15;  // ticks in which a second press starts a run
constexpr int kLeftFacing = 1;
constexpr int kRightFacing = 0;

// The player whose pass is running, and its bindings read as held/pressed.
int p = 0;
Entity* pl = nullptr;

// A player past the binding table has no controls rather than someone else's.
bool held(const int32_t* binding) { return p < kBindPlayers && isHeld(binding[p]); }
bool pressed(const int32_t* binding) { return p < kBindPlayers && isPressed(binding[p]); }

void start(const std::string& name) { startAnimation(entitySprites[p], name); }
bool finished() { return entitySprites[p].finished == 1; }

int32_t walkStep() { return pl->walkSpeed; }
int32_t runStep() { return 2 * pl->walkSpeed; }
int32_t stepFor(int32_t running) { return running == 1 ? runStep() : walkStep(); }
// A quarter of the walking speed, three times, in real numbers.
void depthStep(int direction) { pl->y = roundToInt16(pl->y + direction * (pl->walkSpeed / 4.0 * 3)); }
void moveX(int32_t dx) { pl->x = wrap16(pl->x + dx); }

void startJump() {
  start("JUMPSTART");
  pl->playerState = kPlayerJumpStart;
}

void startFirstAttack(const char* name) {
  start(name);
  pl->playerState = kPlayerAttacking;
  pl->comboStep = 1;
}

// Horizontal speed of a jump taken while moving: a run carries further than a walk.
int16_t movingJumpSpeed() {
  const int32_t speed = pl->running == 1 ? runStep()
                                         : static_cast<int32_t>(std::floor(1.5 * pl->walkSpeed));
  return wrap16(speed);
}

void lowerTapTimers() {
  pl->rightTapTimer = pl->rightTapTimer - 1 < 0 ? 0 : pl->rightTapTimer - 1;
  pl->leftTapTimer = pl->leftTapTimer - 1 < 0 ? 0 : pl->leftTapTimer - 1;
}

// A tap opens the double-tap window; a tap inside it breaks into a run.
void tapToward(int32_t* tapTimer, int facing, int direction) {
  if (*tapTimer < 1) {
    *tapTimer = kDoubleTapWindow;
    return;
  }
  pl->facing = facing;
  pl->running = 1;
  *tapTimer = 0;
  start("RUN");
  moveX(direction * runStep());
  pl->playerState = kPlayerMoving;
}

void walkFromIdle(int facing, int direction) {
  pl->facing = facing;
  start("WALK");
  moveX(direction * walkStep());
  pl->playerState = kPlayerMoving;
  if (pressed(bindJump)) startJump();
}

void idleHandler() {
  if (pl->playerState != kPlayerIdle) return;
  pl->running = 0;
  pl->down = 0;
  if (pressed(bindLeft)) tapToward(&pl->leftTapTimer, kLeftFacing, -1);
  if (pressed(bindRight) && !pressed(bindLeft)) tapToward(&pl->rightTapTimer, kRightFacing, 1);
  if (held(bindLeft) && pl->running == 0) walkFromIdle(kLeftFacing, -1);
  if (held(bindRight) && !held(bindLeft) && pl->running == 0) walkFromIdle(kRightFacing, 1);
  if (held(bindUp)) {
    start("WALK");
    depthStep(-1);
    pl->playerState = kPlayerMoving;
  }
  if (held(bindDown)) {
    start("WALK");
    depthStep(1);
    pl->playerState = kPlayerMoving;
  }
  if (pressed(bindAttack)) startFirstAttack("QUICKATTACK1");
  if (pressed(bindJump) && pl->playerState == kPlayerIdle) startJump();
}

void moveSideways(int facing, int direction) {
  pl->facing = facing;
  moveX(direction * stepFor(pl->running));
  if (pressed(bindJump)) {
    start("JUMPSTART");
    pl->xv = wrap16(direction * movingJumpSpeed());
    pl->playerState = kPlayerJumpStart;
  }
  if (pressed(bindAttack)) startFirstAttack(pl->running == 1 ? "RUNATTACK" : "QUICKATTACK1");
}

// Depth moves keep whatever horizontal speed a jump in this tick was given.
void moveInDepth(int direction) {
  depthStep(direction);
  if (pressed(bindJump)) startJump();
  if (pressed(bindAttack)) startFirstAttack("QUICKATTACK1");
}

void movingHandler() {
  if (pl->playerState != kPlayerMoving) return;
  const bool left = held(bindLeft), right = held(bindRight);
  if (left) moveSideways(kLeftFacing, -1);
  if (right && !left) moveSideways(kRightFacing, 1);
  if (pl->running == 1 && !left && !right) {
    start("WALK");
    pl->running = 0;
  }
  const bool up = held(bindUp), down = held(bindDown);
  if (up) moveInDepth(-1);
  if (down) moveInDepth(1);
  if (!up && !down && !left && !right) {
    pl->playerState = kPlayerIdle;
    start("STAND");
  }
}

// A run leaves the ground at once; a standing or walking jump waits for its wind-up.
void takeOffHandler() {
  if (pl->playerState != kPlayerJumpStart || !(finished() || pl->running == 1)) return;
  start("JUMP");
  pl->yv = wrap16(pl->jumpHeight);
  pl->physicsOn = 1;
  pl->playerState = kPlayerAirborne;
}

void airborneHandler() {
  if (pl->playerState == kPlayerAirborne && entitySprites[p].animation == "JUMP" &&
      pressed(bindAttack))
    start("JUMPATTACK");
}

void landingHandler() {
  if (pl->playerState != kPlayerLanding || !finished()) return;
  start("STAND");
  pl->playerState = kPlayerIdle;
  if (held(bindLeft)) {
    pl->playerState = kPlayerMoving;
    pl->facing = kLeftFacing;
    start("WALK");
  }
  if (held(bindRight)) {
    pl->playerState = kPlayerMoving;
    pl->facing = kRightFacing;
    start("WALK");
  }
}

void attackHandler() {
  if (pl->playerState != kPlayerAttacking) return;
  if (finished()) {
    start("STAND");
    pl->playerState = kPlayerIdle;
  }
  // Checked even when the attack just ended: a press in its last tick still chains.
  if (pl->comboAllowed == 1 && pressed(bindAttack)) {
    pl->comboStep += 1;
    pl->comboAllowed = 0;
    start("QUICKATTACK" + std::to_string(pl->comboStep));
  }
}

void closeComboWindow() {
  if (pl->playerState != kPlayerAttacking) pl->comboAllowed = 0;
}

void hurtHandler() {
  if (pl->playerState != kPlayerHurt || !finished() || !(pl->hp > 0)) return;
  if (entitySprites[p].animation == "FALLLAND") {
    start("GETUP");
    pl->down = 1;
    return;
  }
  start("STAND");
  pl->down = 0;
  pl->playerState = kPlayerIdle;
}

// A knocked-out player first finishes its hurt or fall animation, then dies.
void deathCheck() {
  if (pl->physicsOn == 0 && pl->hp <= 0 && pl->playerState != kPlayerDead &&
      (pl->playerState != kPlayerHurt || finished())) {
    pl->playerState = kPlayerDead;
    pl->down = 1;
    start("DIE");
  }
}

void mirrorIntoSprite() {
  SpriteSet& s = entitySprites[p];
  s.flip = pl->facing;
  s.x = pl->x;
  s.y = pl->y - pl->z;
}

void holdOnStage() {
  pl->footY = roundedFootLine(p);
  holdOnFloorBand(p, pl->footY);
}

}  // namespace

void quitIfEscapeHeld() {
  if (gameRules.quitKeysEndProgram == 0 || !isHeld(kKeyEscape)) return;
  platformShutdown();
  std::exit(0);
}

void updatePlayers() {
  for (p = 0; p < playerCount && p < kEntityCount; ++p) {
    currentEntity = p;
    pl = &entities[p];
    lowerTapTimers();
    quitIfEscapeHeld();
    idleHandler();
    movingHandler();
    takeOffHandler();
    airborneHandler();
    landingHandler();
    attackHandler();
    closeComboWindow();
    hurtHandler();
    deathCheck();
    mirrorIntoSprite();
    holdOnStage();
    updateMusic();
  }
}
