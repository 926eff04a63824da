#include "sim/world.h"

#include <cstddef>
#include <cstring>
#include <type_traits>

#include "base/fingerprint.h"
#include "sim/sound_requests.h"
#include "sim/spawn.h"
#include "sim/tick.h"

static_assert(std::is_trivially_copyable<WorldSnapshot>::value,
              "a snapshot is copied as bytes: no field may own memory");

namespace {

struct Hasher {
  uint64_t hash = kFnvStart;
  void bytes(const void* data, size_t count) { hash = fnv1a(data, count, hash); }
  template <typename T>
  void add(const T& value) { bytes(&value, sizeof value); }
  // A name is hashed by its text: the numbers texts get depend on the order they were met.
  // Its length is eight bytes wherever the game is built (a size is four in WebAssembly).
  void add(const RecordString& text) {
    add(static_cast<uint64_t>(text.str().size()));
    bytes(text.str().data(), text.str().size());
  }
  // A slot's moves only when something is in them: a fight under the design's rules, where no
  // one ever grabs or carries anything, hashes as it did before they existed.
  void add(const MoveState& moves) {
    if (!moveStateEmpty(moves)) bytes(&moves, sizeof moves);
  }
  // The moves' tallies likewise: only the genre's moves ever count anything.
  void add(const MoveTallies& tallies) {
    if (!moveTalliesEmpty(tallies)) bytes(&tallies, sizeof tallies);
  }
  // The later rules only when one is off its start value: a fight recorded before they
  // existed hashes as it did.
  void add(const GameRules& rules) {
    static const GameRules kStartRules{};
    const auto* bytesOf = reinterpret_cast<const unsigned char*>(&rules);
    bytes(bytesOf, kFirstRulesBytes);
    const auto* startBytes = reinterpret_cast<const unsigned char*>(&kStartRules);
    if (std::memcmp(bytesOf + kFirstRulesBytes, startBytes + kFirstRulesBytes, sizeof rules - kFirstRulesBytes) != 0)
      bytes(bytesOf + kFirstRulesBytes, sizeof rules - kFirstRulesBytes);
  }
  // The generator as the next numbers it would give, enough to settle its whole state: each
  // C++ library lays the engine's own state out its own way, and the browser's build uses
  // another library than the desktop's.
  void add(const RandomGenerator& generator) {
    RandomGenerator ahead = generator;
    for (size_t n = 0; n < RandomGenerator::state_size; ++n) add(static_cast<uint32_t>(ahead()));
  }
};

// Field-by-field equality, with the same meaning the digest gives a field.
template <typename T>
bool same(const T& a, const T& b) { return std::memcmp(&a, &b, sizeof a) == 0; }
bool same(const RecordString& a, const RecordString& b) { return a == b; }

void hashSlot(Hasher& h, const WorldSlot& slot) {
#define HASH_ENTITY_FIELD(type, name) h.add(slot.entity.name);
#define HASH_ANIMATION_FIELD(type, name) h.add(slot.animation.name);
  ENTITY_FIELDS(HASH_ENTITY_FIELD)
  SPRITE_ANIMATION_FIELDS(HASH_ANIMATION_FIELD)
#undef HASH_ENTITY_FIELD
#undef HASH_ANIMATION_FIELD
}

std::string slotDifference(int e, const WorldSlot& a, const WorldSlot& b) {
  const std::string where = "entity " + std::to_string(e) + " ";
#define DIFFER_ENTITY_FIELD(type, name) \
  if (!same(a.entity.name, b.entity.name)) return where + #name;
#define DIFFER_ANIMATION_FIELD(type, name) \
  if (!same(a.animation.name, b.animation.name)) return where + "sprite " #name;
  ENTITY_FIELDS(DIFFER_ENTITY_FIELD)
  SPRITE_ANIMATION_FIELDS(DIFFER_ANIMATION_FIELD)
#undef DIFFER_ENTITY_FIELD
#undef DIFFER_ANIMATION_FIELD
  return "";
}

// The slot's frames and script as the snapshot had them: its own, or a spawned type's.
void takeContentFrom(int e, int32_t contentFrom) {
  SpriteSet& sprite = entitySprites[e];
  if (sprite.contentFrom == contentFrom) return;
  if (contentFrom == 0)
    takeOwnContent(e);
  else
    takeSpawnContent(sprite, contentFrom - 1);
}

void restoreSlot(int e, const WorldSlot& slot) {
  takeContentFrom(e, slot.animation.contentFrom);
  entities[e] = slot.entity;
  static_cast<SpriteAnimation&>(entitySprites[e]) = slot.animation;
}

// A snapshot whose counts do not fit the table, or do not agree with each other, or whose slot
// names content no type has, came from no saveWorld: nothing in it is taken.
bool snapshotFits(const WorldSnapshot& in) {
  if (in.usedSlots < 0 || in.usedSlots > kEntityCount) return false;
  if (in.values.lastEntity < -1 || in.values.lastEntity >= kEntityCount) return false;
  if (in.values.lastEntity + 1 != in.usedSlots) return false;
  for (int e = 0; e < in.usedSlots; ++e) {
    const int32_t from = in.slots[e].animation.contentFrom;
    if (from < 0 || from > kTypeSlots) return false;
  }
  return true;
}

WorldSnapshot scratch;  // worldDigest's copy of the world

}  // namespace

size_t worldSnapshotBytes(const WorldSnapshot& snapshot) {
  return offsetof(WorldSnapshot, slots) + sizeof(WorldSlot) * static_cast<size_t>(snapshot.usedSlots);
}

void saveWorld(WorldSnapshot& out) {
#define SAVE_VALUE(type, name) out.values.name = name;
  WORLD_VALUES(SAVE_VALUE)
#undef SAVE_VALUE
  out.random = randomGenerator();
  out.usedSlots = lastEntity + 1;
  for (int e = 0; e < out.usedSlots; ++e) {
    out.slots[e].entity = entities[e];
    out.slots[e].animation = entitySprites[e];
  }
}

bool restoreWorld(const WorldSnapshot& in) {
  if (!snapshotFits(in)) return false;
  const int32_t usedNow = lastEntity + 1;
#define RESTORE_VALUE(type, name) name = in.values.name;
  WORLD_VALUES(RESTORE_VALUE)
#undef RESTORE_VALUE
  restoreRandom(in.random);
  for (int e = 0; e < in.usedSlots; ++e) restoreSlot(e, in.slots[e]);
  const WorldSlot empty{};
  for (int e = in.usedSlots; e < usedNow; ++e) restoreSlot(e, empty);
  return true;
}

uint64_t snapshotDigest(const WorldSnapshot& snapshot) {
  Hasher h;
#define HASH_VALUE(type, name) h.add(snapshot.values.name);
  WORLD_VALUES(HASH_VALUE)
#undef HASH_VALUE
  h.add(snapshot.random);
  h.add(snapshot.usedSlots);
  for (int e = 0; e < snapshot.usedSlots; ++e) hashSlot(h, snapshot.slots[e]);
  return h.hash;
}

uint64_t worldDigest() {
  saveWorld(scratch);
  return snapshotDigest(scratch);
}

std::string firstWorldDifference(const WorldSnapshot& a, const WorldSnapshot& b) {
#define DIFFER_VALUE(type, name) \
  if (!same(a.values.name, b.values.name)) return #name;
  WORLD_VALUES(DIFFER_VALUE)
#undef DIFFER_VALUE
  if (!same(a.random, b.random)) return "random generator";
  if (a.usedSlots != b.usedSlots) return "entity slots in use";
  for (int e = 0; e < a.usedSlots; ++e) {
    const std::string difference = slotDifference(e, a.slots[e], b.slots[e]);
    if (!difference.empty()) return difference;
  }
  return "";
}

void clearWorld() {
  const WorldSlot empty{};
  for (int e = playerCount < 0 ? 0 : playerCount; e <= lastEntity; ++e) {
    entities[e] = empty.entity;
    static_cast<SpriteAnimation&>(entitySprites[e]) = empty.animation;
  }
  forgetOwnContent();
  lastEntity = playerCount - 1;
  cameraX = 0;
  cameraY = 0;
  shakeX = 0;
  shakeY = 0;
  shakeSign = 0;
  quitRequested = 0;
  moveTallies = MoveTallies{};
  clearSoundRequests();
}
