#include <gtest/gtest.h>

#include <set>

#include "sim_support.h"

using namespace simtest;

namespace {

constexpr int kFoe = 2;

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
  void place(int x, int y, int state, const char* animation, int finished = 0) {
    foe().x = int16_t(x), foe().y = int16_t(y), foe().footY = roundedFootLine(kFoe);
    foe().aiState = state;
    startAnimation(entitySprites[kFoe], animation);
    entitySprites[kFoe].finished = finished;
  }
};

TEST_F(Opponents, LaneAndReachComeFromFootLinesAndBodies) {
  const struct { const char* shows; int x, y, aligned, inReach; } cases[] = {
      {"bodies touching", 160, 400, 1, 1}, {"one pixel apart", 161, 400, 1, 0},
      {"foot lines 18 apart", 150, 418, 1, 1}, {"19 apart", 150, 381, 1, 0}, {"20 apart", 150, 420, 0, 0}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.shows);
    place(c.x, c.y, kAiIdle, "STAND");
    updateOpponents();
    EXPECT_EQ(foe().depthAligned, c.aligned);
    EXPECT_EQ(foe().inReach, c.inReach);
  }
}

TEST_F(Opponents, FarOpponentIsFrozenAndAStrayTargetMeansPlayerOne) {
  foe().x = 1124, foe().aiTimer = 0, foe().target = 5000;
  updateOpponents();
  EXPECT_EQ(foe().targetDistance, 1024);
  EXPECT_EQ(foe().aiTimer, 0);
}

// A decision of 1 (approach) or 3 (attack) in reach strikes at once with QUICKATTACK1..3.
TEST_F(Opponents, InReachDecisionStrikesInTheSameTick) {
  std::set<std::string> seen;
  for (uint32_t s = 1; s < 200; ++s) {
    seedRandom(s);
    const int state = randomBelow(5);
    if (state != kAiApproach && state != kAiKnockedDown) continue;
    seedRandom(s);
    place(150, 400, kAiIdle, "STAND");
    foe().aiTimer = 0;
    updateOpponents();
    EXPECT_EQ(foe().aiState, kAiBusy);
    seen.insert(animation());
  }
  EXPECT_EQ(seen, (std::set<std::string>{"QUICKATTACK1", "QUICKATTACK2", "QUICKATTACK3"}));
}

TEST_F(Opponents, ApproachRunsIntoARunAttackOrStopsShortOfTheTarget) {
  const struct { const char* shows; int x, y; const char* from; const char* to; int x2, timer; } cases[] = {
      {"running, 249 away: run attack", 349, 400, "RUN", "RUNATTACK", 339, 29},
      {"running, 250 away: runs on", 350, 400, "RUN", "RUN", 340, 29},
      {"50 across and 15 deep: stops", 150, 415, "WALK", "STAND", 150, 0},
      {"51 across: walks on", 151, 400, "WALK", "WALK", 146, 29},
      {"16 deep: walks on", 150, 416, "WALK", "WALK", 150, 29}};
  entities[0].footY = roundedFootLine(0);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.shows);
    place(c.x, c.y, kAiApproach, c.from);
    foe().aiTimer = 30;
    updateOpponents();
    EXPECT_EQ(animation(), c.to);
    EXPECT_EQ(foe().x, c.x2);
    EXPECT_EQ(foe().aiTimer, c.timer);
  }
}

TEST_F(Opponents, JumpTakesOffWithOneAndAHalfWalkSpeedsRoundedToEven) {
  place(600, 400, kAiJumping, "JUMPSTART", 1);
  updateOpponents();
  EXPECT_EQ(foe().xv, -8);  // 7.5
  EXPECT_EQ(animation(), "JUMP");
  foe().walkSpeed = 3, foe().facing = 0;
  place(600, 400, kAiJumping, "JUMPSTART", 1);
  updateOpponents();
  EXPECT_EQ(foe().xv, 4);  // 4.5
}

}  // namespace
