#include "world_digest.h"

#include <string>

#include "base/fingerprint.h"
#include "sim/entity.h"
#include "sim/game_state.h"
#include "sim/random.h"

namespace {

struct Hasher {
  uint64_t hash = kFnvStart;
  template <typename T>
  void add(const T& value) { hash = fnv1a(&value, sizeof value, hash); }
  void add(const std::string& text) {
    // Eight bytes wherever it is built: a size is four in WebAssembly.
    add(static_cast<uint64_t>(text.size()));
    hash = fnv1a(text.data(), text.size(), hash);
  }
};

}  // namespace

uint64_t worldDigest() {
  Hasher h;
  const int32_t last = lastEntity < kEntityCount ? lastEntity : kEntityCount - 1;
  h.add(lastEntity);
  for (int32_t e = 0; e <= last; ++e) {
    const Entity& entity = entities[e];
    if (entity.alive != 1) continue;
    const SpriteSet& sprite = entitySprites[e];
    h.add(e);
    h.add(entity.kind);
    h.add(entity.type);
    h.add(entity.x);
    h.add(entity.y);
    h.add(entity.z);
    h.add(entity.xv);
    h.add(entity.yv);
    h.add(sprite.animation.str());
    h.add(sprite.scriptLine);
    h.add(sprite.frame);
    h.add(entity.hp);
    h.add(entity.playerState);
    h.add(entity.aiState);
    h.add(entity.aiTimer);
  }
  h.add(cameraX);
  h.add(cameraY);
  h.add(shakeX);
  h.add(shakeY);
  h.add(randomState());
  return h.hash;
}
