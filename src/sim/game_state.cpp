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

void applyArcadeHouseRules(GameRules& rules) {
  rules.friendlyFire = 0;
  rules.quitKeysEndProgram = 0;
  rules.portraitFollowsMover = 1;
  // The stage has no wall at its end: a player walking on would leave the screen, and the
  // opponents following would go past where the tick animates them and freeze.
  rules.holdInsideStageEnd = 1;
  rules.jumpLandsOnFeet = 1;
  rules.genreMoves = 1;
}
