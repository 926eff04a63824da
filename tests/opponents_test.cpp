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
    foe().facing = 1;
  }
  Entity& foe() { return entities[kFoe]; }
  const std::string& animation() { return entitySprites[kFoe].animation; }
  void place(int x, int y, int state, const char* animation, int finished = 0, int timer = 30) {
    foe().x = int16_t(x), foe().y = int16_t(y), foe().footY = roundedFootLine(kFoe);
    foe().aiState = state, foe().aiTimer = timer;
    startAnimation(entitySprites[kFoe], animation);
    entitySprites[kFoe].finished = finished;
  }
};

TEST_F(Opponents, EachTickMeasuresLaneAndReach) {
  const struct { const char* shows; int x, y, aligned, inReach; } cases[] = {
      {"bodies touching", 160, 400, 1, 1}, {"one pixel apart", 161, 400, 1, 0},
      {"foot lines 18 apart", 150, 418, 1, 1}, {"19 apart", 150, 381, 1, 0}, {"20 apart", 150, 420, 0, 0}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.shows);
    place(c.x, c.y, kAiIdle, "STAND");
    updateOpponents();
    EXPECT_EQ(std::vector<int>({foe().depthAligned, foe().inReach}), std::vector<int>({c.aligned, c.inReach}));
  }
}

// Decisions 1 (approach) and 3 (attack) strike at once when in reach, with QUICKATTACK1..3.
TEST_F(Opponents, InReachDecisionStrikesInTheSameTick) {
  std::set<std::string> seen;
  for (uint32_t s = 1; s < 200; ++s) {
    seedRandom(s);
    const int state = randomBelow(5);
    if (state != kAiApproach && state != kAiKnockedDown) continue;
    seedRandom(s);
    place(150, 400, kAiIdle, "STAND", 0, 0);
    updateOpponents();
    seen.insert(animation());
  }
  EXPECT_EQ(seen, (std::set<std::string>{"QUICKATTACK1", "QUICKATTACK2", "QUICKATTACK3"}));
}

TEST_F(Opponents, StateMachineStepByStep) {
  const struct { const char* shows; int x, y, state; const char* from; int finished, timer;
                 const char* to; int x2, xv, timer2; } cases[] = {
      {"1024 away: frozen", 1124, 400, kAiIdle, "STAND", 0, 0, "STAND", 1124, 0, 0},
      {"running 249 away: run attack", 349, 400, kAiApproach, "RUN", 0, 30, "RUNATTACK", 339, 0, 29},
      {"running 250 away: runs on", 350, 400, kAiApproach, "RUN", 0, 30, "RUN", 340, 0, 29},
      {"50 across, 15 deep: stops", 150, 415, kAiApproach, "WALK", 0, 30, "STAND", 150, 0, 0},
      {"51 across: walks on", 151, 400, kAiApproach, "WALK", 0, 30, "WALK", 146, 0, 29},
      {"16 deep: walks on", 150, 416, kAiApproach, "WALK", 0, 30, "WALK", 150, 0, 29},
      {"jump takes off at 7.5 rounded to 8", 600, 400, kAiJumping, "JUMPSTART", 1, 2, "JUMP", 600, -8, 1}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.shows);
    place(c.x, c.y, c.state, c.from, c.finished, c.timer);
    updateOpponents();
    EXPECT_EQ(animation(), c.to);
    EXPECT_EQ(std::vector<int>({foe().x, foe().xv, foe().aiTimer}), std::vector<int>({c.x2, c.xv, c.timer2}));
  }
}

// A HEIGHT of 3e9 or -3e9 puts a foot line at an edge of the 32-bit range; the approach still
// steps toward it.
TEST_F(Opponents, ApproachStepsTowardAFootLineAtTheRangeEdge) {
  const struct { const char* shows; double targetHeight; int y; } cases[] = {
      {"target's feet at the top", 3e9, 405}, {"target's feet at the bottom", -3e9, 395}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.shows);
    entitySprites[0].bodyHeight = c.targetHeight;
    entities[0].footY = roundedFootLine(0);
    place(150, 400, kAiApproach, "WALK", 0, 30);
    updateOpponents();
    EXPECT_EQ(foe().y, c.y);
  }
}

}  // namespace
