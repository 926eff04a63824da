// Whole ticks of a small stage (players, physics, animation, opponents, combat, camera, scene
// and heads-up display drawn into the null platform) with every content-fed number of its
// fighters, a prop, the scenery and the stage values taken from the input, as a hand-edited
// pack could set them. The rest of the input is the players' keys, a byte each a tick.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "content/fighter_loader.h"
#include "sim/stage_setup.h"
#include "content/stage_loader.h"
#include "content/text_file.h"
#include "base/numbers.h"
#include "fuzz_content.h"
#include "render/stage_scene.h"
#include "sim/game_state.h"
#include "shell/input.h"
#include "platform/null_platform.h"
#include "platform/platform.h"
#include "shell/play_loop.h"
#include "sim/animation.h"
#include "sim/entity.h"
#include "sim/random.h"

namespace {

constexpr int kEntities = 4;  // two players, an opponent, a prop
constexpr int kScenery = 3;   // one object on each layer
constexpr int kTicks = 40;
constexpr int kKeysPerPlayer = 6;

Entity savedEntities[kEntities];
SpriteSet savedSprites[kEntities];
Entity savedScenery[kScenery];
SpriteSet savedScenerySprites[kScenery];

// A content number as the loaders hand it on: any finite value. A byte below 128 gives a
// small number, so ordinary fights are reached too; otherwise the next 8 bytes are a double.
struct Numbers {
  const uint8_t* at;
  const uint8_t* end;
  double next() {
    if (at >= end) return 0;
    const uint8_t tag = *at++;
    if (tag < 128) return tag - 64.0;
    double value = 0;
    if (end - at < 8) return 0;
    std::memcpy(&value, at, 8);
    at += 8;
    return std::isfinite(value) ? value : 0;
  }
  int32_t int32() { return roundToInt(next()); }
  int16_t int16() { return roundToInt16(next()); }
};

void setUpStage() {
  enterFuzzContent();
  for (auto& line : stageLines) line.clear();
  const char* lines[] = {"STAGETYPE fuzz", "BGNAME fuzz", "VERTICALWALL 200", "STAGEEND 3000",
                         "OBJECTBACK 0 0 2 2", "OBJECT 100 500 1", "OBJECTFORE 50 600 1 1",
                         "LOADENTITY thug 1", "LOADENTITY thug 0", "PLACEENTITY 300 400 0",
                         "PLACEENTITY 500 450 1"};
  for (size_t i = 0; i < sizeof lines / sizeof lines[0]; ++i) stageLines[i] = lines[i];
  playerCount = 2;
  loadStage();
  for (int p = 0; p < 2; ++p) {
    entities[p] = entities[2];
    entitySprites[p] = entitySprites[2];
    bindUp[p] = 10 * p + 1, bindDown[p] = 10 * p + 2, bindLeft[p] = 10 * p + 3;
    bindRight[p] = 10 * p + 4, bindAttack[p] = 10 * p + 5, bindJump[p] = 10 * p + 6;
  }
  for (int e = 0; e < kEntities; ++e) {
    readStats(e);
    startAnimation(entitySprites[e], entities[e].kind == kKindObject ? "STATIONARY" : "STAND");
    entities[e].alive = 1;
    savedEntities[e] = entities[e];
    savedSprites[e] = entitySprites[e];
  }
  for (int o = 0; o < kScenery; ++o) savedScenery[o] = sceneryObjects[o], savedScenerySprites[o] = scenerySprites[o];
  cameraTarget = 0;
}

void restoreStage() {
  for (int e = kEntities; e <= lastEntity && e < kEntityCount; ++e) entities[e].alive = 0;
  for (int e = 0; e < kEntities; ++e) entities[e] = savedEntities[e], entitySprites[e] = savedSprites[e];
  for (int o = 0; o < kScenery; ++o) sceneryObjects[o] = savedScenery[o], scenerySprites[o] = savedScenerySprites[o];
  lastEntity = kEntities - 1;
  lastObject = kScenery - 1;
  cameraX = cameraY = shakeX = shakeY = 0;
  seedRandom(1);
}

void feedEntity(Numbers& n, int e) {
  Entity& en = entities[e];
  SpriteSet& s = entitySprites[e];
  en.x = n.int16(), en.y = n.int16(), en.z = n.int16(), en.xv = n.int16(), en.yv = n.int16();
  en.walkSpeed = n.int16();
  en.weight = n.int32(), en.attacksAmount = n.int32(), en.jumpAttacksAmount = n.int32();
  en.jumpHeight = n.int32(), en.attackReach = n.int32(), en.attackKind = n.int32();
  en.attackDamage = n.int32(), en.knockXv = n.int32(), en.knockYv = n.int32();
  en.hitEffect = n.int32(), en.attackPending = n.int32() & 1;
  en.hp = n.next(), en.maxHp = n.next(), en.power = n.next(), en.maxPower = n.next();
  en.scriptWidth = n.next(), en.scriptHeight = n.next();
  s.bodyWidth = n.next(), s.bodyHeight = n.next();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static bool ready = (setUpStage(), true);
  (void)ready;
  restoreStage();
  Numbers n{data, data + size};
  for (int e = 0; e < kEntities; ++e) feedEntity(n, e);
  for (int o = 0; o < kScenery; ++o) {
    sceneryObjects[o].x = n.int16(), sceneryObjects[o].z = n.int16();
    sceneryObjects[o].parallax = n.int32();
  }
  floorBand = n.int32();
  stageEnd = n.int32();
  for (int tick = 0; tick < kTicks; ++tick) {
    for (int c = 0; c <= kInputCodes; ++c) keyHeld[c] = keyPressed[c] = 0;
    for (int p = 0; p < 2; ++p) {
      const uint8_t keys = n.at < n.end ? *n.at++ : 0;
      for (int k = 0; k < kKeysPerPlayer; ++k)
        if (keys & (1 << k)) keyHeld[10 * p + 1 + k] = keyPressed[10 * p + 1 + k] = -1;
    }
    simulateTick();
    drawStageScene();
    drawHud();
    nullQuads.clear();
    nullSoundLog.clear();
    if (lastEntity < 0 || lastEntity >= kEntityCount) __builtin_trap();
  }
  return 0;
}
