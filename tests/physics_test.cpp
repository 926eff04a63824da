#include <gtest/gtest.h>

#include "sim_support.h"

using namespace simtest;

namespace {

class Physics : public ::testing::Test {
 protected:
  void SetUp() override { resetSim(); }
};

struct ArcCase { const char* name; int weight, landingStep, firstRise; };
class JumpArc : public Physics, public ::testing::WithParamInterface<ArcCase> {};

TEST_P(JumpArc, RisesOneLessEachTickAndLandsBelowOne) {
  Entity& e = placeFighter(0, 100, 400);
  e.weight = GetParam().weight, e.yv = 20, e.physicsOn = 1, e.playerState = kPlayerAirborne;
  int step = 0;
  while (e.physicsOn == 1 && step < 100)
    if (updatePhysics(), ++step == 1) EXPECT_EQ(e.z, GetParam().firstRise);
  EXPECT_EQ(step, GetParam().landingStep);
  EXPECT_EQ(e.playerState, kPlayerLanding);
  EXPECT_EQ(entitySprites[0].animation, "LAND");
}

INSTANTIATE_TEST_SUITE_P(Arcs, JumpArc,
    ::testing::Values(ArcCase{"Weightless", 0, 41, 20}, ArcCase{"WeightTwo", 2, 37, 18},
                      ArcCase{"WeightIsItsLowSixteenBits", 65538, 37, 18}),
    [](const auto& i) { return std::string(i.param.name); });

// Touch-down rules run one after another: the last that applies picks the animation.
struct LandCase { const char* name; int playerState, aiState; const char* animation; int shake, down; };
class Landing : public Physics, public ::testing::WithParamInterface<LandCase> {};

TEST_P(Landing, ThrownFightersLandHardThenJumpsAndLaunchesLand) {
  const LandCase& c = GetParam();
  Entity& e = placeFighter(0, 300, 400);
  e.z = 1, e.yv = -8, e.xv = 6, e.physicsOn = 1;  // yv -9 after gravity
  e.playerState = c.playerState, e.aiState = c.aiState, e.landAnimation = "CROUCH";
  updatePhysics();
  EXPECT_EQ(entitySprites[0].animation, c.animation);
  EXPECT_EQ(shakeY, c.shake);
  EXPECT_EQ(soundsPlayed(3), c.shake ? 1 : 0);
  EXPECT_EQ(e.down, c.down);
  EXPECT_EQ(e.x, 306);
  EXPECT_EQ(e.xv, 0);
}

INSTANTIATE_TEST_SUITE_P(Landings, Landing,
    ::testing::Values(LandCase{"KnockedOpponent", 0, kAiKnockedDown, "FALLLAND", 4, 1},
                      LandCase{"HurtPlayer", kPlayerHurt, 0, "FALLLAND", 4, 1},
                      LandCase{"JumpAfterAKnockDown", kPlayerAirborne, kAiKnockedDown, "LAND", 4, 1},
                      LandCase{"PlainJump", kPlayerAirborne, 0, "LAND", 0, 0},
                      LandCase{"LaunchWithItsOwnLanding", kPlayerDead, 0, "CROUCH", 0, 0}),
    [](const auto& i) { return std::string(i.param.name); });

TEST_F(Physics, OnlyPhysicsOnOneMoves) {
  Entity& e = placeFighter(0, 300, 400);
  e.yv = -3, e.xv = 5, e.physicsOn = 2;
  updatePhysics();
  EXPECT_EQ(e.x, 300);
  EXPECT_EQ(e.physicsOn, 2);
}

struct BandCase { const char* name; double bodyHeight; int y, expectedY; };
class FloorBand : public Physics, public ::testing::WithParamInterface<BandCase> {};

TEST_P(FloorBand, HoldsFootLinesBetween568And768) {
  floorBand = 200;
  placeFighter(0, 100, GetParam().y);
  entitySprites[0].bodyHeight = GetParam().bodyHeight;
  holdOnFloorBand(0, roundedFootLine(0));
  EXPECT_EQ(entities[0].y, GetParam().expectedY);
}

INSTANTIATE_TEST_SUITE_P(Bands, FloorBand,
    ::testing::Values(BandCase{"AboveGoesToTheTop", 150, 300, 418}, BandCase{"InsideStays", 150, 500, 500},
                      BandCase{"BelowGoesToTheBottom", 150, 700, 618},
                      BandCase{"HalfRowRoundsToEvenAtTop", 149.5, 300, 418},
                      BandCase{"HalfRowRoundsToEvenAtBottom", 149.5, 700, 618}),
    [](const auto& i) { return std::string(i.param.name); });

}  // namespace
