#include "screens/character_select.h"

#include <gtest/gtest.h>

#include "screen_driver.h"
#include "screens/screens.h"
#include "sim/entity.h"
#include "sim/game_state.h"

using namespace screen_driver;

namespace {

class CharacterSelect : public ScreenTest {
 protected:
  void SetUp() override {
    ScreenTest::SetUp();
    if (IsSkipped()) return;
    playerCount = 2;
    entities[0].name = "kestor";
    entities[1].name = "bluesoldier";
    screenState = kScreenCharacterSelect;
    enterCharacterSelect();
  }
  bool frames(int n) { return runFrames(characterSelectFrame, n); }
  // One frame per letter: L left, R right, B both, J jump (player 1's keys).
  void play(const char* moves) {
    for (const char* m = moves; *m; ++m) {
      if (*m == 'L' || *m == 'B') tapKey(kLeft1);
      if (*m == 'R' || *m == 'B') tapKey(kRight1);
      if (*m == 'J') tapKey(kJump1);
      frames(1);
    }
  }
  const CharacterSelectState& s = characterSelect;
};

struct MovesCase {
  const char* name;
  const char* moves;
  int cursor;
  const char* fighter;  // player 1's fighter afterwards
};

class CharacterSelectMoves : public CharacterSelect, public ::testing::WithParamInterface<MovesCase> {};

TEST_P(CharacterSelectMoves, CursorWrapsAndConfirmingTakesTheBoxesFighter) {
  play(GetParam().moves);
  EXPECT_EQ(s.cursor[0], GetParam().cursor);
  EXPECT_EQ(s.cursor[1], 0);
  EXPECT_EQ(entities[0].name, GetParam().fighter);
  EXPECT_EQ(entities[1].name, "bluesoldier");
}

INSTANTIATE_TEST_SUITE_P(
    Moves, CharacterSelectMoves,
    ::testing::Values(MovesCase{"RightFourTimesComesBackToZero", "RRRR", 0, "kestor"},
                      MovesCase{"LeftFromZeroGoesToThree", "L", 3, "kestor"},
                      MovesCase{"BothInOneFrameStays", "B", 0, "kestor"},
                      MovesCase{"ConfirmOnSecondBox", "RJ", 1, "bluesoldier"},
                      MovesCase{"LaterRosterLineForABoxWins", "RRJ", 2, "greenmonk"},
                      MovesCase{"BoxWithoutFighterKeepsTheOldOne", "LJ", 3, "kestor"},
                      MovesCase{"MovingAfterConfirmingKeepsTheChoice", "RJR", 2, "bluesoldier"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(CharacterSelect, PlayerTwoMovesOnlyItsOwnCursorBox) {
  hat(kHatRight);
  frames(1);
  hat(kHatCentred);
  nullQuads.clear();
  tapKey(kJump1);
  frames(1);
  // Menu sheet quads: band, line, four boxes, two cursor boxes (frame 0 is 4 x 2), flash.
  std::vector<RecordedQuad> menu = quadsOf(s.menuTexture);
  ASSERT_EQ(menu.size(), 9u);
  EXPECT_EQ(boxOf(menu[6]), (QuadBox{225, 623, 229, 625}));
  EXPECT_EQ(boxOf(menu[7]), (QuadBox{350, 623, 354, 625}));
  EXPECT_EQ(menu[6].alpha, 1.0) << "confirmed: opaque";
  EXPECT_NEAR(menu[7].alpha, 1.0 - 0.05, 1e-9) << "pulsing";
  EXPECT_EQ(boxOf(menu[8]), kWholeScreen);
  EXPECT_NEAR(menu[8].alpha, 1.0 - 0.013, 1e-9) << "the flash";
}

struct SlideCase {
  const char* name;
  int player, frames;
  double x;
  int sliding;
};

class CharacterSelectSlide : public CharacterSelect, public ::testing::WithParamInterface<SlideCase> {};

TEST_P(CharacterSelectSlide, PortraitIsHomeAfterTwelveFramesAndStopsOnTheThirteenth) {
  const SlideCase& c = GetParam();
  c.player == 0 ? tapKey(kRight1) : hat(kHatRight);
  frames(c.frames);
  EXPECT_EQ(portraitSprites[c.player].x, c.x);
  EXPECT_EQ(s.sliding[c.player], c.sliding);
  EXPECT_NEAR(portraitSprites[c.player].transparency, c.frames == 1 ? 0.9 : 0.0, 1e-9) << "fades in";
}

INSTANTIATE_TEST_SUITE_P(Slides, CharacterSelectSlide,
                         ::testing::Values(SlideCase{"FromTheLeftFirstFrame", 0, 1, -325, 1},
                                           SlideCase{"FromTheLeftTwelve", 0, 12, -50, 1},
                                           SlideCase{"FromTheLeftThirteen", 0, 13, -50, 0},
                                           SlideCase{"FromTheRightFirstFrame", 1, 1, 275, 1},
                                           SlideCase{"FromTheRightThirteen", 1, 13, 0, 0}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(CharacterSelect, FlashClearsOverSeventySevenFramesAndRestarts) {
  play("J");
  frames(75);
  EXPECT_LT(s.flash, 1.0);
  frames(1);
  EXPECT_EQ(s.flash, 1.0);
  play("J");
  EXPECT_NEAR(s.flash, 0.013, 1e-12);
}

TEST_F(CharacterSelect, LeavesForTheOverworldOnceEveryoneConfirmedAndTheFlashCleared) {
  EXPECT_EQ(interfaceTextures[0].width, 4.0) << "menus.png borrows the interface texture";
  play("J");
  ASSERT_TRUE(frames(100));
  buttonDown(kJumpButton2);
  ASSERT_TRUE(frames(76));
  EXPECT_FALSE(frames(1));
  EXPECT_EQ(screenState, kScreenOverworld);
  EXPECT_EQ(interfaceTextures[0].width, 8.0) << "the global interface sheet is back";
}

TEST_F(CharacterSelect, ReturnEndsTheProgramWithStatusZero) {
  tapKey(13);
  EXPECT_EXIT(characterSelectFrame(), ::testing::ExitedWithCode(0), "");
}

}  // namespace
