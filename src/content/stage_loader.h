// The stage file: stage values, background, tile sheet, scenery layers, types and placements.
#pragma once
#include <cstdint>
#include <string>

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

// The statements of a stage file and the pass of loadStage that carries each out: names
// first (so they may stand anywhere), then everything else in line order.
enum StagePass { kPassNames = 1, kPassStatements = 2 };
struct StageStatement {
  const char* keyword;
  int pass;
  void (*run)(const std::string& line);
};
extern const StageStatement kStageStatements[];
extern const int kStageStatementCount;

void loadStage();
