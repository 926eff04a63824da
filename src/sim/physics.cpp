#include "sim/physics.h"

#include <cstdlib>

#include "base/numbers.h"
#include "content/stage_loader.h"
#include "sim/animation.h"
#include "sim/entity.h"
#include "sim/game_state.h"
#include "sim/sound_requests.h"

namespace {

constexpr int32_t kScreenBottom = 768;  // the floor band ends at the bottom screen row
constexpr int kGroundHitSound = 3;
// How far inside the stage end a player's centre line stays when the end wall is up.
constexpr int32_t kEndMargin = 40;
constexpr int kPlayerSlots = 2;  // entities 0 and 1 belong to the players

bool touchedDown(const Entity& e) { return e.z < 1; }

// A fighter thrown by a hit lands hard: the screen shakes and it lies down.
void landKnockedBody(int i) {
  Entity& e = entities[i];
  e.z = 0;
  e.physicsOn = 0;
  e.xv = 0;
  const bool ownJump = gameRules.jumpLandsOnFeet == 1 && e.aiState == kAiJumping;
  if ((e.kind == kKindFighter && e.playerState == kPlayerHurt && !ownJump) || e.aiState == kAiKnockedDown) {
    shakeY += std::abs(static_cast<int32_t>(e.yv)) / 2;
    startAnimation(entitySprites[i], "FALLLAND");
    requestSound(kGroundHitSound);
    e.down = 1;
  }
}

// A jump, or a scripted launch that lands like one.
void landJump(int i) {
  Entity& e = entities[i];
  if (!((e.playerState == kPlayerAirborne || e.aiState == kAiJumping) && touchedDown(e))) return;
  e.z = 0;
  e.playerState = kPlayerLanding;
  e.physicsOn = 0;
  e.aiState = kAiLanding;
  startAnimation(entitySprites[i], "LAND");
  e.xv = 0;
}

// A scripted launch that named its own landing animation.
void landLaunch(int i) {
  Entity& e = entities[i];
  if (!(e.playerState == kPlayerDead && touchedDown(e))) return;
  e.z = 0;
  e.playerState = kPlayerLanding;
  e.physicsOn = 0;
  startAnimation(entitySprites[i], e.landAnimation);
  e.xv = 0;
}

}  // namespace

void updatePhysics() {
  for (int i = 0; i <= lastEntity && i < kEntityCount; ++i) {
    Entity& e = entities[i];
    if (e.physicsOn != 1) continue;
    e.x = wrap16(e.x + e.xv);
    e.z = wrap16(e.z + e.yv - wrap16(e.weight));
    e.yv = wrap16(e.yv - wrap16(gravity));
    // Each landing rule looks at what the one before it left, so a body can pass through
    // several in one tick and keeps the animation of the last.
    if (touchedDown(e)) landKnockedBody(i);
    landJump(i);
    landLaunch(i);
  }
}

void holdOnFloorBand(int e, int32_t footLine) {
  const int64_t bandTop = int64_t{kScreenBottom} - floorBand;  // a band may be any depth
  const double bodyHeight = entitySprites[e].bodyHeight;
  if (footLine < bandTop) entities[e].y = roundToInt16(bandTop - bodyHeight);
  if (footLine > kScreenBottom) entities[e].y = roundToInt16(kScreenBottom - bodyHeight);
}

void holdAtLeftEdge(int e) {
  if (entities[e].x < 1) entities[e].x = 0;
}

void holdPlayersInsideStageEnd() {
  if (gameRules.holdInsideStageEnd != 1) return;
  const int32_t last = stageEnd - kEndMargin;
  for (int p = 0; p < playerCount && p < kPlayerSlots; ++p)
    if (entities[p].x > last) entities[p].x = static_cast<int16_t>(last);
}
