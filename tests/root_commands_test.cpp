// The commands a content author runs at the project root, on a fresh copy of the project's tree
// as the README gives them. They reuse this build's binaries (BRAWLER_BUILD_DIR), so the test
// costs a copy and the programs' own start, not a second build.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "process_helpers.h"
#include "base/whole_file.h"

namespace fs = std::filesystem;

namespace {

constexpr int kCommandTimeoutMs = 120000;
constexpr int kEscapeAttempts = 30;
constexpr int kEscapeWaitMs = 1000;
constexpr int kEscapeRetrySeconds = 5;
constexpr int kExitTimeoutMs = 10000;

void releaseEscape() { runOnDisplay("xdotool keyup Escape"); }

// The project as a fresh clone holds it: no build folders, no version control.
class FreshCopy {
 public:
  FreshCopy() : root_(makeEmptyDir()) {
    for (const fs::directory_entry& entry : fs::directory_iterator(BRAWLER_SOURCE_DIR)) {
      const fs::path& from = entry.path();
      if (from.filename() == ".git" || fs::exists(from / "CMakeCache.txt")) continue;
      fs::copy(from, root_ / from.filename(),
               fs::copy_options::recursive | fs::copy_options::copy_symlinks);
    }
  }
  ~FreshCopy() { fs::remove_all(root_); }
  ChildOptions command(const std::string& name, const std::vector<std::string>& args) const {
    ChildOptions o;
    o.program = (root_ / name).string();
    o.args = args;
    o.workDir = root_.string();
    // The game frees nothing by design; in a sanitizer build a leak report at exit would only
    // turn the clean exit into a failure.
    o.setEnv = {{"BRAWLER_BUILD_DIR", BRAWLER_BUILD_DIR},
                {"SDL_AUDIODRIVER", "dummy"},
                {"ASAN_OPTIONS", "detect_leaks=0"}};
    return o;
  }

 private:
  fs::path root_;
};

// The replay command finds a recording from where it is run, while the tool runs in data/.
TEST(RootReplayCommand, DigestsAGoldenFightFromTheProjectRoot) {
  FreshCopy copy;
  ChildResult replay = runChild(
      copy.command("replay", {"digest", "tests/replays/stage1.replay", "--every", "200"}),
      kCommandTimeoutMs);
  ASSERT_TRUE(replay.exited) << replay.out;
  EXPECT_EQ(replay.exitCode, 0) << replay.out;
  std::string golden;
  ASSERT_TRUE(readWholeFile(std::string(BRAWLER_SOURCE_DIR) + "/tests/replays/stage1.digest", &golden));
  EXPECT_EQ(replay.out, golden);
}

TEST(RootCommands, CheckPassesTheDefaultPackAndPreviewEndsOnEscapeOnEveryScreen) {
  FreshCopy copy;
  ChildResult check = runChild(copy.command("check", {}), kCommandTimeoutMs);
  ASSERT_TRUE(check.exited) << check.out;
  EXPECT_EQ(check.exitCode, 0) << check.out;
  EXPECT_NE(check.out.find("0 errors, "), std::string::npos) << check.out;

  if (testDisplay().empty()) GTEST_SKIP() << "no X display for the preview";
  const std::vector<std::vector<std::string>> screens = {
      {"Playstage", "stage1"}, {"Mainmenu"}, {"Character Select"}, {"Overworld"}};
  for (const std::vector<std::string>& screen : screens) {
    // A key sent to the window that has the focus goes through the server's keyboard and stays
    // down there; a program that starts with Escape already down never sees it go down.
    releaseEscape();
    ChildProcess preview;
    ASSERT_TRUE(startChild(copy.command("preview", screen), &preview));
    // Escape again while the program runs on: a screen still loading when the window shows may
    // take the keyboard's state afresh as it gains the focus, and forget a key sent before.
    ASSERT_EQ(holdEscapeInWindowOf(preview.pid), 0) << screen[0] << ": no window showed";
    for (int attempt = 0; attempt < kEscapeAttempts; ++attempt) {
      if (!stillRunningAfter(&preview, kEscapeWaitMs)) break;
      holdEscapeInWindowOf(preview.pid, kEscapeRetrySeconds);  // the window may be closing
    }
    ChildResult r = finishChild(&preview, kExitTimeoutMs);
    releaseEscape();
    EXPECT_FALSE(r.timedOut) << screen[0] << ": Escape did not end the preview";
    EXPECT_TRUE(r.exited) << screen[0] << ": signal " << r.signal;
    EXPECT_EQ(r.exitCode, 0) << screen[0] << "\n" << r.out;
  }
}

}  // namespace
