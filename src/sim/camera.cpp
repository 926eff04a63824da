#include "sim/camera.h"

#include "base/numbers.h"
#include "base/saturate.h"
#include "content/stage_loader.h"
#include "sim/entity.h"
#include "sim/game_state.h"

namespace {
// Half of the screen's middle column: the halved sum below lands the target's centre there.
constexpr int32_t kHalfCentreColumn = 256;
// The view rises only while the target is drawn above this row, and never by more than the
// most it may rise.
constexpr int32_t kRiseRow = 240;
constexpr int32_t kMostRise = -150;
constexpr int32_t kMostShakeY = 15;
}  // namespace

void updateCamera() {
  if (cameraTarget < 0 || cameraTarget >= kEntityCount) return;
  const Entity& target = entities[cameraTarget];

  // Integer halving on purpose: the camera eases in by half the gap each frame and settles
  // within a pixel of its goal.
  const int32_t halfWidth = roundToInt(target.scriptWidth) / 2;
  // A stage end near the range's edge puts the view there too; its sums are taken wide.
  cameraX = saturate32((int64_t{target.x} + cameraX + halfWidth) / 2 - kHalfCentreColumn);
  cameraY = wrap16(target.y - target.z) - kRiseRow;

  // The right end first, then the left: a stage narrower than the screen sits at 0.
  if (int64_t{kViewWidth} + cameraX > stageEnd) cameraX = saturate32(int64_t{stageEnd} - kViewWidth);
  if (cameraY >= 0) cameraY = 0;
  if (cameraY < kMostRise) cameraY = kMostRise;
  if (cameraX <= 0) cameraX = 0;
}

void decayShake() {
  shakeSign = shakeSign == 0 ? 1 : 0;
  shakeX = shakeX - 1 < 0 ? 0 : shakeX - 1;
  shakeY = shakeY - 1 < 0 ? 0 : shakeY - 1;
  if (shakeY > kMostShakeY) shakeY = kMostShakeY;
}
