// The preview's workbench in the real window, on a display of the test's own: keys typed into
// it, the screen read back from the display server.
#include <gtest/gtest.h>
#include <signal.h>

#include <string>

#include "process_helpers.h"
#include "screen_pixels.h"

namespace {

int fadeLines(const std::string& out) { return static_cast<int>(decimalLines(out).size()); }

bool startPreview(const std::string& display, ChildProcess* child) {
  ChildOptions options;
  options.program = BRAWLER_PREVIEW_BINARY;
  options.workDir = BRAWLER_TEST_DATA "/play";
  options.setEnv = {{"DISPLAY", display}, {"SDL_AUDIODRIVER", "dummy"}, {"ASAN_OPTIONS", "detect_leaks=0"}};
  return startChild(options, child) && waitForOutput(child, "0.100\n", 60000);
}

// The preview and its display go, however the test ends.
struct Teardown {
  ChildProcess* server;
  ChildProcess* preview;
  ~Teardown() {
    if (preview->pid > 0 && !preview->reaped) {
      kill(preview->pid, SIGKILL);
      finishChild(preview, 5000);
    }
    stopPrivateDisplay(server);
  }
};

constexpr long kCyanOutlinePixels = 100;  // two fighters' outlines hold several hundred

TEST(WorkbenchProgram, PauseHoldsTheFadeAndBoxesComeAndGo) {
  ChildProcess server;
  std::string display;
  if (!startPrivateDisplay(&server, &display)) GTEST_SKIP() << "no Xvfb to start";
  ChildProcess child;
  Teardown teardown{&server, &child};
  ASSERT_TRUE(startPreview(display, &child)) << child.out;
  const auto press = [&](const char* key) { return pressKeyInWindowOf(child.pid, key, display); };
  const auto cyanPixels = [&] { return pixelsOfColour(display, 0, 255, 255); };

  ASSERT_EQ(press("p"), 0);
  ASSERT_TRUE(stillRunningAfter(&child, 700));
  const int pausedAt = fadeLines(child.out);
  ASSERT_TRUE(stillRunningAfter(&child, 1000));
  EXPECT_EQ(fadeLines(child.out), pausedAt) << "the fade went on while paused";
  EXPECT_LT(pausedAt, 40);

  // Paused, the scene holds still: only the overlay can change what is on the screen.
  const long before = cyanPixels();
  ASSERT_EQ(press("b"), 0);
  ASSERT_TRUE(stillRunningAfter(&child, 500));
  const long shown = cyanPixels();
  ASSERT_EQ(press("b"), 0);
  ASSERT_TRUE(stillRunningAfter(&child, 500));
  const long hidden = cyanPixels();
  EXPECT_GE(shown, before + kCyanOutlinePixels) << "no body outlines after the first b";
  EXPECT_EQ(hidden, before) << "the outlines stayed after the second b";

  ASSERT_EQ(press("n"), 0);
  ASSERT_TRUE(stillRunningAfter(&child, 500));
  EXPECT_EQ(fadeLines(child.out), pausedAt + 1) << "n did not run exactly one tick";

  ASSERT_EQ(press("p"), 0);
  EXPECT_TRUE(waitForOutput(&child, "1.000\n", 30000)) << "the fade did not resume";

  EXPECT_EQ(holdEscapeInWindowOf(child.pid, 60, display), 0);
  ChildResult result = finishChild(&child, 20000);
  EXPECT_FALSE(result.timedOut) << "Escape did not end the preview";
  EXPECT_EQ(result.exitCode, 0);
}

}  // namespace
