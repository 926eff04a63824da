// Fighter, prop and effect definitions: the entity type table and the operations that bring
// definitions into the entity and sprite set tables.
#pragma once
#include <cstdint>
#include <string>

#include "render/sprite_set.h"

constexpr int kStageTypeLimit = 25;  // stage types 1..25
constexpr int kEffectsType = 1000;   // the shared effects type "globals"

extern std::string typeNames[kTypeSlots];
extern int32_t typeKinds[kTypeSlots];
extern Texture typeTextures[kTypeSlots];
extern int32_t typeCount;
extern Texture playerTextures[4][6];

void loadPlayers();
void loadEntityType(const std::string& name, double kind);
void placeEntity(double x, double y, double typeField);
void applyTypeOffsets();
void loadEffectsType();
void readStats(int e);
void spawnEntity(int16_t x, int16_t y, int type, const std::string& animation);
