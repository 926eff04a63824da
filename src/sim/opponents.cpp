#include <cstdlib>
#include <string>

#include "base/numbers.h"
#include "base/saturate.h"
#include "sim/animation.h"
#include "sim/body.h"
#include "sim/control.h"
#include "sim/entity.h"
#include "sim/game_state.h"
#include "sim/moves.h"
#include "sim/random.h"
#include "sim/turn.h"

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
constexpr int kDecisionStates = 5;         // a decision draws one of the states 0..4

// The opponent whose pass is running, and the entity it is after.
struct OpponentTurn : Turn {
  int target;
};

// A wait before the next decision, as the difficulty stretches or shortens it; never below a
// tick, so a decision is still one a tick at most.
int32_t decisionWait(int32_t ticks) {
  const int32_t wait = roundToInt(scaledByPercent(ticks, gameRules.opponentWaitPercent));
  return wait < 1 ? 1 : wait;
}

void measure(OpponentTurn& o) {
  const Entity& target = entities[o.target];
  o.self.targetDistance = std::abs(o.self.x - target.x);
  const double foot = footLine(o.index), targetFoot = footLine(o.target);
  o.self.depthAligned =
      targetFoot - kDepthAlignedBand < foot && foot < targetFoot + kDepthAlignedBand;
  o.self.inReach = rectsOverlap(groundBodyRect(o.index), groundBodyRect(o.target)) &&
                   targetFoot - kReachDepthBand < foot && foot < targetFoot + kReachDepthBand;
}

void faceTarget(OpponentTurn& o) { faceToward(o, entities[o.target].x < o.self.x ? -1 : 1); }

void walkIn(OpponentTurn& o) {
  o.self.aiState = kAiApproach;
  o.self.aiTimer = decisionWait(10 + randomBelow(150));
  start(o, "WALK");
}

// Closes in when out of reach, strikes with one of its numbered attacks when in reach.
void attackOrWalkIn(OpponentTurn& o) {
  if (o.self.inReach == 0) {
    walkIn(o);
    return;
  }
  start(o, "QUICKATTACK" + std::to_string(1 + randomBelow(o.self.attacksAmount)));
  o.self.aiState = kAiBusy;
}

void decide(OpponentTurn& o) {
  faceTarget(o);
  o.self.aiState = randomBelow(kDecisionStates);
  switch (o.self.aiState) {
    case kAiIdle:
      o.self.aiTimer = decisionWait(10 + randomBelow(50));
      start(o, "STAND");
      break;
    case kAiApproach:
      o.self.aiTimer = decisionWait(100 + randomBelow(100));
      if (o.self.inReach == 0) {
        start(o, o.self.targetDistance < kWalkBeforeRunning ? "WALK" : "RUN");
        break;
      }
      attackOrWalkIn(o);
      break;
    case kAiKnockedDown:  // drawn here it means: attack, or walk in first
      attackOrWalkIn(o);
      break;
    case kAiJumping:
      if (o.self.targetDistance < kTooCloseToJump || o.self.physicsOn != 0)
        attackOrWalkIn(o);
      else
        start(o, "JUMPSTART");
      break;
    default:  // busy: wait for the running animation
      break;
  }
}

void approachSideways(OpponentTurn& o, int direction) {
  if (animationIs(o, "WALK") || walksArmed(o.index)) o.self.x = wrap16(o.self.x + direction * o.self.walkSpeed);
  if (animationIs(o, "RUN")) {
    o.self.x = wrap16(o.self.x + direction * 2 * o.self.walkSpeed);
    if (o.self.targetDistance < kRunAttackDistance) {
      o.self.aiState = kAiBusy;
      start(o, "RUNATTACK");
    }
  }
  faceToward(o, direction);
}

void approach(OpponentTurn& o) {
  const Entity& target = entities[o.target];
  bool moved = false;
  if (o.self.x > target.x + kStopShortX) {
    approachSideways(o, -1);
    moved = true;
  }
  if (o.self.x < target.x - kStopShortX) {
    approachSideways(o, 1);
    moved = true;
  }
  // A foot line can sit at the edge of its range (a huge HEIGHT): compared in 64 bits.
  if (o.self.footY < int64_t{target.footY} - kStopShortDepth) {
    o.self.y = wrap16(o.self.y + o.self.walkSpeed);
    moved = true;
  }
  if (o.self.footY > int64_t{target.footY} + kStopShortDepth) {
    o.self.y = wrap16(o.self.y - o.self.walkSpeed);
    moved = true;
  }
  if (!moved) {
    start(o, "STAND");
    o.self.aiTimer = 1;
  }
}

void busy(OpponentTurn& o) {
  o.self.aiTimer = kBusyTimer;
  if (!finished(o)) return;
  if (animationIs(o, "HIGHDAMAGE") || animationIs(o, "LOWDAMAGE")) {
    if (o.self.hp > 0) {
      o.self.aiTimer = 1;
    } else {
      o.self.down = 1;
      start(o, "DIE");
    }
  } else if (animationIs(o, "DIE")) {
    o.self.aiState = kAiDying;
  } else {
    o.self.aiTimer = 1;
  }
}

void knockedDown(OpponentTurn& o) {
  o.self.aiTimer = kBusyTimer;
  if (!finished(o)) return;
  if (animationIs(o, "GETUP")) {
    o.self.down = 0;
    o.self.aiTimer = 1;
  }
  if (animationIs(o, "FALLLAND")) {
    if (o.self.hp <= 0)
      o.self.aiState = kAiDying;
    else
      start(o, "GETUP");
  }
}

void jumping(OpponentTurn& o) {
  o.self.aiTimer = kBusyTimer;
  if (o.self.targetDistance < kJumpAttackDistance && animationIs(o, "JUMP") &&
      o.self.depthAligned == 1) {
    start(o, "JUMPATTACK");
    o.self.playerState = kPlayerAirborne;
  }
  if (finished(o) && animationIs(o, "JUMPSTART")) {
    o.self.yv = wrap16(o.self.jumpHeight);
    const int16_t speed = roundToInt16(o.self.walkSpeed * 1.5);
    o.self.xv = o.self.facing == kFacingLeft ? roundToInt16(-o.self.walkSpeed * 1.5) : speed;
    o.self.physicsOn = 1;
    start(o, "JUMP");
  }
}

void landing(OpponentTurn& o) {
  o.self.aiTimer = kBusyTimer;
  if (!finished(o)) return;
  o.self.aiTimer = 1;
  start(o, "STAND");
}

void fadeOut(OpponentTurn& o) {
  o.self.aiTimer = kBusyTimer;
  o.sprite.transparency += kFadeStep;
  if (o.sprite.transparency > 1.0) o.self.alive = 0;
}

void behave(OpponentTurn& o) {
  switch (o.self.aiState) {
    case kAiIdle: faceTarget(o); break;
    case kAiApproach: approach(o); break;
    case kAiBusy: busy(o); break;
    case kAiKnockedDown: knockedDown(o); break;
    case kAiJumping: jumping(o); break;
    case kAiLanding: landing(o); break;
    case kAiDying: fadeOut(o); break;
    default: break;
  }
}

}  // namespace

void updateOpponents() {
  for (int i = playerCount; i <= lastEntity; ++i) {
    OpponentTurn o{{i, entities[i], entitySprites[i]}, entityIndexOrZero(entities[i].target)};
    measure(o);
    if (o.self.kind != kKindFighter || o.self.targetDistance >= kWakeDistance) continue;
    if (o.self.aiTimer < 1) decide(o);
    behave(o);
    o.self.aiTimer -= 1;
  }
}
