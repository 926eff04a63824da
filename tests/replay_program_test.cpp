// brawler-replay as a program on the shipped pack: a fight recorded in the window replays to
// the world it left, the golden fights replay to their recorded digests, and a recording it
// cannot trust is turned away with one line and nothing done.
#include <gtest/gtest.h>
#include <dirent.h>
#include <signal.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "replay_program.h"

namespace {

ChildResult runReplay(const std::vector<std::string>& args) { return runChild(replayProgram(args), 60000); }

std::vector<std::string> goldenRecordings() {
  std::vector<std::string> names;
  if (DIR* dir = opendir(BRAWLER_REPLAYS)) {
    while (dirent* entry = readdir(dir)) {
      const std::string name = entry->d_name;
      if (name.size() > 7 && name.compare(name.size() - 7, 7, ".replay") == 0) names.push_back(name);
    }
    closedir(dir);
  }
  return names;
}

// A failure here after an intended change of content or rules: re-record with
// tools/rerecord-replays and review what moved.
TEST(ReplayProgram, GoldenFightsReplayToTheirDigests) {
  const std::vector<std::string> recordings = goldenRecordings();
  ASSERT_GE(recordings.size(), 3u);
  for (const std::string& name : recordings) {
    const std::string path = std::string(BRAWLER_REPLAYS) + "/" + name;
    const ChildResult result = runReplay({"digest", path, "--every", "200"});
    const char* hint = "\n(after an intended change of content or rules: tools/rerecord-replays)";
    EXPECT_EQ(result.exitCode, 0) << name << ":\n" << result.out << hint;
    EXPECT_EQ(result.out, fileText(path.substr(0, path.size() - 7) + ".digest")) << name << hint;
  }
}

std::string lineStartingWith(const std::string& out, const std::string& start) {
  std::istringstream in(out);
  for (std::string line; std::getline(in, line);)
    if (line.rfind(start, 0) == 0) return line;
  return "";
}

// Keys typed into the real window while recording: what the file keeps must be what the
// simulation read, tick for tick, or the replay ends in another world than the fight did.
TEST(ReplayProgram, FightRecordedInTheWindowReplaysToTheWorldItLeft) {
  ChildProcess server;
  std::string display;
  if (!startPrivateDisplay(&server, &display)) GTEST_SKIP() << "no Xvfb to start";
  const std::string dir = makeEmptyDir();
  const std::string path = dir + "/fight.replay";
  ChildOptions options;
  options.program = BRAWLER_REPLAY_BINARY;
  options.args = {"record", path, "world1", "stage1"};
  options.workDir = BRAWLER_CONTENT_DIR;
  options.setEnv = {{"DISPLAY", display}, {"SDL_AUDIODRIVER", "dummy"}, {"ASAN_OPTIONS", "detect_leaks=0"}};
  ChildProcess recorder;
  ASSERT_TRUE(startChild(options, &recorder));
  const bool faded = waitForOutput(&recorder, "0.100\n", 60000);
  if (faded) {
    EXPECT_EQ(pressKeyInWindowOf(recorder.pid, "Right Right z c z Left", display), 0);
    EXPECT_EQ(holdEscapeInWindowOf(recorder.pid, 60, display), 0);
  } else {
    kill(recorder.pid, SIGKILL);
  }
  const ChildResult recorded = finishChild(&recorder, 20000);
  stopPrivateDisplay(&server);
  ASSERT_TRUE(faded) << recorded.out;
  ASSERT_EQ(recorded.exitCode, 0) << recorded.out;
  const std::string fightEnd = lineStartingWith(recorded.out, "end ");
  ASSERT_FALSE(fightEnd.empty()) << recorded.out;

  const ChildResult replayed = runReplay({"digest", path});
  EXPECT_EQ(replayed.exitCode, 0) << replayed.out;
  EXPECT_EQ(lineStartingWith(replayed.out, "end "), fightEnd);
  std::remove(path.c_str());
  std::remove(dir.c_str());
}

struct RefusedCase {
  const char* name;
  std::string from;  // a line of the golden stage3 recording...
  std::string to;    // ...changed to this
  const char* says;
};

void PrintTo(const RefusedCase& c, std::ostream* out) { *out << c.name; }

class ReplayRefusal : public ::testing::TestWithParam<RefusedCase> {};

TEST_P(ReplayRefusal, OneLineStatusOneNothingReplayed) {
  std::string text = fileText(std::string(BRAWLER_REPLAYS) + "/stage3.replay");
  const size_t at = text.find(GetParam().from);
  ASSERT_NE(at, std::string::npos);
  text.replace(at, GetParam().from.size(), GetParam().to);
  const std::string dir = makeEmptyDir();
  const std::string path = dir + "/changed.replay";
  std::ofstream(path, std::ios::binary) << text;
  const std::vector<std::vector<std::string>> commands = {{"play", path, "--headless"}, {"digest", path}};
  for (const std::vector<std::string>& args : commands) {
    const ChildResult result = runReplay(args);
    EXPECT_EQ(result.exitCode, 1) << result.out;
    EXPECT_NE(result.out.find(GetParam().says), std::string::npos) << result.out;
    EXPECT_EQ(result.out.find('\n'), result.out.size() - 1) << "more than one line:\n" << result.out;
  }
  std::remove(path.c_str());
  std::remove(dir.c_str());
}

INSTANTIATE_TEST_SUITE_P(
    Untrusted, ReplayRefusal,
    ::testing::Values(RefusedCase{"OtherVersion", "brawler-replay 1\n", "brawler-replay 7\n", "format version 7"},
                      RefusedCase{"ChangedScript", "scripts/punk.dat\n", "scripts/biker.dat\n",
                                  "scripts/biker.dat differs"},
                      RefusedCase{"MalformedLine", "\nend\n", "\n1 r ?\nend\n", "malformed tick line \"1 r ?\""}),
    [](const ::testing::TestParamInfo<RefusedCase>& info) { return std::string(info.param.name); });

}  // namespace
