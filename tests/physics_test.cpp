#include <gtest/gtest.h>

#include "sim_support.h"

using namespace simtest;

namespace {

class Physics : public ::testing::Test {
 protected:
  void SetUp() override { resetSim(); }
};

struct JumpCase {
  const char* name;
  int jumpHeight;
  int weight;
  int landingStep;
  int firstRise;
};

class JumpArc : public Physics, public ::testing::WithParamInterface<JumpCase> {};

TEST_P(JumpArc, RisesOneLessEachTickAndLandsWhenAltitudeDropsBelowOne) {
  const JumpCase& c = GetParam();
  Entity& e = placeFighter(0, 100, 400);
  e.weight = c.weight;
  e.yv = static_cast<int16_t>(c.jumpHeight);
  e.physicsOn = 1;
  e.playerState = kPlayerAirborne;
  int step = 0, previousZ = 0;
  while (e.physicsOn == 1 && step < 100) {
    updatePhysics();
    ++step;
    if (step == 1) EXPECT_EQ(e.z, c.firstRise);
    if (step == 2) EXPECT_EQ(e.z - previousZ, c.firstRise - 1);
    previousZ = e.z;
  }
  EXPECT_EQ(step, c.landingStep);
  EXPECT_EQ(e.z, 0);
  EXPECT_EQ(e.playerState, kPlayerLanding);
  EXPECT_EQ(entitySprites[0].animation, "LAND");
}

INSTANTIATE_TEST_SUITE_P(
    Jumps, JumpArc,
    ::testing::Values(JumpCase{"HeightTwentyWeightless", 20, 0, 41, 20},
                      JumpCase{"HeightTwentyWeightTwo", 20, 2, 37, 18},
                      // only the low 16 bits of the weight count: 65538 weighs 2
                      JumpCase{"WeightEntersAsLowSixteenBits", 20, 65538, 37, 18}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(Physics, KnockedFighterLandingWithYvMinusNineShakesByFour) {
  Entity& e = placeFighter(2, 300, 400);
  e.z = 1;
  e.yv = -8;  // -9 after this tick's gravity
  e.physicsOn = 1;
  e.aiState = kAiKnockedDown;
  shakeY = 2;
  updatePhysics();
  EXPECT_EQ(shakeY, 6);
  EXPECT_EQ(e.down, 1);
  EXPECT_EQ(e.physicsOn, 0);
  EXPECT_EQ(e.xv, 0);
  EXPECT_EQ(entitySprites[2].animation, "FALLLAND");
  EXPECT_EQ(soundsPlayed(3), 1);
}

TEST_F(Physics, HurtPlayerHittingTheGroundFallsLandsWithoutJumpLanding) {
  Entity& e = placeFighter(0, 300, 400);
  e.z = 3;
  e.yv = -5;
  e.xv = 6;
  e.physicsOn = 1;
  e.playerState = kPlayerHurt;
  updatePhysics();
  EXPECT_EQ(e.x, 306);
  EXPECT_EQ(entitySprites[0].animation, "FALLLAND");
  EXPECT_EQ(e.playerState, kPlayerHurt);
  EXPECT_EQ(shakeY, 3);
}

// A player keeps the aiState 3 of an earlier knock-down, so its next jump lands through both
// the hard landing and the jump landing.
TEST_F(Physics, JumpAfterKnockDownLandsHardAndThenAsAJump) {
  Entity& e = placeFighter(0, 300, 400);
  e.z = 2;
  e.yv = -4;
  e.physicsOn = 1;
  e.playerState = kPlayerAirborne;
  e.aiState = kAiKnockedDown;
  updatePhysics();
  EXPECT_EQ(e.down, 1);
  EXPECT_EQ(soundsPlayed(3), 1);
  EXPECT_EQ(shakeY, 2);
  EXPECT_EQ(entitySprites[0].animation, "LAND");
  EXPECT_EQ(e.playerState, kPlayerLanding);
  EXPECT_EQ(e.aiState, kAiLanding);
}

TEST_F(Physics, LaunchWithItsOwnLandingStartsThatAnimation) {
  Entity& e = placeFighter(3, 300, 400);
  e.z = 1;
  e.yv = -1;
  e.xv = -4;
  e.physicsOn = 1;
  e.playerState = kPlayerDead;
  e.landAnimation = "CROUCH";
  updatePhysics();
  EXPECT_EQ(e.playerState, kPlayerLanding);
  EXPECT_EQ(e.xv, 0);
  EXPECT_EQ(entitySprites[3].animation, "CROUCH");
  EXPECT_EQ(soundsPlayed(3), 0);
}

TEST_F(Physics, OnlyPhysicsOnOneMoves) {
  for (int value : {0, 2, -1}) {
    Entity& e = placeFighter(4, 300, 400);
    e.z = 0;
    e.yv = -3;
    e.xv = 5;
    e.physicsOn = value;
    e.playerState = kPlayerAirborne;
    updatePhysics();
    EXPECT_EQ(e.x, 300) << value;
    EXPECT_EQ(e.yv, -3) << value;
    EXPECT_EQ(e.physicsOn, value) << value;
    EXPECT_EQ(e.playerState, kPlayerAirborne) << value;
  }
}

TEST_F(Physics, PositionsWrapAsSixteenBitValues) {
  Entity& e = placeFighter(4, 32767, 400);
  e.xv = 1;
  e.z = 100;
  e.physicsOn = 1;
  updatePhysics();
  EXPECT_EQ(e.x, -32768);
}

TEST_F(Physics, EntitiesPastLastEntityAreLeftAlone) {
  lastEntity = 3;
  Entity& e = placeFighter(5, 300, 400);
  e.xv = 4;
  e.z = 50;
  e.physicsOn = 1;
  updatePhysics();
  EXPECT_EQ(e.x, 300);
}

struct BandCase {
  const char* name;
  int floorBand;
  double bodyHeight;
  int y;
  int expectedY;
};

class FloorBand : public Physics, public ::testing::WithParamInterface<BandCase> {};

TEST_P(FloorBand, HoldsFootLineBetweenBandTopAndScreenBottom) {
  const BandCase& c = GetParam();
  floorBand = c.floorBand;
  placeFighter(0, 100, c.y, 60, c.bodyHeight);
  holdOnFloorBand(0, roundedFootLine(0));
  EXPECT_EQ(entities[0].y, c.expectedY);
}

INSTANTIATE_TEST_SUITE_P(
    Bands, FloorBand,
    ::testing::Values(BandCase{"AboveBandIsPutOnItsTop", 200, 150, 300, 418},
                      BandCase{"OnBandTopStays", 200, 150, 418, 418},
                      BandCase{"InsideBandStays", 200, 150, 500, 500},
                      BandCase{"OnScreenBottomStays", 200, 150, 618, 618},
                      BandCase{"BelowScreenIsPutOnBottom", 200, 150, 700, 618},
                      BandCase{"HalfRowsRoundToEvenAtTop", 200, 149.5, 300, 418},
                      BandCase{"HalfRowsRoundToEvenAtBottom", 200, 149.5, 700, 618},
                      BandCase{"NoHeightHoldsTheTopRow", 200, 0, 100, 568}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(Physics, LeftEdgeHoldsAtZero) {
  for (int x : {-3, 0, 1, 40}) {
    entities[0].x = static_cast<int16_t>(x);
    holdAtLeftEdge(0);
    EXPECT_EQ(entities[0].x, x < 1 ? 0 : x);
  }
}

}  // namespace
