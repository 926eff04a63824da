// The arcade's window in a player's hands: F11 switches it to fullscreen at the desktop's size
// and back, the picture keeps its shape with black bars, its textures survive the switch, and
// the choice is kept in the settings file.
#include <gtest/gtest.h>

#include <signal.h>

#include <algorithm>
#include <fstream>
#include <set>
#include <sstream>
#include <string>

#include "process_helpers.h"
#include "screen_pixels.h"

namespace {

constexpr int kDesktopWidth = 1920, kDesktopHeight = 1080;

// The smallest box holding every pixel that is not black.
struct Box {
  int left, top, right, bottom;  // right and bottom one past the last
};
Box litBox(const ScreenShot& shot) {
  Box b{shot.width, shot.height, 0, 0};
  for (int y = 0; y < shot.height; ++y)
    for (int x = 0; x < shot.width; ++x)
      if (shot.rgb[static_cast<size_t>(y) * shot.width + x] != 0) {
        b.left = std::min(b.left, x);
        b.top = std::min(b.top, y);
        b.right = std::max(b.right, x + 1);
        b.bottom = std::max(b.bottom, y + 1);
      }
  return b;
}

// Colours in the box: a picture drawn from its textures has hundreds, a quad whose texture was
// lost one.
size_t coloursIn(const ScreenShot& shot, const Box& b) {
  std::set<uint32_t> seen;
  for (int y = b.top; y < b.bottom; y += 4)
    for (int x = b.left; x < b.right; x += 4) seen.insert(shot.rgb[static_cast<size_t>(y) * shot.width + x]);
  return seen.size();
}

std::string fileText(const std::string& path) {
  std::ifstream in(path);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

// Waits until the settings file holds `line`, the sign that the game has taken the key.
bool settingsSay(const std::string& path, const std::string& line, ChildProcess* game) {
  for (int tries = 0; tries < 100; ++tries) {
    if (fileText(path).find(line) != std::string::npos) return true;
    stillRunningAfter(game, 100);
  }
  return false;
}

struct Cleanup {
  ChildProcess* game;
  ChildProcess* server;
  ~Cleanup() {
    if (game->pid > 0 && !game->reaped) {
      kill(game->pid, SIGKILL);
      finishChild(game, 5000);
    }
    stopPrivateDisplay(server);
  }
};

TEST(WholeArcade, F11GoesFullscreenWithBarsAndBackKeepingTheChoice) {
  if (testDisplay().empty()) GTEST_SKIP() << "no X display";
  ChildProcess server, game;
  Cleanup cleanup{&game, &server};
  std::string display;
  ASSERT_TRUE(startDisplayOfSize(kDesktopWidth, kDesktopHeight, &server, &display));
  const std::string settings = makeEmptyDir() + "/settings.txt";
  ChildOptions options;
  options.program = BRAWLER_ARCADE_BINARY;
  options.args = {"--settings", settings};
  options.workDir = BRAWLER_CONTENT_DIR;
  options.setEnv = {{"DISPLAY", display}, {"SDL_AUDIODRIVER", "dummy"}, {"ASAN_OPTIONS", "detect_leaks=0"}};
  ASSERT_TRUE(startWhenReady(options, "arcade: title\n", &game)) << game.out;

  ASSERT_EQ(pressKeyInWindowOf(game.pid, "F11", display), 0);
  ASSERT_TRUE(settingsSay(settings, "fullscreen yes\n", &game)) << fileText(settings);
  stillRunningAfter(&game, 1000);  // a few frames at the new size
  ScreenShot shot;
  ASSERT_TRUE(readScreen(display, &shot));
  ASSERT_EQ(shot.width, kDesktopWidth);
  const Box full = litBox(shot);
  // 1024x768 fitted to 1080 rows is 1440 wide, centred: 240 black columns either side.
  EXPECT_EQ(full.top, 0);
  EXPECT_EQ(full.bottom, kDesktopHeight);
  EXPECT_NEAR(full.left, 240, 2);
  EXPECT_NEAR(full.right, 1680, 2);
  EXPECT_GT(coloursIn(shot, full), 100u) << "the title picture's texture survives the switch";

  ASSERT_EQ(pressKeyInWindowOf(game.pid, "F11", display), 0);
  ASSERT_TRUE(settingsSay(settings, "fullscreen no\n", &game)) << fileText(settings);
  stillRunningAfter(&game, 1000);
  ASSERT_TRUE(readScreen(display, &shot));
  const Box windowed = litBox(shot);
  EXPECT_LE(windowed.right - windowed.left, 1024);
  EXPECT_LE(windowed.bottom - windowed.top, 768);
  EXPECT_GT(windowed.right - windowed.left, 1000);
  EXPECT_GT(coloursIn(shot, windowed), 100u) << "and the switch back";

  ASSERT_EQ(closeWindowOf(game.pid, display), 0);
  EXPECT_EQ(finishChild(&game, 20000).exitCode, 0);
}

}  // namespace
