#include "sim/animation_pass.h"

#include "sim/animation.h"
#include "sim/body.h"
#include "sim/camera.h"
#include "sim/entity.h"
#include "sim/game_state.h"
#include "sim/physics.h"

namespace {

// Entities further than this outside the view keep their animation frozen.
constexpr int32_t kAnimationMargin = 1000;

bool nearTheView(const Entity& entity, const SpriteSet& sprite) {
  return entity.x >= int64_t{cameraX} - kAnimationMargin &&
         entity.x + sprite.width <= int64_t{cameraX} + kViewWidth + kAnimationMargin;
}

void animateEntity(int32_t e) {
  Entity& entity = entities[e];
  SpriteSet& sprite = entitySprites[e];
  // Taken before the script runs: the floor band hold below uses where the feet were.
  entity.footY = roundedFootLine(e);
  const int32_t footY = entity.footY;
  holdAtLeftEdge(e);
  if (nearTheView(entity, sprite) || entity.kind == kKindEffect) stepAnimation(e, sprite);
  if (entity.kind == kKindObject || entity.kind == kKindFighter) holdOnFloorBand(e, footY);
}

}  // namespace

void animateEntities() {
  for (int32_t e = 0; e <= lastEntity; ++e)
    if (entities[e].alive == 1) animateEntity(e);
}

void measureDrawnSizes() {
  for (int32_t e = 0; e <= lastEntity; ++e) {
    SpriteSet& sprite = entitySprites[e];
    const int f = sprite.frame;
    if (entities[e].alive != 1 || f < 0 || f >= kFrameCount) continue;
    const Frame& frame = sprite.frames.frame[f];
    sprite.width = frame.x2 - frame.x1;
    sprite.height = frame.y2 - frame.y1;
  }
}
