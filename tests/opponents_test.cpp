#include <gtest/gtest.h>

#include <set>

#include "sim_support.h"

using namespace simtest;

namespace {

constexpr int kFoe = 2;

// The first seed whose first draw makes a decision pick `state`, from `after` on.
uint32_t seedDeciding(int state, uint32_t after = 0) {
  for (uint32_t s = after + 1;; ++s)
    if (seedRandom(s), randomBelow(5) == state) return s;
}

// Player 1 at x 100, y 400; an opponent at index 2, facing left, with ATTACKSAMOUNT 3.
class Opponents : public ::testing::Test {
 protected:
  void SetUp() override {
    resetSim();
    lastEntity = kFoe;
    placeFighter(0, 100, 400);
    placeFighter(kFoe, 600, 400).attacksAmount = 3;
    foe().facing = 1, foe().aiTimer = 1;
  }
  Entity& foe() { return entities[kFoe]; }
  const std::string& animation() { return entitySprites[kFoe].animation; }
  void set(int state, const char* animation, int finished = 0) {
    foe().aiState = state;
    startAnimation(entitySprites[kFoe], animation);
    entitySprites[kFoe].finished = finished;
  }
};

struct MeasureCase { const char* name; int x, y, aligned, inReach; };
class Measure : public Opponents, public ::testing::WithParamInterface<MeasureCase> {};

TEST_P(Measure, LaneAndReachFromFootLinesAndBodies) {
  foe().x = int16_t(GetParam().x), foe().y = int16_t(GetParam().y);
  updateOpponents();
  EXPECT_EQ(foe().depthAligned, GetParam().aligned);
  EXPECT_EQ(foe().inReach, GetParam().inReach);
}

INSTANTIATE_TEST_SUITE_P(Positions, Measure, ::testing::Values(
    MeasureCase{"BodiesTouching", 160, 400, 1, 1}, MeasureCase{"OnePixelApart", 161, 400, 1, 0},
    MeasureCase{"FootLinesEighteenApart", 150, 418, 1, 1},
    MeasureCase{"FootLinesNineteenApart", 150, 381, 1, 0}, MeasureCase{"FootLinesTwentyApart", 150, 420, 0, 0}),
    [](const auto& i) { return std::string(i.param.name); });

TEST_F(Opponents, FarOpponentIsFrozenAndAStrayTargetMeansPlayerOne) {
  foe().x = 1124, foe().aiTimer = 0, foe().target = 5000;
  updateOpponents();
  EXPECT_EQ(foe().targetDistance, 1024);
  EXPECT_EQ(foe().aiTimer, 0);
  EXPECT_EQ(animation(), "");
}

class InReach : public Opponents, public ::testing::WithParamInterface<int> {};

TEST_P(InReach, ApproachOrAttackDecisionStrikesInTheSameTick) {
  foe().x = 150;
  std::set<std::string> seen;
  for (uint32_t s = seedDeciding(GetParam()); seen.size() < 3 && s < 100000; s = seedDeciding(GetParam(), s)) {
    seedRandom(s);
    set(kAiIdle, "STAND");
    foe().aiTimer = 0;
    updateOpponents();
    EXPECT_EQ(foe().aiState, kAiBusy);
    seen.insert(animation());
  }
  EXPECT_EQ(seen, (std::set<std::string>{"QUICKATTACK1", "QUICKATTACK2", "QUICKATTACK3"}));
}

INSTANTIATE_TEST_SUITE_P(States, InReach, ::testing::Values(kAiApproach, kAiKnockedDown));

struct ApproachCase { const char* name; int x, y; const char* from; const char* to; int x2, timer; };
class Approach : public Opponents, public ::testing::WithParamInterface<ApproachCase> {};

TEST_P(Approach, RunsIntoARunAttackOrStopsShortOfTheTarget) {
  const ApproachCase& c = GetParam();
  foe().x = int16_t(c.x), foe().y = int16_t(c.y), foe().footY = roundedFootLine(kFoe), foe().aiTimer = 30;
  entities[0].footY = roundedFootLine(0);
  set(kAiApproach, c.from);
  updateOpponents();
  EXPECT_EQ(animation(), c.to);
  EXPECT_EQ(foe().x, c.x2);
  EXPECT_EQ(foe().aiTimer, c.timer);
}

INSTANTIATE_TEST_SUITE_P(Gaps, Approach, ::testing::Values(
    ApproachCase{"RunBelowTwoFiftyAttacks", 349, 400, "RUN", "RUNATTACK", 339, 29},
    ApproachCase{"RunAtTwoFiftyKeepsRunning", 350, 400, "RUN", "RUN", 340, 29},
    ApproachCase{"FiftyAcrossFifteenDeepStops", 150, 415, "WALK", "STAND", 150, 0},
    ApproachCase{"FiftyOneAcrossWalksOn", 151, 400, "WALK", "WALK", 146, 29},
    ApproachCase{"SixteenDeepWalksOn", 150, 416, "WALK", "WALK", 150, 29}),
    [](const auto& i) { return std::string(i.param.name); });

TEST_F(Opponents, JumpTakesOffWithOneAndAHalfWalkSpeedsRoundedToEven) {
  set(kAiJumping, "JUMPSTART", 1);
  updateOpponents();
  EXPECT_EQ(foe().xv, -8);  // 7.5
  EXPECT_EQ(animation(), "JUMP");
  foe().walkSpeed = 3, foe().facing = 0;
  set(kAiJumping, "JUMPSTART", 1);
  updateOpponents();
  EXPECT_EQ(foe().xv, 4);  // 4.5
}

TEST_F(Opponents, BeatenOpponentDiesThenFadesForFortyTicks) {
  foe().hp = 0;
  set(kAiBusy, "HIGHDAMAGE", 1);
  updateOpponents();
  EXPECT_EQ(animation(), "DIE");
  entitySprites[kFoe].finished = 1;
  updateOpponents();
  EXPECT_EQ(foe().aiState, kAiDying);
  for (int t = 1; t < 40; ++t) updateOpponents();
  EXPECT_EQ(foe().alive, 1);
  updateOpponents();
  EXPECT_EQ(foe().alive, 0);
}

}  // namespace
