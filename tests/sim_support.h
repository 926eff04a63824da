// Shared set-up for the simulation tests: a clean table, keys, fighters and one whole tick.
#pragma once
#include <algorithm>
#include <string>
#include <vector>

#include "audio/sound.h"
#include "content/fighter_loader.h"
#include "content/stage_loader.h"
#include "platform/null_platform.h"
#include "shell/input.h"
#include "shell/play_loop.h"
#include "sim/animation.h"
#include "sim/body.h"
#include "sim/combat.h"
#include "sim/control.h"
#include "sim/entity.h"
#include "sim/physics.h"
#include "sim/random.h"
#include "sim/sound_requests.h"

namespace simtest {

enum : int { kUp = 273, kDown = 274, kRight = 275, kLeft = 276, kAttack = 97, kJump = 115 };
const std::string kFixtures = std::string(BRAWLER_TEST_DATA) + "/sim/";

// One poll: `pressed` went down in it (and are held), `held` are only held.
inline void keys(const std::vector<int>& pressed, const std::vector<int>& held = {}) {
  for (int c = 0; c <= kInputCodes; ++c) keyHeld[c] = keyPressed[c] = 0;
  for (int k : pressed) keyHeld[k] = keyPressed[k] = -1;
  for (int k : held) keyHeld[k] = -1;
  buildPlayerCommands();
}

// Entities 0..7 free, player 1 bound to the codes above, a sound in slots 0..4, the fixture
// effects loaded.
inline void resetSim() {
  useNullPlatform(true);
  for (int i = 0; i < 8; ++i) entities[i] = Entity{}, entitySprites[i] = SpriteSet{};
  playerCount = 2, lastEntity = 7, gravity = 1, shakeX = shakeY = 0, floorBand = 768;
  keys({});
  bindUp[0] = kUp, bindDown[0] = kDown, bindLeft[0] = kLeft, bindRight[0] = kRight;
  bindAttack[0] = kAttack, bindJump[0] = kJump;
  for (int s = 0; s < 5; ++s) loadSound(kFixtures + "blip.wav", s);
  nullSoundLog.clear();
  clearSoundRequests();
  typeKinds[kEffectsType] = kKindEffect;
  readScript(kFixtures + "globals.dat", typeSprites[kEffectsType].script);
  seedRandom(1);
}

inline int soundsPlayed(int slot) {
  return int(std::count(nullSoundLog.begin(), nullSoundLog.end(), soundSlots[slot]));
}

// A live fighter with a body of 60 by 150, walk speed 5; with a script, its statistics are
// read and it stands.
inline Entity& placeFighter(int e, int x, int y, const std::string& script = "") {
  Entity& en = entities[e];
  en.alive = 1, en.kind = kKindFighter, en.x = int16_t(x), en.y = int16_t(y);
  en.walkSpeed = 5, en.jumpHeight = 20, en.hp = 100, en.maxPower = 100;
  entitySprites[e].bodyWidth = 60, entitySprites[e].bodyHeight = 150;
  en.footY = roundedFootLine(e);
  if (!script.empty()) {
    readScript(script, entitySprites[e].script);
    currentEntity = e;
    readStats(e);
    startAnimation(entitySprites[e], "STAND");
  }
  return en;
}

// One whole tick of the play loop, input already set.
inline void tick() { simulateTick(); }

}  // namespace simtest
