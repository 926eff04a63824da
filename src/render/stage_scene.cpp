// The stage from back to front: background, back layer, middle layer, fighters and props by
// depth, front layer.
#include "render/stage_scene.h"

#include "base/numbers.h"
#include "content/stage_loader.h"
#include "platform/platform.h"
#include "render/draw.h"
#include "render/scene_culling.h"
#include "sim/camera.h"
#include "sim/entity.h"
#include "sim/game_state.h"

static_assert(kDrawOrderCount == kEntityCount, "drawOrder holds one entry per entity slot");

// The stage is drawn one to one: the view the game plays in is the whole screen.
static_assert(kViewWidth == screenWidth && kViewHeight == screenHeight, "the view and the screen differ in size");

namespace {

// The first scenery object on the front layer is drawn see-through, so a foreground pillar
// or bush never hides a fighter completely.
constexpr double kFirstFrontTransparency = 0.5;

struct ShakeOffset {
  int32_t x, y;
};

bool validEntity(int32_t e) { return e >= 0 && e < kEntityCount; }

// Highest index a per-frame scan may reach, whatever the table's last-used index says.
int32_t lastIndex(int32_t last, int32_t capacity) { return last < capacity ? last : capacity - 1; }

void drawBackground() {
  bgSprite.x = 0;
  bgSprite.y = 0;
  drawSprite(bgSprite);
}

// The shake alternates direction every frame.
ShakeOffset shakeOffset() {
  if (shakeSign == 0) return {shakeX, shakeY};
  return {-shakeX, -shakeY};
}

// Foot line of a drawOrder entry; entries that name no entity sink to the end.
double depthKey(int32_t e) {
  if (!validEntity(e)) return 1e300;
  return entities[e].y + entitySprites[e].bodyHeight;
}

// The order carries over from frame to frame and equal foot lines keep their previous order,
// so most frames find it sorted already. This is an insertion sort: it yields exactly the order
// that passes of neighbour swaps would, but an entity crossing many others costs one shift per
// crossing instead of one pass over the whole table per place it moves.
double sortKeys[kDrawOrderCount];

void sortDrawOrder() {
  for (int32_t k = 0; k <= lastEntity; ++k) sortKeys[k] = depthKey(drawOrder[k]);
  for (int32_t k = 1; k <= lastEntity; ++k) {
    const double key = sortKeys[k];
    const int32_t entry = drawOrder[k];
    int32_t at = k;
    while (at > 0 && sortKeys[at - 1] > key) {
      sortKeys[at] = sortKeys[at - 1];
      drawOrder[at] = drawOrder[at - 1];
      --at;
    }
    sortKeys[at] = key;
    drawOrder[at] = entry;
  }
}

// The back layer moves slower than the stage by its parallax; the middle layer moves with it.
// A stage file may leave a back-layer parallax at 0: such an object scrolls with the stage.
int32_t parallaxDivisor(const Entity& object) {
  if (object.kind != kLayerBack || object.parallax == 0) return 1;
  return object.parallax;
}

// Back and middle layers: only objects that reach into the screen are drawn.
void drawCulledLayer(int kind, ShakeOffset shake) {
  const int32_t last = lastIndex(lastObject, kSceneryCount);
  for (int32_t i = 0; i <= last; ++i) {
    const Entity& object = sceneryObjects[i];
    SpriteSet& sprite = scenerySprites[i];
    if (object.kind != kind || sprite.visible != 1) continue;
    const int32_t divisor = parallaxDivisor(object);
    sprite.transparency = 0.0;
    sprite.x = (int64_t{object.x} - cameraX + shake.x) / divisor;
    sprite.y = (int64_t{object.z} - cameraY + shake.y) / divisor;
    if (spriteOnScreen(sprite)) drawSprite(sprite);
  }
}

// Fighters are drawn wherever they are: a sprite whose anchor is off screen may still reach
// into it.
void drawEntities(ShakeOffset shake) {
  for (int32_t k = 0; k <= lastEntity; ++k) {
    const int32_t e = drawOrder[k];
    if (!validEntity(e) || entities[e].alive != 1) continue;
    const Entity& entity = entities[e];
    SpriteSet& sprite = entitySprites[e];
    sprite.flip = entity.facing;
    sprite.x = int64_t{entity.x} - cameraX + shake.x;
    sprite.y = wrap16(entity.y - entity.z) - cameraY + shake.y;
    sprite.autoSize = 1;
    drawSprite(sprite);
  }
}

void drawFrontLayer(ShakeOffset shake) {
  const int32_t last = lastIndex(lastObject, kSceneryCount);
  for (int32_t i = 0; i <= last; ++i) {
    const Entity& object = sceneryObjects[i];
    SpriteSet& sprite = scenerySprites[i];
    if (object.kind != kLayerFront || sprite.visible != 1) continue;
    sprite.transparency = i == 0 ? kFirstFrontTransparency : 0.0;
    // A parallax is a content number and the view may stand far out: the product is wide.
    sprite.x = object.x - int64_t{object.parallax} * cameraX + shake.x;
    sprite.y = object.z - int64_t{object.parallax} * cameraY + shake.y;
    drawSprite(sprite);
  }
}

}  // namespace

void drawStageScene() {
  drawBackground();
  const ShakeOffset shake = shakeOffset();
  sortDrawOrder();
  drawCulledLayer(kLayerBack, shake);
  drawCulledLayer(kLayerMiddle, shake);
  drawEntities(shake);
  drawFrontLayer(shake);
}
