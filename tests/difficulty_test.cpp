// The difficulty as the stage's tick feels it: opponents' hit points, their blows on the
// players, and their waits between decisions; the players' own figures never move.
#include <gtest/gtest.h>

#include "base/numbers.h"
#include "sim/difficulty.h"
#include "sim/game_state.h"
#include "sim_support.h"

using namespace simtest;

namespace {

constexpr int kPlayer = 0;
constexpr int kFoe = 2;
constexpr int kBlow = 10;  // damage of the armed blow
const std::string kFighterScript = kFixtures + "fighter.dat";  // SETHP 100

struct DifficultyCase {
  const char* name;
  int32_t difficulty;
  double foeHp;         // the fixture's 100 hit points as the opponent starts
  double blowOnPlayer;  // what a blow of 10 by the opponent takes off a player
};

class DifficultyScaling : public ::testing::TestWithParam<DifficultyCase> {
 protected:
  void SetUp() override {
    resetSim();
    lastEntity = kFoe;
    applyDifficulty(gameRules, GetParam().difficulty);
    placeFighter(kPlayer, 100, 400, kFighterScript);
    placeFighter(kFoe, 150, 400, kFighterScript);
  }
  void TearDown() override { gameRules = GameRules{}; }
  // `a` faces `v` with a mid blow of kBlow pending.
  void strike(int a, int v) {
    Entity& e = entities[a];
    e.facing = entities[v].x < e.x ? kFacingLeft : kFacingRight;
    e.attackPending = 1, e.attackKind = kAttackMid, e.attackReach = 30, e.attackDamage = kBlow;
    resolveAttacks();
  }
};

TEST_P(DifficultyScaling, OpponentsHitPointsAndBlowsOnly) {
  const DifficultyCase& c = GetParam();
  EXPECT_EQ(entities[kFoe].hp, c.foeHp);
  EXPECT_EQ(entities[kFoe].maxHp, c.foeHp) << "the health bar is full at the scaled figure";
  EXPECT_EQ(entities[kPlayer].hp, 100) << "a player's hit points are the content's";

  strike(kFoe, kPlayer);
  EXPECT_EQ(entities[kPlayer].hp, 100 - c.blowOnPlayer);
  strike(kPlayer, kFoe);
  EXPECT_EQ(entities[kFoe].hp, c.foeHp - kBlow) << "a player's blow is the content's";
}

// The wait an idle decision draws (10 + 0..49 ticks) is the same draw, stretched or shortened.
TEST_P(DifficultyScaling, AnIdleDecisionWaitsTheScaledTime) {
  const int32_t percent = kDifficultyFigures[GetParam().difficulty].waitPercent;
  int checked = 0;
  for (uint32_t seed = 1; seed < 60; ++seed) {
    seedRandom(seed);
    if (randomBelow(5) != kAiIdle) continue;
    const int32_t drawn = 10 + randomBelow(50);
    seedRandom(seed);
    Entity& foe = entities[kFoe];
    foe.x = 600, foe.aiState = kAiIdle, foe.aiTimer = 0;
    updateOpponents();
    EXPECT_EQ(foe.aiTimer + 1, roundToInt(drawn * percent / 100.0)) << "seed " << seed;
    ++checked;
  }
  EXPECT_GT(checked, 0);
}

INSTANTIATE_TEST_SUITE_P(Table, DifficultyScaling,
                         ::testing::Values(DifficultyCase{"EasyIsSofter", kDifficultyEasy, 70, 6},
                                           DifficultyCase{"NormalIsTheContentAsWritten", kDifficultyNormal, 100, 10},
                                           DifficultyCase{"HardIsTougher", kDifficultyHard, 130, 14}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(DifficultyNames, ReadBackAsWritten) {
  for (int32_t d = 0; d < kDifficulties; ++d) EXPECT_EQ(difficultyNamed(difficultyName(d)), d);
  EXPECT_EQ(difficultyNamed("Hard"), -1);
  EXPECT_EQ(difficultyName(kDifficulties), "normal") << "a value out of range plays as the content";
}

}  // namespace
