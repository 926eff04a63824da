// The entity record: everything that moves on a stage, and the tables that hold them.
#pragma once
#include <cstdint>
#include <string>

#include "content/entity_kind.h"
#include "content/sprite_set.h"
#include "sim/move_state.h"

constexpr int kEntityCount = 1001;     // entities 0..1000
constexpr int kSpawnLastSlot = 999;    // spawning never takes slot 1000
constexpr int kSceneryCount = 1001;    // scenery objects 0..1000


// Who writes what (readers are everywhere):
//   x, y, z         control (players), opponents, physics, scripts (MOVEFORWARD), combat
//                   knock-back, play loop (left edge, floor band), stage loader (placing)
//   xv, yv          control (jumps), scripts (SETXV/SETYV), combat (knock-back), physics
//   alive           stage start, spawning, scripts (DESTROY), opponents (death fade)
//   type, kind      stage loader, spawning; scenery uses kind as its layer
//   footY           play loop and control, every tick before use
//   statistics      readStats (weight, attacksAmount, jumpAttacksAmount, hp, maxHp,
//                   jumpHeight, walkSpeed); scripts write hp with SETHP
//   ai*, target,
//   targetDistance,
//   depthAligned,
//   inReach         opponents; combat and physics also set aiState/aiTimer
//   attack*, knock*,
//   hitEffect       scripts fill the pending attack, combat resolves it
//   hitList         combat adds victims, startAnimation clears it
//   playerState,
//   comboStep,
//   comboAllowed,
//   *TapTimer,
//   running         control; scripts, combat and physics also set playerState;
//                   COMBOALLOWED sets comboAllowed
//   power           combat
//   parallax        stage loader, scenery only
//   moves           the genre's moves (sim/move_state.h), under gameRules.genreMoves only
// The targets an attack has already struck since its animation started, one bit per entity
// slot: a victim is struck once per attack animation.
struct HitSet {
  static constexpr int kWords = (kEntityCount + 63) / 64;
  uint64_t words[kWords]{};
  bool has(int v) const { return (words[v / 64] >> (v % 64) & 1u) != 0; }
  void add(int v) { words[v / 64] |= uint64_t{1} << (v % 64); }
  void clear() {
    for (uint64_t& w : words) w = 0;
  }
};

// The record's fields, listed once: the struct below is declared from this list, and the
// world's snapshot, digest and field-by-field comparison walk the same list (sim/world.cpp),
// so a field added here is saved, restored and hashed with no other change.
// Every field starts at zero, so the tables below are zero from the start with no constructor
// run over them: a slot's memory is touched only once the game writes to that slot.
#define ENTITY_FIELDS(FIELD)          \
  FIELD(int16_t, x)                   \
  FIELD(int16_t, z)                   \
  FIELD(int16_t, y)                   \
  FIELD(int16_t, xv)                  \
  FIELD(int16_t, yv)                  \
  FIELD(int16_t, walkSpeed)           \
  FIELD(double, scriptWidth)          \
  FIELD(double, scriptHeight)         \
  FIELD(int32_t, alive)               \
  FIELD(int32_t, type)                \
  FIELD(int32_t, kind)                \
  FIELD(int32_t, footY)               \
  FIELD(RecordString, name)           \
  FIELD(int32_t, weight)              \
  FIELD(int32_t, down)                \
  FIELD(int32_t, aiTimer)             \
  FIELD(int32_t, aiState)             \
  FIELD(int32_t, target)              \
  FIELD(int32_t, inReach)             \
  FIELD(int32_t, attacksAmount)       \
  FIELD(int32_t, jumpAttacksAmount)   \
  FIELD(int32_t, attackPending)       \
  FIELD(int32_t, attackReach)         \
  FIELD(int32_t, attackKind)          \
  FIELD(double, hp)                   \
  FIELD(RecordString, landAnimation)  \
  FIELD(double, maxHp)                \
  FIELD(double, power)                \
  FIELD(int32_t, parallax)            \
  FIELD(double, maxPower)             \
  FIELD(HitSet, hitList)              \
  FIELD(int32_t, knockXv)             \
  FIELD(int32_t, knockYv)             \
  FIELD(int32_t, hitEffect)           \
  FIELD(int32_t, attackDamage)        \
  FIELD(int32_t, physicsOn)           \
  FIELD(int32_t, jumpHeight)          \
  FIELD(int32_t, targetDistance)      \
  FIELD(int32_t, depthAligned)        \
  FIELD(int32_t, comboStep)           \
  FIELD(int32_t, comboAllowed)        \
  FIELD(int32_t, facing)              \
  FIELD(int32_t, playerState)         \
  FIELD(int32_t, leftTapTimer)        \
  FIELD(int32_t, rightTapTimer)       \
  FIELD(int32_t, running)             \
  FIELD(MoveState, moves)

struct Entity {
  ENTITY_FIELDS(BRAWLER_DECLARE_FIELD)
};

enum Facing { kFacingRight = 0, kFacingLeft = 1 };  // kFacingRight faces +x

enum PlayerState {
  kPlayerIdle = 0, kPlayerMoving = 1, kPlayerJumpStart = 2, kPlayerAirborne = 3,
  kPlayerLanding = 4, kPlayerAttacking = 6, kPlayerHurt = 7, kPlayerDead = 9,
  // The genre's moves only: holding an opponent, held by one.
  kPlayerHolding = 10, kPlayerHeld = 11
};
enum AiState {
  kAiIdle = 0, kAiApproach = 1, kAiBusy = 2, kAiKnockedDown = 3, kAiJumping = 4,
  kAiLanding = 5, kAiDying = 6,
  // The genre's moves only: held by a player, holding one.
  kAiHeld = 7, kAiHolding = 8
};
enum AttackKind { kAttackMid = 0, kAttackLow = 1, kAttackKnockHigh = 2, kAttackKnockLow = 3 };

extern Entity entities[kEntityCount];
extern SpriteSet entitySprites[kEntityCount];
extern Entity sceneryObjects[kSceneryCount];
extern SpriteSet scenerySprites[kSceneryCount];

extern int32_t playerCount;
// The highest slot in use. It stays within -1..1000 (kEntityCount - 1): the stage setup's
// placing, spawning, clearWorld and restoreWorld, which alone write it, never take it past the
// table, so the passes over the table read it as it is.
extern int32_t lastEntity;
extern int32_t lastObject;
extern int32_t gravity;
extern int32_t shakeX;
extern int32_t shakeY;

// The start spot: where a player stands when a stage begins. The arcade puts player 2 a step
// to the right of it, so both can be seen.
constexpr int16_t kStartSpotX = 20;
constexpr int16_t kStartSpotY = 400;
constexpr int16_t kStartSpotStep = 60;

// Start-up values of the two players (name, position, speeds, hit points, power); every
// other field of their records zero.
void setPlayerDefaults();
