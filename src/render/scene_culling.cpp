#include "render/scene_culling.h"

#include "base/numbers.h"
#include "platform/platform.h"
#include "sim/rect.h"

bool spriteOnScreen(const SpriteSet& sprite) {
  const Rect screen{0, screenWidth, 0, screenHeight};
  const Rect drawn{roundToInt(sprite.x), roundToInt(sprite.x + sprite.width), roundToInt(sprite.y),
                   roundToInt(sprite.y + sprite.height)};
  return rectsOverlap(drawn, screen);
}
