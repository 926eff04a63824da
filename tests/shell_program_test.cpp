// The whole program as a user starts it, and the real window's key wait.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <string>

#include "platform/null_platform.h"
#include "process_helpers.h"

namespace {

constexpr int kStartTimeoutMs = 20000;

ChildOptions brawlerIn(const std::string& dir) {
  ChildOptions o;
  o.program = BRAWLER_BINARY;
  o.workDir = dir;
  o.setEnv = {{"SDL_AUDIODRIVER", "dummy"}};
  return o;
}


// A folder that holds a pack, however little of one: the game then reads it, and a file
// missing from it is the game's own error to show.
std::string packWithNothingIn() {
  const std::string dir = makeEmptyDir();
  for (const char* part : {"/gfx", "/stage"}) mkdir((dir + part).c_str(), 0755);
  return dir;
}

TEST(Program, WithoutADisplaySaysWhyAndExitsOne) {
  ChildOptions o = brawlerIn(packWithNothingIn());
  o.unsetEnv = {"DISPLAY"};
  ChildResult r = runChild(o, kStartTimeoutMs);
  ASSERT_TRUE(r.exited) << "signal " << r.signal << (r.timedOut ? " (timed out)" : "");
  EXPECT_EQ(r.exitCode, 1);
  const std::string prefix = "cannot open the 1024x768 OpenGL window: ";
  EXPECT_EQ(r.out.rfind(prefix, 0), 0u) << r.out;
  // One line with a reason, and no terminal escape sequences from a text-mode fallback.
  EXPECT_GT(r.out.size(), prefix.size() + 1);
  EXPECT_EQ(r.out.find('\n'), r.out.size() - 1) << r.out;
  EXPECT_EQ(r.out.find('\x1b'), std::string::npos);
}

TEST(Program, InAnEmptyPackReportsTheFontAndWaitsForAKey) {
  if (testDisplay().empty()) GTEST_SKIP() << "no X display";
  ChildProcess game;
  ASSERT_TRUE(startChild(brawlerIn(packWithNothingIn()), &game));
  const std::string message = "Error loading gfx/font/mainfont.png.\n";
  ASSERT_TRUE(waitForOutput(&game, message, kStartTimeoutMs)) << game.out;
  EXPECT_TRUE(stillRunningAfter(&game, 300)) << "ended without a key";
  ASSERT_EQ(pressKeyInWindowOf(game.pid, "space"), 0);
  ChildResult r = finishChild(&game, kStartTimeoutMs);
  ASSERT_TRUE(r.exited) << "signal " << r.signal << (r.timedOut ? " (timed out)" : "");
  EXPECT_EQ(r.exitCode, 1) << "a broken pack must not look like a normal quit";
  EXPECT_EQ(r.out, message);
}

TEST(RealWindow, WaitForKeyBlocksUntilAKeyGoesDown) {
  if (testDisplay().empty()) GTEST_SKIP() << "no X display";
  ChildProcess child;
  ASSERT_TRUE(forkChild(
      [] {
        useNullPlatform(false);
        std::string reason;
        if (!platformOpenWindow(&reason)) {
          std::printf("no window: %s\n", reason.c_str());
          return;
        }
        std::printf("waiting\n");
        std::fflush(stdout);
        platformWaitForKey();
        std::printf("key\n");
      },
      &child));
  ASSERT_TRUE(waitForOutput(&child, "waiting\n", kStartTimeoutMs)) << child.out;
  EXPECT_TRUE(stillRunningAfter(&child, 300)) << "returned without a key";
  ASSERT_EQ(pressKeyInWindowOf(child.pid, "space"), 0);
  ChildResult r = finishChild(&child, kStartTimeoutMs);
  EXPECT_TRUE(r.exited);
  EXPECT_EQ(r.exitCode, 0);
  EXPECT_EQ(r.out, "waiting\nkey\n");
}

}  // namespace
