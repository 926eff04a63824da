#include "content/fighter_loader.h"

#include <memory>

#include "base/numbers.h"
#include "content/pack_layout.h"
#include "content/text_file.h"
#include "content/texture.h"
#include "sim/animation.h"
#include "sim/entity.h"

std::string typeNames[kTypeSlots];
int32_t typeKinds[kTypeSlots];
Texture typeTextures[kTypeSlots];
int32_t typeCount = 0;
Texture playerTextures[kPlayerTextureRows][kPlayerTextureColumns];

namespace {

const char kEffectsTypeName[] = "globals";

std::string scriptPath(const std::string& name) { return "scripts/" + name + ".dat"; }
std::string sheetPath(const std::string& name, const char* extension) {
  return entityFilesBase(name) + extension;
}

// Offset files of spawnable types, read at the first spawn of the type since it was loaded:
// a hit must not wait for the disk. The text is kept as read, so applying it gives exactly
// what a fresh read would.
std::unique_ptr<OffsetLines> spawnOffsets[kTypeSlots];

void forgetSpawnOffsets(int type) { spawnOffsets[type].reset(); }

void applyAllOffsets(FrameList& frames) {
  for (int k = 0; k < kOffsetLineCount; ++k) applyOffsetLine(frames, k, offsetLines[k]);
}

// The sheet, frame list and script of a type slot.
void loadTypeFiles(int t, const std::string& name, int kind) {
  loadTextureRGBA(sheetPath(name, ".PNG"), typeTextures[t]);
  typeNames[t] = name;
  typeKinds[t] = kind;
  loadFrameList(typeSprites[t].frames, typeTextures[t], sheetPath(name, ".spr"));
  readScript(scriptPath(name), typeSprites[t].script);
  forgetSpawnOffsets(t);
}

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
    default: break;
  }
}

}  // namespace

const OffsetLines& offsetsForSpawn(int type) {
  if (!spawnOffsets[type]) {
    readLines(sheetPath(typeNames[type], ".off"), offsetLines);
    spawnOffsets[type] = std::make_unique<OffsetLines>(offsetLines);
  }
  return *spawnOffsets[type];
}

bool isLoadedStageType(int type) { return type >= 1 && type <= typeCount; }

void loadPlayers() {
  for (int p = 0; p < playerCount && p < kPlayerTextureRows; ++p) {
    Entity& e = entities[p];
    SpriteSet& s = entitySprites[p];
    const std::string name = e.name;
    readScript(scriptPath(name), s.script);
    // The camera needs the body size wherever in the script it is written.
    for (int i = 0; i < kScriptLineCount; ++i) {
      const ScriptCommand& c = scriptCommand(s.script, i);
      if (c.keyword == kScriptWidth) e.scriptWidth = c.arg[0];
      if (c.keyword == kScriptHeight) e.scriptHeight = c.arg[0];
    }
    e.alive = 1;
    s.autoSize = 1;
    Texture& sheet = playerTextures[p][0];
    loadTextureRGBA(sheetPath(name, ".png"), sheet);
    loadFrameList(s.frames, sheet, sheetPath(name, ".spr"));
    readLines(sheetPath(name, ".off"), offsetLines);
    applyAllOffsets(s.frames);
  }
}

void loadEntityType(const std::string& name, double kind) {
  // A 26th type has no slot; its line is passed over and later type numbers stay as they were.
  if (typeCount >= kStageTypeLimit) return;
  typeCount += 1;
  loadTypeFiles(typeCount, name, roundToInt(kind));
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
  entity.facing = 1;
  loadFrameList(entitySprites[e].frames, typeTextures[type], sheetPath(typeNames[type], ".spr"));
  readScript(scriptPath(typeNames[type]), entitySprites[e].script);
}

void applyTypeOffsets() {
  for (int t = 1; t <= typeCount; ++t) {
    readLines(sheetPath(typeNames[t], ".off"), offsetLines);
    for (int e = playerCount; e <= lastEntity; ++e)
      if (entities[e].type == t) applyAllOffsets(entitySprites[e].frames);
  }
}

void loadEffectsType() {
  loadTypeFiles(kEffectsType, kEffectsTypeName, kKindEffect);
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
  entity.maxHp = entity.hp;
}
