// The preview's workbench in the real window: keys typed into it, the screen read back from
// the display server.
#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "process_helpers.h"
#include "screen_pixels.h"

namespace {

int fadeLines(const std::string& out) {
  int lines = 0;
  std::istringstream in(out);
  for (std::string line; std::getline(in, line);)
    if (line.size() == 5 && line[1] == '.') ++lines;
  return lines;
}

bool startPreview(ChildProcess* child) {
  ChildOptions options;
  options.program = BRAWLER_PREVIEW_BINARY;
  options.workDir = BRAWLER_TEST_DATA "/play";
  options.setEnv = {{"SDL_AUDIODRIVER", "dummy"}, {"ASAN_OPTIONS", "detect_leaks=0"}};
  return startChild(options, child) && waitForOutput(child, "0.100\n", 60000);
}

constexpr long kCyanOutlinePixels = 100;  // two fighters' outlines hold several hundred

TEST(WorkbenchProgram, PauseHoldsTheFadeAndBoxesComeAndGo) {
  if (testDisplay().empty()) GTEST_SKIP() << "no X display";
  ChildProcess child;
  ASSERT_TRUE(startPreview(&child)) << child.out;

  ASSERT_EQ(pressKeyInWindowOf(child.pid, "p"), 0);
  ASSERT_TRUE(stillRunningAfter(&child, 700));
  const int pausedAt = fadeLines(child.out);
  ASSERT_TRUE(stillRunningAfter(&child, 1000));
  EXPECT_EQ(fadeLines(child.out), pausedAt) << "the fade went on while paused";
  EXPECT_LT(pausedAt, 40);

  // Paused, the scene holds still: only the overlay can change what is on the screen.
  const long before = pixelsOfColour(0, 255, 255);
  ASSERT_EQ(pressKeyInWindowOf(child.pid, "b"), 0);
  ASSERT_TRUE(stillRunningAfter(&child, 500));
  const long shown = pixelsOfColour(0, 255, 255);
  ASSERT_EQ(pressKeyInWindowOf(child.pid, "b"), 0);
  ASSERT_TRUE(stillRunningAfter(&child, 500));
  const long hidden = pixelsOfColour(0, 255, 255);
  EXPECT_GE(shown, before + kCyanOutlinePixels) << "no body outlines after the first b";
  EXPECT_EQ(hidden, before) << "the outlines stayed after the second b";

  ASSERT_EQ(pressKeyInWindowOf(child.pid, "n"), 0);
  ASSERT_TRUE(stillRunningAfter(&child, 500));
  EXPECT_EQ(fadeLines(child.out), pausedAt + 1) << "n did not run exactly one tick";

  ASSERT_EQ(pressKeyInWindowOf(child.pid, "p"), 0);
  EXPECT_TRUE(waitForOutput(&child, "1.000\n", 30000)) << "the fade did not resume";

  EXPECT_EQ(holdEscapeInWindowOf(child.pid), 0);
  ChildResult result = finishChild(&child, 20000);
  EXPECT_FALSE(result.timedOut) << "Escape did not end the preview";
  EXPECT_EQ(result.exitCode, 0);
}

}  // namespace
