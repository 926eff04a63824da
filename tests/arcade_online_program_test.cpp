// Two arcades on one display, one hosting and one joining over loopback, driven by keys typed
// into each window: they play one game together, or are refused with the reason on both.
#include <gtest/gtest.h>

#include <fstream>
#include <regex>
#include <string>

#include "process_helpers.h"

namespace {

constexpr int kScreenWaitMs = 60000;

ChildOptions arcadeIn(const std::string& contentDir, const std::vector<std::string>& online) {
  ChildOptions options;
  options.program = BRAWLER_ARCADE_BINARY;
  options.workDir = contentDir;
  const std::string own = makeEmptyDir();
  options.setEnv = {{"SDL_AUDIODRIVER", "dummy"}, {"ASAN_OPTIONS", "detect_leaks=0"}, {"XDG_DATA_HOME", own}};
  options.args = {"--settings", own + "/settings.txt", "--scores", own + "/scores.txt"};
  options.args.insert(options.args.end(), online.begin(), online.end());
  return options;
}

// The host on a port the system picks, and the joiner on it; false when either never shows.
bool startPair(const std::string& joinerContent, ChildProcess* host, ChildProcess* joiner) {
  // A line of 60 ms there and back, longer than the input delay: the stage guesses and puts
  // itself back now and then.
  if (!startWhenReady(arcadeIn(BRAWLER_CONTENT_DIR, {"--host", "0", "--latency", "30"}), "arcade: online waiting on port ", host))
    return false;
  std::smatch port;
  if (!waitForOutput(host, "\n", kScreenWaitMs) ||
      !std::regex_search(host->out, port, std::regex("waiting on port ([0-9]+)\n")))
    return false;
  return startWhenReady(arcadeIn(joinerContent, {"--join", "127.0.0.1:" + port[1].str(), "--latency", "30"}),
                        "arcade: online joining",
                        joiner);
}

bool bothShow(ChildProcess* host, ChildProcess* joiner, const std::string& line) {
  return waitForOutput(host, line, kScreenWaitMs) && waitForOutput(joiner, line, kScreenWaitMs);
}

// The first fingerprint line the child prints from `from` in its output on.
std::string nextDigestLine(ChildProcess* child, size_t from) {
  const std::regex digestLine("net tick [0-9]+ digest [0-9a-f]+\n");
  std::smatch line;
  for (int waited = 0; waited < kScreenWaitMs; waited += 200) {
    const std::string after = child->out.substr(from);
    if (std::regex_search(after, line, digestLine)) return line.str();
    if (!stillRunningAfter(child, 200)) break;
  }
  return "";
}

// A key into the child's window; a child that has ended has no window to wait for.
::testing::AssertionResult typeInto(ChildProcess* child, const std::string& key, int holdMs = 0) {
  if (!stillRunningAfter(child, 0)) return ::testing::AssertionFailure() << "it ended:\n" << child->out;
  const int status = holdMs > 0 ? holdKeyInWindowOf(child->pid, key, holdMs) : pressKeyInWindowOf(child->pid, key);
  if (status != 0) return ::testing::AssertionFailure() << "no window to type " << key << " into";
  return ::testing::AssertionSuccess();
}

void closeBoth(ChildProcess* host, ChildProcess* joiner) {
  for (ChildProcess* child : {host, joiner}) {
    if (stillRunningAfter(child, 0)) closeWindowOf(child->pid);
    EXPECT_FALSE(finishChild(child, 20000).timedOut) << child->out;
  }
}

TEST(OnlineArcade, HostAndJoinerReachStageOneAndShowTheSameFight) {
  if (testDisplay().empty()) GTEST_SKIP() << "no X display";
  ChildProcess host, joiner;
  ASSERT_TRUE(startPair(BRAWLER_CONTENT_DIR, &host, &joiner)) << host.out << joiner.out;
  ASSERT_TRUE(bothShow(&host, &joiner, "arcade: select\n")) << host.out << joiner.out;
  // Each confirms with its own player-1 keys; the map waits for both. A window that has only
  // just come up may lose the focus to the other before its key, so the keys go again until
  // the map shows (a second confirm changes nothing).
  for (int round = 0; round < 5 && host.out.find("arcade: map\n") == std::string::npos; ++round) {
    ASSERT_TRUE(typeInto(&host, "c"));
    ASSERT_TRUE(typeInto(&joiner, "c"));
    waitForOutput(&host, "arcade: map\n", 5000);
  }
  ASSERT_TRUE(bothShow(&host, &joiner, "arcade: map\n")) << host.out << joiner.out;
  // The map takes keys once its markers stand; the host walks it, and sets off.
  for (int round = 0; round < 5 && host.out.find("arcade: stage") == std::string::npos; ++round) {
    ASSERT_TRUE(typeInto(&host, "z", 500));
    waitForOutput(&host, "arcade: stage", 5000);
  }
  ASSERT_TRUE(bothShow(&host, &joiner, "arcade: stage world1/stage1\n")) << host.out << joiner.out;
  // Both walk and strike, each from their own machine; then both must have seen the same world.
  ASSERT_TRUE(typeInto(&joiner, "Right", 600));
  ASSERT_TRUE(typeInto(&host, "Right", 600));
  ASSERT_TRUE(typeInto(&joiner, "z", 200));
  ASSERT_TRUE(typeInto(&host, "x", 200));
  const std::string line = nextDigestLine(&host, host.out.size());
  ASSERT_FALSE(line.empty()) << host.out;
  EXPECT_TRUE(waitForOutput(&joiner, line, kScreenWaitMs)) << "the host printed " << line << joiner.out;

  // Closing one window is leaving on purpose: the other side says so and goes to its title.
  ASSERT_EQ(closeWindowOf(host.pid), 0);
  EXPECT_TRUE(waitForOutput(&joiner, "arcade: online the other player left\n", kScreenWaitMs)) << joiner.out;
  EXPECT_TRUE(waitForOutput(&joiner, "arcade: title\n", kScreenWaitMs)) << joiner.out;
  closeBoth(&host, &joiner);
}

TEST(OnlineArcade, OtherGameDataIsRefusedOnBothScreens) {
  if (testDisplay().empty()) GTEST_SKIP() << "no X display";
  // The joiner's pack: the shipped one with one file more.
  const std::string changed = makeEmptyDir();
  ASSERT_EQ(std::system(("cp -rs '" + std::string(BRAWLER_CONTENT_DIR) + "/.' '" + changed + "'").c_str()), 0);
  std::ofstream(changed + "/scripts/zz_extra.txt") << "not the host's\n";
  ChildProcess host, joiner;
  ASSERT_TRUE(startPair(changed, &host, &joiner)) << host.out << joiner.out;
  const std::string refused = "arcade: online the other player's game data differs: data/scripts/zz_extra.txt\n";
  EXPECT_TRUE(bothShow(&host, &joiner, refused)) << host.out << joiner.out;
  EXPECT_TRUE(bothShow(&host, &joiner, "arcade: title\n")) << host.out << joiner.out;
  closeBoth(&host, &joiner);
}

}  // namespace
