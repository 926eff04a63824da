// The special: attack and jump together. A short blow all round the fighter, which the fighter's
// script makes untouchable for a while, knocking down whatever stands in reach on either side;
// a hit costs the fighter a little of its own health, once per special.
#include <cmath>

#include "base/numbers.h"
#include "sim/animation.h"
#include "sim/body.h"
#include "sim/combat.h"
#include "sim/game_state.h"
#include "sim/moves_rules.h"

namespace {

bool downOrPressed(const PlayerCommand& c, PlayerAction a) {
  return c.held[a] != 0 || c.pressed[a] != 0;
}

// The box of an all-round blow: its reach on both sides of the body, head to foot.
Rect allRoundBox(int a) {
  const Entity& e = entities[a];
  const double w = entitySprites[a].bodyWidth, h = entitySprites[a].bodyHeight;
  const int32_t top = e.y - e.z;
  return Rect{roundToInt(e.x - w - e.moves.moveReach), roundToInt(e.x + w + e.moves.moveReach), top,
              roundToInt(top + h)};
}

}  // namespace

bool startSpecial(int p) {
  Entity& self = entities[p];
  const PlayerCommand& c = moveCommand(p);
  const bool together = downOrPressed(c, kActionAttack) && downOrPressed(c, kActionJump) &&
                        (c.pressed[kActionAttack] != 0 || c.pressed[kActionJump] != 0);
  const bool onFeet = (self.playerState == kPlayerIdle || self.playerState == kPlayerMoving) &&
                      self.physicsOn == 0;
  if (!together || !onFeet) return false;
  startAnimation(entitySprites[p], "SPECIAL");
  self.playerState = kPlayerAttacking;
  self.down = 0;  // standing to act, as the idle step would have it
  self.comboStep = 0;
  self.comboAllowed = 0;
  self.running = 0;
  self.moves.specialPaid = 0;
  return true;
}

void resolveAllRound(int a) {
  Entity& self = entities[a];
  const Rect box = allRoundBox(a);
  const double foot = footLine(a);
  const Blow blow{kAttackKnockHigh, self.moves.moveEffect, self.moves.moveDamage, self.moves.moveKnockX,
                  self.moves.moveKnockY};
  bool hit = false;
  const int last = lastEntity;  // sparks spawned by these blows are no victims
  for (int v = 0; v <= last; ++v) {
    const Entity& victim = entities[v];
    const bool teammate = gameRules.friendlyFire == 0 && isPlayerIndex(a) && isPlayerIndex(v);
    if (v == a || teammate || !canBeStruck(v) || self.hitList.has(v)) continue;
    if (std::fabs(footLine(v) - foot) >= kBlowDepth || !rectsOverlap(box, bodyHitBox(v))) continue;
    if (victim.moves.grabRole != kGrabNone) releaseGrab(v);
    landBlow(a, v, blow, victim.x < self.x ? -1 : 1);
    hit = true;
  }
  if (!hit || self.moves.specialPaid == 1) return;
  self.moves.specialPaid = 1;
  count(a, &MoveTally::specialsLanded);
  // The cost never knocks the fighter out: it stops at one hit point.
  const double cost = kSpecialCost * self.maxHp;
  self.hp = self.hp - cost < 1 ? std::fmin(self.hp, 1.0) : self.hp - cost;
}
