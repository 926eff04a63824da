#include <cmath>
#include <string>

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
struct Turn {
  int index;
  Entity& self;
  SpriteSet& sprite;
  const PlayerCommand& command;
};

// A player past the command table has no controls rather than someone else's.
const PlayerCommand kNoCommand{};
const PlayerCommand& commandFor(int p) {
  return p < kCommandPlayers ? playerCommands[p] : kNoCommand;
}
bool held(const Turn& pl, PlayerAction action) { return pl.command.held[action] != 0; }
bool pressed(const Turn& pl, PlayerAction action) { return pl.command.pressed[action] != 0; }

void start(Turn& pl, const std::string& name) { startAnimation(pl.sprite, name); }
bool finished(const Turn& pl) { return pl.sprite.finished == 1; }

int32_t walkStep(const Turn& pl) { return pl.self.walkSpeed; }
int32_t runStep(const Turn& pl) { return 2 * pl.self.walkSpeed; }
int32_t stepFor(const Turn& pl) { return pl.self.running == 1 ? runStep(pl) : walkStep(pl); }
// A quarter of the walking speed, three times, in real numbers.
void depthStep(Turn& pl, int direction) {
  pl.self.y = roundToInt16(pl.self.y + direction * (pl.self.walkSpeed / 4.0 * 3));
}
void moveX(Turn& pl, int32_t dx) { pl.self.x = wrap16(pl.self.x + dx); }

void startJump(Turn& pl) {
  start(pl, "JUMPSTART");
  pl.self.playerState = kPlayerJumpStart;
}

void startFirstAttack(Turn& pl, const char* name) {
  start(pl, name);
  pl.self.playerState = kPlayerAttacking;
  pl.self.comboStep = 1;
}

// Horizontal speed of a jump taken while moving: a run carries further than a walk.
int16_t movingJumpSpeed(Turn& pl) {
  const int32_t speed = pl.self.running == 1
                            ? runStep(pl)
                            : static_cast<int32_t>(std::floor(1.5 * pl.self.walkSpeed));
  return wrap16(speed);
}

void lowerTapTimers(Turn& pl) {
  pl.self.rightTapTimer = pl.self.rightTapTimer - 1 < 0 ? 0 : pl.self.rightTapTimer - 1;
  pl.self.leftTapTimer = pl.self.leftTapTimer - 1 < 0 ? 0 : pl.self.leftTapTimer - 1;
}

// A tap opens the double-tap window; a tap inside it breaks into a run.
void tapToward(Turn& pl, int32_t* tapTimer, int facing, int direction) {
  if (*tapTimer < 1) {
    *tapTimer = kDoubleTapWindow;
    return;
  }
  pl.self.facing = facing;
  pl.self.running = 1;
  *tapTimer = 0;
  start(pl, "RUN");
  moveX(pl, direction * runStep(pl));
  pl.self.playerState = kPlayerMoving;
}

void walkFromIdle(Turn& pl, int facing, int direction) {
  pl.self.facing = facing;
  start(pl, "WALK");
  moveX(pl, direction * walkStep(pl));
  pl.self.playerState = kPlayerMoving;
  if (pressed(pl, kActionJump)) startJump(pl);
}

void idleHandler(Turn& pl) {
  if (pl.self.playerState != kPlayerIdle) return;
  pl.self.running = 0;
  pl.self.down = 0;
  if (pressed(pl, kActionLeft)) tapToward(pl, &pl.self.leftTapTimer, kLeftFacing, -1);
  if (pressed(pl, kActionRight) && !pressed(pl, kActionLeft))
    tapToward(pl, &pl.self.rightTapTimer, kRightFacing, 1);
  if (held(pl, kActionLeft) && pl.self.running == 0) walkFromIdle(pl, kLeftFacing, -1);
  if (held(pl, kActionRight) && !held(pl, kActionLeft) && pl.self.running == 0)
    walkFromIdle(pl, kRightFacing, 1);
  if (held(pl, kActionUp)) {
    start(pl, "WALK");
    depthStep(pl, -1);
    pl.self.playerState = kPlayerMoving;
  }
  if (held(pl, kActionDown)) {
    start(pl, "WALK");
    depthStep(pl, 1);
    pl.self.playerState = kPlayerMoving;
  }
  if (pressed(pl, kActionAttack)) startFirstAttack(pl, "QUICKATTACK1");
  if (pressed(pl, kActionJump) && pl.self.playerState == kPlayerIdle) startJump(pl);
}

void moveSideways(Turn& pl, int facing, int direction) {
  pl.self.facing = facing;
  moveX(pl, direction * stepFor(pl));
  if (pressed(pl, kActionJump)) {
    start(pl, "JUMPSTART");
    pl.self.xv = wrap16(direction * movingJumpSpeed(pl));
    pl.self.playerState = kPlayerJumpStart;
  }
  if (pressed(pl, kActionAttack))
    startFirstAttack(pl, pl.self.running == 1 ? "RUNATTACK" : "QUICKATTACK1");
}

// Depth moves keep whatever horizontal speed a jump in this tick was given.
void moveInDepth(Turn& pl, int direction) {
  depthStep(pl, direction);
  if (pressed(pl, kActionJump)) startJump(pl);
  if (pressed(pl, kActionAttack)) startFirstAttack(pl, "QUICKATTACK1");
}

void movingHandler(Turn& pl) {
  if (pl.self.playerState != kPlayerMoving) return;
  const bool left = held(pl, kActionLeft), right = held(pl, kActionRight);
  if (left) moveSideways(pl, kLeftFacing, -1);
  if (right && !left) moveSideways(pl, kRightFacing, 1);
  if (pl.self.running == 1 && !left && !right) {
    start(pl, "WALK");
    pl.self.running = 0;
  }
  const bool up = held(pl, kActionUp), down = held(pl, kActionDown);
  if (up) moveInDepth(pl, -1);
  if (down) moveInDepth(pl, 1);
  if (!up && !down && !left && !right) {
    pl.self.playerState = kPlayerIdle;
    start(pl, "STAND");
  }
}

// A run leaves the ground at once; a standing or walking jump waits for its wind-up.
void takeOffHandler(Turn& pl) {
  if (pl.self.playerState != kPlayerJumpStart || !(finished(pl) || pl.self.running == 1)) return;
  start(pl, "JUMP");
  pl.self.yv = wrap16(pl.self.jumpHeight);
  pl.self.physicsOn = 1;
  pl.self.playerState = kPlayerAirborne;
}

void airborneHandler(Turn& pl) {
  if (pl.self.playerState == kPlayerAirborne && pl.sprite.animation == "JUMP" &&
      pressed(pl, kActionAttack))
    start(pl, "JUMPATTACK");
}

void landingHandler(Turn& pl) {
  if (pl.self.playerState != kPlayerLanding || !finished(pl)) return;
  start(pl, "STAND");
  pl.self.playerState = kPlayerIdle;
  if (held(pl, kActionLeft)) {
    pl.self.playerState = kPlayerMoving;
    pl.self.facing = kLeftFacing;
    start(pl, "WALK");
  }
  if (held(pl, kActionRight)) {
    pl.self.playerState = kPlayerMoving;
    pl.self.facing = kRightFacing;
    start(pl, "WALK");
  }
}

void attackHandler(Turn& pl) {
  if (pl.self.playerState != kPlayerAttacking) return;
  if (finished(pl)) {
    start(pl, "STAND");
    pl.self.playerState = kPlayerIdle;
  }
  // Checked even when the attack just ended: a press in its last tick still chains.
  if (pl.self.comboAllowed == 1 && pressed(pl, kActionAttack)) {
    pl.self.comboStep += 1;
    pl.self.comboAllowed = 0;
    start(pl, "QUICKATTACK" + std::to_string(pl.self.comboStep));
  }
}

void closeComboWindow(Turn& pl) {
  if (pl.self.playerState != kPlayerAttacking) pl.self.comboAllowed = 0;
}

void hurtHandler(Turn& pl) {
  if (pl.self.playerState != kPlayerHurt || !finished(pl) || !(pl.self.hp > 0)) return;
  if (pl.sprite.animation == "FALLLAND") {
    start(pl, "GETUP");
    pl.self.down = 1;
    return;
  }
  start(pl, "STAND");
  pl.self.down = 0;
  pl.self.playerState = kPlayerIdle;
}

// A knocked-out player first finishes its hurt or fall animation, then dies.
void deathCheck(Turn& pl) {
  if (pl.self.physicsOn == 0 && pl.self.hp <= 0 && pl.self.playerState != kPlayerDead &&
      (pl.self.playerState != kPlayerHurt || finished(pl))) {
    pl.self.playerState = kPlayerDead;
    pl.self.down = 1;
    start(pl, "DIE");
  }
}

void mirrorIntoSprite(Turn& pl) {
  SpriteSet& s = pl.sprite;
  s.flip = pl.self.facing;
  s.x = pl.self.x;
  s.y = pl.self.y - pl.self.z;
}

void holdOnStage(Turn& pl) {
  pl.self.footY = roundedFootLine(pl.index);
  holdOnFloorBand(pl.index, pl.self.footY);
}

}  // namespace

bool updatePlayers() {
  for (int p = 0; p < playerCount && p < kEntityCount; ++p) {
    currentEntity = p;
    Turn pl{p, entities[p], entitySprites[p], commandFor(p)};
    lowerTapTimers(pl);
    // Leaving stops the pass at once: no later player and no later step of the tick acts.
    if (pl.command.escapeHeld != 0) return true;
    idleHandler(pl);
    movingHandler(pl);
    takeOffHandler(pl);
    airborneHandler(pl);
    landingHandler(pl);
    attackHandler(pl);
    closeComboWindow(pl);
    hurtHandler(pl);
    deathCheck(pl);
    mirrorIntoSprite(pl);
    holdOnStage(pl);
  }
  return false;
}
