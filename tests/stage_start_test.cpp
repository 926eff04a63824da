#include "shell/screen_state.h"
#include "shell/stage_start.h"

#include <gtest/gtest.h>

#include "audio/sound.h"
#include "content/text_file.h"
#include "loader_fixtures.h"
#include "sim/game_state.h"

namespace {

class StageStart : public ::testing::Test {
 protected:
  void SetUp() override {
    ENTER_LOADER_FIXTURES();
    // How many play is the stage's input as much as who: a one-player arcade game before
    // this test leaves one.
    playerCount = 2;
    setPlayerDefaults();
    entities[0].name = "hero";
    entities[1].name = "rival";
    worldName = "world1";
    for (int e = 2; e < 10; ++e) entitySprites[e] = SpriteSet{};
    for (std::string& line : stageLines) line.clear();
  }
};

TEST_F(StageStart, StartsEveryEntityOfTheWorldsStage) {
  stageName = "stage3";
  startStage();
  EXPECT_EQ(stageLines[0], "BGNAME testbg");
  ASSERT_EQ(lastEntity, 4);
  EXPECT_EQ(entitySprites[0].animation, "STAND");
  EXPECT_EQ(entitySprites[2].animation, "STAND");       // thug, a fighter
  EXPECT_EQ(entitySprites[3].animation, "STATIONARY");  // crate, a prop
  EXPECT_EQ(entitySprites[4].animation, "");            // globals, an effect
  for (int e = 0; e <= 4; ++e) EXPECT_EQ(entities[e].alive, 1);
  EXPECT_EQ(entities[0].attacksAmount, 5);  // 3 in the section, 5 after a blank line
  EXPECT_DOUBLE_EQ(entities[0].maxHp, 80);
  EXPECT_DOUBLE_EQ(entities[2].hp, 40);  // its SETHP 999 stands after the section
  EXPECT_EQ(entities[3].type, 2);
  EXPECT_DOUBLE_EQ(entitySprites[2].frames.offsetY[2], 6);  // each type's own ".off"
  EXPECT_DOUBLE_EQ(entitySprites[3].frames.offsetX[1], 9);
  EXPECT_DOUBLE_EQ(entities[0].scriptWidth, 70);  // the last WIDTH anywhere in its script
  EXPECT_DOUBLE_EQ(scenerySprites[0].width, 40);  // OBJECT sized by tile 3; STAGETYPE came last
  EXPECT_EQ(drawOrder[1000], 1000);
  EXPECT_NE(music, nullptr);  // bgm/theme.ogg
  EXPECT_DOUBLE_EQ(musicLoopEnd - musicLoopStart, 145.072 - 32.583);
}

}  // namespace
