#include "content/fighter_loader.h"

#include <memory>

#include "base/numbers.h"
#include "content/pack_layout.h"
#include "content/text_file.h"
#include "content/texture.h"

std::string typeNames[kTypeSlots];
int32_t typeKinds[kTypeSlots];
Texture typeTextures[kTypeSlots];
int32_t typeCount = 0;
Texture playerTextures[kPlayerTextureRows][kPlayerTextureColumns];

namespace {

const char kEffectsTypeName[] = "globals";

std::string sheetPath(const std::string& name, const char* extension) {
  return entityFilesBase(name) + extension;
}

// Offset files of spawnable types, read at the first spawn of the type since it was loaded:
// a hit must not wait for the disk. The text is kept as read, so applying it gives exactly
// what a fresh read would.
std::unique_ptr<OffsetLines> spawnOffsets[kTypeSlots];

void forgetSpawnOffsets(int type) { spawnOffsets[type].reset(); }

// The sheet, frame list and script of a type slot.
void loadTypeFiles(int t, const std::string& name, int kind) {
  loadTextureRGBA(sheetPath(name, ".PNG"), typeTextures[t]);
  typeNames[t] = name;
  typeKinds[t] = kind;
  loadFrameList(typeSprites[t].frames, typeTextures[t], sheetPath(name, ".spr"));
  readScript(entityScriptPath(name), typeSprites[t].script);
  forgetSpawnOffsets(t);
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

void loadPlayerFiles(int row, const std::string& name, SpriteSet& s) {
  readScript(entityScriptPath(name), s.script);
  s.autoSize = 1;
  Texture& sheet = playerTextures[row][0];
  loadTextureRGBA(sheetPath(name, ".png"), sheet);
  loadFrameList(s.frames, sheet, sheetPath(name, ".spr"));
  readLines(sheetPath(name, ".off"), offsetLines);
  applyOffsetLines(s.frames);
}

void loadEntityType(const std::string& name, double kind) {
  // A 26th type has no slot; its line is passed over and later type numbers stay as they were.
  if (typeCount >= kStageTypeLimit) return;
  typeCount += 1;
  loadTypeFiles(typeCount, name, roundToInt(kind));
}

void loadTypeFilesInto(int type, SpriteSet& sprite) {
  loadFrameList(sprite.frames, typeTextures[type], sheetPath(typeNames[type], ".spr"));
  readScript(entityScriptPath(typeNames[type]), sprite.script);
}

void readTypeOffsets(int type) { readLines(sheetPath(typeNames[type], ".off"), offsetLines); }

void applyOffsetLines(FrameList& frames) {
  for (int k = 0; k < kOffsetLineCount; ++k) applyOffsetLine(frames, k, offsetLines[k]);
}

void loadEffectsType() {
  loadTypeFiles(kEffectsType, kEffectsTypeName, kKindEffect);
}
