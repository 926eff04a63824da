// Lives in the arcade, frame by frame on the shipped pack: a fall with a life to spare, the
// last fall, and the life that comes with the points.
#include <gtest/gtest.h>

#include "arcade/score.h"
#include "arcade_driver.h"

using namespace screen_driver;

namespace {

struct FallCase {
  const char* name;
  int players;
  int livesBefore[2];
  int falls[2];  // 1: that player falls this frame
  int phase;     // the stage's phase after the frame
  int livesAfter[2];
  int standing[2];  // 1: on their feet after the frame
};

class ArcadeLives : public ArcadeFlow, public ::testing::WithParamInterface<FallCase> {};

TEST_P(ArcadeLives, AFallSpendsALife) {
  const FallCase& c = GetParam();
  playStage(c.players, "stage1");
  frames(5);
  int16_t fellAt[2] = {};
  for (int p = 0; p < c.players; ++p) {
    scores.lives[p] = c.livesBefore[p];
    fellAt[p] = entities[p].x;
    if (c.falls[p] == 1) entities[p].hp = 0, entities[p].playerState = kPlayerDead;
  }
  frames(1);
  EXPECT_EQ(arcade.phase, c.phase);
  for (int p = 0; p < c.players; ++p) {
    SCOPED_TRACE(p);
    EXPECT_EQ(scores.lives[p], c.livesAfter[p]);
    EXPECT_EQ(entities[p].playerState != kPlayerDead, c.standing[p] == 1);
    if (c.standing[p] == 1 && c.falls[p] == 1) {
      EXPECT_EQ(entities[p].hp, entities[p].maxHp) << "stood up whole";
      EXPECT_EQ(entities[p].x, fellAt[p]) << "stood up where they fell";
    }
  }
}

INSTANTIATE_TEST_SUITE_P(
    Falls, ArcadeLives,
    ::testing::Values(
        FallCase{"ALifeToSpareStandsUpAtOnce", 1, {3, 0}, {1, 0}, kPhasePlaying, {2, 0}, {1, 0}},
        FallCase{"TheLastLifeBringsTheCount", 1, {1, 0}, {1, 0}, kPhaseGameOver, {0, 0}, {0, 0}},
        FallCase{"OneOutTheOtherPlaysOn", 2, {1, 2}, {1, 0}, kPhasePlaying, {0, 2}, {0, 1}},
        FallCase{"BothFallOneStandsUp", 2, {1, 2}, {1, 1}, kPhasePlaying, {0, 1}, {0, 1}},
        FallCase{"BothOnTheirLastLives", 2, {1, 1}, {1, 1}, kPhaseGameOver, {0, 0}, {0, 0}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ArcadeFlow, ANewGameAndAContinueGiveTheRunsLives) {
  startNewGame(2, kDifficultyHard, 5);
  EXPECT_EQ(scores.lives[0], 5);
  EXPECT_EQ(scores.lives[1], 5);
  enterArcadeScreen(kArcadeMap);
  stageName = "stage1";
  enterArcadeScreen(kArcadeStage);
  EXPECT_EQ(gameRules.opponentHpPercent, kDifficultyFigures[kDifficultyHard].hpPercent);
  for (int p = 0; p < 2; ++p) fallForGood(p);
  frames(1);
  ASSERT_EQ(arcade.phase, kPhaseGameOver);
  tapKey(kAttack1);
  frames(1);
  EXPECT_EQ(scores.lives[0], 5);
  EXPECT_EQ(scores.lives[1], 5);
}

struct ExtraLifeCase {
  const char* name;
  int32_t pointsBefore;
  int32_t lives;
  int32_t livesAfter;
};

class ArcadeExtraLife : public ArcadeFlow, public ::testing::WithParamInterface<ExtraLifeCase> {};

// The stage clear's bonus (3000, and 10 a hit point) carries the score over the mark or not.
TEST_P(ArcadeExtraLife, PassingTheMarkGivesOneLife) {
  const ExtraLifeCase& c = GetParam();
  playStage(1, "stage1");
  frames(1);
  scores.points[0] = c.pointsBefore;
  scores.lives[0] = c.lives;
  entities[0].hp = 100;
  clearTheStage();
  frames(1);
  ASSERT_EQ(arcade.phase, kPhaseCleared);
  EXPECT_EQ(scores.lives[0], c.livesAfter);
}

INSTANTIATE_TEST_SUITE_P(
    Marks, ArcadeExtraLife,
    ::testing::Values(ExtraLifeCase{"ShortOfTheMark", kPointsExtraLife - 4001, 2, 2},
                      ExtraLifeCase{"ReachingItExactly", kPointsExtraLife - 4000, 2, 3},
                      ExtraLifeCase{"PastItAlready", kPointsExtraLife, 2, 2},
                      ExtraLifeCase{"OnTheLastLife", kPointsExtraLife - 1, 1, 2}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
