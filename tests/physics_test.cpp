#include <gtest/gtest.h>

#include <limits>

#include "base/numbers.h"
#include "sim_support.h"

using namespace simtest;

namespace {

TEST(Physics, JumpLandsOnTheStepItsAltitudeDropsBelowOne) {
  const struct { const char* shows; int weight, landingStep; } cases[] = {
      {"weightless: 41st step", 0, 41}, {"weight 2: 37th", 2, 37}, {"weight's low 16 bits", 65538, 37}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.shows);
    resetSim();
    Entity& e = placeFighter(0, 100, 400);
    e.weight = c.weight, e.yv = 20, e.physicsOn = 1, e.playerState = kPlayerAirborne;
    int step = 0;
    while (e.physicsOn == 1 && step < 100) updatePhysics(), ++step;
    EXPECT_EQ(step, c.landingStep);
  }
}

// The touch-down rules run one after another; the last that applies picks the animation.
TEST(Physics, ThrownFightersLandHardAndJumpsAndLaunchesLandAfter) {
  const struct { const char* shows; int physicsOn, playerState, aiState; const char* animation;
                 int shake, x; } cases[] = {
      {"knocked opponent, yv -9: shake 4", 1, 0, kAiKnockedDown, "FALLLAND", 4, 306},
      {"player's jump after a knock-down", 1, kPlayerAirborne, kAiKnockedDown, "LAND", 4, 306},
      {"plain jump", 1, kPlayerAirborne, 0, "LAND", 0, 306},
      {"launch with its own landing", 1, kPlayerDead, 0, "CROUCH", 0, 306},
      {"physicsOn 2 stays put", 2, kPlayerAirborne, kAiKnockedDown, "", 0, 300}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.shows);
    resetSim();
    Entity& e = placeFighter(0, 300, 400);
    e.z = 1, e.yv = -8, e.xv = 6, e.physicsOn = c.physicsOn, e.landAnimation = "CROUCH";
    e.playerState = c.playerState, e.aiState = c.aiState;
    updatePhysics();
    playRequestedSounds();
    EXPECT_EQ(entitySprites[0].animation, c.animation);
    EXPECT_EQ(shakeY, c.shake);
    EXPECT_EQ(soundsPlayed(3), c.shake ? 1 : 0);
    EXPECT_EQ(e.x, c.x);
  }
}

TEST(Physics, FloorBandHoldsFootLinesBetween568And768) {
  const struct { const char* shows; double bodyHeight; int y, expected; } cases[] = {
      {"above: top", 150, 300, 418}, {"inside", 150, 500, 500}, {"below: bottom", 150, 700, 618},
      {"half rows to even", 149.5, 300, 418}, {"half rows to even below", 149.5, 700, 618}};
  resetSim();
  for (const auto& c : cases) {
    SCOPED_TRACE(c.shows);
    floorBand = 200;
    placeFighter(0, 100, c.y);
    entitySprites[0].bodyHeight = c.bodyHeight;
    holdOnFloorBand(0, roundedFootLine(0));
    EXPECT_EQ(entities[0].y, c.expected);
  }
}

// VERTICALWALL -3e9 reaches the band as the bottom of the 32-bit range: the band's top lies
// past the range, so the row held to saturates there and wraps into the 16-bit position.
TEST(Physics, FloorBandAtTheRangeEdgeHoldsWithoutOverflow) {
  resetSim();
  floorBand = std::numeric_limits<int32_t>::min();
  placeFighter(0, 100, 500);
  holdOnFloorBand(0, roundedFootLine(0));
  EXPECT_EQ(entities[0].y, wrap16(std::numeric_limits<int32_t>::max()));
}

}  // namespace
