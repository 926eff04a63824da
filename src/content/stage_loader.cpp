#include "content/stage_loader.h"

#include "content/pack_layout.h"
#include "content/texture.h"

std::string stageType;
std::string bgName;
std::string bgmName;
int32_t floorBand = 0;
int32_t stageEnd = 0;
Texture bgTexture;
Texture tileTextures[kTileTextures];

std::string tileListPath() { return stageTilesFrames(stageType); }

void loadStageSheets() {
  loadTextureRGB(stageBackgroundImage(bgName), bgTexture);
  loadFrameList(bgSprite.frames, bgTexture, kStageBackgroundFrames);
  loadTextureRGBA(stageTilesImage(stageType), tileTextures[0]);
  bgSprite.autoSize = 1;
}
