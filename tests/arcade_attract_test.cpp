// The attract mode by ticks: a title left alone plays a shipped recording, then the high
// scores, then the title again; any key breaks the cycle; a recording that does not fit the
// pack is passed over, and one that fits plays exactly as the replay tool plays it.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <string>

#include "arcade_driver.h"
#include "base/fingerprint.h"
#include "base/whole_file.h"
#include "process_helpers.h"
#include "sim/recording.h"
#include "screen_driver.h"
#include "sim/world.h"

using namespace screen_driver;
namespace fs = std::filesystem;

namespace {

constexpr int kIdleTicks = 20 * kTicksPerSecond;
constexpr int kTableTicks = 10 * kTicksPerSecond;
constexpr int kDemoTicks = 1800;  // each shipped recording's length
constexpr int kAnyKey = 'q';

class ArcadeAttract : public ArcadeFlow {
 protected:
  void idleUntilTheDemo() {
    EXPECT_FALSE(until(kArcadeDemo, kIdleTicks - 1)) << "the demo came early";
    ASSERT_TRUE(until(kArcadeDemo, 1));
  }
};

TEST_F(ArcadeAttract, TitleDemoTableTitleAndTheNextRecordingEachTime) {
  idleUntilTheDemo();
  EXPECT_EQ(stageName, "stage1");
  EXPECT_FALSE(until(kArcadeHighScores, kDemoTicks)) << "the fight was cut short";
  ASSERT_TRUE(until(kArcadeHighScores, 1));
  EXPECT_FALSE(until(kArcadeTitle, kTableTicks - 1));
  ASSERT_TRUE(until(kArcadeTitle, 1));
  idleUntilTheDemo();
  EXPECT_EQ(stageName, "stage3");
}

struct BreakCase {
  const char* name;
  int screen;  // where the key is pressed
  int key;
};

class ArcadeAttractBreak : public ArcadeAttract, public ::testing::WithParamInterface<BreakCase> {};

TEST_P(ArcadeAttractBreak, AnyKeyReturnsToTheTitleAtOnceWithTheGameAsItWas) {
  const BreakCase& c = GetParam();
  startNewGame(1);
  entities[0].name = "rider";  // the fighter this game's player chose
  markStageCleared("stage1");
  enterArcadeScreen(kArcadeTitle);
  idleUntilTheDemo();
  frames(kTicksPerSecond);
  if (c.screen == kArcadeHighScores) ASSERT_TRUE(until(kArcadeHighScores, kDemoTicks + 1));
  tapKey(c.key);
  ASSERT_TRUE(until(kArcadeTitle, 1));
  EXPECT_EQ(entities[0].name.str(), "rider");
  EXPECT_EQ(gameRules.friendlyFire, 0) << "the recording's rules outlived it";
  EXPECT_EQ(gameRules.quitKeysEndProgram, 0);
  EXPECT_TRUE(anyStageCleared());
}

INSTANTIATE_TEST_SUITE_P(Keys, ArcadeAttractBreak,
                         ::testing::Values(BreakCase{"LetterDuringTheDemo", kArcadeDemo, kAnyKey},
                                           BreakCase{"EscapeDuringTheDemo", kArcadeDemo, kKeyEscape},
                                           BreakCase{"AttackDuringTheTable", kArcadeHighScores, kAttack1}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(ArcadeAttract, TheDirectionsOnTheTitleShowTheTableAndAKeyComesBack) {
  frames(kTicksPerSecond);
  tapKey(kRight1);
  ASSERT_TRUE(until(kArcadeHighScores, 1));
  tapKey(kLeft1);
  ASSERT_TRUE(until(kArcadeTitle, 1));
}

TEST_F(ArcadeAttract, AKeyOnTheTitleStartsTheIdleCountAgain) {
  frames(kIdleTicks - 10);
  tapKey(kDown1);
  EXPECT_FALSE(until(kArcadeDemo, kIdleTicks - 1));
}

// After a game has left its marks everywhere (fighters, camera, random numbers, rules), the
// demo still plays the fight that was recorded, to the last tick.
TEST_F(ArcadeAttract, TheDemoEndsOnTheWorldTheReplayToolEndsOn) {
  playStage(1, "stage2");
  keyDown(kRight1);
  frames(200);
  keyUp(kRight1);
  enterArcadeScreen(kArcadeTitle);
  idleUntilTheDemo();
  frames(kDemoTicks);
  ASSERT_EQ(arcade.screen, kArcadeDemo);
  const std::string played = hex64(worldDigest());

  ChildOptions replay;
  replay.program = BRAWLER_REPLAY_BINARY;
  replay.args = {"digest", "attract/demo1.replay"};
  replay.workDir = BRAWLER_CONTENT_DIR;
  replay.setEnv = {{"ASAN_OPTIONS", "detect_leaks=0"}};
  const ChildResult result = runChild(replay, 60000);
  ASSERT_EQ(result.exitCode, 0) << result.out;
  const std::string ended = "end " + std::to_string(kDemoTicks) + " " + played + " ";
  EXPECT_EQ(result.out.substr(0, ended.size()), ended);
}

// A change of content leaves the shipped fights recorded on the old pack: the arcade would pass
// over every one of them.
TEST(AttractRecordings, EveryShippedFightFitsThePack) {
  int found = 0;
  for (const fs::directory_entry& entry : fs::directory_iterator(BRAWLER_CONTENT_DIR "/attract")) {
    Recording recording;
    std::string message;
    EXPECT_TRUE(loadRecording(entry.path().string(), BRAWLER_CONTENT_DIR, &recording, &message))
        << message << "\n(after an intended change of content or rules: tools/rerecord-replays)";
    ++found;
  }
  EXPECT_GE(found, 3);
}

// ---- recordings that do not fit ----

struct SpoiledCase {
  const char* name;
  std::function<std::string(std::string)> spoil;  // the first recording's text, spoiled
  const char* warning;
};

std::string replaced(std::string text, const std::string& from, const std::string& to) {
  return text.replace(text.find(from), from.size(), to);
}

class ArcadeAttractSkip : public ::testing::TestWithParam<SpoiledCase> {
 protected:
  void TearDown() override { gameRules = GameRules{}; }
};

// A pack of its own: the shipped one's folders, and attract recordings of the test's making.
TEST_P(ArcadeAttractSkip, ARecordingThatDoesNotFitIsPassedOverWithOneLine) {
  const SpoiledCase& c = GetParam();
  DecodedImage probe;
  if (!platformDecodeImage(BRAWLER_CONTENT_DIR "/gfx/interface/global.png", &probe))
    GTEST_SKIP() << "no PNG decoder in this build";
  const fs::path pack = makeEmptyDir();
  for (const fs::directory_entry& entry : fs::directory_iterator(BRAWLER_CONTENT_DIR))
    if (entry.path().filename() != "attract") fs::create_symlink(entry.path(), pack / entry.path().filename());
  fs::create_directory(pack / "attract");
  std::string first;
  ASSERT_TRUE(readWholeFile(BRAWLER_CONTENT_DIR "/attract/demo1.replay", &first));
  std::ofstream(pack / "attract" / "demo1.replay") << c.spoil(first);
  fs::copy_file(BRAWLER_CONTENT_DIR "/attract/demo3.replay", pack / "attract" / "demo3.replay");

  ASSERT_EQ(chdir(pack.c_str()), 0);
  useNullPlatform(true);
  startUp(1);
  highScores = HighScoreTable{};
  enterArcade();
  ::testing::internal::CaptureStderr();
  enterArcadeScreen(kArcadeDemo);
  const std::string warning = ::testing::internal::GetCapturedStderr();
  EXPECT_EQ(stageName, "stage2") << "the third recording plays";
  EXPECT_NE(warning.find("attract/demo1.replay: "), std::string::npos) << warning;
  EXPECT_NE(warning.find(c.warning), std::string::npos) << warning;
  EXPECT_EQ(warning.find('\n'), warning.size() - 1) << warning;
}

INSTANTIATE_TEST_SUITE_P(
    Recordings, ArcadeAttractSkip,
    ::testing::Values(
        SpoiledCase{"ContentChanged",
                    [](std::string t) { return replaced(t, "content ", "content 0000000000000000 "); },
                    "differs from the content"},
        SpoiledCase{"OtherFormatVersion", [](std::string t) { return replaced(t, "brawler-replay 1", "brawler-replay 9"); },
                    "format version 9"},
        SpoiledCase{"CutShort", [](std::string t) { return t.substr(0, t.size() / 2); }, "line "}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
