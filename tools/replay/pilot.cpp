#include "pilot.h"

#include <cstdlib>

#include "content/script_lines.h"
#include "sim/entity.h"
#include "sim/move_state.h"
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

constexpr int kLaneApart = 30;       // a lane this far off passes an opponent without a grab
constexpr int kJumpOver = 110;       // an opponent this close in front is jumped over
constexpr int kInTheWay = 300;       // on the way to a prop, an opponent this close is fought

struct PilotState {
  uint8_t heldLast[kRecordedPlayers];
  int ticks;
  bool genreMoves;
  int show;
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

// ---- one move shown ----

struct ShowName {
  const char* name;
  int show;
  bool (*done)(const MoveTally& p1, const MoveTally& p2);
};
const ShowName kShows[] = {
    {"grab", kShowGrab, [](const MoveTally& t, const MoveTally&) { return t.grabs >= 1; }},
    {"knees", kShowKnees, [](const MoveTally& t, const MoveTally&) { return t.knees >= 3; }},
    {"throw", kShowThrowIntoCrowd, [](const MoveTally& t, const MoveTally&) { return t.bowledOver >= 1; }},
    {"food", kShowFood, [](const MoveTally& t, const MoveTally&) { return t.foodEaten >= 1; }},
    {"pipe", kShowPipe, [](const MoveTally& t, const MoveTally&) { return t.weaponBlows >= 2; }},
    {"knife", kShowKnife, [](const MoveTally& t, const MoveTally&) { return t.knifeHits >= 1; }},
    {"allround", kShowSpecial, [](const MoveTally& t, const MoveTally&) { return t.specialsLanded >= 1; }},
    {"breakfree", kShowBreakFree,
     [](const MoveTally& a, const MoveTally& b) { return a.brokeFree + b.brokeFree >= 1; }},
};

bool alive(int e) { return e >= 0 && entities[e].alive == 1; }
bool standingOpponent(int e) {
  const Entity& o = entities[e];
  return o.alive == 1 && o.kind == kKindFighter && o.hp > 0;
}
int sideOf(int p, int e) { return entities[e].x < entities[p].x ? -1 : 1; }
bool sameLane(int p, int e) { return std::abs(footLine(e) - footLine(p)) < kDepthEnough + 9; }
uint8_t toward(int p, int e) { return bit(sideOf(p, e) < 0 ? kActionLeft : kActionRight); }

// The item a prop's script leaves when it breaks (its DROPITEM line), kItemNone for none.
int32_t itemInside(int e) {
  const SpriteSet& s = entitySprites[e];
  for (int i = 0; i < kScriptLineCount; ++i) {
    const ScriptCommand& c = scriptCommand(s.script, i);
    if (c.keyword != kScriptDropItem) continue;
    if (c.name == "FOOD") return kItemFood;
    if (c.name == "FEAST") return kItemFeast;
    if (c.name == "PIPE") return kItemPipe;
    if (c.name == "KNIFE") return kItemKnife;
  }
  return kItemNone;
}

// The nearest standing prop that leaves `kind`, or the nearest item of that kind lying about.
int nearestWith(int p, int32_t kind, bool lying) {
  int best = -1;
  for (int e = kFirstOpponent; e <= lastEntity && e < kEntityCount; ++e) {
    const Entity& o = entities[e];
    const bool fits = lying ? o.alive == 1 && o.moves.itemKind == kind
                            : o.alive == 1 && o.kind == kKindObject && o.hp > 0 && itemInside(e) == kind;
    if (!fits) continue;
    if (best < 0 || std::abs(o.x - entities[p].x) < std::abs(entities[best].x - entities[p].x)) best = e;
  }
  return best;
}

// Takes the item when standing on it: attack on the beat.
uint8_t takeItem(int p, int item, bool beat) {
  uint8_t held = 0;
  if (walkTo(p, entities[item].x, footLine(item), &held) && beat) held = bit(kActionAttack);
  return held;
}

// Lines up beside a prop (or an opponent) facing it; then `strike` on the beat.
uint8_t strikeAt(int p, int e, uint8_t strike, bool beat) {
  int side = entities[p].x < entities[e].x ? -1 : 1;
  if (entities[e].x - kStandOff < kLeftmostSpot) side = 1;
  uint8_t held = 0;
  if (!walkTo(p, entities[e].x + side * kStandOff, footLine(e), &held)) return held;
  if ((entities[p].facing == 0) != (entities[e].x > entities[p].x)) return toward(p, e);
  return beat ? strike : 0;
}

// Walks into an opponent, on the lane beside it when another stands in the way (jumping over
// one close in front), so that the one walked into is `target`.
uint8_t walkInto(int p, int target) {
  for (int e = kFirstOpponent; e <= lastEntity && e < kEntityCount; ++e) {
    if (e == target || !standingOpponent(e) || sideOf(p, e) != sideOf(p, target)) continue;
    const int gap = std::abs(entities[e].x - entities[p].x);
    if (gap >= std::abs(entities[target].x - entities[p].x)) continue;
    if (gap < kJumpOver && sameLane(p, e)) return static_cast<uint8_t>(toward(p, target) | bit(kActionJump));
  }
  uint8_t held = 0;
  walkTo(p, entities[target].x, footLine(target), &held);
  return held != 0 ? held : toward(p, target);
}

int nearestGrabbable(int p) {
  int best = -1;
  for (int e = kFirstOpponent; e <= lastEntity && e < kEntityCount; ++e) {
    if (!standingOpponent(e) || entities[e].moves.ungrabbable != 0 || entities[e].down != 0) continue;
    if (best < 0 || std::abs(entities[e].x - entities[p].x) < std::abs(entities[best].x - entities[p].x)) best = e;
  }
  return best;
}

// An opponent on the lane on the other side of p from e, near enough for a thrown body to reach.
bool crowdBehind(int p, int e) {
  for (int o = kFirstOpponent; o <= lastEntity && o < kEntityCount; ++o)
    if (o != e && standingOpponent(o) && sideOf(p, o) != sideOf(p, e) && sameLane(p, o) &&
        std::abs(entities[o].x - entities[p].x) < 2 * kCrowdReach)
      return true;
  return false;
}

uint8_t showThrow(int p, bool beat) {
  const Entity& self = entities[p];
  const PlayerAction away = self.facing == 0 ? kActionLeft : kActionRight;
  if (self.playerState == kPlayerHolding)
    return crowdBehind(p, self.moves.grabPartner) && beat ? static_cast<uint8_t>(bit(kActionAttack) | bit(away)) : 0;
  // The one to grab: the nearest with another on the far side of the player; else the farther
  // of two on one side, walked to past the nearer one.
  int target = -1;
  for (int e = kFirstOpponent; e <= lastEntity && e < kEntityCount; ++e)
    if (standingOpponent(e) && entities[e].moves.ungrabbable == 0 && crowdBehind(p, e) &&
        (target < 0 || std::abs(entities[e].x - self.x) < std::abs(entities[target].x - self.x)))
      target = e;
  if (target >= 0) return walkInto(p, target);
  const int nearest = nearestGrabbable(p);
  if (nearest < 0) return bit(kActionRight);
  int farther = -1;
  for (int e = kFirstOpponent; e <= lastEntity && e < kEntityCount; ++e)
    if (e != nearest && standingOpponent(e) && sideOf(p, e) == sideOf(p, nearest) &&
        std::abs(entities[e].x - self.x) < 3 * kCrowdReach &&
        (farther < 0 || std::abs(entities[e].x - self.x) > std::abs(entities[farther].x - self.x)))
      farther = e;
  return walkInto(p, farther >= 0 ? farther : nearest);
}

uint8_t fight(int p, bool* strike);

uint8_t showMove(int p, bool* strike) {
  const Entity& self = entities[p];
  const bool beat = (pilot.ticks + p) % kStrikeEvery == 0;
  if (self.playerState == kPlayerHeld) return bit(pilot.ticks % 2 ? kActionLeft : kActionRight);
  if (p != 0) return 0;
  const uint8_t special = static_cast<uint8_t>(bit(kActionAttack) | bit(kActionJump));
  const int target = nearestGrabbable(p);
  switch (pilot.show) {
    case kShowGrab:
      if (self.playerState == kPlayerHolding || target < 0) return 0;
      return walkInto(p, target);
    case kShowKnees:
      if (self.playerState == kPlayerHolding) return beat ? bit(kActionAttack) : 0;
      return target < 0 ? 0 : walkInto(p, target);
    case kShowThrowIntoCrowd: return showThrow(p, beat);
    case kShowFood: {
      const int food = nearestWith(p, kItemFood, true);
      if (food >= 0) return takeItem(p, food, beat);
      const int crate = nearestWith(p, kItemFood, false);
      return crate < 0 ? 0 : strikeAt(p, crate, special, beat);
    }
    case kShowPipe:
    case kShowKnife: {
      const int32_t kind = pilot.show == kShowPipe ? kItemPipe : kItemKnife;
      if (self.moves.weapon == kItemNone) {
        const int item = nearestWith(p, kind, true);
        if (item >= 0) return takeItem(p, item, beat);
        const int prop = nearestWith(p, kind, false);
        if (prop < 0) return 0;
        // Fights its way there: whoever stands in the way first.
        const int foe = nearestOpponent(p);
        const bool inTheWay = foe >= 0 && std::abs(entities[foe].x - self.x) < kInTheWay &&
                              std::abs(entities[foe].x - self.x) < std::abs(entities[prop].x - self.x);
        return inTheWay ? fight(p, strike) : strikeAt(p, prop, bit(kActionAttack), beat);
      }
      const int foe = nearestOpponent(p);
      if (foe < 0) return bit(kActionRight);
      if (kind == kItemPipe) return strikeAt(p, foe, bit(kActionAttack), beat);
      // Lined up with the opponent and facing it, from wherever it stands.
      uint8_t held = 0;
      if (std::abs(footLine(foe) - footLine(p)) >= kDepthEnough) {
        walkTo(p, self.x, footLine(foe), &held);
        return held;
      }
      if ((self.facing == 0) != (entities[foe].x > self.x)) return toward(p, foe);
      return beat ? special : 0;
    }
    case kShowSpecial:
      if (target >= 0 && opponentsWithin(p, kCrowdReach) >= 2) return beat ? special : 0;
      return target < 0 ? 0 : strikeAt(p, target, 0, false);
    case kShowBreakFree:
      // Stands on the nearest opponent's lane facing it, a little way off, and waits.
      if (target < 0) return 0;
      if (std::abs(entities[target].x - self.x) > 700) return toward(p, target);
      if (!sameLane(p, target)) {
        uint8_t held = 0;
        walkTo(p, self.x, footLine(target), &held);
        return held;
      }
      return (self.facing == 0) != (entities[target].x > self.x) ? toward(p, target) : 0;
    default: return 0;
  }
}

// What player p holds this tick, and whether it strikes.
uint8_t steer(int p, bool* strike) {
  *strike = false;
  return pilot.show != kShowWholeFight ? showMove(p, strike) : fight(p, strike);
}

uint8_t fight(int p, bool* strike) {
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

void resetPilot(bool genreMoves, int show) {
  pilot = PilotState{};
  pilot.genreMoves = genreMoves;
  pilot.show = show;
}

int pilotShowNamed(const std::string& name) {
  for (const ShowName& s : kShows)
    if (name == s.name) return s.show;
  return -1;
}

bool pilotShowDone() {
  for (const ShowName& s : kShows)
    if (s.show == pilot.show) return s.done(moveTallies.player[0], moveTallies.player[1]);
  return false;
}

TickInput pilotTick() {
  TickInput input{};
  for (int p = 0; p < kRecordedPlayers; ++p) {
    bool strike = false;
    uint8_t held = steer(p, &strike);
    if (strike) held |= bit(kActionAttack);
    if ((pilot.ticks + 1) % kJumpEvery == 0 && p == 0 && pilot.show == kShowWholeFight) held |= bit(kActionJump);
    input.held[p] = held;
    // A control pressed is one held now that was not held in the tick before.
    input.pressed[p] = static_cast<uint8_t>(held & ~pilot.heldLast[p]);
    pilot.heldLast[p] = held;
  }
  ++pilot.ticks;
  return input;
}
