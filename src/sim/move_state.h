// What an entity is doing with the genre's moves (grabs, throws, the special, items), kept in
// its record so that snapshots, rollback and the digest carry it like any other field. Every
// field is zero on an entity that has never grabbed, been grabbed, carried or dropped anything.
#pragma once
#include <cstdint>

#include "base/field_list.h"

// grabRole values.
enum GrabRole : int32_t { kGrabNone = 0, kGrabHolding = 1, kGrabHeld = 2 };

// pendingMove values: a script command fills one in, the moves step resolves it in the same
// tick, after the attacks.
enum PendingMove : int32_t {
  kMoveNone = 0, kMoveKnee = 1, kMoveThrow = 2, kMoveAllRound = 3, kMoveThrowWeapon = 4,
  kMoveWeaponSwing = 5
};

// Items lying on the street (itemKind) and weapons in hand (weapon).
enum ItemKind : int32_t { kItemNone = 0, kItemFood = 1, kItemFeast = 2, kItemPipe = 3, kItemKnife = 4 };

// Who writes what:
//   grabRole, grabPartner, grabTicks, knees, mash   the grab rules (sim/grab.cpp)
//   ungrabbable, grabsPlayers                       GRABBABLE and GRABS lines (statistics or commands)
//   invincible                                      INVINCIBLE; the moves step counts it down
//   pendingMove, move*                              ATTACKHELD, THROWHELD, ATTACKALLROUND, THROWWEAPON
//   specialPaid                                     the special (sim/all_round_attack.cpp)
//   thrownDamage, thrownBy                          a throw; cleared when the body lands
//   weapon, weaponHits, weaponStrikes,
//   swingHitsBefore                                 pick-ups (sim/pickups.cpp); ATTACKWEAPON wears it
//   itemKind, itemUses                              DROPITEM and a dropped weapon: the item on the street
//   knifeFlying                                     a thrown knife on its way (its damage in moveDamage,
//                                                   its thrower in thrownBy, its lane in moveReach)
#define MOVE_FIELDS(FIELD)          \
  FIELD(int32_t, grabRole)          \
  FIELD(int32_t, grabPartner)       \
  FIELD(int32_t, grabTicks)         \
  FIELD(int32_t, knees)             \
  FIELD(int32_t, mash)              \
  FIELD(int32_t, ungrabbable)       \
  FIELD(int32_t, grabsPlayers)      \
  FIELD(int32_t, invincible)        \
  FIELD(int32_t, pendingMove)       \
  FIELD(int32_t, moveReach)         \
  FIELD(int32_t, moveEffect)        \
  FIELD(int32_t, moveDamage)        \
  FIELD(int32_t, moveKnockX)        \
  FIELD(int32_t, moveKnockY)        \
  FIELD(int32_t, specialPaid)       \
  FIELD(int32_t, thrownDamage)      \
  FIELD(int32_t, thrownBy)          \
  FIELD(int32_t, weapon)            \
  FIELD(int32_t, weaponHits)        \
  FIELD(int32_t, weaponStrikes)     \
  FIELD(int32_t, swingHitsBefore)   \
  FIELD(int32_t, itemKind)          \
  FIELD(int32_t, itemUses)          \
  FIELD(int32_t, knifeFlying)

struct MoveState {
  MOVE_FIELDS(BRAWLER_DECLARE_FIELD)
};

// True when every field is zero: an entity the moves never touched.
bool moveStateEmpty(const MoveState& m);

// What each player has done with the moves on this stage, counted as it happens: the arcade's
// points are read off it, and a recorded fight can show that it still shows the move it was
// recorded for. The grab and item rules write it (players only); a stage start empties it.
#define MOVE_TALLY_FIELDS(FIELD) \
  FIELD(int32_t, grabs)          /* opponents taken hold of */                 \
  FIELD(int32_t, knees)          /* knees landed on a held opponent */         \
  FIELD(int32_t, throws)         /* held opponents thrown over the shoulder */ \
  FIELD(int32_t, bowledOver)     /* opponents a thrown body landed on */       \
  FIELD(int32_t, specialsLanded) /* specials that hit someone */               \
  FIELD(int32_t, foodEaten)      /* food and feasts taken */                   \
  FIELD(int32_t, weaponsTaken)   /* pipes and knives picked up */              \
  FIELD(int32_t, weaponBlows)    /* blows a swung weapon landed */             \
  FIELD(int32_t, knivesThrown)                                                 \
  FIELD(int32_t, knifeHits)      /* thrown knives that struck */               \
  FIELD(int32_t, timesHeld)      /* grabbed by an opponent */                  \
  FIELD(int32_t, brokeFree)      /* mashed loose from an opponent's hold */

struct MoveTally {
  MOVE_TALLY_FIELDS(BRAWLER_DECLARE_FIELD)
};

constexpr int kTalliedPlayers = 2;
struct MoveTallies {
  MoveTally player[kTalliedPlayers];
};
extern MoveTallies moveTallies;

// True when nothing has been counted: a fight under the design's rules.
bool moveTalliesEmpty(const MoveTallies& t);
