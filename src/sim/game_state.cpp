#include "sim/game_state.h"

#include "base/numbers.h"

int32_t cameraTarget = 0;
int32_t drawOrder[kDrawOrderCount];
int32_t cameraX = 0;
int32_t cameraY = 0;
int32_t shakeSign = 0;
GameRules gameRules;

double scaledByPercent(double value, int32_t percent) {
  if (percent == kContentPercent) return value;
  return roundToInt(value * percent / kContentPercent);
}
