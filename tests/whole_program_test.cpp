// The real program on the small stage of the test folder, under the test display.
#include <gtest/gtest.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "process_helpers.h"

namespace {

bool startOnStage(ChildProcess* child) {
  ChildOptions options;
  options.program = BRAWLER_BINARY;
  options.workDir = BRAWLER_TEST_DATA "/play";
  // The game frees nothing by design, so a leak report at exit says nothing about it; in a
  // sanitizer build it would only turn the clean exit code into a failure.
  options.setEnv = {{"SDL_AUDIODRIVER", "dummy"}, {"ASAN_OPTIONS", "detect_leaks=0"}};
  return startWhenReady(options, "1.000\n", child);
}

TEST(WholeProgram, FadesInKeepsRunningAndEndsOnEscape) {
  if (testDisplay().empty()) GTEST_SKIP() << "no X display";
  ChildProcess child;
  ASSERT_TRUE(startOnStage(&child)) << "the stage never finished fading in:\n" << child.out;
  std::vector<std::string> fade = decimalLines(child.out);
  ASSERT_EQ(fade.size(), 40u) << child.out;
  EXPECT_EQ(fade.front(), "0.025");
  EXPECT_EQ(fade[1], "0.050");
  EXPECT_EQ(fade.back(), "1.000");

  EXPECT_TRUE(stillRunningAfter(&child, 1000)) << "the program ended without Escape";
  EXPECT_EQ(decimalLines(child.out).size(), 40u) << "the fade ran on past its 40 frames";

  EXPECT_EQ(holdEscapeInWindowOf(child.pid), 0) << "no window to send Escape to";
  ChildResult result = finishChild(&child, 20000);
  // The display keeps the key down after the window is gone; a later run there would press an
  // Escape that is already down and send nothing.
  runOnDisplay("xdotool keyup Escape");
  EXPECT_FALSE(result.timedOut) << "Escape did not end the program";
  EXPECT_TRUE(result.exited);
  EXPECT_EQ(result.exitCode, 0);
}

}  // namespace
