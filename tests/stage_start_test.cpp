#include "shell/stage_start.h"

#include <gtest/gtest.h>

#include "audio/sound.h"
#include "content/stage_loader.h"
#include "content/text_file.h"
#include "loader_fixtures.h"
#include "shell/game_state.h"
#include "sim/entity.h"

namespace {

class StageStart : public ::testing::Test {
 protected:
  void SetUp() override {
    enterLoaderFixtures();
    playerCount = 2;
    setPlayerDefaults();
    entities[0].name = "hero";
    entities[1].name = "rival";
    worldName = "world1";
    stageName = "stage3";
    for (std::string& line : stageLines) line.clear();
    for (int e = 2; e < 10; ++e) {
      entities[e] = Entity{};
      entitySprites[e] = SpriteSet{};
    }
  }
};

TEST_F(StageStart, ReadsTheStageOfTheWorldAndStartsEveryEntity) {
  drawOrder[1000] = 3;
  startStage();
  EXPECT_EQ(stageLines[0], "BGNAME testbg");
  ASSERT_EQ(lastEntity, 3);
  EXPECT_EQ(entitySprites[0].animation, "STAND");
  EXPECT_EQ(entitySprites[1].animation, "STAND");
  EXPECT_EQ(entitySprites[2].animation, "STAND");       // thug, a fighter
  EXPECT_EQ(entitySprites[3].animation, "STATIONARY");  // crate, an object
  EXPECT_EQ(entitySprites[3].beginLine, 2);
  for (int e = 0; e <= 3; ++e) EXPECT_EQ(entities[e].alive, 1) << "entity " << e;
  EXPECT_EQ(drawOrder[1000], 1000);
  EXPECT_EQ(drawOrder[17], 17);
  EXPECT_NE(music, nullptr);  // bgm/theme.ogg
  EXPECT_DOUBLE_EQ(musicLoopStart, 32.583);
  EXPECT_DOUBLE_EQ(musicLoopEnd, 145.072);
}

struct StatsCase {
  const char* name;
  int entity;
  double hp;
  int walkSpeed;
  int attacksAmount;
};
void PrintTo(const StatsCase& c, std::ostream* os) { *os << c.name; }

class StageStartStats : public StageStart, public ::testing::WithParamInterface<StatsCase> {};

TEST_P(StageStartStats, ReadsEachEntitysOwnScript) {
  const StatsCase& c = GetParam();
  startStage();
  EXPECT_DOUBLE_EQ(entities[c.entity].hp, c.hp);
  EXPECT_DOUBLE_EQ(entities[c.entity].maxHp, c.hp);
  EXPECT_EQ(entities[c.entity].walkSpeed, c.walkSpeed);
  EXPECT_EQ(entities[c.entity].attacksAmount, c.attacksAmount);
}

INSTANTIATE_TEST_SUITE_P(
    Entities, StageStartStats,
    ::testing::Values(
        // ATTACKSAMOUNT 3 in the section, 5 after a blank line: the whole-script scan wins.
        StatsCase{"PlayerOneAttacksAmountFromAfterTheSection", 0, 80, 4, 5},
        StatsCase{"PlayerTwoWalkSpeedHalfRoundsToEven", 1, 120, 6, 0},
        StatsCase{"OpponentIgnoresHitPointsAfterTheSection", 2, 40, 0, 2},
        StatsCase{"PropWithEmptyFirstLineReadsNothing", 3, 0, 0, 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(StageStart, EffectsGetNoFirstAnimation) {
  stageName = "sparks";
  entitySprites[2].animation = "EARLIER";
  startStage();
  EXPECT_EQ(lastEntity, 2);
  EXPECT_EQ(entities[2].kind, kKindEffect);
  EXPECT_EQ(entitySprites[2].animation, "EARLIER");
  EXPECT_EQ(entities[2].alive, 1);
  EXPECT_EQ(music, nullptr);  // bgm/nosuchtrack.ogg does not exist
}

TEST_F(StageStart, MissingStageFileReusesTheLinesAlreadyRead) {
  startStage();
  stageName = "nosuchstage";
  entities[3].alive = 0;
  startStage();
  EXPECT_EQ(stageLines[0], "BGNAME testbg");
  EXPECT_EQ(lastEntity, 3);
  EXPECT_EQ(entities[3].alive, 1);
}

}  // namespace
