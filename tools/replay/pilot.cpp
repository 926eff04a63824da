#include "pilot.h"

#include <cstdlib>

#include "sim/entity.h"
#include "sim/player_command.h"

namespace {

constexpr int kFirstOpponent = 2;
constexpr int kStandOff = 80;       // how far to one side of the opponent a player strikes from
constexpr int kCloseEnough = 12;    // along the street
constexpr int kDepthEnough = 6;     // across it: blows land only within 20 pixels of foot line
constexpr int kStrikeEvery = 9;     // ticks between presses of attack: a combo's rhythm
constexpr int kJumpEvery = 400;     // now and then a jump, to show one
constexpr int kLeftmostSpot = 60;   // the stage's left edge holds everyone back from here

constexpr int kItemSearch = 600;     // an item this far along the street is worth the walk
constexpr int kCrowdReach = 120;     // two opponents this close call for the special
constexpr int kKnifeRange = 180;     // a knife is thrown from at least this far

struct PilotState {
  uint8_t heldLast[kRecordedPlayers];
  int ticks;
  bool genreMoves;
};
PilotState pilot;

uint8_t bit(int action) { return static_cast<uint8_t>(1u << action); }

double footLine(int e) { return entities[e].y + entitySprites[e].bodyHeight; }

int nearestOpponent(int p) {
  int best = -1;
  for (int e = kFirstOpponent; e <= lastEntity && e < kEntityCount; ++e) {
    const Entity& o = entities[e];
    if (o.alive != 1 || o.kind != kKindFighter || o.hp <= 0) continue;
    if (best < 0 || std::abs(o.x - entities[p].x) < std::abs(entities[best].x - entities[p].x)) best = e;
  }
  return best;
}

// Walks to (x, foot line); true once there.
bool walkTo(int p, int x, double foot, uint8_t* held) {
  const int dx = x - entities[p].x;
  const double dy = foot - footLine(p);
  *held = 0;
  if (dy > kDepthEnough) *held |= bit(kActionDown);
  if (dy < -kDepthEnough) *held |= bit(kActionUp);
  if (dx > kCloseEnough) *held |= bit(kActionRight);
  if (dx < -kCloseEnough) *held |= bit(kActionLeft);
  return *held == 0;
}

// The item worth taking nearest along the street: food when hurt, a weapon when empty-handed.
int wantedItem(int p) {
  const Entity& self = entities[p];
  int best = -1;
  for (int e = 0; e <= lastEntity && e < kEntityCount; ++e) {
    const Entity& item = entities[e];
    if (item.alive != 1 || item.moves.itemKind == kItemNone || std::abs(item.x - self.x) > kItemSearch) continue;
    const bool food = item.moves.itemKind == kItemFood || item.moves.itemKind == kItemFeast;
    if (food ? self.hp > 0.8 * self.maxHp : self.moves.weapon != kItemNone) continue;
    if (best < 0 || std::abs(item.x - self.x) < std::abs(entities[best].x - self.x)) best = e;
  }
  return best;
}

int opponentsWithin(int p, int reach) {
  int count = 0;
  for (int e = kFirstOpponent; e <= lastEntity && e < kEntityCount; ++e) {
    const Entity& o = entities[e];
    if (o.alive == 1 && o.kind == kKindFighter && o.hp > 0 && o.down == 0 && std::abs(o.x - entities[p].x) <= reach &&
        std::abs(footLine(e) - footLine(p)) < 20)
      ++count;
  }
  return count;
}

// Player 1's genre moves, when one applies this tick: true with the controls in *held.
bool moves(int p, int target, uint8_t* held) {
  const Entity& self = entities[p];
  const bool beat = (pilot.ticks + p) % kStrikeEvery == 0;
  *held = 0;
  if (self.playerState == kPlayerHeld) {  // mash free
    *held = bit(pilot.ticks % 2 ? kActionLeft : kActionRight);
    return true;
  }
  if (self.playerState == kPlayerHolding) {  // one knee, then over the shoulder
    const PlayerAction away = self.facing == 0 ? kActionLeft : kActionRight;
    if (beat) *held = static_cast<uint8_t>(bit(kActionAttack) | (self.moves.knees >= 1 ? bit(away) : 0));
    return true;
  }
  if (p != 0) return false;
  const int item = wantedItem(p);
  if (item >= 0) {
    if (walkTo(p, entities[item].x, footLine(item), held) && beat) *held = bit(kActionAttack);
    return true;
  }
  if (target < 0) return false;
  const bool lined = std::abs(footLine(target) - footLine(p)) < kDepthEnough;
  if (self.moves.weapon == kItemKnife && lined && std::abs(entities[target].x - self.x) >= kKnifeRange) {
    const bool facesTarget = (self.facing == 0) == (entities[target].x > self.x);
    if (facesTarget && beat) *held = static_cast<uint8_t>(bit(kActionAttack) | bit(kActionJump));
    if (!facesTarget) *held = bit(entities[target].x > self.x ? kActionRight : kActionLeft);
    return true;
  }
  if (opponentsWithin(p, kCrowdReach) >= 2 && self.hp > 0.3 * self.maxHp && beat) {
    *held = static_cast<uint8_t>(bit(kActionAttack) | bit(kActionJump));
    return true;
  }
  // Walk straight into a grabbable opponent: the walk itself takes hold.
  if (entities[target].moves.ungrabbable == 0 && self.moves.weapon == kItemNone && !beat) {
    walkTo(p, entities[target].x, footLine(target), held);
    return *held != 0;
  }
  return false;
}

// What player p holds this tick, and whether it strikes.
uint8_t steer(int p, bool* strike) {
  *strike = false;
  const int target = nearestOpponent(p);
  uint8_t chosen = 0;
  if (pilot.genreMoves && moves(p, target, &chosen)) return chosen;
  if (target < 0) return bit(kActionRight);
  // From the side the player is on already, so as not to walk through the opponent; from the
  // right when the left has no room.
  int side = entities[p].x < entities[target].x ? -1 : 1;
  if (entities[target].x - kStandOff < kLeftmostSpot) side = 1;
  const int dx = entities[target].x + side * kStandOff - entities[p].x;
  const double dy = footLine(target) - footLine(p);
  uint8_t held = 0;
  if (dy > kDepthEnough) held |= bit(kActionDown);
  if (dy < -kDepthEnough) held |= bit(kActionUp);
  if (dx > kCloseEnough) held |= bit(kActionRight);
  if (dx < -kCloseEnough) held |= bit(kActionLeft);
  if (held != 0) return held;
  // In place: face the opponent, then strike.
  const bool facesRight = entities[p].facing == 0;
  const bool opponentRight = entities[target].x > entities[p].x;
  if (facesRight != opponentRight) return bit(opponentRight ? kActionRight : kActionLeft);
  *strike = (pilot.ticks + p) % kStrikeEvery == 0;
  return 0;
}

}  // namespace

void resetPilot(bool genreMoves) {
  pilot = PilotState{};
  pilot.genreMoves = genreMoves;
}

TickInput pilotTick() {
  TickInput input{};
  for (int p = 0; p < kRecordedPlayers; ++p) {
    bool strike = false;
    uint8_t held = steer(p, &strike);
    if (strike) held |= bit(kActionAttack);
    if ((pilot.ticks + 1) % kJumpEvery == 0 && p == 0) held |= bit(kActionJump);
    input.held[p] = held;
    // A control pressed is one held now that was not held in the tick before.
    input.pressed[p] = static_cast<uint8_t>(held & ~pilot.heldLast[p]);
    pilot.heldLast[p] = held;
  }
  ++pilot.ticks;
  return input;
}
