#include "sim/combat.h"

#include <cmath>

#include "base/numbers.h"
#include "sim/game_state.h"
#include "base/saturate.h"
#include "sim/animation.h"
#include "sim/body.h"
#include "sim/entity.h"
#include "sim/sound_requests.h"
#include "sim/random.h"
#include "sim/rect.h"
#include "sim/spawn.h"

namespace {

constexpr double kDepthReach = 20;     // foot lines this far apart or more never connect
constexpr int32_t kJitterSpan = 60;    // the effect lands up to 30 pixels off the box centre
constexpr int32_t kKnockSpread = 4;    // knock-back speeds vary by 0..3
constexpr int32_t kObjectPush = 5;
constexpr int32_t kFighterPush = 15;
constexpr int16_t kAirHitXv = 7;
constexpr int16_t kAirHitYv = 10;
constexpr int32_t kKnockDownShake = 15;
constexpr int kLightHitSound = 0;
constexpr int kKnockDownSound = 1;
constexpr int kSpark = 0;
constexpr int kBlood = 1;

bool facesLeft(const Entity& e) { return e.facing == kFacingLeft; }
bool isKnockDown(int32_t attackKind) {
  return attackKind == kAttackKnockHigh || attackKind == kAttackKnockLow;
}
bool isPlayer(int e) { return e < playerCount; }
bool isLow(int32_t attackKind) { return attackKind == kAttackLow || attackKind == kAttackKnockLow; }

}  // namespace

Rect attackHitBox(int a) {
  const Entity& e = entities[a];
  const double w = entitySprites[a].bodyWidth, h = entitySprites[a].bodyHeight;
  const int32_t top = e.y - e.z;
  Rect box{};
  if (facesLeft(e)) {
    box.left = roundToInt(e.x - w - e.attackReach);
    box.right = roundToInt(e.x - w / 2);
  } else {
    box.left = roundToInt(e.x + w / 2);
    box.right = roundToInt(e.x + w + e.attackReach);
  }
  box.top = roundToInt(top + (isLow(e.attackKind) ? h / 2 : h / 4));
  box.bottom = roundToInt(top + (isLow(e.attackKind) ? h : h / 2));
  return box;
}

Rect bodyHitBox(int v) {
  const Entity& e = entities[v];
  const double w = entitySprites[v].bodyWidth, h = entitySprites[v].bodyHeight;
  const int32_t top = e.y - e.z;
  return Rect{roundToInt(e.x - w / 2), roundToInt(e.x + w / 2), top, roundToInt(top + h)};
}

namespace {

// Halved toward zero; wide enough that the far edges of an absurd reach cannot overflow.
int32_t midpoint(int32_t a, int32_t b) {
  return static_cast<int32_t>((static_cast<int64_t>(a) + b) / 2);
}

int32_t jitter() { return randomBelow(kJitterSpan) - kJitterSpan / 2; }

void spawnEffect(int16_t x, int16_t y, const char* animation) {
  spawnEntity(x, y, kEffectsType, animation);
}

// A fighter sparks or bleeds as the attack says; an effect number beyond those shows nothing.
void spawnFighterEffect(const Entity& attacker, int16_t fx, int16_t fy, const char* spark) {
  if (attacker.hitEffect == kSpark) spawnEffect(fx, fy, spark);
  if (attacker.hitEffect == kBlood) spawnEffect(fx, fy, "BLOODSPURT");
}

// Knock-down speeds: away from the attacker, a little random either way.
void knockBack(const Entity& attacker, Entity& victim) {
  const int64_t along = facesLeft(attacker) ? -int64_t{attacker.knockXv} : attacker.knockXv;
  victim.xv = wrapWide16(along - 2 + randomBelow(kKnockSpread));
  victim.yv = wrapWide16(int64_t{attacker.knockYv} - 2 + randomBelow(kKnockSpread));
  victim.physicsOn = 1;
}

void push(const Entity& attacker, Entity& victim, int32_t distance) {
  victim.x = wrap16(victim.x + (facesLeft(attacker) ? -distance : distance));
}

void objectReaction(const Entity& attacker, int v, int16_t fx, int16_t fy) {
  Entity& victim = entities[v];
  if (isKnockDown(attacker.attackKind)) {
    spawnEffect(fx, fy, "BIGSPARK");
    knockBack(attacker, victim);
    startAnimation(entitySprites[v], "FALL");
    return;
  }
  push(attacker, victim, kObjectPush);
  spawnEffect(fx, fy, "SMALLSPARK");
  startAnimation(entitySprites[v], "DAMAGE");
}

// An opponent's blow on a player weighs what the difficulty makes it.
double damageDealt(int a, int v) {
  const double damage = entities[a].attackDamage;
  if (isPlayer(a) || !isPlayer(v)) return damage;
  return scaledByPercent(damage, gameRules.opponentDamagePercent);
}

void fighterReaction(int a, int v, int16_t fx, int16_t fy) {
  const Entity& attacker = entities[a];
  Entity& victim = entities[v];
  SpriteSet& sprite = entitySprites[v];
  if (isKnockDown(attacker.attackKind)) {
    spawnFighterEffect(attacker, fx, fy, "BIGSPARK");
    requestSound(kKnockDownSound);
    knockBack(attacker, victim);
    victim.aiTimer = 2;
    startAnimation(sprite, "FALL");
    victim.aiState = kAiKnockedDown;
    victim.playerState = kPlayerHurt;
    shakeX = kKnockDownShake;
  } else {
    push(attacker, victim, kFighterPush);
    spawnFighterEffect(attacker, fx, fy, "SMALLSPARK");
    requestSound(kLightHitSound);
    if (victim.physicsOn == 0) {
      startAnimation(sprite, attacker.attackKind == kAttackLow ? "LOWDAMAGE" : "HIGHDAMAGE");
      victim.playerState = kPlayerHurt;
      victim.aiState = kAiBusy;
    } else {
      // Hit in the air: thrown away from the attacker and down it goes.
      victim.xv = facesLeft(attacker) ? -kAirHitXv : kAirHitXv;
      victim.yv = kAirHitYv;
      startAnimation(sprite, "FALL");
      victim.aiState = kAiKnockedDown;
      victim.playerState = kPlayerHurt;
    }
    victim.aiTimer = 2;
  }
  victim.hp -= damageDealt(a, v);
}

// The hit itself: the attacker's list and power gauge, and the victim's reaction.
void strike(int a, int v, int16_t fx, int16_t fy) {
  Entity& attacker = entities[a];
  const Entity& victim = entities[v];
  attacker.hitList.add(v);
  attacker.power += attacker.attackDamage / 10.0;
  if (attacker.power > attacker.maxPower) attacker.power = attacker.maxPower;
  if (victim.kind == kKindObject) objectReaction(attacker, v, fx, fy);
  if (victim.kind == kKindFighter) fighterReaction(a, v, fx, fy);
}

void resolveAttack(int a, int lastVictim) {
  Entity& attacker = entities[a];
  attacker.attackPending = 0;
  const Rect box = attackHitBox(a);
  const double attackerFoot = footLine(a);
  for (int v = 0; v <= lastVictim; ++v) {
    Entity& victim = entities[v];
    // Items on the street are no targets; nothing of the design's rules makes one.
    if (victim.alive != 1 || v == a || victim.moves.itemKind != kItemNone) continue;
    const Rect body = bodyHitBox(v);
    // The jitter is drawn for every victim looked at, hit or not, so the sequence of random
    // numbers depends on who stands on the stage.
    const int16_t fx = wrapWide16(int64_t{midpoint(box.left, box.right)} + jitter());
    const int16_t fy = wrapWide16(int64_t{midpoint(box.top, box.bottom)} + jitter());
    const bool teammate = gameRules.friendlyFire == 0 && isPlayer(a) && isPlayer(v);
    const bool lands = !teammate && std::fabs(attackerFoot - footLine(v)) < kDepthReach &&
                       rectsOverlap(body, box) && !attacker.hitList.has(v) && victim.down == 0 &&
                       victim.moves.invincible == 0;
    if (!lands) continue;
    strike(a, v, fx, fy);
  }
}

}  // namespace

bool canBeStruck(int v) {
  const Entity& victim = entities[v];
  return victim.alive == 1 && victim.down == 0 && victim.moves.invincible == 0 &&
         victim.moves.itemKind == kItemNone &&
         (victim.kind == kKindFighter || victim.kind == kKindObject);
}

void landBlow(int a, int v, const Blow& blow, int direction) {
  Entity& attacker = entities[a];
  const Entity saved = attacker;
  attacker.attackKind = blow.kind;
  attacker.hitEffect = blow.effect;
  attacker.attackDamage = blow.damage;
  attacker.knockXv = blow.knockX;
  attacker.knockYv = blow.knockY;
  attacker.facing = direction < 0 ? kFacingLeft : kFacingRight;
  const Rect body = bodyHitBox(v);
  const int16_t fx = wrapWide16(int64_t{midpoint(body.left, body.right)} + jitter());
  const int16_t fy = wrapWide16(int64_t{body.top} + (body.bottom - body.top) / 4 + jitter());
  strike(a, v, fx, fy);
  attacker.attackKind = saved.attackKind;
  attacker.hitEffect = saved.hitEffect;
  attacker.attackDamage = saved.attackDamage;
  attacker.knockXv = saved.knockXv;
  attacker.knockYv = saved.knockYv;
  attacker.facing = saved.facing;
}

void resolveAttacks() {
  // Effects spawned by this tick's hits join the table above the counts taken here; they are
  // first looked at in the next tick.
  const int lastAttacker = lastEntity;
  for (int a = 0; a <= lastAttacker; ++a) {
    if (entities[a].attackPending == 1) resolveAttack(a, lastAttacker);
  }
}
