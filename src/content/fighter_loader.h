// Fighter, prop and effect definitions: the entity type table and the operations that bring
// definitions into the entity and sprite set tables.
#pragma once
#include <cstdint>
#include <string>

#include "content/sprite_set.h"
#include "content/text_file.h"

constexpr int kStageTypeLimit = 25;  // stage types 1..25

extern std::string typeNames[kTypeSlots];
extern int32_t typeKinds[kTypeSlots];
extern Texture typeTextures[kTypeSlots];
extern int32_t typeCount;
constexpr int kPlayerTextureRows = 4;     // room for 4 players...
constexpr int kPlayerTextureColumns = 6;  // ...of 6 sheets each; the loader uses the first
extern Texture playerTextures[kPlayerTextureRows][kPlayerTextureColumns];

// Each player's script, sheet, frame list and offsets by its `name`; WIDTH and HEIGHT from
// anywhere in the script go to scriptWidth/scriptHeight.
void loadPlayers();
// Appends stage type typeCount + 1; past type 25 the call does nothing.
void loadEntityType(const std::string& name, double kind);
// Appends an entity of stage type typeField + 1 at lastEntity + 1. A type that is not loaded,
// or a full table, places nothing.
void placeEntity(double x, double y, double typeField);
bool isLoadedStageType(int type);
// Every placed entity gets the offsets of its own type's ".off".
void applyTypeOffsets();
// Type 1000, "globals": the hit effects.
void loadEffectsType();
// The statistics section of entity e's script (up to and including its first blank line).
void readStats(int e);
// The ".off" lines of a type for a spawn, read from disk at its first spawn since the type
// was loaded and kept from then on.
const OffsetLines& offsetsForSpawn(int type);
