// Fighter, prop and effect definitions: the entity type table, and reading a type's or a
// player's files into a sprite set.
#pragma once
#include <cstdint>
#include <string>

#include "content/entity_kind.h"
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

// Player `row`'s script, sheet, frame list and offsets by its fighter's name, into `s`.
void loadPlayerFiles(int row, const std::string& name, SpriteSet& s);
// Appends stage type typeCount + 1; past type 25 the call does nothing.
void loadEntityType(const std::string& name, double kind);
// A placed entity's frame list and script: its type's files read into its own sprite set.
void loadTypeFilesInto(int type, SpriteSet& sprite);
bool isLoadedStageType(int type);
// A type's ".off" into offsetLines, and offsetLines applied to a frame list.
void readTypeOffsets(int type);
void applyOffsetLines(FrameList& frames);
// Type 1000, "globals": the hit effects.
void loadEffectsType();
// The ".off" lines of a type for a spawn, read from disk at its first spawn since the type
// was loaded and kept from then on.
const OffsetLines& offsetsForSpawn(int type);
