// A file the player owns tells the platform each time it is written, and only then: the page
// copies its files into the browser's storage on that word, so a write it missed is a setting
// or a score lost on the next reload, and a failed write must not pass for a kept one.
#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "arcade/high_scores.h"
#include "platform/null_platform.h"
#include "process_helpers.h"
#include "shell/settings.h"

namespace {

struct KeptCase {
  const char* name;
  bool folderBlocked;  // a plain file stands where the player's folder should be made
  void (*write)(const std::string& folder);
  int told;  // times the platform heard of a written file
};

class PlayerFilesKept : public ::testing::TestWithParam<KeptCase> {
 protected:
  void SetUp() override {
    useNullPlatform(true);
    nullPlayerFilesWritten = 0;
  }
  void TearDown() override {
    settingsPath.clear();
    highScores = HighScoreTable{};
  }
};

TEST_P(PlayerFilesKept, PlatformToldAfterEachWrite) {
  const KeptCase& c = GetParam();
  const std::string folder = makeEmptyDir() + "/brawler";
  if (c.folderBlocked) std::ofstream(folder) << "in the way\n";
  ::testing::internal::CaptureStderr();
  c.write(folder);
  ::testing::internal::GetCapturedStderr();
  EXPECT_EQ(nullPlayerFilesWritten, c.told);
}

void saveSettingsTwice(const std::string& folder) {
  settingsPath = folder + "/settings.txt";
  saveSettings();
  saveSettings();
}
void saveOneHighScore(const std::string& folder) {
  loadHighScores(folder + "/scores.txt");
  insertHighScore(&highScores, HighScore{700, "NEW", "world1/stage1", "kestor", 0});
  saveHighScores();
}

INSTANTIATE_TEST_SUITE_P(
    PageStorage, PlayerFilesKept,
    ::testing::Values(KeptCase{"EachSettingsWrite", false, saveSettingsTwice, 2},
                      KeptCase{"SettingsThatCouldNotBeWritten", true, saveSettingsTwice, 0},
                      KeptCase{"HighScoresWritten", false, saveOneHighScore, 1},
                      KeptCase{"HighScoresThatCouldNotBeWritten", true, saveOneHighScore, 0}),
    [](const ::testing::TestParamInfo<KeptCase>& info) { return std::string(info.param.name); });

}  // namespace
