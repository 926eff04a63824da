// The arcade as a player meets it: the real program on the shipped pack under the test
// display, driven by keys typed into its window and ended with the window's close button.
#include <gtest/gtest.h>
#include <unistd.h>

#include <fstream>
#include <string>
#include <vector>

#include "base/whole_file.h"
#include "process_helpers.h"

namespace {

// Standard error is joined to the output, where the warnings can be read.
bool startOnTitle(ChildProcess* child, const std::vector<std::string>& switches = {}) {
  ChildOptions options;
  options.program = "/bin/sh";
  options.args = {"-c", "exec \"$0\" \"$@\" 2>&1", BRAWLER_ARCADE_BINARY};
  options.workDir = BRAWLER_CONTENT_DIR;
  // The settings and the high scores are the test's own: the player's own may say fullscreen
  // or other keys, and no test run may enter the player's table.
  options.setEnv = {{"SDL_AUDIODRIVER", "dummy"}, {"ASAN_OPTIONS", "detect_leaks=0"},
                    {"XDG_DATA_HOME", makeEmptyDir()}};
  options.args.insert(options.args.end(), {"--settings", makeEmptyDir() + "/settings.txt"});
  options.args.insert(options.args.end(), switches.begin(), switches.end());
  return startWhenReady(options, "arcade: title\n", child);
}

TEST(WholeArcade, OnePlayerReachesTheHarborAndTheCloseButtonEndsIt) {
  if (testDisplay().empty()) GTEST_SKIP() << "no X display";
  ChildProcess child;
  ASSERT_TRUE(startOnTitle(&child)) << child.out;

  // The first entry is one player; its fade takes 100 frames.
  ASSERT_EQ(pressKeyInWindowOf(child.pid, "Return"), 0);
  ASSERT_TRUE(waitForOutput(&child, "arcade: select\n", 60000)) << child.out;
  ASSERT_EQ(pressKeyInWindowOf(child.pid, "c"), 0);
  ASSERT_TRUE(waitForOutput(&child, "arcade: map\n", 60000)) << child.out;
  // The map reads attack as held.
  ASSERT_EQ(holdKeyInWindowOf(child.pid, "z", 500), 0);
  ASSERT_TRUE(waitForOutput(&child, "arcade: stage world1/stage1\n", 60000)) << child.out;
  ASSERT_TRUE(waitForOutput(&child, "1.000\n", 60000)) << "the stage never faded in:\n" << child.out;

  ASSERT_EQ(closeWindowOf(child.pid), 0) << "no window to close";
  ChildResult result = finishChild(&child, 20000);
  EXPECT_FALSE(result.timedOut) << "closing the window did not end the arcade";
  EXPECT_TRUE(result.exited);
  EXPECT_EQ(result.exitCode, 0);
}

// Left alone on the title for 20 seconds of frames, the arcade plays its first recorded fight.
// On a loaded machine the frames come slower than 59 a second: the wait allows for that.
TEST(WholeArcade, ATitleLeftAloneReachesTheDemoByItself) {
  if (testDisplay().empty()) GTEST_SKIP() << "no X display";
  ChildProcess child;
  ASSERT_TRUE(startOnTitle(&child)) << child.out;
  ASSERT_TRUE(waitForOutput(&child, "arcade: demo world1/stage1\n", 120000)) << child.out;
  ASSERT_EQ(closeWindowOf(child.pid), 0) << "no window to close";
  ChildResult result = finishChild(&child, 20000);
  EXPECT_TRUE(result.exited);
  EXPECT_EQ(result.exitCode, 0);
}

// The table named by --scores is the one read: its damaged line is told once, by file and line,
// and with no run made the file is left as it was.
TEST(WholeArcade, TheScoresSwitchNamesTheTableRead) {
  if (testDisplay().empty()) GTEST_SKIP() << "no X display";
  const std::string path = makeEmptyDir() + "/table.txt";
  const std::string table = "500 ABC world1/stage1 kestor first\nnot a run\n";
  std::ofstream(path) << table;
  ChildProcess child;
  ASSERT_TRUE(startOnTitle(&child, {"--scores", path})) << child.out;
  ASSERT_EQ(closeWindowOf(child.pid), 0) << "no window to close";
  const ChildResult result = finishChild(&child, 20000);
  EXPECT_EQ(result.exitCode, 0);
  const std::string told = path + ":2: warning: ";
  const size_t warned = result.out.find(told);
  ASSERT_NE(warned, std::string::npos) << result.out;
  EXPECT_EQ(result.out.find("warning", warned + told.size()), std::string::npos) << "told more than once:\n"
                                                                                  << result.out;
  std::string after;
  EXPECT_TRUE(readWholeFile(path, &after));
  EXPECT_EQ(after, table);
}

}  // namespace
