// The stage file's values and the pictures it names: background and tile sheet. Carrying its
// statements out is the simulation's (sim/stage_setup.h).
#pragma once
#include <cstdint>
#include <string>

#include "content/sprite_set.h"
#include "content/texture.h"

extern std::string stageType;
extern std::string bgName;
extern std::string bgmName;
extern int32_t floorBand;
extern int32_t stageEnd;

// A scenery object's `kind`: the layer it is drawn in.
enum SceneryLayer { kLayerMiddle = 0, kLayerBack = 1, kLayerFront = 2 };

extern Texture bgTexture;
constexpr int kTileTextures = 51;
extern Texture tileTextures[kTileTextures];

// The sheet list of the stage's tiles, by its STAGETYPE.
std::string tileListPath();
// The background picture and frame list and the tile sheet, by the stage's names.
void loadStageSheets();
