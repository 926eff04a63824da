// The world: everything a tick reads or writes, named in one place (world.cpp's lists and the
// records' own field lists, ENTITY_FIELDS and SPRITE_ANIMATION_FIELDS), copied out and back in
// whole, and hashed whole. Content that does not change during a stage (scripts, frame lists,
// pictures, scenery, the stage's values) is referred to, never copied: a snapshot is good for
// the stage it was taken on.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

#include "sim/entity.h"
#include "sim/game_state.h"
#include "sim/random.h"

// The world's single values, listed once: FIELD(type, name) names a global of that name.
#define WORLD_VALUES(FIELD)       \
  FIELD(int32_t, lastEntity)      \
  FIELD(int32_t, playerCount)     \
  FIELD(int32_t, gravity)         \
  FIELD(int32_t, cameraX)         \
  FIELD(int32_t, cameraY)         \
  FIELD(int32_t, cameraTarget)    \
  FIELD(int32_t, shakeX)          \
  FIELD(int32_t, shakeY)          \
  FIELD(int32_t, shakeSign)       \
  FIELD(int32_t, quitRequested)   \
  FIELD(GameRules, gameRules)     \
  FIELD(MoveTallies, moveTallies)

struct WorldValues {
  WORLD_VALUES(BRAWLER_DECLARE_FIELD)
};

// One slot of the entity table: the record and its sprite set's running animation.
struct WorldSlot {
  Entity entity;
  SpriteAnimation animation;
};

// A plain block of bytes with no pointer into the heap: copy it with memcpy, keep it in a
// file, send it. It is large (the whole table's room); keep it in static storage or on the
// heap, and copy only its first worldSnapshotBytes() bytes when room matters.
struct WorldSnapshot {
  WorldValues values;
  RandomGenerator random;
  int32_t usedSlots;                // slots[0 .. usedSlots - 1] hold entities 0..lastEntity
  WorldSlot slots[kEntityCount];
};

// The snapshot's bytes that hold something: its head and its used slots.
size_t worldSnapshotBytes(const WorldSnapshot& snapshot);

void saveWorld(WorldSnapshot& out);
// Slots above the snapshot's last entity, used since, are emptied: slots above the last
// entity hold nothing in a world that clearWorld began. False, the world untouched, when the
// snapshot's slot count or last entity is out of the table or they disagree, or a slot's
// content names no type.
bool restoreWorld(const WorldSnapshot& in);
// A fingerprint of every field of the lists, entity slots 0..lastEntity, dead ones included.
uint64_t worldDigest();
uint64_t snapshotDigest(const WorldSnapshot& snapshot);
// The first field on which two snapshots disagree ("entity 4 hp", "cameraX", "random
// generator"), or "" when they hold the same world.
std::string firstWorldDifference(const WorldSnapshot& a, const WorldSnapshot& b);

// A world with nothing in it but the players: every other slot and its running animation
// emptied, the view at the stage's start, no shake, no request pending. The players' own
// records (who they are, their statistics) are the shell's to set.
void clearWorld();
