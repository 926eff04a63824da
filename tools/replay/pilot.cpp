#include "pilot.h"

#include <cstdlib>

#include "sim/entity.h"

namespace {

constexpr int kFirstOpponent = 2;
constexpr int kStandOff = 80;       // how far to one side of the opponent a player strikes from
constexpr int kCloseEnough = 12;    // along the street
constexpr int kDepthEnough = 6;     // across it: blows land only within 20 pixels of foot line
constexpr int kStrikeEvery = 9;     // ticks between presses of attack: a combo's rhythm
constexpr int kJumpEvery = 400;     // now and then a jump, to show one
constexpr int kLeftmostSpot = 60;   // the stage's left edge holds everyone back from here

struct PilotState {
  uint8_t heldLast[kRecordedPlayers];
  int ticks;
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

// What player p holds this tick, and whether it strikes.
uint8_t steer(int p, bool* strike) {
  *strike = false;
  const int target = nearestOpponent(p);
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

void resetPilot() { pilot = PilotState{}; }

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
