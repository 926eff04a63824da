#include "content/stage_loader.h"
std::string stageType;
std::string bgName;
std::string bgmName;
int32_t floorBand = 0;
int32_t stageEnd = 0;
Texture bgTexture;
Texture tileTextures[kTileTextures];
void loadStage() {}
