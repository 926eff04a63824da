// Things on the street: food that gives health back and weapons to pick up. A prop's script
// leaves them (DROPITEM); they lie where they fell until someone takes one (attack while standing
// on it) or the stage ends. A pipe swings harder and further and floors on every third blow; a
// knife flies when thrown (attack and jump). Weapons wear out, and fall from a hand knocked down.
#include <cmath>
#include <cstdlib>
#include <string>

#include "base/numbers.h"
#include "base/saturate.h"
#include "content/sprite_set.h"
#include "sim/animation.h"
#include "sim/body.h"
#include "sim/camera.h"
#include "sim/combat.h"
#include "sim/game_state.h"
#include "sim/moves.h"
#include "sim/moves_rules.h"
#include "sim/spawn.h"

namespace {

constexpr int32_t kPipeHits = 8;          // blows a pipe lands before it breaks
constexpr int32_t kKnifeThrows = 1;       // a knife is thrown once
constexpr int32_t kPickUpReach = 30;      // an item this close to the centre line can be taken
constexpr int32_t kKnifeMargin = 100;     // a knife this far outside the view is gone
constexpr int32_t kKnifeRange = 150;      // an opponent throws its knife from at least this far
constexpr double kFoodShare = 0.25;       // a small meal gives back this share of the maximum
constexpr int32_t kBloodEffect = 1;

struct ItemName {
  const char* name;       // DROPITEM's argument
  int32_t kind;
  const char* animation;  // the effects script's block the item shows
  int32_t uses;
};
const ItemName kItems[] = {
    {"FOOD", kItemFood, "ITEMFOOD", 1},
    {"FEAST", kItemFeast, "ITEMFEAST", 1},
    {"PIPE", kItemPipe, "ITEMPIPE", kPipeHits},
    {"KNIFE", kItemKnife, "ITEMKNIFE", kKnifeThrows},
};

const ItemName* itemOfKind(int32_t kind) {
  for (const ItemName& item : kItems)
    if (item.kind == kind) return &item;
  return nullptr;
}

void start(int e, const char* name) { startAnimation(entitySprites[e], name); }
bool animationIs(int e, const char* name) { return entitySprites[e].animation == name; }
bool justStarted(int e) {
  const SpriteSet& s = entitySprites[e];
  return s.finished == 0 && s.scriptLine == s.beginLine;
}

bool isWeapon(int32_t kind) { return kind == kItemPipe || kind == kItemKnife; }
const char* weaponPrefix(int32_t kind) { return kind == kItemPipe ? "PIPE" : "KNIFE"; }

// The item lying under e's feet that e may take, or -1.
int itemUnder(int e, bool weaponsOnly) {
  const double foot = footLine(e);
  for (int i = 0; i <= lastEntity; ++i) {
    const Entity& item = entities[i];
    if (item.alive != 1 || item.moves.itemKind == kItemNone) continue;
    if (weaponsOnly && !isWeapon(item.moves.itemKind)) continue;
    if (isWeapon(item.moves.itemKind) && entities[e].moves.weapon != kItemNone) continue;
    if (std::abs(item.x - entities[e].x) > kPickUpReach || std::fabs(footLine(i) - foot) >= kBlowDepth)
      continue;
    return i;
  }
  return -1;
}

void take(int e, int i) {
  Entity& self = entities[e];
  Entity& item = entities[i];
  switch (item.moves.itemKind) {
    case kItemFood:
      self.hp = std::fmin(self.hp + kFoodShare * self.maxHp, self.maxHp);
      count(e, &MoveTally::foodEaten);
      break;
    case kItemFeast:
      self.hp = std::fmax(self.hp, self.maxHp);
      count(e, &MoveTally::foodEaten);
      break;
    default:
      count(e, &MoveTally::weaponsTaken);
      self.moves.weapon = item.moves.itemKind;
      self.moves.weaponHits = item.moves.itemUses;
      self.moves.weaponStrikes = 0;
      break;
  }
  item.alive = 0;
  item.moves = MoveState{};
  start(e, "PICKUP");
}

bool onFeet(const Entity& e) {
  return (e.playerState == kPlayerIdle || e.playerState == kPlayerMoving) && e.physicsOn == 0 &&
         e.moves.grabRole == kGrabNone;
}

// Knocked off its feet: lying, falling or thrown. A player keeps the knocked-down state of its
// last fall, so a landing from its own jump sets `down` too, for the tick before its idle step
// clears it: that is no fall.
bool floored(int e) {
  const Entity& self = entities[e];
  const bool hurt = !isPlayerIndex(e) || self.playerState == kPlayerHurt || self.playerState == kPlayerDead;
  return (self.down == 1 && hurt) || animationIs(e, "FALL") || animationIs(e, "THROWN");
}

void startPlayerMove(int p, const char* name) {
  Entity& self = entities[p];
  startAnimation(entitySprites[p], name);
  self.playerState = kPlayerAttacking;
  self.down = 0;  // standing to act, as the idle step would have it
  self.comboStep = 0;
  self.comboAllowed = 0;
  self.running = 0;
}

// An opponent's freshly chosen attack, before its first line has run.
bool choseAttack(int o) {
  return entities[o].aiState == kAiBusy && justStarted(o) &&
         entitySprites[o].animation.str().rfind("QUICKATTACK", 0) == 0;
}

}  // namespace

int32_t itemKindNamed(const std::string& name) {
  for (const ItemName& item : kItems)
    if (name == item.name) return item.kind;
  return kItemNone;
}

bool pickUpArea(int i, Rect* area) {
  const Entity& item = entities[i];
  if (!movesOn() || item.alive != 1 || item.moves.itemKind == kItemNone) return false;
  const double foot = footLine(i);
  *area = Rect{item.x - kPickUpReach, item.x + kPickUpReach, roundToInt(foot - kBlowDepth),
               roundToInt(foot + kBlowDepth)};
  return true;
}

void dropItem(int e, int32_t kind, int32_t uses) {
  const ItemName* item = itemOfKind(kind);
  if (item == nullptr || e < 0 || e >= kEntityCount) return;
  const Entity& from = entities[e];
  const double foot = footLine(e);
  const int i = spawnEntity(from.x, from.y, kEffectsType, item->animation);
  if (i < 0) return;
  Entity& dropped = entities[i];
  // On the floor where the dropper's feet were: the item's own foot line is theirs.
  dropped.y = roundToInt16(foot - entitySprites[i].bodyHeight);
  dropped.z = 0;
  dropped.facing = from.facing;
  dropped.moves.itemKind = kind;
  dropped.moves.itemUses = uses > 0 ? uses : item->uses;
}

bool startKnifeThrow(int p) {
  Entity& self = entities[p];
  const PlayerCommand& c = moveCommand(p);
  const bool attack = c.pressed[kActionAttack] != 0 || c.held[kActionAttack] != 0;
  const bool jump = c.pressed[kActionJump] != 0 || c.held[kActionJump] != 0;
  if (self.moves.weapon != kItemKnife || !onFeet(self) || !attack || !jump ||
      (c.pressed[kActionAttack] == 0 && c.pressed[kActionJump] == 0))
    return false;
  startPlayerMove(p, "KNIFETHROW");
  return true;
}

bool pickUpOrSwing(int p) {
  Entity& self = entities[p];
  if (!onFeet(self) || moveCommand(p).pressed[kActionAttack] == 0) return false;
  const int item = itemUnder(p, false);
  if (item >= 0) {
    startPlayerMove(p, "PICKUP");
    take(p, item);
    return true;
  }
  if (self.moves.weapon != kItemPipe) return false;
  startPlayerMove(p, "PIPEATTACK");
  return true;
}

void showWeaponStance(int e) {
  const int32_t weapon = entities[e].moves.weapon;
  if (!isWeapon(weapon)) return;
  // A fighter whose script draws no such block keeps the plain one rather than a name that
  // runs nothing.
  for (const char* plain : {"STAND", "WALK"}) {
    const std::string armed = std::string(weaponPrefix(weapon)) + plain;
    if (animationIs(e, plain) && hasAnimation(entitySprites[e], armed)) startAnimation(entitySprites[e], armed);
  }
}

bool walksArmed(int e) {
  const int32_t weapon = entities[e].moves.weapon;
  return isWeapon(weapon) && entitySprites[e].animation.str() == std::string(weaponPrefix(weapon)) + "WALK";
}

void showOpponentsWeapons() {
  for (int o = playerCount; o <= lastEntity; ++o)
    if (entities[o].alive == 1 && entities[o].kind == kKindFighter) showWeaponStance(o);
}

void opponentsPickUp() {
  for (int o = playerCount; o <= lastEntity; ++o) {
    Entity& self = entities[o];
    if (self.alive != 1 || self.kind != kKindFighter || self.moves.weapon != kItemNone ||
        self.physicsOn != 0 || self.moves.grabRole != kGrabNone ||
        !(self.aiState == kAiIdle || self.aiState == kAiApproach))
      continue;
    const int item = itemUnder(o, true);
    if (item < 0) continue;
    take(o, item);
    self.aiState = kAiBusy;
  }
}

// An opponent with a pipe swings it instead of its fists; one with a knife throws it from afar
// when it lines up with its target.
void opponentsSwingWeapons() {
  for (int o = playerCount; o <= lastEntity; ++o) {
    Entity& self = entities[o];
    if (self.alive != 1 || self.kind != kKindFighter) continue;
    if (self.moves.weapon == kItemPipe && choseAttack(o)) start(o, "PIPEATTACK");
    const bool lined = self.depthAligned == 1 && self.targetDistance >= kKnifeRange;
    if (self.moves.weapon == kItemKnife && self.aiState == kAiApproach && justStarted(o) && lined) {
      start(o, "KNIFETHROW");
      self.aiState = kAiBusy;
    }
  }
}

void resolveWeaponThrow(int e) {
  Entity& self = entities[e];
  if (self.moves.weapon != kItemKnife) return;
  const int direction = directionOf(self.facing);
  const double halfWidth = entitySprites[e].bodyWidth / 2;
  const int16_t x = roundToInt16(self.x + direction * halfWidth);
  const int k = spawnEntity(x, self.y, kEffectsType, "KNIFEFLY");
  count(e, &MoveTally::knivesThrown);
  self.moves.weapon = kItemNone;
  self.moves.weaponHits = 0;
  if (k < 0) return;
  Entity& knife = entities[k];
  knife.facing = self.facing;
  knife.z = self.z;
  knife.xv = wrap16(direction * self.moves.moveReach);
  knife.moves.knifeFlying = 1;
  knife.moves.moveDamage = self.moves.moveDamage;
  knife.moves.thrownBy = e;
  knife.moves.moveReach = roundToInt(footLine(e));  // the lane it flies along
}

void flyKnives() {
  const int last = lastEntity;
  for (int k = 0; k <= last; ++k) {
    Entity& knife = entities[k];
    if (knife.alive != 1 || knife.moves.knifeFlying != 1) continue;
    knife.x = wrap16(knife.x + knife.xv);
    if (knife.x < int64_t{cameraX} - kKnifeMargin || knife.x > int64_t{cameraX} + kViewWidth + kKnifeMargin) {
      knife.alive = 0;
      continue;
    }
    const int thrower = entityIndexOrZero(knife.moves.thrownBy);
    for (int v = 0; v <= last; ++v) {
      if (v == thrower || isPlayerIndex(v) == isPlayerIndex(thrower) || !canBeStruck(v) ||
          entities[v].kind != kKindFighter)
        continue;
      const Rect body = groundBodyRect(v);
      if (knife.x < body.left || knife.x > body.right ||
          std::fabs(footLine(v) - knife.moves.moveReach) >= kBlowDepth)
        continue;
      if (entities[v].moves.grabRole != kGrabNone) releaseGrab(v);
      const Blow blow{kAttackMid, kBloodEffect, knife.moves.moveDamage, 0, 0};
      landBlow(k, v, blow, knife.xv < 0 ? -1 : 1);
      if (isPlayerIndex(thrower)) entities[thrower].hitList.add(v);
      count(thrower, &MoveTally::knifeHits);
      knife.alive = 0;
      break;
    }
  }
}

void wearWeapons() {
  for (int e = 0; e <= lastEntity; ++e) {
    Entity& self = entities[e];
    if (self.moves.pendingMove != kMoveWeaponSwing || newHitsSinceSwing(self) <= 0) continue;
    count(e, &MoveTally::weaponBlows, newHitsSinceSwing(self));
    self.moves.weaponStrikes += 1;
    self.moves.weaponHits -= 1;
    if (self.moves.weaponHits > 0) continue;
    self.moves.weapon = kItemNone;  // broken in the hand
    self.moves.weaponStrikes = 0;
  }
}

void dropWeaponsOnKnockDown() {
  for (int e = 0; e <= lastEntity; ++e) {
    Entity& self = entities[e];
    if (self.alive != 1 || !isWeapon(self.moves.weapon)) continue;
    if (!floored(e)) continue;
    const int32_t weapon = self.moves.weapon, left = self.moves.weaponHits;
    self.moves.weapon = kItemNone;
    self.moves.weaponHits = 0;
    self.moves.weaponStrikes = 0;
    dropItem(e, weapon, left);
  }
}
