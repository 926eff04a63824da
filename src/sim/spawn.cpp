#include "sim/spawn.h"

#include "content/fighter_loader.h"
#include "content/text_file.h"
#include "sim/animation.h"
#include "sim/entity.h"

void spawnEntity(int16_t x, int16_t y, int type, const std::string& animation) {
  if (type < 0 || type >= kTypeSlots) return;
  int r = 0;
  while (r <= kSpawnLastSlot && entities[r].alive != 0) ++r;
  if (r > kSpawnLastSlot) return;

  Entity& entity = entities[r];
  entity.alive = 1;
  if (lastEntity < r) lastEntity += 1;
  entity.x = x;
  entity.y = y;
  entity.type = type;
  entity.kind = typeKinds[type];
  entity.facing = 1;

  SpriteSet& sprite = entitySprites[r];
  sprite = typeSprites[type];
  const OffsetLines& offsets = offsetsForSpawn(type);
  for (int j = 0; j <= sprite.frames.count && j < kOffsetLineCount; ++j) {
    applyOffsetLine(sprite.frames, j, offsets[j]);
    if (getField(offsets[j], 1).empty()) break;
  }
  startAnimation(sprite, animation);
  readStats(r);
}
