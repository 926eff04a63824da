// Setting a stage up in the world's tables: the stage file's statements carried out (scenery
// placed, types declared, entities placed and scattered), the players' own files, the
// statistics each entity's script gives it, and every entity started.
#include "sim/stage_setup.h"

#include <cmath>

#include "base/numbers.h"
#include "content/fighter_loader.h"
#include "content/script_lines.h"
#include "content/stage_loader.h"
#include "content/text_file.h"
#include "sim/animation.h"
#include "sim/entity.h"
#include "sim/moves.h"
#include "sim/game_state.h"
#include "sim/random.h"

namespace {

constexpr int kLastScenery = kSceneryCount - 1;
constexpr int kOverlap = 2;      // OBJECTSTRING neighbours share 2 columns

double number(const std::string& line, int field) { return toNumber(getField(line, field)); }

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
  loadStageSheets();
  lastObject = -1;
  lastEntity = playerCount - 1;
  runPass(kPassStatements);
  applyTypeOffsets();
  loadEffectsType();
}

namespace {

void applyStat(Entity& e, SpriteSet& s, const ScriptCommand& c) {
  switch (c.keyword) {
    case kScriptWidth: s.bodyWidth = c.arg[0]; break;
    case kScriptHeight: s.bodyHeight = c.arg[0]; break;
    case kScriptJumpHeight: e.jumpHeight = roundToInt(c.arg[0]); break;
    case kScriptWalkSpeed: e.walkSpeed = roundToInt16(c.arg[0]); break;
    case kScriptAttacksAmount: e.attacksAmount = roundToInt(c.arg[0]); break;
    case kScriptJumpAttacksAmount: e.jumpAttacksAmount = roundToInt(c.arg[0]); break;
    case kScriptSetHp: e.hp = c.arg[0]; break;
    case kScriptWeight: e.weight = roundToInt(c.arg[0]); break;
    case kScriptGrabbable:
    case kScriptGrabs: applyMoveStatistic(e, c); break;
    default: break;
  }
}

// The last ATTACKSAMOUNT anywhere in the script, past the statistics section too.
void scanAttacksAmount(int e) {
  double amount = 0;
  if (lastArgumentOf(entitySprites[e].script, kScriptAttacksAmount, &amount))
    entities[e].attacksAmount = roundToInt(amount);
}

}  // namespace

void loadPlayers() {
  for (int p = 0; p < playerCount && p < kPlayerTextureRows; ++p) {
    Entity& e = entities[p];
    SpriteSet& s = entitySprites[p];
    loadPlayerFiles(p, e.name, s);
    // The camera needs the body size wherever in the script it is written.
    double size = 0;
    if (lastArgumentOf(s.script, kScriptWidth, &size)) e.scriptWidth = size;
    if (lastArgumentOf(s.script, kScriptHeight, &size)) e.scriptHeight = size;
    e.alive = 1;
  }
}

void placeEntity(double x, double y, double typeField) {
  const int type = roundToInt(typeField + 1);
  if (!isLoadedStageType(type) || lastEntity >= kEntityCount - 1) return;
  lastEntity += 1;
  const int e = lastEntity;
  Entity& entity = entities[e];
  entity.x = roundToInt16(x);
  entity.y = roundToInt16(y);
  entity.type = type;
  entity.kind = typeKinds[type];
  entity.facing = kFacingLeft;
  loadTypeFilesInto(type, entitySprites[e]);
}

void applyTypeOffsets() {
  for (int t = 1; t <= typeCount; ++t) {
    readTypeOffsets(t);
    for (int e = playerCount; e <= lastEntity; ++e)
      if (entities[e].type == t) applyOffsetLines(entitySprites[e].frames);
  }
}

void readStats(int e) {
  if (e < 0 || e >= kEntityCount) return;
  Entity& entity = entities[e];
  SpriteSet& sprite = entitySprites[e];
  for (int i = 0; i < kScriptLineCount; ++i) {
    const ScriptCommand& c = scriptCommand(sprite.script, i);
    applyStat(entity, sprite, c);
    if (c.keyword == kScriptBlank) break;  // the empty line ends the section, after a look
  }
  if (e >= playerCount && entity.kind == kKindFighter)
    entity.hp = scaledByPercent(entity.hp, gameRules.opponentHpPercent);
  entity.maxHp = entity.hp;
}

void startStageEntities() {
  for (int k = 0; k < kDrawOrderCount; ++k) drawOrder[k] = k;
  for (int e = 0; e <= lastEntity; ++e) {
    if (entities[e].kind == kKindObject) startAnimation(entitySprites[e], "STATIONARY");
    if (entities[e].kind == kKindFighter) startAnimation(entitySprites[e], "STAND");
    readStats(e);
    scanAttacksAmount(e);
    entities[e].alive = 1;
  }
}
