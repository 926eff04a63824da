#include "screens/main_menu.h"

#include <gtest/gtest.h>

#include "screen_driver.h"
#include "screens/screens.h"
#include "shell/game_state.h"

using namespace screen_driver;

namespace {

class MainMenu : public ::testing::Test {
 protected:
  void SetUp() override {
    useScreenFixtures();
    loadGlobalSheet();
    screenState = kScreenMainMenu;
    enterMainMenu();
  }
  bool frames(int n) { return runFrames(mainMenuFrame, n); }
  // Frame 4 of the fixture menu sheet is its bottom band, rows 8 to 10 of 10.
  static bool isHighlight(const RecordedQuad& q) { return q.corners[0].v == 0.8; }
  int highlightsDrawn() {
    int n = 0;
    for (const RecordedQuad& q : quadsOf(mainMenu.menuTexture)) n += isHighlight(q);
    return n;
  }
};

// One frame per entry: 'D' down, 'U' up, 'B' both in one frame.
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
                                           MenuCase{"DownTwiceUpOnce", "DDU", 1},
                                           MenuCase{"DownAndUpInOneFrameStays", "B", 0},
                                           MenuCase{"DownAndUpFromThreeStays", "UB", 3}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(MainMenu, HighlightPulsesBetweenAQuarterAndThreeQuarters) {
  double low = 1.0, high = 0.0;
  for (int i = 0; i < 200; ++i) {
    frames(1);
    if (i < 40) continue;
    low = std::min(low, mainMenu.pulse);
    high = std::max(high, mainMenu.pulse);
  }
  EXPECT_NEAR(low, 0.24, 1e-9);
  EXPECT_NEAR(high, 0.76, 1e-9);
}

TEST_F(MainMenu, HighlightIsDrawnInTheReturnFrameAndGoneAfter) {
  tapKey(13);
  frames(1);
  EXPECT_EQ(highlightsDrawn(), 1);
  nullQuads.clear();
  frames(1);
  EXPECT_EQ(highlightsDrawn(), 0);
  EXPECT_EQ(quadsOf(mainMenu.menuTexture).size(), 4u);
}

TEST_F(MainMenu, ClosesOnTheHundredthFrameAfterReturn) {
  frames(5);
  tapKey(13);
  ASSERT_TRUE(frames(1));
  ASSERT_TRUE(frames(99));
  EXPECT_FALSE(frames(1));
  EXPECT_EQ(screenState, kScreenMainMenu) << "the menu leaves the screen state alone";
}

TEST_F(MainMenu, ClosingLayerCoversTheScreenAndClears) {
  tapKey(13);
  frames(1);
  nullQuads.clear();
  frames(1);
  std::vector<RecordedQuad> layer = quadsOf(interfaceTextures[0]);
  ASSERT_EQ(layer.size(), 1u);
  EXPECT_NEAR(layer[0].alpha, 0.99, 1e-9);
  EXPECT_EQ(boxOf(layer[0]), kWholeScreen);
  EXPECT_DOUBLE_EQ(layer[0].corners[0].u, 6.0 / 8.0);  // the interface sheet's fade frame
}

}  // namespace
