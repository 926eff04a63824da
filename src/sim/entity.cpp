#include "sim/entity.h"
#include "content/pack_layout.h"

Entity entities[kEntityCount];
SpriteSet entitySprites[kEntityCount];
Entity sceneryObjects[kSceneryCount];
SpriteSet scenerySprites[kSceneryCount];

int32_t playerCount = 2;
int32_t lastEntity = 1;
int32_t currentEntity = 0;
int32_t lastObject = -1;
int32_t gravity = 1;
int32_t shakeX = 0;
int32_t shakeY = 0;

void setPlayerDefaults() {
  for (int p = 0; p < kStartFighterCount; ++p) {
    Entity& e = entities[p];
    e = Entity{};
    e.name = kStartFighters[p];
    e.x = 20;
    e.y = 400;
    e.walkSpeed = 5;
    e.jumpHeight = 20;
    e.hp = 500.0;
    e.maxHp = 500.0;
    e.maxPower = 100.0;
    e.kind = kKindFighter;
  }
}
