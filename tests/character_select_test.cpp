#include "screens/character_select.h"

#include <gtest/gtest.h>

#include "screen_driver.h"
#include "screens/screens.h"
#include "shell/game_state.h"
#include "sim/entity.h"

using namespace screen_driver;

namespace {

class CharacterSelect : public ::testing::Test {
 protected:
  void SetUp() override {
    useScreenFixtures();
    loadGlobalSheet();
    playerCount = 2;
    entities[0].name = "kestor";
    entities[1].name = "bluesoldier";
    screenState = kScreenCharacterSelect;
    enterCharacterSelect();
  }
  bool frames(int n) { return runFrames(characterSelectFrame, n); }
  const CharacterSelectState& s = characterSelect;
};

// One frame per entry: 'L' left, 'R' right, 'B' both in one frame.
struct WrapCase {
  const char* name;
  const char* moves;
  int cursor;
};

class CharacterSelectWrap : public CharacterSelect, public ::testing::WithParamInterface<WrapCase> {};

TEST_P(CharacterSelectWrap, CursorWrapsOverFourBoxes) {
  for (const char* m = GetParam().moves; *m; ++m) {
    if (*m != 'R') tapKey(kLeft1);
    if (*m != 'L') tapKey(kRight1);
    frames(1);
  }
  EXPECT_EQ(s.cursor[0], GetParam().cursor);
  EXPECT_EQ(s.cursor[1], 0) << "player 2 did not move";
}

INSTANTIATE_TEST_SUITE_P(Moves, CharacterSelectWrap,
                         ::testing::Values(WrapCase{"RightFourTimesComesBackToZero", "RRRR", 0},
                                           WrapCase{"LeftFromZeroGoesToThree", "L", 3},
                                           WrapCase{"LeftTwiceGoesToTwo", "LL", 2},
                                           WrapCase{"BothInOneFrameStays", "B", 0}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(CharacterSelect, PlayerTwoMovesOnlyItsOwnCursorBox) {
  hat(kHatRight);
  frames(1);
  hat(kHatCentred);
  EXPECT_EQ(s.cursor[1], 1);
  EXPECT_EQ(s.cursor[0], 0);
  nullQuads.clear();
  frames(1);
  // Cursor boxes are frame 0 (4 x 2), the last quads of the menu sheet before the flash.
  std::vector<RecordedQuad> menu = quadsOf(s.menuTexture);
  ASSERT_EQ(menu.size(), 2u + 4u + 2u + 1u);
  EXPECT_EQ(boxOf(menu[6]), (QuadBox{225, 623, 229, 625}));
  EXPECT_EQ(boxOf(menu[7]), (QuadBox{350, 623, 354, 625}));
}

TEST_F(CharacterSelect, TwoCursorBoxesOnOneBoxOverlap) {
  frames(1);
  nullQuads.clear();
  frames(1);
  std::vector<RecordedQuad> menu = quadsOf(s.menuTexture);
  ASSERT_EQ(menu.size(), 9u);
  EXPECT_EQ(boxOf(menu[6]), boxOf(menu[7]));
}

struct SlideCase {
  const char* name;
  int player;
  int frames;
  double x;
  int sliding;
};

class CharacterSelectSlide : public CharacterSelect, public ::testing::WithParamInterface<SlideCase> {};

TEST_P(CharacterSelectSlide, PortraitSlidesHomeAndStopsOnTheThirteenthFrame) {
  const SlideCase& c = GetParam();
  if (c.player == 0)
    tapKey(kRight1);
  else
    hat(kHatRight);
  frames(c.frames);
  EXPECT_EQ(portraitSprites[c.player].x, c.x);
  EXPECT_EQ(s.sliding[c.player], c.sliding);
}

INSTANTIATE_TEST_SUITE_P(
    Slides, CharacterSelectSlide,
    ::testing::Values(SlideCase{"LeftSideAfterTheFirstFrame", 0, 1, -325, 1},
                      SlideCase{"LeftSideHomeAfterTwelve", 0, 12, -50, 1},
                      SlideCase{"LeftSideClampedOnThirteen", 0, 13, -50, 0},
                      SlideCase{"RightSideAfterTheFirstFrame", 1, 1, 275, 1},
                      SlideCase{"RightSideHomeAfterTwelve", 1, 12, 0, 1},
                      SlideCase{"RightSideClampedOnThirteen", 1, 13, 0, 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(CharacterSelect, SlidingPortraitFadesInAndStaysOpaque) {
  tapKey(kRight1);
  frames(1);
  EXPECT_NEAR(portraitSprites[0].transparency, 0.9, 1e-9);
  frames(10);
  EXPECT_EQ(portraitSprites[0].transparency, 0.0);
  EXPECT_EQ(portraitSprites[0].frame, 0);
}

TEST_F(CharacterSelect, FlashClearsSeventySevenFramesAfterConfirming) {
  tapKey(kJump1);
  frames(1);
  EXPECT_NEAR(s.flash, 0.013, 1e-12);
  frames(75);
  EXPECT_LT(s.flash, 1.0);
  frames(1);
  EXPECT_EQ(s.flash, 1.0);
  tapKey(kJump1);
  frames(1);
  EXPECT_NEAR(s.flash, 0.013, 1e-12) << "confirming again restarts the flash";
}

TEST_F(CharacterSelect, ConfirmedCursorBoxStopsPulsing) {
  frames(1);
  nullQuads.clear();
  tapKey(kJump1);
  frames(1);
  std::vector<RecordedQuad> menu = quadsOf(s.menuTexture);
  ASSERT_EQ(menu.size(), 9u);
  EXPECT_EQ(menu[6].alpha, 1.0);
  EXPECT_NEAR(menu[7].alpha, 1.0 - 0.05, 1e-9);
  EXPECT_NEAR(menu[8].alpha, 1.0 - 0.013, 1e-9) << "the flash layer";
}

struct RosterCase {
  const char* name;
  int rightMoves;
  const char* fighter;
};

class CharacterSelectRoster : public CharacterSelect, public ::testing::WithParamInterface<RosterCase> {};

TEST_P(CharacterSelectRoster, ConfirmingTakesTheFighterUnderTheCursor) {
  for (int i = 0; i < GetParam().rightMoves; ++i) {
    tapKey(kRight1);
    frames(1);
  }
  tapKey(kJump1);
  frames(1);
  EXPECT_EQ(entities[0].name, GetParam().fighter);
  EXPECT_EQ(entities[1].name, "bluesoldier");
}

INSTANTIATE_TEST_SUITE_P(Boxes, CharacterSelectRoster,
                         ::testing::Values(RosterCase{"FirstBox", 0, "kestor"},
                                           RosterCase{"SecondBox", 1, "bluesoldier"},
                                           RosterCase{"LaterLineForTheSameBoxWins", 2, "greenmonk"},
                                           RosterCase{"EmptyBoxKeepsTheFighter", 3, "kestor"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(CharacterSelect, MovingAfterConfirmingKeepsTheConfirmedFighter) {
  tapKey(kRight1);
  frames(1);
  tapKey(kJump1);
  frames(1);
  tapKey(kRight1);
  frames(1);
  EXPECT_EQ(s.confirmed[0], 1);
  EXPECT_EQ(entities[0].name, "bluesoldier");
}

TEST_F(CharacterSelect, LeavesForTheOverworldOnceEveryoneConfirmedAndTheFlashCleared) {
  tapKey(kJump1);
  ASSERT_TRUE(frames(100));
  tapButton(kJumpButton2);
  ASSERT_TRUE(frames(76));
  EXPECT_FALSE(frames(1));
  EXPECT_EQ(screenState, kScreenOverworld);
  EXPECT_EQ(interfaceTextures[0].width, 8.0) << "the global interface sheet is back";
}

TEST_F(CharacterSelect, MenusSheetTakesTheInterfaceTextureWhileRunning) {
  EXPECT_EQ(interfaceTextures[0].width, 4.0);
}

TEST_F(CharacterSelect, ReturnEndsTheProgramWithStatusZero) {
  tapKey(13);
  EXPECT_EXIT(characterSelectFrame(), ::testing::ExitedWithCode(0), "");
}

}  // namespace
