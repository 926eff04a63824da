// Grabs: walking into a standing opponent takes hold of it; knees, a throw over the shoulder or a
// vault end the hold, and so does a quiet two seconds. Some opponents grab players, who mash
// the directions to get loose.
#include <cmath>
#include <cstdlib>

#include "base/numbers.h"
#include "base/saturate.h"
#include "sim/animation.h"
#include "sim/body.h"
#include "sim/combat.h"
#include "sim/game_state.h"
#include "sim/moves.h"
#include "sim/moves_rules.h"
#include "sim/random.h"
#include "sim/sound_requests.h"

namespace {

constexpr int kLightHitSound = 0;
constexpr int kKnockDownSound = 1;
constexpr int32_t kKnockDownShake = 15;

void start(int e, const char* name) { startAnimation(entitySprites[e], name); }
bool animationIs(int e, const char* name) { return entitySprites[e].animation == name; }
bool finished(int e) { return entitySprites[e].finished == 1; }

bool heldState(int e) {
  return isPlayerIndex(e) ? entities[e].playerState == kPlayerHeld : entities[e].aiState == kAiHeld;
}
bool holdingState(int e) {
  return isPlayerIndex(e) ? entities[e].playerState == kPlayerHolding
                          : entities[e].aiState == kAiHolding;
}

// The other side of e's hold, or -1 when e holds nothing or the hold has come apart.
int partnerOf(int e) {
  const MoveState& m = entities[e].moves;
  if (m.grabRole == kGrabNone || m.grabPartner < 0 || m.grabPartner >= kEntityCount) return -1;
  const Entity& other = entities[m.grabPartner];
  if (other.alive != 1 || other.moves.grabPartner != e || other.moves.grabRole == m.grabRole)
    return -1;
  return m.grabPartner;
}

// Back on its feet: a player idle, an opponent deciding anew next tick.
void standFree(int e) {
  Entity& self = entities[e];
  self.moves.grabRole = kGrabNone;
  self.moves.knees = 0;
  self.moves.mash = 0;
  self.moves.grabTicks = 0;
  if (isPlayerIndex(e)) {
    if (!heldState(e) && !holdingState(e)) return;
    self.playerState = kPlayerIdle;
    self.down = 0;
  } else {
    if (!heldState(e) && !holdingState(e)) return;
    self.aiState = kAiIdle;
    self.aiTimer = 1;
  }
  start(e, "STAND");
}

// Only the grab ends; the two keep whatever state they are in (a knock-down, an attack).
void letGo(int e) {
  entities[e].moves.grabRole = kGrabNone;
  entities[e].moves.knees = 0;
  entities[e].moves.mash = 0;
  entities[e].moves.grabTicks = 0;
}

bool canBeGrabbed(int v) {
  const Entity& e = entities[v];
  if (e.alive != 1 || e.kind != kKindFighter || e.moves.grabRole != kGrabNone ||
      e.moves.ungrabbable == 1 || e.physicsOn != 0 || e.down != 0 || e.moves.invincible != 0 ||
      !(e.hp > 0))
    return false;
  // Standing and not attacking: an opponent idling or walking up, a player idle or walking.
  if (isPlayerIndex(v)) return e.playerState == kPlayerIdle || e.playerState == kPlayerMoving;
  return e.aiState == kAiIdle || e.aiState == kAiApproach;
}

void takeHold(int holder, int held) {
  Entity& h = entities[holder];
  Entity& v = entities[held];
  h.moves.grabRole = kGrabHolding;
  h.moves.grabPartner = held;
  h.moves.knees = 0;
  h.moves.grabTicks = isPlayerIndex(holder) ? kBreakFreeTicks : kOpponentKneeTicks;
  v.moves.grabRole = kGrabHeld;
  v.moves.grabPartner = holder;
  v.moves.mash = 0;
  h.running = 0;
  v.running = 0;
  h.xv = 0;
  v.xv = 0;
  h.facing = facingToward(v.x < h.x ? -1 : 1);
  v.facing = h.facing == kFacingLeft ? kFacingRight : kFacingLeft;
  if (isPlayerIndex(holder)) h.playerState = kPlayerHolding; else h.aiState = kAiHolding;
  if (isPlayerIndex(held)) v.playerState = kPlayerHeld; else v.aiState = kAiHeld;
  v.aiTimer = 2;
  h.aiTimer = 2;
  start(holder, "GRAB");
  start(held, "HELD");
  count(holder, &MoveTally::grabs);
  count(held, &MoveTally::timesHeld);
}

// What a knee or throw takes off: an opponent's, on a player, as the difficulty weighs it.
double dealt(int from, int to, int32_t damage) {
  if (isPlayerIndex(from) || !isPlayerIndex(to)) return damage;
  return scaledByPercent(damage, gameRules.opponentDamagePercent);
}

// Knocked down out of a hold, away from `from`.
void throwDown(int from, int v, const Blow& blow, int direction) {
  letGo(v);
  landBlow(from, v, blow, direction);
}

// The holder's pose between knees: back to HOLD once GRAB or KNEE is over.
void settleHolder(int holder) {
  if (finished(holder) && (animationIs(holder, "GRAB") || animationIs(holder, "KNEE")))
    start(holder, "HOLD");
}

void pressKneeOrThrow(int p, const PlayerCommand& c) {
  Entity& self = entities[p];
  const bool busy = (animationIs(p, "KNEE") || animationIs(p, "THROW")) && !finished(p);
  if (busy || c.pressed[kActionAttack] == 0) return;
  const PlayerAction away = self.facing == kFacingLeft ? kActionRight : kActionLeft;
  start(p, c.held[away] != 0 ? "THROW" : "KNEE");
}

// Over the held one's head: the hold ends and a jump begins toward where it stands.
void vault(int p, int held) {
  Entity& self = entities[p];
  letGo(p);
  standFree(held);
  self.xv = wrap16(directionOf(self.facing) * static_cast<int32_t>(std::floor(1.5 * self.walkSpeed)));
  self.playerState = kPlayerJumpStart;
  start(p, "JUMPSTART");
}

void mashLoose(int p, int holder) {
  const PlayerCommand& c = moveCommand(p);
  for (PlayerAction a : {kActionUp, kActionDown, kActionLeft, kActionRight})
    entities[p].moves.mash += c.pressed[a] != 0 ? 1 : 0;
  if (entities[p].moves.mash < kMashToBreakFree) return;
  standFree(holder);
  standFree(p);
  count(p, &MoveTally::brokeFree);
}

// Where a holder keeps the one it holds: at arm's length ahead of it.
int16_t heldX(int holder) {
  const Entity& h = entities[holder];
  return wrap16(h.x + directionOf(h.facing) * kHoldDistance);
}

}  // namespace

bool grabReach(int e, Rect* band) {
  const Entity& self = entities[e];
  if (!movesOn() || self.alive != 1 || self.kind != kKindFighter || self.moves.grabRole != kGrabNone)
    return false;
  const bool player = isPlayerIndex(e);
  if (!player && self.moves.grabsPlayers != 1) return false;
  const Rect body = groundBodyRect(e);
  const double foot = footLine(e);
  *band = Rect{body.left, body.right, roundToInt(foot - kGrabDepth), roundToInt(foot + kGrabDepth)};
  if (player && self.facing == kFacingLeft) band->right = self.x;
  if (player && self.facing != kFacingLeft) band->left = self.x;
  return true;
}

bool holdSpot(int e, int32_t* x, int32_t* footY) {
  if (!movesOn() || entities[e].alive != 1 || entities[e].moves.grabRole != kGrabHolding ||
      partnerOf(e) < 0)
    return false;
  *x = heldX(e);
  *footY = roundedFootLine(e);
  return true;
}

void releaseGrab(int e) {
  const int partner = partnerOf(e);
  if (partner >= 0) standFree(partner);
  standFree(e);
}

bool holdBeforeControl(int p) {
  const MoveState& m = entities[p].moves;
  if (m.grabRole == kGrabNone) return false;
  const int partner = partnerOf(p);
  if (partner < 0 || (!holdingState(p) && !heldState(p))) {
    letGo(p);
    return false;
  }
  if (m.grabRole == kGrabHeld) {
    mashLoose(p, partner);
    return true;
  }
  const PlayerCommand& c = moveCommand(p);
  const bool busy = (animationIs(p, "KNEE") || animationIs(p, "THROW")) && !finished(p);
  if (c.pressed[kActionJump] != 0 && !busy) {
    vault(p, partner);
    return true;
  }
  settleHolder(p);
  pressKneeOrThrow(p, c);
  return true;
}

void tryPlayerGrab(int p) {
  Entity& self = entities[p];
  if (self.playerState != kPlayerMoving || self.running != 0 || self.physicsOn != 0 ||
      self.moves.grabRole != kGrabNone || self.moves.weapon != kItemNone)
    return;
  const PlayerCommand& c = moveCommand(p);
  const int direction = directionOf(self.facing);
  const PlayerAction toward = direction < 0 ? kActionLeft : kActionRight;
  if (c.held[toward] == 0) return;
  const double foot = footLine(p);
  const Rect body = groundBodyRect(p);
  int best = -1;
  int32_t bestGap = 0;
  for (int v = playerCount; v <= lastEntity; ++v) {
    const Entity& o = entities[v];
    if (!canBeGrabbed(v) || (o.x - self.x) * direction <= 0) continue;
    if (std::fabs(footLine(v) - foot) >= kGrabDepth || !rectsOverlap(body, groundBodyRect(v))) continue;
    const int32_t gap = std::abs(o.x - self.x);
    if (best < 0 || gap < bestGap) {
      best = v;
      bestGap = gap;
    }
  }
  if (best >= 0) takeHold(p, best);
}

// A grabbing opponent that has just chosen to strike a standing player in reach grabs instead,
// one time in two.
void opponentsGrab() {
  for (int o = playerCount; o <= lastEntity; ++o) {
    Entity& self = entities[o];
    const SpriteSet& sprite = entitySprites[o];
    if (self.alive != 1 || self.kind != kKindFighter || self.moves.grabsPlayers != 1 ||
        self.moves.grabRole != kGrabNone || self.aiState != kAiBusy || self.inReach != 1 ||
        sprite.finished != 0 || sprite.scriptLine != sprite.beginLine ||
        sprite.animation.str().rfind("QUICKATTACK", 0) != 0)
      continue;
    const int t = entityIndexOrZero(self.target);
    if (!isPlayerIndex(t) || !canBeGrabbed(t) || std::fabs(footLine(t) - footLine(o)) >= kGrabDepth)
      continue;
    if (randomBelow(2) != 0) continue;
    takeHold(o, t);
  }
}

void resolveKnee(int holder) {
  const int held = partnerOf(holder);
  if (held < 0 || !holdingState(holder)) return;
  Entity& h = entities[holder];
  Entity& v = entities[held];
  const MoveState& m = h.moves;
  h.moves.knees += 1;
  count(holder, &MoveTally::knees);
  h.moves.grabTicks = isPlayerIndex(holder) ? kBreakFreeTicks : kOpponentKneeTicks;
  const int direction = directionOf(h.facing);
  if (h.moves.knees >= kKneesPerHold || v.hp - m.moveDamage <= 0) {
    const Blow blow{kAttackKnockHigh, m.moveEffect, m.moveDamage, m.moveKnockX, m.moveKnockY};
    letGo(holder);
    throwDown(holder, held, blow, direction);
    // The knee plays out; then the holder stands as after any attack.
    if (isPlayerIndex(holder)) h.playerState = kPlayerAttacking; else h.aiState = kAiBusy;
    return;
  }
  // A knee lands whatever the held one's state: it cannot dodge. It stays held, flinching.
  h.hitList.add(held);
  h.power = std::fmin(h.power + m.moveDamage / 10.0, h.maxPower);
  v.hp -= dealt(holder, held, m.moveDamage);
  requestSound(kLightHitSound);
  start(held, "HIGHDAMAGE");
}

void resolveThrow(int holder) {
  const int held = partnerOf(holder);
  if (held < 0 || !holdingState(holder)) return;
  Entity& h = entities[holder];
  Entity& v = entities[held];
  const MoveState& m = h.moves;
  const int behind = -directionOf(h.facing);
  count(holder, &MoveTally::throws);
  letGo(holder);
  letGo(held);
  v.x = wrap16(h.x + behind * kHoldDistance);
  h.hitList.add(held);
  h.power = std::fmin(h.power + m.moveDamage / 10.0, h.maxPower);
  v.hp -= dealt(holder, held, m.moveDamage);
  v.xv = wrap16(behind * m.moveKnockX);
  v.yv = wrap16(m.moveKnockY);
  v.physicsOn = 1;
  v.aiState = kAiKnockedDown;
  v.playerState = kPlayerHurt;
  v.aiTimer = 2;
  v.facing = facingToward(-behind);
  v.moves.thrownDamage = m.moveDamage;
  v.moves.thrownBy = holder;
  start(held, "THROWN");
  requestSound(kKnockDownSound);
  shakeX = kKnockDownShake;
  if (isPlayerIndex(holder)) h.playerState = kPlayerAttacking; else h.aiState = kAiBusy;
}

// A body a player threw bowls over the opponents it meets on its way down.
void flyThrownBodies() {
  for (int b = 0; b <= lastEntity; ++b) {
    Entity& body = entities[b];
    if (body.moves.thrownDamage == 0) continue;
    const int thrower = entityIndexOrZero(body.moves.thrownBy);
    if (body.alive != 1 || body.physicsOn != 1 || !isPlayerIndex(thrower)) {
      body.moves.thrownDamage = 0;
      continue;
    }
    const Rect box = bodyHitBox(b);
    const Blow blow{kAttackKnockHigh, kSparkEffect, body.moves.thrownDamage, kBowledKnockX, kBowledKnockY};
    for (int v = playerCount; v <= lastEntity; ++v) {
      if (v == b || !canBeStruck(v) || entities[v].kind != kKindFighter || body.hitList.has(v)) continue;
      if (std::fabs(footLine(v) - footLine(b)) >= kBlowDepth || !rectsOverlap(box, bodyHitBox(v))) continue;
      if (entities[v].moves.grabRole != kGrabNone) releaseGrab(v);
      landBlow(b, v, blow, body.xv < 0 ? -1 : 1);
      entities[thrower].hitList.add(v);
      count(thrower, &MoveTally::bowledOver);
    }
  }
}

// Every hold checked after the tick's blows: one side hurt or gone lets the other go; the held
// one is kept at arm's length facing its holder; a quiet hold runs out.
void keepHolds() {
  for (int h = 0; h <= lastEntity; ++h) {
    Entity& holder = entities[h];
    if (holder.moves.grabRole != kGrabHolding) continue;
    const int v = partnerOf(h);
    const bool holderOk = holder.alive == 1 && holdingState(h);
    const bool heldOk = v >= 0 && heldState(v);
    if (!holderOk || !heldOk) {
      if (holderOk) standFree(h); else letGo(h);
      if (v >= 0) {
        if (heldOk) standFree(v); else letGo(v);
      }
      continue;
    }
    Entity& held = entities[v];
    held.x = heldX(h);
    held.y = roundToInt16(footLine(h) - entitySprites[v].bodyHeight);
    held.z = 0;
    held.facing = holder.facing == kFacingLeft ? kFacingRight : kFacingLeft;
    held.aiTimer = 2;
    holder.aiTimer = 2;
    if (finished(v) && !animationIs(v, "HELD")) start(v, "HELD");
    if (!isPlayerIndex(h)) settleHolder(h);
    const bool striking = (animationIs(h, "KNEE") || animationIs(h, "THROW")) && !finished(h);
    if (striking) continue;
    holder.moves.grabTicks -= 1;
    if (holder.moves.grabTicks > 0) continue;
    if (isPlayerIndex(h)) {
      releaseGrab(h);  // held long enough with nothing done: it shakes loose
    } else {
      start(h, "KNEE");
      holder.moves.grabTicks = kOpponentKneeTicks;
    }
  }
}
