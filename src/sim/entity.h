// The entity record: everything that moves on a stage, and the tables that hold them.
#pragma once
#include <cstdint>
#include <string>

#include "content/sprite_set.h"

constexpr int kEntityCount = 1001;     // entities 0..1000
constexpr int kSpawnLastSlot = 999;    // spawning never takes slot 1000
constexpr int kSceneryCount = 1001;    // scenery objects 0..1000

enum EntityKind { kKindObject = 0, kKindFighter = 1, kKindEffect = 2 };

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
//   hitList         combat sets entries, startAnimation clears them
//   playerState,
//   comboStep,
//   comboAllowed,
//   *TapTimer,
//   running         control; scripts, combat and physics also set playerState;
//                   COMBOALLOWED sets comboAllowed
//   shownHp, gauge3 heads-up display (and the screen loop resets shownHp)
//   power           combat
//   parallax        stage loader, scenery only
// Every field starts at zero, so the tables below are zero from the start with no constructor
// run over them: a slot's memory is touched only once the game writes to that slot.
struct Entity {
  int16_t x{};
  int16_t z{};
  int16_t y{};
  double scriptWidth{};
  double scriptHeight{};
  int16_t xv{};
  int16_t yv{};
  int32_t alive{};
  int32_t type{};
  int32_t kind{};
  int32_t footY{};
  RecordString name{};
  int32_t weight{};
  int32_t down{};
  int32_t aiTimer{};
  int32_t aiState{};
  int32_t target{};
  int32_t inReach{};
  int32_t attacksAmount{};
  int32_t jumpAttacksAmount{};
  int32_t attackPending{};
  int32_t attackReach{};
  int32_t attackKind{};
  double hp{};
  RecordString landAnimation{};
  double maxHp{};
  double shownHp{};
  double power{};
  int32_t parallax{};
  double maxPower{};
  int32_t hitList[kEntityCount]{};
  double gauge3{};
  int32_t knockXv{};
  int32_t knockYv{};
  int32_t hitEffect{};
  int32_t attackDamage{};
  int32_t physicsOn{};
  int32_t jumpHeight{};
  int16_t walkSpeed{};
  int32_t targetDistance{};
  int32_t depthAligned{};
  int32_t comboStep{};
  int32_t comboAllowed{};
  int32_t facing{};  // 0 right (+x), 1 left
  int32_t playerState{};
  int32_t leftTapTimer{};
  int32_t rightTapTimer{};
  int32_t running{};
};

enum PlayerState {
  kPlayerIdle = 0, kPlayerMoving = 1, kPlayerJumpStart = 2, kPlayerAirborne = 3,
  kPlayerLanding = 4, kPlayerAttacking = 6, kPlayerHurt = 7, kPlayerDead = 9
};
enum AiState {
  kAiIdle = 0, kAiApproach = 1, kAiBusy = 2, kAiKnockedDown = 3, kAiJumping = 4,
  kAiLanding = 5, kAiDying = 6
};
enum AttackKind { kAttackMid = 0, kAttackLow = 1, kAttackKnockHigh = 2, kAttackKnockLow = 3 };

extern Entity entities[kEntityCount];
extern SpriteSet entitySprites[kEntityCount];
extern Entity sceneryObjects[kSceneryCount];
extern SpriteSet scenerySprites[kSceneryCount];

extern int32_t playerCount;
extern int32_t lastEntity;
extern int32_t currentEntity;
extern int32_t lastObject;
extern int32_t gravity;
extern int32_t shakeX;
extern int32_t shakeY;

// Start-up values of the two players (name, position, speeds, hit points, power).
void setPlayerDefaults();
