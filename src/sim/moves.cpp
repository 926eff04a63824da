// The genre's moves: their script commands, the player's pass around the design's handlers,
// and their own step of the tick. The rules themselves live in grab.cpp, all_round_attack.cpp and
// pickups.cpp.
#include "sim/moves.h"

#include <algorithm>

#include "base/numbers.h"
#include "base/saturate.h"
#include "sim/game_state.h"
#include "sim/moves_rules.h"

MoveTallies moveTallies;

bool movesOn() { return gameRules.genreMoves == 1; }

MoveTally* tallyOf(int e) { return e >= 0 && e < playerCount && e < kTalliedPlayers ? &moveTallies.player[e] : nullptr; }

void count(int e, int32_t MoveTally::*deed, int32_t times) {
  if (MoveTally* t = tallyOf(e)) t->*deed = saturate32(int64_t{t->*deed} + times);
}

const PlayerCommand& moveCommand(int p) {
  static const PlayerCommand kNone{};
  return p >= 0 && p < kCommandPlayers ? playerCommands[p] : kNone;
}

bool isPlayerIndex(int e) { return e >= 0 && e < playerCount; }
int directionOf(int32_t facing) { return facing == kFacingLeft ? -1 : 1; }
int32_t facingToward(int direction) { return direction < 0 ? kFacingLeft : kFacingRight; }

bool moveStateEmpty(const MoveState& m) {
  bool empty = true;
#define CHECK_MOVE_FIELD(type, name) empty = empty && m.name == 0;
  MOVE_FIELDS(CHECK_MOVE_FIELD)
#undef CHECK_MOVE_FIELD
  return empty;
}

bool moveTalliesEmpty(const MoveTallies& t) {
  bool empty = true;
#define CHECK_TALLY_FIELD(type, name) empty = empty && t.player[p].name == 0;
  for (int p = 0; p < kTalliedPlayers; ++p) {
    MOVE_TALLY_FIELDS(CHECK_TALLY_FIELD)
  }
#undef CHECK_TALLY_FIELD
  return empty;
}

namespace {

void setPending(Entity& e, int32_t move, int32_t reach, int32_t effect, int32_t damage,
                int32_t knockX, int32_t knockY) {
  e.moves.pendingMove = move;
  e.moves.moveReach = reach;
  e.moves.moveEffect = effect;
  e.moves.moveDamage = damage;
  e.moves.moveKnockX = knockX;
  e.moves.moveKnockY = knockY;
}

int32_t argument(const ScriptCommand& c, int i) { return roundToInt(c.arg[i]); }

int32_t hitCount(const HitSet& hits) {
  int32_t count = 0;
  for (uint64_t word : hits.words) count += __builtin_popcountll(word);
  return count;
}

// A swing with the weapon in hand: an ordinary attack of the pending kind, every third blow that
// lands a knock-down. Without a weapon the line does nothing.
void swingWeapon(Entity& e, const ScriptCommand& c) {
  if (e.moves.weapon == kItemNone) return;
  e.attackPending = 1;
  e.attackReach = argument(c, 0);
  e.hitEffect = argument(c, 1);
  e.attackDamage = argument(c, 2);
  e.knockXv = argument(c, 3);
  e.knockYv = argument(c, 4);
  const bool third = (e.moves.weaponStrikes + 1) % kKneesPerHold == 0;
  e.attackKind = third ? kAttackKnockHigh : kAttackMid;
  e.moves.pendingMove = kMoveWeaponSwing;
  e.moves.swingHitsBefore = hitCount(e.hitList);
}

}  // namespace

int32_t newHitsSinceSwing(const Entity& e) { return hitCount(e.hitList) - e.moves.swingHitsBefore; }

void applyMoveStatistic(Entity& e, const ScriptCommand& c) {
  if (!movesOn()) return;
  if (c.keyword == kScriptGrabbable) e.moves.ungrabbable = argument(c, 0) == 0 ? 1 : 0;
  if (c.keyword == kScriptGrabs) e.moves.grabsPlayers = argument(c, 0) != 0 ? 1 : 0;
}

void runMoveCommand(int self, const ScriptCommand& c) {
  if (!movesOn() || self < 0 || self >= kEntityCount) return;
  Entity& e = entities[self];
  switch (c.keyword) {
    case kScriptGrabbable:
    case kScriptGrabs: applyMoveStatistic(e, c); break;
    case kScriptAttackHeld:
      setPending(e, kMoveKnee, 0, argument(c, 1), argument(c, 0), argument(c, 2), argument(c, 3));
      break;
    case kScriptThrowHeld:
      setPending(e, kMoveThrow, 0, 0, argument(c, 0), argument(c, 1), argument(c, 2));
      break;
    case kScriptAttackAllRound:
      setPending(e, kMoveAllRound, argument(c, 0), argument(c, 1), argument(c, 2), argument(c, 3),
                 argument(c, 4));
      break;
    case kScriptInvincible: e.moves.invincible = std::max(0, argument(c, 0)); break;
    case kScriptDropItem: dropItem(self, itemKindNamed(c.name), 0); break;
    case kScriptAttackWeapon: swingWeapon(e, c); break;
    case kScriptThrowWeapon:
      if (e.moves.weapon == kItemKnife)
        setPending(e, kMoveThrowWeapon, argument(c, 0), 0, argument(c, 1), 0, 0);
      break;
    default: break;
  }
}

void movesBeforeControl(int p) {
  if (!movesOn()) return;
  if (holdBeforeControl(p)) return;
  if (startKnifeThrow(p)) return;
  if (startSpecial(p)) return;
  pickUpOrSwing(p);
}

void movesAfterControl(int p) {
  if (!movesOn()) return;
  tryPlayerGrab(p);
  showWeaponStance(p);
}

namespace {

void resolvePendingMoves() {
  const int last = lastEntity;
  for (int e = 0; e <= last; ++e) {
    Entity& self = entities[e];
    const int32_t move = self.moves.pendingMove;
    if (move == kMoveNone) continue;
    self.moves.pendingMove = kMoveNone;
    if (self.alive != 1) continue;
    switch (move) {
      case kMoveKnee: resolveKnee(e); break;
      case kMoveThrow: resolveThrow(e); break;
      case kMoveAllRound: resolveAllRound(e); break;
      case kMoveThrowWeapon: resolveWeaponThrow(e); break;
      default: break;  // a weapon's swing was worn by wearWeapons
    }
  }
}

void countDownInvincibility() {
  for (int e = 0; e <= lastEntity; ++e)
    if (entities[e].moves.invincible > 0) entities[e].moves.invincible -= 1;
}

}  // namespace

void updateMoves() {
  if (!movesOn()) return;
  wearWeapons();
  resolvePendingMoves();
  opponentsGrab();
  opponentsPickUp();
  opponentsSwingWeapons();
  flyThrownBodies();
  flyKnives();
  dropWeaponsOnKnockDown();
  showOpponentsWeapons();
  keepHolds();
  countDownInvincibility();
}
