#include <cmath>
#include <string>

#include "base/numbers.h"
#include "sim/animation.h"
#include "sim/body.h"
#include "sim/control.h"
#include "sim/entity.h"
#include "sim/moves.h"
#include "sim/physics.h"
#include "sim/player_command.h"
#include "sim/turn.h"

namespace {

constexpr int32_t kDoubleTapWindow = 15;  // ticks in which a second press starts a run
// The player whose pass is running, and its command for this tick.
struct PlayerTurn : Turn {
  const PlayerCommand& command;
};

// A player past the command table has no controls rather than someone else's.
const PlayerCommand kNoCommand{};
const PlayerCommand& commandFor(int p) {
  return p < kCommandPlayers ? playerCommands[p] : kNoCommand;
}
bool held(const PlayerTurn& pl, PlayerAction action) { return pl.command.held[action] != 0; }
bool pressed(const PlayerTurn& pl, PlayerAction action) { return pl.command.pressed[action] != 0; }

int32_t walkStep(const PlayerTurn& pl) { return pl.self.walkSpeed; }
int32_t runStep(const PlayerTurn& pl) { return 2 * pl.self.walkSpeed; }
int32_t stepFor(const PlayerTurn& pl) { return pl.self.running == 1 ? runStep(pl) : walkStep(pl); }
// A quarter of the walking speed, three times, in real numbers.
void depthStep(PlayerTurn& pl, int direction) {
  pl.self.y = roundToInt16(pl.self.y + direction * (pl.self.walkSpeed / 4.0 * 3));
}
void moveX(PlayerTurn& pl, int32_t dx) { pl.self.x = wrap16(pl.self.x + dx); }

void startJump(PlayerTurn& pl) {
  start(pl, "JUMPSTART");
  pl.self.playerState = kPlayerJumpStart;
}

void startFirstAttack(PlayerTurn& pl, const char* name) {
  start(pl, name);
  pl.self.playerState = kPlayerAttacking;
  pl.self.comboStep = 1;
}

// Horizontal speed of a jump taken while moving: a run carries further than a walk.
int16_t movingJumpSpeed(PlayerTurn& pl) {
  const int32_t speed = pl.self.running == 1
                            ? runStep(pl)
                            : static_cast<int32_t>(std::floor(1.5 * pl.self.walkSpeed));
  return wrap16(speed);
}

void lowerTapTimers(PlayerTurn& pl) {
  pl.self.rightTapTimer = pl.self.rightTapTimer - 1 < 0 ? 0 : pl.self.rightTapTimer - 1;
  pl.self.leftTapTimer = pl.self.leftTapTimer - 1 < 0 ? 0 : pl.self.leftTapTimer - 1;
}

// A tap opens the double-tap window; a tap inside it breaks into a run.
void tapToward(PlayerTurn& pl, int32_t* tapTimer, int direction) {
  if (*tapTimer < 1) {
    *tapTimer = kDoubleTapWindow;
    return;
  }
  faceToward(pl, direction);
  pl.self.running = 1;
  *tapTimer = 0;
  start(pl, "RUN");
  moveX(pl, direction * runStep(pl));
  pl.self.playerState = kPlayerMoving;
}

void walkFromIdle(PlayerTurn& pl, int direction) {
  faceToward(pl, direction);
  start(pl, "WALK");
  moveX(pl, direction * walkStep(pl));
  pl.self.playerState = kPlayerMoving;
  if (pressed(pl, kActionJump)) startJump(pl);
}

void idleHandler(PlayerTurn& pl) {
  if (pl.self.playerState != kPlayerIdle) return;
  pl.self.running = 0;
  pl.self.down = 0;
  if (pressed(pl, kActionLeft)) tapToward(pl, &pl.self.leftTapTimer, -1);
  if (pressed(pl, kActionRight) && !pressed(pl, kActionLeft))
    tapToward(pl, &pl.self.rightTapTimer, 1);
  if (held(pl, kActionLeft) && pl.self.running == 0) walkFromIdle(pl, -1);
  if (held(pl, kActionRight) && !held(pl, kActionLeft) && pl.self.running == 0)
    walkFromIdle(pl, 1);
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

void moveSideways(PlayerTurn& pl, int direction) {
  faceToward(pl, direction);
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
void moveInDepth(PlayerTurn& pl, int direction) {
  depthStep(pl, direction);
  if (pressed(pl, kActionJump)) startJump(pl);
  if (pressed(pl, kActionAttack)) startFirstAttack(pl, "QUICKATTACK1");
}

void movingHandler(PlayerTurn& pl) {
  if (pl.self.playerState != kPlayerMoving) return;
  const bool left = held(pl, kActionLeft), right = held(pl, kActionRight);
  if (left) moveSideways(pl, -1);
  if (right && !left) moveSideways(pl, 1);
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
void takeOffHandler(PlayerTurn& pl) {
  if (pl.self.playerState != kPlayerJumpStart || !(finished(pl) || pl.self.running == 1)) return;
  start(pl, "JUMP");
  pl.self.yv = wrap16(pl.self.jumpHeight);
  pl.self.physicsOn = 1;
  pl.self.playerState = kPlayerAirborne;
}

void airborneHandler(PlayerTurn& pl) {
  if (pl.self.playerState == kPlayerAirborne && animationIs(pl, "JUMP") &&
      pressed(pl, kActionAttack))
    start(pl, "JUMPATTACK");
}

void landingHandler(PlayerTurn& pl) {
  if (pl.self.playerState != kPlayerLanding || !finished(pl)) return;
  start(pl, "STAND");
  pl.self.playerState = kPlayerIdle;
  if (held(pl, kActionLeft)) {
    pl.self.playerState = kPlayerMoving;
    faceToward(pl, -1);
    start(pl, "WALK");
  }
  if (held(pl, kActionRight)) {
    pl.self.playerState = kPlayerMoving;
    faceToward(pl, 1);
    start(pl, "WALK");
  }
}

void attackHandler(PlayerTurn& pl) {
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

void closeComboWindow(PlayerTurn& pl) {
  if (pl.self.playerState != kPlayerAttacking) pl.self.comboAllowed = 0;
}

void hurtHandler(PlayerTurn& pl) {
  if (pl.self.playerState != kPlayerHurt || !finished(pl) || !(pl.self.hp > 0)) return;
  if (animationIs(pl, "FALLLAND")) {
    start(pl, "GETUP");
    pl.self.down = 1;
    return;
  }
  start(pl, "STAND");
  pl.self.down = 0;
  pl.self.playerState = kPlayerIdle;
}

// A knocked-out player first finishes its hurt or fall animation, then dies.
void deathCheck(PlayerTurn& pl) {
  if (pl.self.physicsOn == 0 && pl.self.hp <= 0 && pl.self.playerState != kPlayerDead &&
      (pl.self.playerState != kPlayerHurt || finished(pl))) {
    pl.self.playerState = kPlayerDead;
    pl.self.down = 1;
    start(pl, "DIE");
  }
}

void mirrorIntoSprite(PlayerTurn& pl) {
  SpriteSet& s = pl.sprite;
  s.flip = pl.self.facing;
  s.x = pl.self.x;
  s.y = pl.self.y - pl.self.z;
}

void holdOnStage(PlayerTurn& pl) {
  pl.self.footY = roundedFootLine(pl.index);
  holdOnFloorBand(pl.index, pl.self.footY);
}

}  // namespace

bool updatePlayers() {
  for (int p = 0; p < playerCount && p < kEntityCount; ++p) {
    PlayerTurn pl{{p, entities[p], entitySprites[p]}, commandFor(p)};
    lowerTapTimers(pl);
    // Leaving stops the pass at once: no later player and no later step of the tick acts.
    if (pl.command.escapeHeld != 0) return true;
    movesBeforeControl(p);
    idleHandler(pl);
    movingHandler(pl);
    takeOffHandler(pl);
    airborneHandler(pl);
    landingHandler(pl);
    attackHandler(pl);
    closeComboWindow(pl);
    hurtHandler(pl);
    deathCheck(pl);
    movesAfterControl(p);
    mirrorIntoSprite(pl);
    holdOnStage(pl);
  }
  return false;
}
