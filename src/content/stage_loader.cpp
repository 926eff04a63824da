#include "content/stage_loader.h"

#include "content/texture.h"

std::string stageType;
std::string bgName;
std::string bgmName;
int32_t floorBand = 0;
int32_t stageEnd = 0;
Texture bgTexture;
Texture tileTextures[kTileTextures];

std::string tileListPath() { return "gfx/stage/" + stageType + "/tiles0.spr"; }

void loadStageSheets() {
  loadTextureRGB("gfx/stage/" + bgName + ".png", bgTexture);
  loadFrameList(bgSprite.frames, bgTexture, "gfx/stage/bg.spr");
  loadTextureRGBA("gfx/stage/" + stageType + "/tiles0.png", tileTextures[0]);
  bgSprite.autoSize = 1;
}
