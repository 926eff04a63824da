#include "fairness_players.h"

#include <cmath>
#include <cstdlib>
#include <string>

#include "sim/body.h"
#include "sim/entity.h"
#include "sim/player_command.h"

namespace {

constexpr int kSight = 1024;          // a screen's width: what stands farther is not in play yet
constexpr double kLane = 8;           // foot lines this close count as lined up (blows need 20)
constexpr double kPlainLane = 10;     // the plain player's looser idea of lined up
constexpr double kBlowDepth = 20;     // foot lines this far apart never trade blows
constexpr int kStrikeRange = 95;      // a jab lands from the body's front out to about this far
constexpr int kComboReach = 70;       // a kick's reach past the touching bodies, less a margin
constexpr double kDodgeDepth = 40;    // foot lines this far apart are safe from any blow
constexpr int kDodgeTurnRow = 600;    // a threat below this row is dodged upward, above it downward
constexpr int kSafeDistance = 220;    // off its line and this far away, nothing reaches
constexpr int kCrowdReach = 140;      // the special's reach from the centre, a body included
constexpr int kThrowLanding = 260;    // a thrown body comes down within this far behind
constexpr int kHandsFullReach = 200;  // others this close make a hold too risky to keep
constexpr int kKneesBeforeThrow = 2;  // two knees, then over the shoulder: more than three knees
constexpr int kItemSearch = 1200;     // an item this far along the street is worth the walk
constexpr int kPickUpSlack = 16;      // close enough along the street to take an item
constexpr int kPropSearch = 700;      // a prop this far ahead is broken on the way
constexpr int kPropBeforeFoe = 400;   // ...unless an opponent is nearer than this
constexpr int kChargeWatch = 400;     // a run or a jump from this close is dodged
// Health below which food is worth its walk: a small meal gives back a quarter, a feast all.
constexpr double kFoodBelow = 0.75;
constexpr double kFeastBelow = 0.6;
constexpr double kSpecialAbove = 0.25;  // the special costs 8 %: not when that would leave little

uint8_t bit(int action) { return static_cast<uint8_t>(1u << action); }
// Held every other tick: a press each time.
uint8_t tap(const ScriptedHands& hands, int action) { return (hands.held & bit(action)) != 0 ? 0 : bit(action); }

const Entity& self(int p) { return entities[p]; }
int dxTo(int p, int e) { return entities[e].x - entities[p].x; }
double depthTo(int p, int e) { return footLine(e) - footLine(p); }
int toward(int dx) { return dx > 0 ? kActionRight : kActionLeft; }
int away(int dx) { return dx > 0 ? kActionLeft : kActionRight; }
bool facing(int p, int dx) { return (dx >= 0) == (self(p).facing == kFacingRight); }

bool isItem(int e) { return entities[e].alive == 1 && entities[e].moves.itemKind != kItemNone; }
bool standing(int e) {
  const Entity& o = entities[e];
  return o.alive == 1 && o.kind == kKindFighter && o.hp > 0 && o.aiState != kAiDying && !isItem(e);
}
bool onFeet(int e) { return standing(e) && entities[e].down == 0 && entities[e].physicsOn == 0; }
bool isBoss(int e) { return entities[e].moves.ungrabbable == 1; }
// Within a screen, or left behind: the stage is not cleared while anyone stands.
bool inPlay(int p, int e) { return std::abs(dxTo(p, e)) < kSight || dxTo(p, e) < 0; }

// The opponent to deal with: the nearest standing one in play, on its feet before one lying
// down, the boss's gang before the boss.
int nearestFoe(int p) {
  int best = -1;
  double bestCost = 0;
  for (int e = playerCount; e <= lastEntity; ++e) {
    if (!standing(e) || !inPlay(p, e)) continue;
    const double cost = std::abs(dxTo(p, e)) + std::fabs(depthTo(p, e)) + (onFeet(e) ? 0 : kSight) +
                        (isBoss(e) ? kSight / 2 : 0);
    if (best < 0 || cost < bestCost) best = e, bestCost = cost;
  }
  return best;
}

bool swinging(int e) {
  const std::string animation = entitySprites[e].animation.str();
  return animation.rfind("QUICKATTACK", 0) == 0 || animation == "PIPEATTACK";
}

// Two or more on their feet within the special's reach, one of them already swinging: the moment
// the special pays for itself.
bool crowded(int p) {
  int count = 0;
  bool swing = false;
  for (int e = playerCount; e <= lastEntity; ++e) {
    if (!onFeet(e) || std::abs(dxTo(p, e)) >= kCrowdReach || std::fabs(depthTo(p, e)) >= kBlowDepth) continue;
    ++count;
    swing = swing || swinging(e);
  }
  return count >= 2 && swing;
}

// A wind-up, a charge, a jump or a rise that comes up swinging: the moments to be off its line.
bool winding(int e) {
  const std::string animation = entitySprites[e].animation.str();
  for (const char* threat : {"QUICKATTACK", "HAMMER", "RUNATTACK", "JUMP", "GETUP", "FALLLAND", "RUN"})
    if (animation.rfind(threat, 0) == 0) return true;
  return false;
}

// Running or flying at the player along its line: a blow best not met head on.
bool charging(int p, int e) {
  const std::string animation = entitySprites[e].animation.str();
  const bool rushing = animation == "RUN" || animation == "RUNATTACK" || animation.rfind("JUMP", 0) == 0;
  return rushing && std::abs(dxTo(p, e)) < kChargeWatch && std::fabs(depthTo(p, e)) < kDodgeDepth;
}

// A threat to step away from before anything else: a boss winding up close by, or anyone
// running or flying at the player along its line.
int threat(int p) {
  for (int e = playerCount; e <= lastEntity; ++e) {
    if (!standing(e) || !inPlay(p, e)) continue;
    const bool near = std::abs(dxTo(p, e)) < kSafeDistance && std::fabs(depthTo(p, e)) < kDodgeDepth;
    if ((isBoss(e) && near && winding(e)) || charging(p, e)) return e;
  }
  return -1;
}

// Walks toward (x, foot line), lining up in depth on the way; 0 once there.
uint8_t walkTo(int p, int x, double foot, int slackX) {
  uint8_t held = 0;
  const double depth = foot - footLine(p);
  if (std::fabs(depth) > kLane) held |= bit(depth > 0 ? kActionDown : kActionUp);
  const int dx = x - self(p).x;
  if (std::abs(dx) > slackX) held |= bit(toward(dx));
  return held;
}

// The item worth a walk, nearest first: food by how hurt the player is, a weapon when its hands
// are empty.
int wantedItem(int p) {
  const Entity& me = self(p);
  int best = -1;
  for (int e = 0; e <= lastEntity; ++e) {
    if (!isItem(e) || std::abs(dxTo(p, e)) > kItemSearch) continue;
    const int32_t kind = entities[e].moves.itemKind;
    const bool wanted = kind == kItemFood    ? me.hp < kFoodBelow * me.maxHp
                        : kind == kItemFeast ? me.hp < kFeastBelow * me.maxHp
                                             : me.moves.weapon == kItemNone;
    if (wanted && (best < 0 || std::abs(dxTo(p, e)) < std::abs(dxTo(p, best)))) best = e;
  }
  return best;
}

uint8_t fetch(int p, int item, const ScriptedHands& hands) {
  const uint8_t held = walkTo(p, entities[item].x, footLine(item), kPickUpSlack);
  return held != 0 ? held : tap(hands, kActionAttack);
}

// A prop standing ahead, not yet tumbling: broken on the way for what is inside.
int propAhead(int p) {
  int best = -1;
  for (int e = playerCount; e <= lastEntity; ++e) {
    const Entity& o = entities[e];
    if (o.alive != 1 || o.kind != kKindObject || isItem(e) || o.physicsOn != 0) continue;
    const int dx = dxTo(p, e);
    if (dx < -kStrikeRange || dx > kPropSearch) continue;
    if (best < 0 || dx < dxTo(p, best)) best = e;
  }
  return best;
}

// Lined up and facing it within reach, taps attack; else walks there. Once a combo has begun it
// keeps going for as long as the target stays within a blow's reach.
uint8_t strike(int p, int target, const ScriptedHands& hands) {
  const int dx = dxTo(p, target);
  const double depth = depthTo(p, target);
  const int touching = int(entitySprites[target].bodyWidth + entitySprites[p].bodyWidth) / 2;
  if (self(p).playerState == kPlayerAttacking && std::abs(dx) <= touching + kComboReach)
    return tap(hands, kActionAttack);
  uint8_t held = 0;
  if (std::fabs(depth) > kLane) held |= bit(depth > 0 ? kActionDown : kActionUp);
  // Too close in, a blow passes over the target: step back, far enough that turning to face
  // it (a step toward) still leaves room.
  const int nearest = int(entitySprites[p].bodyWidth) / 4;
  if (std::abs(dx) > kStrikeRange) return held | bit(toward(dx));
  if (!facing(p, dx)) return held | bit(std::abs(dx) >= nearest + self(p).walkSpeed ? toward(dx) : away(dx));
  if (std::abs(dx) < nearest) return held | bit(away(dx));
  if (std::fabs(depth) <= kLane) return held | tap(hands, kActionAttack);
  return held;
}

// Off the threat's line and back out of its reach; far enough off, it waits there.
uint8_t dodge(int p, int e) {
  const bool offLine = std::fabs(depthTo(p, e)) >= kDodgeDepth;
  // To the side of the street with more room beside the threat's line: a choice that stays put
  // while the player crosses rows.
  uint8_t held = offLine ? 0 : bit(footLine(e) > kDodgeTurnRow ? kActionUp : kActionDown);
  if (!offLine || std::abs(dxTo(p, e)) < kSafeDistance) held |= bit(away(dxTo(p, e)));
  return held;
}

// Others on their feet close enough to strike the player while its hands are full.
bool othersNear(int p, int except) {
  for (int e = playerCount; e <= lastEntity; ++e)
    if (e != except && onFeet(e) && std::abs(dxTo(p, e)) < kHandsFullReach &&
        std::fabs(depthTo(p, e)) < kBlowDepth)
      return true;
  return false;
}

// Holding one: knees, then a throw over the shoulder; at once when others stand behind to be
// bowled over or come close.
uint8_t holdControls(int p, const ScriptedHands& hands) {
  const Entity& me = self(p);
  const int held = me.moves.grabPartner;
  const int ahead = held >= 0 && held < kEntityCount ? dxTo(p, held) : (me.facing == kFacingRight ? 1 : -1);
  bool crowdBehind = false;
  for (int e = playerCount; e <= lastEntity; ++e) {
    const int dx = dxTo(p, e);
    if (e != held && onFeet(e) && (dx > 0) != (ahead > 0) && std::abs(dx) < kThrowLanding &&
        std::fabs(depthTo(p, e)) < kBlowDepth)
      crowdBehind = true;
  }
  const uint8_t attack = tap(hands, kActionAttack);
  const bool hurry = crowdBehind || othersNear(p, held);
  if (hurry || me.moves.knees >= kKneesBeforeThrow) return attack | (attack != 0 ? bit(away(ahead)) : 0);
  return attack;
}

// Walks straight into a gang member on its feet and not swinging: the walk itself takes hold.
bool grabbable(int p, int e) {
  const Entity& o = entities[e];
  return !isBoss(e) && self(p).moves.weapon == kItemNone && onFeet(e) && o.moves.invincible == 0 &&
         (o.aiState == kAiIdle || o.aiState == kAiApproach) && !othersNear(p, e);
}

uint8_t walkInto(int p, int e) {
  const double depth = depthTo(p, e);
  uint8_t held = std::fabs(depth) > kLane ? bit(depth > 0 ? kActionDown : kActionUp) : 0;
  return held | bit(toward(dxTo(p, e)));
}

uint8_t throwKnife(int p, int target, const ScriptedHands& hands) {
  const int dx = dxTo(p, target);
  const double depth = depthTo(p, target);
  if (std::fabs(depth) > kLane) return bit(depth > 0 ? kActionDown : kActionUp);
  if (!facing(p, dx)) return bit(toward(dx));
  return tap(hands, kActionAttack) | tap(hands, kActionJump);
}

bool canAct(int p) {
  const int32_t state = self(p).playerState;
  return state == kPlayerIdle || state == kPlayerMoving || state == kPlayerAttacking;
}

}  // namespace

uint8_t plainControls(int p, const ScriptedHands& hands, const std::vector<int>& targets) {
  int target = -1;
  for (int e : targets)
    if (standing(e) && (target < 0 || std::abs(dxTo(p, e)) < std::abs(dxTo(p, target)))) target = e;
  if (target < 0) return 0;
  const int dx = dxTo(p, target);
  const double depth = depthTo(p, target);
  uint8_t held = 0;
  if (std::fabs(depth) > kPlainLane) held |= bit(depth > 0 ? kActionDown : kActionUp);
  const int reachFrom = int(entitySprites[p].bodyWidth) / 2;
  if (std::abs(dx) > kStrikeRange || !facing(p, dx)) return held | bit(toward(dx));
  if (std::fabs(depth) <= kPlainLane && std::abs(dx) >= reachFrom / 2) return held | tap(hands, kActionAttack);
  return held;
}

uint8_t masherControls(int p, const ScriptedHands& hands) {
  const int foe = nearestFoe(p);
  return foe < 0 ? 0 : plainControls(p, hands, {foe});
}

uint8_t sensibleControls(int p, const ScriptedHands& hands) {
  const Entity& me = self(p);
  if (me.playerState == kPlayerHeld)  // mash the directions to get loose
    return (hands.held & bit(kActionLeft)) != 0 ? bit(kActionRight) : bit(kActionLeft);
  if (me.playerState == kPlayerHolding) return holdControls(p, hands);
  if (!canAct(p)) return 0;
  const int foe = nearestFoe(p);
  const bool free = me.playerState != kPlayerAttacking;
  if (foe >= 0 && me.moves.weapon == kItemKnife && free) return throwKnife(p, foe, hands);
  if (crowded(p) && me.hp > kSpecialAbove * me.maxHp && free) return tap(hands, kActionAttack) | tap(hands, kActionJump);
  const int item = wantedItem(p);
  if (item >= 0 && free) return fetch(p, item, hands);
  // Props first while the next gang is still a way off: what they hold may be wanted soon.
  const int prop = propAhead(p);
  if (prop >= 0 && (foe < 0 || std::abs(dxTo(p, foe)) > kPropBeforeFoe)) return strike(p, prop, hands);
  if (foe < 0) return bit(kActionRight);
  if (isBoss(foe) && winding(foe) && std::abs(dxTo(p, foe)) < kChargeWatch) return dodge(p, foe);
  const int danger = threat(p);
  if (danger >= 0) return dodge(p, danger);
  if (grabbable(p, foe) && free) return walkInto(p, foe);
  return strike(p, foe, hands);
}

TickInput handsInput(int p, uint8_t held, ScriptedHands& hands) {
  TickInput input{};
  if (p >= 0 && p < kRecordedPlayers) {
    input.held[p] = held;
    input.pressed[p] = static_cast<uint8_t>(held & ~hands.held);
  }
  hands.held = held;
  return input;
}
