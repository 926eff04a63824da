#include "sim/spawn.h"

#include <memory>

#include "content/fighter_loader.h"
#include "content/text_file.h"
#include "sim/animation.h"
#include "sim/entity.h"
#include "sim/stage_setup.h"

namespace {

// A slot's own frames and script, as they were before the stage's first spawn into it.
struct OwnContent {
  FrameList frames{};
  ScriptRef script;
};
std::unique_ptr<OwnContent> ownContent[kEntityCount];

void keepOwnContent(int slot) {
  const SpriteSet& sprite = entitySprites[slot];
  if (sprite.contentFrom != 0 || ownContent[slot]) return;
  ownContent[slot] = std::make_unique<OwnContent>();
  ownContent[slot]->frames = sprite.frames;
  ownContent[slot]->script = sprite.script;
}

void applySpawnOffsets(SpriteSet& sprite, int type) {
  const OffsetLines& offsets = offsetsForSpawn(type);
  for (int j = 0; j <= sprite.frames.count && j < kOffsetLineCount; ++j) {
    applyOffsetLine(sprite.frames, j, offsets[j]);
    if (getField(offsets[j], 1).empty()) break;
  }
}

}  // namespace

void takeSpawnContent(SpriteSet& sprite, int type) {
  sprite.frames = typeSprites[type].frames;
  sprite.script = typeSprites[type].script;
  applySpawnOffsets(sprite, type);
  sprite.contentFrom = type + 1;
}

void takeOwnContent(int slot) {
  SpriteSet& sprite = entitySprites[slot];
  if (ownContent[slot]) {
    sprite.frames = ownContent[slot]->frames;
    sprite.script = ownContent[slot]->script;
  }
  sprite.contentFrom = 0;
}

void forgetOwnContent() {
  for (std::unique_ptr<OwnContent>& kept : ownContent) kept.reset();
  // Slots above the last entity were never spawned into.
  for (int e = 0; e <= lastEntity; ++e) entitySprites[e].contentFrom = 0;
}

int spawnEntity(int16_t x, int16_t y, int type, const std::string& animation) {
  if (type < 0 || type >= kTypeSlots) return -1;
  int r = 0;
  while (r <= kSpawnLastSlot && entities[r].alive != 0) ++r;
  if (r > kSpawnLastSlot) return -1;

  Entity& entity = entities[r];
  entity.alive = 1;
  if (lastEntity < r) lastEntity += 1;
  entity.x = x;
  entity.y = y;
  entity.type = type;
  entity.kind = typeKinds[type];
  entity.facing = kFacingLeft;
  // What the slot's last occupant held, grabbed or carried is not the newcomer's.
  entity.moves = MoveState{};

  SpriteSet& sprite = entitySprites[r];
  keepOwnContent(r);
  sprite = typeSprites[type];
  applySpawnOffsets(sprite, type);
  sprite.contentFrom = type + 1;
  startAnimation(sprite, animation);
  readStats(r);
  return r;
}
