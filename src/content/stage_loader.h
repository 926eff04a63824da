// The stage file: stage values, background, tile sheet, scenery layers, types and placements.
#pragma once
#include <cstdint>
#include <string>

#include "render/texture.h"

extern std::string stageType;
extern std::string bgName;
extern std::string bgmName;
extern int32_t floorBand;
extern int32_t stageEnd;

extern Texture bgTexture;
constexpr int kTileTextures = 51;
extern Texture tileTextures[kTileTextures];

void loadStage();
