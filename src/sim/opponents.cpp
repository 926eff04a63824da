#include <cstdlib>
#include <string>

#include "content/saturate.h"
#include "content/text_file.h"
#include "sim/animation.h"
#include "sim/body.h"
#include "sim/control.h"
#include "sim/entity.h"
#include "sim/random.h"

namespace {

constexpr int32_t kWakeDistance = 1024;    // farther from its target, an opponent is frozen
constexpr double kDepthAlignedBand = 20;   // foot lines closer than this share a lane
constexpr double kReachDepthBand = 19;     // foot lines closer than this can trade blows
constexpr int32_t kWalkBeforeRunning = 300;
constexpr int32_t kRunAttackDistance = 250;
constexpr int32_t kJumpAttackDistance = 350;
constexpr int32_t kTooCloseToJump = 151;
constexpr int32_t kStopShortX = 50;        // an approach ends this close to the target...
constexpr int32_t kStopShortDepth = 15;    // ...and this close in foot line
constexpr int32_t kBusyTimer = 2;          // holds off decisions while an animation plays
constexpr double kFadeStep = 0.025;        // 40 ticks from opaque to gone
constexpr int kDecisionStates = 5;         // a decision draws one of the states 0..4

int i = 0;   // the opponent whose pass is running
int t = 0;   // its target
Entity* op = nullptr;

void start(const std::string& name) { startAnimation(entitySprites[i], name); }
bool finished() { return entitySprites[i].finished == 1; }
bool animationIs(const char* name) { return entitySprites[i].animation == name; }

void measure() {
  const Entity& target = entities[t];
  op->targetDistance = std::abs(op->x - target.x);
  const double foot = footLine(i), targetFoot = footLine(t);
  op->depthAligned = targetFoot - kDepthAlignedBand < foot && foot < targetFoot + kDepthAlignedBand;
  op->inReach = rectsOverlap(groundBodyRect(i), groundBodyRect(t)) &&
                targetFoot - kReachDepthBand < foot && foot < targetFoot + kReachDepthBand;
}

void faceTarget() { op->facing = entities[t].x < op->x ? 1 : 0; }

void walkIn() {
  op->aiState = kAiApproach;
  op->aiTimer = 10 + randomBelow(150);
  start("WALK");
}

// Closes in when out of reach, strikes with one of its numbered attacks when in reach.
void attackOrWalkIn() {
  if (op->inReach == 0) {
    walkIn();
    return;
  }
  start("QUICKATTACK" + std::to_string(1 + randomBelow(op->attacksAmount)));
  op->aiState = kAiBusy;
}

void decide() {
  faceTarget();
  op->aiState = randomBelow(kDecisionStates);
  switch (op->aiState) {
    case kAiIdle:
      op->aiTimer = 10 + randomBelow(50);
      start("STAND");
      break;
    case kAiApproach:
      op->aiTimer = 100 + randomBelow(100);
      if (op->inReach == 0) {
        start(op->targetDistance < kWalkBeforeRunning ? "WALK" : "RUN");
        break;
      }
      attackOrWalkIn();
      break;
    case kAiKnockedDown:  // drawn here it means: attack, or walk in first
      attackOrWalkIn();
      break;
    case kAiJumping:
      if (op->targetDistance < kTooCloseToJump || op->physicsOn != 0)
        attackOrWalkIn();
      else
        start("JUMPSTART");
      break;
    default:  // busy: wait for the running animation
      break;
  }
}

void approachSideways(int facing, int direction) {
  if (animationIs("WALK")) op->x = wrap16(op->x + direction * op->walkSpeed);
  if (animationIs("RUN")) {
    op->x = wrap16(op->x + direction * 2 * op->walkSpeed);
    if (op->targetDistance < kRunAttackDistance) {
      op->aiState = kAiBusy;
      start("RUNATTACK");
    }
  }
  op->facing = facing;
}

void approach() {
  const Entity& target = entities[t];
  bool moved = false;
  if (op->x > target.x + kStopShortX) {
    approachSideways(1, -1);
    moved = true;
  }
  if (op->x < target.x - kStopShortX) {
    approachSideways(0, 1);
    moved = true;
  }
  // A foot line can sit at the edge of its range (a huge HEIGHT): compared in 64 bits.
  if (op->footY < int64_t{target.footY} - kStopShortDepth) {
    op->y = wrap16(op->y + op->walkSpeed);
    moved = true;
  }
  if (op->footY > int64_t{target.footY} + kStopShortDepth) {
    op->y = wrap16(op->y - op->walkSpeed);
    moved = true;
  }
  if (!moved) {
    start("STAND");
    op->aiTimer = 1;
  }
}

void busy() {
  op->aiTimer = kBusyTimer;
  if (!finished()) return;
  if (animationIs("HIGHDAMAGE") || animationIs("LOWDAMAGE")) {
    if (op->hp > 0) {
      op->aiTimer = 1;
    } else {
      op->down = 1;
      start("DIE");
    }
  } else if (animationIs("DIE")) {
    op->aiState = kAiDying;
  } else {
    op->aiTimer = 1;
  }
}

void knockedDown() {
  op->aiTimer = kBusyTimer;
  if (!finished()) return;
  if (animationIs("GETUP")) {
    op->down = 0;
    op->aiTimer = 1;
  }
  if (animationIs("FALLLAND")) {
    if (op->hp <= 0)
      op->aiState = kAiDying;
    else
      start("GETUP");
  }
}

void jumping() {
  op->aiTimer = kBusyTimer;
  if (op->targetDistance < kJumpAttackDistance && animationIs("JUMP") && op->depthAligned == 1) {
    start("JUMPATTACK");
    op->playerState = kPlayerAirborne;
  }
  if (finished() && animationIs("JUMPSTART")) {
    op->yv = wrap16(op->jumpHeight);
    const int16_t speed = roundToInt16(op->walkSpeed * 1.5);
    op->xv = op->facing == 1 ? roundToInt16(-op->walkSpeed * 1.5) : speed;
    op->physicsOn = 1;
    start("JUMP");
  }
}

void landing() {
  op->aiTimer = kBusyTimer;
  if (!finished()) return;
  op->aiTimer = 1;
  start("STAND");
}

void fadeOut() {
  op->aiTimer = kBusyTimer;
  SpriteSet& s = entitySprites[i];
  s.transparency += kFadeStep;
  if (s.transparency > 1.0) op->alive = 0;
}

void behave() {
  switch (op->aiState) {
    case kAiIdle: faceTarget(); break;
    case kAiApproach: approach(); break;
    case kAiBusy: busy(); break;
    case kAiKnockedDown: knockedDown(); break;
    case kAiJumping: jumping(); break;
    case kAiLanding: landing(); break;
    case kAiDying: fadeOut(); break;
    default: break;
  }
}

}  // namespace

void updateOpponents() {
  for (i = playerCount; i <= lastEntity && i < kEntityCount; ++i) {
    currentEntity = i;
    op = &entities[i];
    t = entityIndexOrZero(op->target);
    measure();
    if (op->kind != kKindFighter || op->targetDistance >= kWakeDistance) continue;
    if (op->aiTimer < 1) decide();
    behave();
    op->aiTimer -= 1;
  }
}
