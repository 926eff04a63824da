// Shared set-up for the simulation tests: a clean table, fixture scripts, keys, one whole tick.
#pragma once
#include <string>

#include "audio/sound.h"
#include "content/fighter_loader.h"
#include "content/script_lines.h"
#include "content/stage_loader.h"
#include "shell/input.h"
#include "shell/platform.h"
#include "sim/animation.h"
#include "sim/body.h"
#include "sim/combat.h"
#include "sim/control.h"
#include "sim/entity.h"
#include "sim/physics.h"
#include "sim/random.h"

namespace simtest {

// Input codes the tests bind player 1's actions to.
enum : int { kUp = 273, kDown = 274, kRight = 275, kLeft = 276, kAttack = 97, kJump = 115 };

inline std::string fixture(const std::string& name) {
  return std::string(BRAWLER_TEST_DATA) + "/sim/" + name + ".dat";
}

inline void clearKeys() {
  for (int c = 0; c <= kInputCodes; ++c) keyHeld[c] = keyPressed[c] = 0;
}
inline void hold(int code) { keyHeld[code] = -1; }
// A press is the poll's news that the key went down: it is held as well.
inline void press(int code) { keyHeld[code] = keyPressed[code] = -1; }
// What a new poll does to the pressed flags before any event arrives.
inline void nextPoll() {
  for (int c = 0; c <= kInputCodes; ++c) keyPressed[c] = 0;
}
inline void release(int code) { keyHeld[code] = keyPressed[code] = 0; }

// Clears entities 0..count-1 and the globals the simulation reads; player 1 is bound to the
// test codes. Every entity is free, kind 0 and with no script until a test says otherwise.
inline void resetSim(int count = 8) {
  platformHeadless = 1;
  for (int i = 0; i < count; ++i) {
    entities[i] = Entity{};
    entitySprites[i] = SpriteSet{};
  }
  playerCount = 2;
  lastEntity = count - 1;
  currentEntity = 0;
  gravity = 1;
  shakeX = shakeY = 0;
  floorBand = 768;  // the whole screen is floor unless a test narrows it
  clearKeys();
  for (int p = 1; p < kBindPlayers; ++p)
    bindUp[p] = bindDown[p] = bindLeft[p] = bindRight[p] = bindAttack[p] = bindJump[p] = 0;
  bindUp[0] = kUp;
  bindDown[0] = kDown;
  bindLeft[0] = kLeft;
  bindRight[0] = kRight;
  bindAttack[0] = kAttack;
  bindJump[0] = kJump;
  // A sound in each slot the game fills, so the log shows which slot played.
  for (int s = 0; s < 5; ++s) loadSound(std::string(BRAWLER_TEST_DATA) + "/sim/blip.wav", s);
  nullSoundsPlayed = 0;
  nullSoundLog.clear();
  seedRandom(1);
}

inline int soundsPlayed(int slot) {
  int n = 0;
  for (void* chunk : nullSoundLog) n += chunk == soundSlots[slot];
  return n;
}

// A live fighter at (x, y) with a body of w by h.
inline Entity& placeFighter(int e, int x, int y, double w = 60, double h = 150) {
  Entity& en = entities[e];
  en.alive = 1;
  en.kind = kKindFighter;
  en.x = static_cast<int16_t>(x);
  en.y = static_cast<int16_t>(y);
  en.walkSpeed = 5;
  en.jumpHeight = 20;
  en.hp = en.maxHp = 100;
  en.maxPower = 100;
  entitySprites[e].bodyWidth = w;
  entitySprites[e].bodyHeight = h;
  en.footY = roundedFootLine(e);
  return en;
}

// Gives entity e a fixture script, its statistics and a first animation.
inline void giveScript(int e, const std::string& name, const std::string& firstAnimation) {
  readScript(fixture(name), entitySprites[e].script);
  currentEntity = e;
  readStats(e);
  startAnimation(entitySprites[e], firstAnimation);
}

inline void loadEffects() {
  typeNames[kEffectsType] = "globals";
  typeKinds[kEffectsType] = kKindEffect;
  readScript(fixture("globals"), typeSprites[kEffectsType].script);
}

// The play loop's animation pass without the view culling (every test entity is in view).
inline void animationPass() {
  for (int e = 0; e <= lastEntity; ++e) {
    if (entities[e].alive != 1) continue;
    currentEntity = e;
    entities[e].footY = roundedFootLine(e);
    holdAtLeftEdge(e);
    stepAnimation(entitySprites[e]);
    if (entities[e].kind == kKindObject || entities[e].kind == kKindFighter)
      holdOnFloorBand(e, entities[e].footY);
  }
}

inline void decayShake() {
  if (--shakeX < 0) shakeX = 0;
  if (--shakeY < 0) shakeY = 0;
  if (shakeY > 15) shakeY = 15;
}

// One simulation tick in the play loop's order, input already set.
inline void tick() {
  updatePlayers();
  updatePhysics();
  animationPass();
  updateOpponents();
  resolveAttacks();
  decayShake();
}

}  // namespace simtest
