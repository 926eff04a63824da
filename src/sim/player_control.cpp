#include <cmath>
#include <string>

#include "audio/sound.h"
#include "base/numbers.h"
#include "sim/animation.h"
#include "sim/body.h"
#include "sim/control.h"
#include "sim/entity.h"
#include "sim/physics.h"
#include "sim/player_command.h"

namespace {

constexpr int32_t kDoubleTapWindow = 15;  // ticks in which a second press starts a run
constexpr int kLeftFacing = 1;
constexpr int kRightFacing = 0;

// The player whose pass is running, and its command for this tick.
int p = 0;
Entity* pl = nullptr;

// A player past the command table has no controls rather than someone else's.
const PlayerCommand kNoCommand{};
const PlayerCommand& command() { return p < kCommandPlayers ? playerCommands[p] : kNoCommand; }
bool held(PlayerAction action) { return command().held[action] != 0; }
bool pressed(PlayerAction action) { return command().pressed[action] != 0; }

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
  if (pressed(kActionJump)) startJump();
}

void idleHandler() {
  if (pl->playerState != kPlayerIdle) return;
  pl->running = 0;
  pl->down = 0;
  if (pressed(kActionLeft)) tapToward(&pl->leftTapTimer, kLeftFacing, -1);
  if (pressed(kActionRight) && !pressed(kActionLeft)) tapToward(&pl->rightTapTimer, kRightFacing, 1);
  if (held(kActionLeft) && pl->running == 0) walkFromIdle(kLeftFacing, -1);
  if (held(kActionRight) && !held(kActionLeft) && pl->running == 0) walkFromIdle(kRightFacing, 1);
  if (held(kActionUp)) {
    start("WALK");
    depthStep(-1);
    pl->playerState = kPlayerMoving;
  }
  if (held(kActionDown)) {
    start("WALK");
    depthStep(1);
    pl->playerState = kPlayerMoving;
  }
  if (pressed(kActionAttack)) startFirstAttack("QUICKATTACK1");
  if (pressed(kActionJump) && pl->playerState == kPlayerIdle) startJump();
}

void moveSideways(int facing, int direction) {
  pl->facing = facing;
  moveX(direction * stepFor(pl->running));
  if (pressed(kActionJump)) {
    start("JUMPSTART");
    pl->xv = wrap16(direction * movingJumpSpeed());
    pl->playerState = kPlayerJumpStart;
  }
  if (pressed(kActionAttack)) startFirstAttack(pl->running == 1 ? "RUNATTACK" : "QUICKATTACK1");
}

// Depth moves keep whatever horizontal speed a jump in this tick was given.
void moveInDepth(int direction) {
  depthStep(direction);
  if (pressed(kActionJump)) startJump();
  if (pressed(kActionAttack)) startFirstAttack("QUICKATTACK1");
}

void movingHandler() {
  if (pl->playerState != kPlayerMoving) return;
  const bool left = held(kActionLeft), right = held(kActionRight);
  if (left) moveSideways(kLeftFacing, -1);
  if (right && !left) moveSideways(kRightFacing, 1);
  if (pl->running == 1 && !left && !right) {
    start("WALK");
    pl->running = 0;
  }
  const bool up = held(kActionUp), down = held(kActionDown);
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
      pressed(kActionAttack))
    start("JUMPATTACK");
}

void landingHandler() {
  if (pl->playerState != kPlayerLanding || !finished()) return;
  start("STAND");
  pl->playerState = kPlayerIdle;
  if (held(kActionLeft)) {
    pl->playerState = kPlayerMoving;
    pl->facing = kLeftFacing;
    start("WALK");
  }
  if (held(kActionRight)) {
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
  if (pl->comboAllowed == 1 && pressed(kActionAttack)) {
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

bool updatePlayers() {
  for (p = 0; p < playerCount && p < kEntityCount; ++p) {
    currentEntity = p;
    pl = &entities[p];
    lowerTapTimers();
    // Leaving stops the pass at once: no later player and no later step of the tick acts.
    if (command().escapeHeld != 0) return true;
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
  return false;
}
