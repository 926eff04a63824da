#include <gtest/gtest.h>

#include "sim_support.h"

using namespace simtest;

namespace {

constexpr int kFoe = 2;

// The first seed whose first draw makes an opponent's decision pick `state`.
uint32_t seedDeciding(int state) {
  for (uint32_t s = 1; s < 100000; ++s) {
    seedRandom(s);
    if (randomBelow(5) == state) return s;
  }
  ADD_FAILURE() << "no seed found";
  return 0;
}

// Player 1 at x 100, y 400; one opponent at index 2 with the same body (60 by 150).
class Opponents : public ::testing::Test {
 protected:
  void SetUp() override {
    resetSim();
    lastEntity = kFoe;
    placeFighter(0, 100, 400);
    placeFighter(kFoe, 600, 400).attacksAmount = 3;
    foe().aiTimer = 1;  // no decision unless a test lowers it
    foe().facing = 1;
  }
  Entity& foe() { return entities[kFoe]; }
  SpriteSet& foeSprite() { return entitySprites[kFoe]; }
  void set(int state, const char* animation, int finished = 0) {
    foe().aiState = state;
    startAnimation(foeSprite(), animation);
    foeSprite().finished = finished;
  }
};

struct MeasureCase {
  const char* name;
  int x, y;
  int expectedDistance, aligned, inReach;
};

class Measure : public Opponents, public ::testing::WithParamInterface<MeasureCase> {};

TEST_P(Measure, DistanceDepthAndReach) {
  const MeasureCase& c = GetParam();
  foe().x = static_cast<int16_t>(c.x);
  foe().y = static_cast<int16_t>(c.y);
  updateOpponents();
  EXPECT_EQ(foe().targetDistance, c.expectedDistance);
  EXPECT_EQ(foe().depthAligned, c.aligned);
  EXPECT_EQ(foe().inReach, c.inReach);
}

INSTANTIATE_TEST_SUITE_P(
    Positions, Measure,
    ::testing::Values(MeasureCase{"BodiesTouchingAreInReach", 160, 400, 60, 1, 1},
                      MeasureCase{"OnePixelApartIsOutOfReach", 161, 400, 61, 1, 0},
                      MeasureCase{"LeftSideCountsToo", 40, 400, 60, 1, 1},
                      MeasureCase{"FootLinesEighteenApartReach", 150, 418, 50, 1, 1},
                      MeasureCase{"FootLinesNineteenApartAlignButDoNotReach", 150, 381, 50, 1, 0},
                      MeasureCase{"FootLinesTwentyApartDoNotAlign", 150, 420, 50, 0, 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(Opponents, PropsAndEffectsAreMeasuredButDoNothing) {
  foe().kind = kKindObject;
  foe().aiTimer = 0;
  updateOpponents();
  EXPECT_EQ(foe().targetDistance, 500);
  EXPECT_EQ(foe().aiTimer, 0);
}

TEST_F(Opponents, FarOpponentIsFrozen) {
  foe().x = 1124;
  foe().aiTimer = 0;
  updateOpponents();
  EXPECT_EQ(foe().targetDistance, 1024);
  EXPECT_EQ(foe().aiTimer, 0);
  EXPECT_EQ(foe().x, 1124);
  EXPECT_EQ(foeSprite().animation, "");
  foe().x = 1123;
  updateOpponents();
  EXPECT_NE(foe().aiTimer, 0) << "one pixel nearer it decides";
}

TEST_F(Opponents, TargetOutsideTheTableIsPlayerOne) {
  foe().target = 5000;
  updateOpponents();
  EXPECT_EQ(foe().targetDistance, 500);
  foe().target = -1;
  updateOpponents();
  EXPECT_EQ(foe().targetDistance, 500);
}

TEST_F(Opponents, DecisionFacesTheTarget) {
  seedRandom(seedDeciding(kAiIdle));
  foe().aiTimer = 0;
  foe().facing = 0;
  updateOpponents();
  EXPECT_EQ(foe().facing, 1);
  EXPECT_EQ(foe().aiState, kAiIdle);
  EXPECT_EQ(foeSprite().animation, "STAND");
  EXPECT_GE(foe().aiTimer, 9);
  EXPECT_LE(foe().aiTimer, 58);
}

class InReachDecision : public Opponents, public ::testing::WithParamInterface<int> {};

TEST_P(InReachDecision, AttacksInTheSameTick) {
  foe().x = 150;
  int found = 0;
  bool seen[4] = {};
  for (uint32_t s = 1; found < 30 && s < 100000; ++s) {
    seedRandom(s);
    if (randomBelow(5) != GetParam()) continue;
    ++found;
    seedRandom(s);
    set(kAiIdle, "STAND");
    foe().aiTimer = 0;
    updateOpponents();
    EXPECT_EQ(foe().aiState, kAiBusy);
    const std::string& a = foeSprite().animation;
    ASSERT_TRUE(a == "QUICKATTACK1" || a == "QUICKATTACK2" || a == "QUICKATTACK3") << a;
    seen[a.back() - '0'] = true;
    EXPECT_EQ(foe().x, 150);
  }
  EXPECT_TRUE(seen[1] && seen[2] && seen[3]) << "every numbered attack up to ATTACKSAMOUNT";
}

INSTANTIATE_TEST_SUITE_P(States, InReachDecision,
                         ::testing::Values(kAiApproach, kAiKnockedDown, kAiJumping),
                         [](const auto& info) {
                           return info.param == kAiApproach     ? std::string("Approach")
                                  : info.param == kAiKnockedDown ? std::string("Attack")
                                                                 : std::string("JumpTooClose");
                         });

struct ApproachStart {
  const char* name;
  int x;
  const char* animation;
  int expectedX;
};

class ApproachDecision : public Opponents, public ::testing::WithParamInterface<ApproachStart> {};

TEST_P(ApproachDecision, WalksWhenNearRunsWhenFarAndMovesAtOnce) {
  const ApproachStart& c = GetParam();
  seedRandom(seedDeciding(kAiApproach));
  foe().x = static_cast<int16_t>(c.x);
  foe().aiTimer = 0;
  updateOpponents();
  EXPECT_EQ(foe().aiState, kAiApproach);
  EXPECT_EQ(foeSprite().animation, c.animation);
  EXPECT_EQ(foe().x, c.expectedX);
  EXPECT_GE(foe().aiTimer, 99);
  EXPECT_LE(foe().aiTimer, 198);
}

INSTANTIATE_TEST_SUITE_P(
    Distances, ApproachDecision,
    ::testing::Values(ApproachStart{"JustUnderThreeHundredWalks", 399, "WALK", 394},
                      ApproachStart{"ThreeHundredRuns", 400, "RUN", 390}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(Opponents, JumpDecisionFromAfarWindsUp) {
  seedRandom(seedDeciding(kAiJumping));
  foe().x = 251;
  foe().aiTimer = 0;
  updateOpponents();
  EXPECT_EQ(foe().aiState, kAiJumping);
  EXPECT_EQ(foeSprite().animation, "JUMPSTART");
  EXPECT_EQ(foe().aiTimer, 1);
}

TEST_F(Opponents, AttackDecisionOutOfReachWalksIn) {
  seedRandom(seedDeciding(kAiKnockedDown));
  foe().x = 300;
  foe().aiTimer = 0;
  updateOpponents();
  EXPECT_EQ(foe().aiState, kAiApproach);
  EXPECT_EQ(foeSprite().animation, "WALK");
  EXPECT_EQ(foe().x, 295);
  EXPECT_GE(foe().aiTimer, 9);
  EXPECT_LE(foe().aiTimer, 158);
}

struct RunCase {
  const char* name;
  int x;
  const char* animation;
  int state;
};

class RunAttack : public Opponents, public ::testing::WithParamInterface<RunCase> {};

TEST_P(RunAttack, StartsWhenTheDistanceAtTickStartIsBelowTwoFifty) {
  const RunCase& c = GetParam();
  foe().x = static_cast<int16_t>(c.x);
  foe().aiTimer = 30;
  set(kAiApproach, "RUN");
  updateOpponents();
  EXPECT_EQ(foeSprite().animation, c.animation);
  EXPECT_EQ(foe().aiState, c.state);
  EXPECT_EQ(foe().x, c.x - 10);
}

INSTANTIATE_TEST_SUITE_P(
    Distances, RunAttack,
    ::testing::Values(RunCase{"TwoFortyNineAttacks", 349, "RUNATTACK", kAiBusy},
                      RunCase{"TwoFiftyKeepsRunning", 350, "RUN", kAiApproach}),
    [](const auto& info) { return std::string(info.param.name); });

struct StopCase {
  const char* name;
  int x, y;
  bool stops;
};

class ApproachStop : public Opponents, public ::testing::WithParamInterface<StopCase> {};

TEST_P(ApproachStop, StopsWithinFiftyAcrossAndFifteenInDepth) {
  const StopCase& c = GetParam();
  foe().x = static_cast<int16_t>(c.x);
  foe().y = static_cast<int16_t>(c.y);
  foe().footY = roundedFootLine(kFoe);
  entities[0].footY = roundedFootLine(0);
  foe().aiTimer = 30;
  set(kAiApproach, "WALK");
  updateOpponents();
  EXPECT_EQ(foeSprite().animation, c.stops ? "STAND" : "WALK");
  EXPECT_EQ(foe().aiTimer, c.stops ? 0 : 29);
}

INSTANTIATE_TEST_SUITE_P(
    Gaps, ApproachStop,
    ::testing::Values(StopCase{"FiftyRightAndFifteenBelowStops", 150, 415, true},
                      StopCase{"FiftyLeftAndFifteenAboveStops", 50, 385, true},
                      StopCase{"FiftyOneAcrossWalks", 151, 400, false},
                      StopCase{"SixteenInDepthWalks", 100, 416, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(Opponents, ApproachWalksDownTheBandTowardTheTarget) {
  foe().x = 100;
  foe().y = 300;
  foe().footY = roundedFootLine(kFoe);
  entities[0].footY = roundedFootLine(0);
  foe().aiTimer = 30;
  set(kAiApproach, "WALK");
  updateOpponents();
  EXPECT_EQ(foe().y, 305);
  EXPECT_EQ(foeSprite().animation, "WALK");
}

struct BusyCase {
  const char* name;
  int state;
  const char* animation;
  int finished;
  double hp;
  int expectedState;
  int expectedTimer;
  const char* expectedAnimation;
  int expectedDown;
};

class Recovery : public Opponents, public ::testing::WithParamInterface<BusyCase> {};

TEST_P(Recovery, WaitsForTheAnimationThenMovesOn) {
  const BusyCase& c = GetParam();
  foe().hp = c.hp;
  foe().down = 1;
  foe().aiTimer = 2;
  set(c.state, c.animation, c.finished);
  updateOpponents();
  EXPECT_EQ(foe().aiState, c.expectedState);
  EXPECT_EQ(foe().aiTimer, c.expectedTimer);
  EXPECT_EQ(foeSprite().animation, c.expectedAnimation);
  EXPECT_EQ(foe().down, c.expectedDown);
}

INSTANTIATE_TEST_SUITE_P(
    States, Recovery,
    ::testing::Values(
        BusyCase{"AttackRunning", kAiBusy, "QUICKATTACK1", 0, 10, kAiBusy, 1, "QUICKATTACK1", 1},
        BusyCase{"AttackDone", kAiBusy, "QUICKATTACK1", 1, 10, kAiBusy, 0, "QUICKATTACK1", 1},
        BusyCase{"HurtAndAlive", kAiBusy, "LOWDAMAGE", 1, 10, kAiBusy, 0, "LOWDAMAGE", 1},
        BusyCase{"HurtAndBeaten", kAiBusy, "HIGHDAMAGE", 1, 0, kAiBusy, 1, "DIE", 1},
        BusyCase{"DeathPlayed", kAiBusy, "DIE", 1, 0, kAiDying, 1, "DIE", 1},
        BusyCase{"GotUp", kAiKnockedDown, "GETUP", 1, 10, kAiKnockedDown, 0, "GETUP", 0},
        BusyCase{"FellAndAlive", kAiKnockedDown, "FALLLAND", 1, 10, kAiKnockedDown, 1, "GETUP", 1},
        BusyCase{"FellAndBeaten", kAiKnockedDown, "FALLLAND", 1, -3, kAiDying, 1, "FALLLAND", 1},
        BusyCase{"StillFalling", kAiKnockedDown, "FALL", 0, 10, kAiKnockedDown, 1, "FALL", 1},
        BusyCase{"LandingDone", kAiLanding, "LAND", 1, 10, kAiLanding, 0, "STAND", 1}),
    [](const auto& info) { return std::string(info.param.name); });

struct JumpCase {
  const char* name;
  int facing;
  int walkSpeed;
  int expectedXv;
};

class OpponentJump : public Opponents, public ::testing::WithParamInterface<JumpCase> {};

TEST_P(OpponentJump, TakesOffWithOneAndAHalfWalkSpeedsRoundedHalfToEven) {
  const JumpCase& c = GetParam();
  foe().facing = c.facing;
  foe().walkSpeed = static_cast<int16_t>(c.walkSpeed);
  foe().aiTimer = 2;
  set(kAiJumping, "JUMPSTART", 1);
  updateOpponents();
  EXPECT_EQ(foe().xv, c.expectedXv);
  EXPECT_EQ(foe().yv, 20);
  EXPECT_EQ(foe().physicsOn, 1);
  EXPECT_EQ(foeSprite().animation, "JUMP");
}

INSTANTIATE_TEST_SUITE_P(
    Speeds, OpponentJump,
    ::testing::Values(JumpCase{"FiveRightIsEight", 0, 5, 8}, JumpCase{"FiveLeftIsMinusEight", 1, 5, -8},
                      JumpCase{"ThreeRightIsFour", 0, 3, 4}, JumpCase{"SevenLeftIsMinusTen", 1, 7, -10}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(Opponents, JumpAttacksWhenCloseAndInLine) {
  foe().x = 449;
  set(kAiJumping, "JUMP");
  updateOpponents();
  EXPECT_EQ(foeSprite().animation, "JUMPATTACK");
  set(kAiJumping, "JUMP");
  foe().x = 450;
  updateOpponents();
  EXPECT_EQ(foeSprite().animation, "JUMP");
}

TEST_F(Opponents, IdleKeepsFacingTheTarget) {
  set(kAiIdle, "STAND");
  foe().aiTimer = 5;
  foe().x = 50;
  updateOpponents();
  EXPECT_EQ(foe().facing, 0);
  EXPECT_EQ(foe().aiTimer, 4);
}

TEST_F(Opponents, DeathFadeFreesTheSlotOnTheFortiethTick) {
  set(kAiDying, "DIE", 1);
  for (int t = 1; t <= 39; ++t) updateOpponents();
  EXPECT_EQ(foe().alive, 1);
  EXPECT_NEAR(foeSprite().transparency, 0.975, 1e-9);
  updateOpponents();
  EXPECT_EQ(foe().alive, 0);
}

}  // namespace
