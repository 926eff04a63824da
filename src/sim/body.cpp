#include "sim/body.h"

#include "base/numbers.h"
#include "sim/entity.h"

double footLine(int e) { return entities[e].y + entitySprites[e].bodyHeight; }

int32_t roundedFootLine(int e) { return roundToInt(footLine(e)); }

Rect groundBodyRect(int e) {
  const Entity& en = entities[e];
  const double halfWidth = entitySprites[e].bodyWidth / 2;
  return Rect{roundToInt(en.x - halfWidth), roundToInt(en.x + halfWidth), en.y,
              roundToInt(footLine(e))};
}

int entityIndexOrZero(int32_t index) { return index >= 0 && index < kEntityCount ? index : 0; }
