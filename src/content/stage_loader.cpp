#include "content/stage_loader.h"

#include <cmath>

#include "audio/sound.h"
#include "base/numbers.h"
#include "content/fighter_loader.h"
#include "content/pack_layout.h"
#include "content/text_file.h"
#include "sim/entity.h"
#include "sim/random.h"

std::string stageType;
std::string bgName;
std::string bgmName;
int32_t floorBand = 0;
int32_t stageEnd = 0;
Texture bgTexture;
Texture tileTextures[kTileTextures];

namespace {

constexpr int kLastScenery = kSceneryCount - 1;
constexpr int kOverlap = 2;      // OBJECTSTRING neighbours share 2 columns

double number(const std::string& line, int field) { return toNumber(getField(line, field)); }

std::string tileListPath() { return "gfx/stage/" + stageType + "/tiles0.spr"; }

// Width and height of a tile of the sheet; a tile number past the frame table has no size.
double tileWidth(const FrameList& frames, int tile) {
  if (tile < 0 || tile >= kFrameCount) return 0;
  return frames.frame[tile].x2 - frames.frame[tile].x1;
}
double tileHeight(const FrameList& frames, int tile) {
  if (tile < 0 || tile >= kFrameCount) return 0;
  return frames.frame[tile].y2 - frames.frame[tile].y1;
}

// A scenery object in the next slot, its frames loaded; -1 when the table is full (the
// statement is then passed over).
int newSceneryObject(double x, double y, double tile, int layer, double parallax) {
  if (lastObject >= kLastScenery) return -1;
  lastObject += 1;
  const int o = lastObject;
  Entity& object = sceneryObjects[o];
  object.x = roundToInt16(x);
  object.z = roundToInt16(y);
  object.kind = layer;
  if (layer == kLayerFront) object.parallax = roundToInt(parallax);
  // The back layer divides by its parallax: 0 would put the tile nowhere, so it stays put
  // like a parallax of 1.
  if (layer == kLayerBack) object.parallax = roundToInt(parallax) == 0 ? 1 : roundToInt(parallax);
  SpriteSet& sprite = scenerySprites[o];
  sprite.frame = roundToInt(tile);
  sprite.visible = 1;
  sprite.autoSize = 1;
  loadFrameList(sprite.frames, tileTextures[0], tileListPath());
  return o;
}

void setStageType(const std::string& line) { stageType = getField(line, 2); }
void setBgName(const std::string& line) { bgName = getField(line, 2); }
void setBgmName(const std::string& line) { bgmName = getField(line, 2); }
void setFloorBand(const std::string& line) { floorBand = roundToInt(number(line, 2)); }
void setStageEnd(const std::string& line) { stageEnd = roundToInt(number(line, 2)); }

void placeObject(const std::string& line) {
  const int o = newSceneryObject(number(line, 2), number(line, 3), number(line, 4), kLayerMiddle, 0);
  if (o < 0) return;
  SpriteSet& sprite = scenerySprites[o];
  sprite.width = tileWidth(sprite.frames, sprite.frame);
  sprite.height = tileHeight(sprite.frames, sprite.frame);
}

void placeObjectFore(const std::string& line) {
  newSceneryObject(number(line, 2), number(line, 3), number(line, 5), kLayerFront, number(line, 4));
}

void placeObjectBack(const std::string& line) {
  newSceneryObject(number(line, 2), number(line, 3), number(line, 5), kLayerBack, number(line, 4));
}

void placeObjectString(const std::string& line) {
  const double x = number(line, 2);
  const double y = number(line, 3);
  const double tile = number(line, 4);
  const int count = roundToInt(number(line, 5));
  for (int k = 0; k <= count; ++k) {
    const int o = newSceneryObject(x, y, tile, kLayerMiddle, 0);
    if (o < 0) return;
    const int w = roundToInt(tileWidth(scenerySprites[o].frames, scenerySprites[o].frame));
    sceneryObjects[o].x = roundToInt16(x + static_cast<double>(k) * w - kOverlap * static_cast<double>(k));
  }
}

void declareEntityType(const std::string& line) { loadEntityType(getField(line, 2), number(line, 3)); }

void placeOneEntity(const std::string& line) {
  placeEntity(number(line, 2), number(line, 3), number(line, 4));
}

// An even offset from -spread to spread - 2, each equally likely.
double scatter(double spread) { return roundToInt(std::floor(spread * randomUnit()) * 2 - spread); }

void placeScattered(const std::string& line) {
  const double x = number(line, 2);
  const double y = number(line, 3);
  const double typeField = number(line, 4);
  const int count = roundToInt(number(line, 5));
  const double spread = number(line, 6);
  if (!isLoadedStageType(roundToInt(typeField + 1))) return;
  for (int k = 0; k <= count && lastEntity < kEntityCount - 1; ++k) {
    const double ox = scatter(spread);
    const double oy = scatter(spread);
    placeEntity(x + ox, y + oy, typeField);
  }
}

}  // namespace

const StageStatement kStageStatements[] = {
    {"STAGETYPE", kPassNames, setStageType},
    {"BGNAME", kPassNames, setBgName},
    {"BGMNAME", kPassNames, setBgmName},
    {"VERTICALWALL", kPassStatements, setFloorBand},
    {"STAGEEND", kPassStatements, setStageEnd},
    {"OBJECT", kPassStatements, placeObject},
    {"OBJECTFORE", kPassStatements, placeObjectFore},
    {"OBJECTBACK", kPassStatements, placeObjectBack},
    {"OBJECTSTRING", kPassStatements, placeObjectString},
    {"LOADENTITY", kPassStatements, declareEntityType},
    {"PLACEENTITY", kPassStatements, placeOneEntity},
    {"CPLACEENTITY", kPassStatements, placeScattered},
};
const int kStageStatementCount = sizeof kStageStatements / sizeof kStageStatements[0];

namespace {

void runPass(int pass) {
  for (const std::string& line : stageLines) {
    const std::string keyword = getField(line, 1);
    for (const StageStatement& statement : kStageStatements) {
      if (statement.pass == pass && keyword == statement.keyword) {
        statement.run(line);
        break;
      }
    }
  }
}

}  // namespace

void loadStage() {
  typeCount = 0;
  runPass(kPassNames);
  loadTextureRGB("gfx/stage/" + bgName + ".png", bgTexture);
  loadFrameList(bgSprite.frames, bgTexture, "gfx/stage/bg.spr");
  loadTextureRGBA("gfx/stage/" + stageType + "/tiles0.png", tileTextures[0]);
  lastObject = -1;
  bgSprite.autoSize = 1;
  lastEntity = playerCount - 1;
  runPass(kPassStatements);
  applyTypeOffsets();
  loadEffectsType();
  for (int k = 0; k < kStageSoundFiles; ++k) loadSound(soundEffectPath(k), k);
}
