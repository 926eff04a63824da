#include "screens/main_menu.h"

#include <gtest/gtest.h>

#include "screen_driver.h"
#include "screens/screens.h"
#include "sim/game_state.h"

using namespace screen_driver;

namespace {

class MainMenu : public ScreenTest {
 protected:
  void SetUp() override {
    ScreenTest::SetUp();
    if (IsSkipped()) return;
    screenState = kScreenMainMenu;
    enterMainMenu();
  }
  bool frames(int n) { return runFrames(mainMenuFrame, n); }
  // The highlight is frame 4 of the fixture sheet, its rows 8 to 10 of 10.
  int highlightsDrawn() {
    int n = 0;
    for (const RecordedQuad& q : quadsOf(mainMenu.menuTexture)) n += q.corners[0].v == 0.8;
    return n;
  }
};

// One frame per letter: D down, U up, B both.
struct MenuCase {
  const char* name;
  const char* moves;
  int cursor;
};

class MainMenuCursor : public MainMenu, public ::testing::WithParamInterface<MenuCase> {};

TEST_P(MainMenuCursor, HighlightWrapsOverFourEntries) {
  for (const char* m = GetParam().moves; *m; ++m) {
    if (*m != 'U') tapKey(kDown1);
    if (*m != 'D') tapKey(kUp1);
    frames(1);
  }
  EXPECT_EQ(mainMenu.cursor, GetParam().cursor);
  EXPECT_EQ(mainMenu.menuItems[kMenuHighlight].y, 200.0 + 144.0 * GetParam().cursor);
}

INSTANTIATE_TEST_SUITE_P(Moves, MainMenuCursor,
                         ::testing::Values(MenuCase{"DownFourTimesComesBackToZero", "DDDD", 0},
                                           MenuCase{"UpFromZeroGoesToThree", "U", 3},
                                           MenuCase{"DownAndUpInOneFrameStays", "B", 0},
                                           MenuCase{"DownAndUpFromThreeStays", "UB", 3}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(MainMenu, HighlightIsDrawnInTheReturnFrameOnly) {
  tapKey(13);
  frames(1);
  EXPECT_EQ(highlightsDrawn(), 1);
  nullQuads.clear();
  frames(1);
  EXPECT_EQ(highlightsDrawn(), 0);
  EXPECT_EQ(quadsOf(mainMenu.menuTexture).size(), 4u);
  std::vector<RecordedQuad> layer = quadsOf(interfaceTextures[0]);
  ASSERT_EQ(layer.size(), 1u);
  EXPECT_EQ(boxOf(layer[0]), kWholeScreen);
  EXPECT_NEAR(layer[0].alpha, 0.99, 1e-9) << "opaque at first, then clearing";
  EXPECT_DOUBLE_EQ(layer[0].corners[0].u, 6.0 / 8.0);  // the interface sheet's fade frame
}

TEST_F(MainMenu, ClosesOnTheHundredthFrameAfterReturn) {
  tapKey(13);
  ASSERT_TRUE(frames(100));
  EXPECT_FALSE(frames(1));
  EXPECT_EQ(screenState, kScreenMainMenu) << "the menu leaves the screen state alone";
}

}  // namespace
