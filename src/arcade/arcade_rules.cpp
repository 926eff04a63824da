// The arcade's rules on the stage: when it is cleared, when the game is over, and the players'
// fresh start and second chance.
#include "arcade/arcade.h"
#include "arcade/score.h"

#include "content/stage_loader.h"
#include "render/stage_scene.h"
#include "shell/input.h"
#include "shell/window.h"
#include "sim/animation.h"
#include "sim/entity.h"

namespace {

constexpr int32_t kPlayerSlots = 2;  // a game has one or two players, entities 0 and 1


// Back on their feet where they fell, with full health.
void standUpWhole(int p) {
  Entity& pl = entities[p];
  pl.hp = pl.maxHp;
  hudGauges[p].shownHp = pl.hp;
  pl.down = 0;
  pl.running = 0;
  pl.playerState = kPlayerIdle;
  startAnimation(entitySprites[p], "STAND");
}

}  // namespace

bool stageCleared() {
  // A dying opponent is still alive until its fade frees the slot.
  for (int e = playerCount; e <= lastEntity; ++e)
    if (entities[e].alive == 1 && entities[e].kind == kKindFighter) return false;
  for (int p = 0; p < arcade.players && p < kPlayerSlots; ++p) {
    const Entity& pl = entities[p];
    if (pl.alive == 1 && pl.hp > 0 && pl.x >= stageEnd - screenWidth) return true;
  }
  return false;
}

bool everyPlayerDown() {
  for (int p = 0; p < arcade.players && p < kPlayerSlots; ++p)
    if (entities[p].playerState != kPlayerDead) return false;
  return arcade.players > 0;
}

void revivePlayers() {
  for (int p = 0; p < arcade.players && p < kPlayerSlots; ++p) standUpWhole(p);
}

void spendLivesOnFalls() {
  for (int p = 0; p < arcade.players && p < kPlayerSlots; ++p) {
    if (entities[p].playerState != kPlayerDead || scores.lives[p] <= 0) continue;
    scores.lives[p] -= 1;
    if (scores.lives[p] > 0) standUpWhole(p);
  }
}

void readyPlayersForStage() {
  for (int p = 0; p < kPlayerSlots; ++p) {
    Entity& pl = entities[p];
    pl.x = static_cast<int16_t>(kStartSpotX + p * kStartSpotStep);
    pl.y = kStartSpotY;
    pl.z = 0;
    pl.hp = pl.maxHp;  // a player who fell on the last stage comes back whole
    pl.xv = 0;
    pl.yv = 0;
    pl.physicsOn = 0;
    pl.down = 0;
    pl.running = 0;
    pl.comboAllowed = 0;
    pl.attackPending = 0;
    pl.playerState = kPlayerIdle;
    pl.kind = kKindFighter;  // a spark may have borrowed player 2's empty slot last stage
  }
}

bool anyPlayerPressed(int action) {
  for (int p = 0; p < arcade.players && p < kCommandPlayers; ++p)
    if (playerCommands[p].pressed[action] != 0) return true;
  return false;
}
