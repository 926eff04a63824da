// The settings file: written whole, read back as written, and read forgivingly when damaged.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "base/whole_file.h"
#include "platform/null_platform.h"
#include "input_events.h"
#include "process_helpers.h"
#include "sim/difficulty.h"
#include "shell/bindings.h"
#include "shell/input.h"
#include "shell/settings.h"

namespace {

std::string fileText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}
void writeText(const std::string& path, const std::string& text) { std::ofstream(path, std::ios::binary) << text; }

bool sameBinding(const Binding& a, const Binding& b) { return a.kind == b.kind && a.control == b.control; }

class SettingsFile : public ::testing::Test {
 protected:
  void SetUp() override {
    useNullPlatform(true);
    nullJoystickCount = 2;
    nullJoystickNames = {"Pad A", "Pad B"};
    folder = makeEmptyDir();
    settingsPath = folder + "/settings.txt";
  }
  void TearDown() override {
    settingsPath.clear();
    nullJoystickCount = 0;
    nullJoystickNames.clear();
    defaultSettings(0);
  }
  // Loads the file, returning what was warned.
  std::string load() {
    ::testing::internal::CaptureStderr();
    loadSettings();
    return ::testing::internal::GetCapturedStderr();
  }
  std::string folder;
};

TEST_F(SettingsFile, AMissingFileGivesTheDefaultsQuietly) {
  EXPECT_EQ(load(), "");
  EXPECT_EQ(settings.fullscreen, 0);
  EXPECT_EQ(settings.musicVolume, 10);
  EXPECT_EQ(playerControls[1].pad, 0) << "player 2 takes the first pad";
  EXPECT_EQ(playerControls[1].padName, "Pad A");
  EXPECT_EQ(playerControls[0].pad, kNoPad);
}

TEST_F(SettingsFile, AFileThatCannotBeReadGivesTheDefaultsWithOneWarningAndIsNotWrittenOver) {
  const std::string path = folder + "/settings.txt";
  ASSERT_TRUE(makeFolders(path + "/kept"));  // a folder where the file should be, with something in it
  settingsPath = path;
  ::testing::internal::CaptureStderr();
  loadSettings();
  settings.musicVolume = 3;
  saveSettings();
  const std::string warned = ::testing::internal::GetCapturedStderr();
  EXPECT_EQ(warned, path + ": warning: cannot be read (Is a directory); the defaults are used for this session only\n");
  EXPECT_TRUE(fileExists(path + "/kept")) << "what stood there was replaced";
}

TEST_F(SettingsFile, EverySettingComesBackAsItWasLeft) {
  load();
  settings = Settings{1, 1, 1280, 960, 3, 7, kDifficultyHard, 5};
  playerControls[0].pad = 1;
  playerControls[0].padName = "Pad B";
  playerControls[0].actions[kBoundAttack] = Binding{kBindPad, 4};
  playerControls[1].actions[kBoundJump] = Binding{kBindKey, ' '};
  playerControls[1].actions[kBoundPause] = Binding{kBindNone, 0};
  const PlayerControls left[kBoundPlayers] = {playerControls[0], playerControls[1]};
  saveSettings();
  const std::string written = fileText(settingsPath);

  defaultSettings(0);
  EXPECT_EQ(load(), "");
  EXPECT_EQ(settings.fullscreen, 1);
  EXPECT_EQ(settings.wholeMultiples, 1);
  EXPECT_EQ(settings.windowWidth, 1280);
  EXPECT_EQ(settings.windowHeight, 960);
  EXPECT_EQ(settings.musicVolume, 3);
  EXPECT_EQ(settings.effectsVolume, 7);
  EXPECT_EQ(settings.difficulty, kDifficultyHard);
  EXPECT_EQ(settings.lives, 5);
  for (int p = 0; p < kBoundPlayers; ++p) {
    EXPECT_EQ(playerControls[p].pad, left[p].pad);
    for (int a = 0; a < kBoundActions; ++a)
      EXPECT_TRUE(sameBinding(playerControls[p].actions[a], left[p].actions[a])) << "player " << p << " " << boundActionName(a);
  }
  saveSettings();
  EXPECT_EQ(fileText(settingsPath), written);
}

TEST_F(SettingsFile, APadIsFoundByItsNameOnAnotherPort) {
  writeText(settingsPath, "player1.pad Pad B\nplayer2.pad Pad A\n");
  nullJoystickNames = {"Pad B", "Pad A"};
  EXPECT_EQ(load(), "");
  EXPECT_EQ(playerControls[0].pad, 0);
  EXPECT_EQ(playerControls[1].pad, 1);
}

TEST_F(SettingsFile, TwoPadsOfOneNameGoOneToEachPlayer) {
  writeText(settingsPath, "player1.pad Twin\nplayer2.pad Twin\n");
  nullJoystickNames = {"Twin", "Twin"};
  load();
  EXPECT_NE(playerControls[0].pad, playerControls[1].pad);
}

TEST_F(SettingsFile, LinesItDoesNotKnowAreWrittenBack) {
  writeText(settingsPath, "# my settings\nmusic 4\nturbo on\n");
  EXPECT_EQ(load(), settingsPath + ":3: warning: turbo: no such setting; the line is kept\n");
  settings.musicVolume = 5;
  saveSettings();
  const std::string text = fileText(settingsPath);
  EXPECT_NE(text.find("# my settings\n"), std::string::npos) << text;
  EXPECT_NE(text.find("turbo on\n"), std::string::npos) << text;
  EXPECT_NE(text.find("music 5\n"), std::string::npos) << text;
  defaultSettings(2);  // DEFAULTS on the options screen
  saveSettings();
  EXPECT_NE(fileText(settingsPath).find("turbo on\n"), std::string::npos) << "the defaults drop no one else's line";
}

// A line naming no setting is said once, by file, line and name, and still written back; a
// comment is kept quietly.
TEST_F(SettingsFile, ALineNamingNoSettingIsWarnedAboutAndKept) {
  struct UnknownLineCase {
    const char* name;
    const char* line;
    const char* warning;  // after "FILE:2: warning: ", "" for none
  };
  const UnknownLineCase cases[] = {
      {"AMisspeltSetting", "musik 4", "musik: no such setting; the line is kept"},
      {"AnActionNoPlayerHas", "player1.fly key a", "player1.fly: no such setting; the line is kept"},
      {"AThirdPlayer", "player3.up key up", "player3.up: no such setting; the line is kept"},
      {"ANameAlone", "turbo", "turbo: no such setting; the line is kept"},
      {"AComment", "#music 4", ""},
  };
  for (const UnknownLineCase& c : cases) {
    SCOPED_TRACE(c.name);
    defaultSettings(0);
    writeText(settingsPath, std::string("music 2\n") + c.line + "\neffects 3\n");
    const std::string warned = load();
    EXPECT_EQ(warned, *c.warning ? settingsPath + ":2: warning: " + c.warning + "\n" : "");
    EXPECT_EQ(settings.musicVolume, 2);
    EXPECT_EQ(settings.effectsVolume, 3);
    saveSettings();
    EXPECT_NE(fileText(settingsPath).find(std::string("\n") + c.line + "\n"), std::string::npos) << fileText(settingsPath);
  }
}

struct BadLineCase {
  const char* name;
  const char* line;     // the file's second line; the first and third are good
  const char* warning;  // what the one warning line says after "FILE:2: warning: "
};

class BadLines : public SettingsFile, public ::testing::WithParamInterface<BadLineCase> {};

TEST_P(BadLines, FallBackToTheDefaultWithOneWarningAndReadTheRest) {
  const BadLineCase& c = GetParam();
  writeText(settingsPath, std::string("music 2\n") + c.line + "\neffects 3\n");
  const std::string warned = load();
  EXPECT_EQ(warned, settingsPath + ":2: warning: " + c.warning + "; the default is used\n");
  EXPECT_EQ(settings.musicVolume, 2);
  EXPECT_EQ(settings.effectsVolume, 3);
  const Settings defaults{0, 0, 1024, 768, 10, 10};
  EXPECT_EQ(settings.fullscreen, defaults.fullscreen);
  EXPECT_EQ(settings.wholeMultiples, defaults.wholeMultiples);
  EXPECT_EQ(settings.windowWidth, defaults.windowWidth);
  EXPECT_EQ(settings.difficulty, kDifficultyNormal);
  EXPECT_EQ(settings.lives, kDefaultLives);
  EXPECT_TRUE(sameBinding(playerControls[0].actions[kBoundUp], defaultControls(0, 2).actions[kBoundUp]));
  EXPECT_EQ(playerControls[1].pad, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Settings, BadLines,
    ::testing::Values(
        BadLineCase{"UnknownKeyName", "player1.up key blorp", "player1.up: \"key blorp\" names no key or pad control"},
        BadLineCase{"NumberOutOfRange", "music 11", "music: \"11\" is not a whole number from 0 to 10"},
        BadLineCase{"NegativeNumber", "effects -1", "effects: \"-1\" is not a whole number from 0 to 10"},
        BadLineCase{"PadNeverSeen", "player2.pad Phantom Pad", "player2.pad: no pad named \"Phantom Pad\" is attached"},
        BadLineCase{"UnknownWord", "fullscreen maybe", "fullscreen: \"maybe\" is neither no nor yes"},
        BadLineCase{"WindowTooSmall", "window 10x10",
                    "window: \"10x10\" is not a size WIDTHxHEIGHT, each from 320 to 16384"},
        BadLineCase{"NoValue", "scaling", "scaling: \"\" is neither fit nor whole"},
        BadLineCase{"DifficultyNobodyKnows", "difficulty nightmare",
                    "difficulty: \"nightmare\" is none of easy, normal, hard"},
        BadLineCase{"DifficultyInCapitals", "difficulty HARD", "difficulty: \"HARD\" is none of easy, normal, hard"},
        BadLineCase{"NoLives", "lives 0", "lives: \"0\" is not a whole number from 1 to 5"},
        BadLineCase{"TooManyLives", "lives 6", "lives: \"6\" is not a whole number from 1 to 5"}),
    [](const ::testing::TestParamInfo<BadLineCase>& info) { return std::string(info.param.name); });

TEST_F(SettingsFile, AnUnwritableFolderWarnsOnceAndKeepsTheSettingsForTheSession) {
  writeText(folder + "/plain-file", "not a folder");
  settingsPath = folder + "/plain-file/brawler/settings.txt";
  load();
  ::testing::internal::CaptureStderr();
  settings.musicVolume = 1;
  saveSettings();
  settings.musicVolume = 2;
  saveSettings();
  const std::string warned = ::testing::internal::GetCapturedStderr();
  EXPECT_EQ(std::count(warned.begin(), warned.end(), '\n'), 1) << warned;
  EXPECT_NE(warned.find(settingsPath), std::string::npos) << warned;
  EXPECT_EQ(settings.musicVolume, 2);
}

TEST_F(SettingsFile, TheFolderIsMadeWhenMissing) {
  settingsPath = folder + "/config/brawler/settings.txt";
  load();
  saveSettings();
  EXPECT_NE(fileText(settingsPath).find("music 10\n"), std::string::npos);
}

TEST_F(SettingsFile, ACrashBetweenWriteAndRenameLeavesTheOldFileWhole) {
  load();
  settings.musicVolume = 4;
  saveSettings();
  const std::string old = fileText(settingsPath);
  settings.musicVolume = 9;
  std::string error;
  // What a crash right before the rename leaves: the new text beside the old file.
  ASSERT_TRUE(writeBeside(settingsPath, "music 9\nfullscr", &error)) << error;
  EXPECT_EQ(fileText(settingsPath), old);
  EXPECT_EQ(load(), "");
  EXPECT_EQ(settings.musicVolume, 4);
  settings.musicVolume = 6;
  saveSettings();
  EXPECT_NE(fileText(settingsPath).find("music 6\n"), std::string::npos) << "the leftover stood in the way";
}

}  // namespace

namespace {

PlatformEvent dragged(int width, int height) {
  PlatformEvent e;
  e.type = kEventWindowResized;
  e.x = width;
  e.y = height;
  return e;
}
constexpr int kKeyF11 = 292;

struct WindowRequestCase {
  const char* name;
  int32_t fullscreenBefore;
  std::vector<PlatformEvent> events;  // one poll's
  int32_t fullscreen, width, height;  // the settings afterwards, as saved
};

class WindowRequestsKept : public SettingsFile, public ::testing::WithParamInterface<WindowRequestCase> {
 protected:
  void TearDown() override {
    useBoundActions(false);
    SettingsFile::TearDown();
  }
};

TEST_P(WindowRequestsKept, ChangeTheSettingsAndTheFile) {
  const WindowRequestCase& c = GetParam();
  load();
  useBoundActions(true);
  settings.fullscreen = c.fullscreenBefore;
  for (const PlatformEvent& e : c.events) nullQueueEvent(e);
  pollInput();
  followWindowRequests();
  EXPECT_EQ(settings.fullscreen, c.fullscreen);
  EXPECT_EQ(settings.windowWidth, c.width);
  EXPECT_EQ(settings.windowHeight, c.height);
  defaultSettings(2);
  load();
  EXPECT_EQ(settings.fullscreen, c.fullscreen) << "kept in the file";
  EXPECT_EQ(settings.windowWidth, c.width);
}

INSTANTIATE_TEST_SUITE_P(
    Settings, WindowRequestsKept,
    ::testing::Values(
        WindowRequestCase{"F11GoesFullscreen", 0, {keyEvent(kKeyF11, true)}, 1, 1024, 768},
        WindowRequestCase{"F11ComesBack", 1, {keyEvent(kKeyF11, true)}, 0, 1024, 768},
        WindowRequestCase{"AltReturnToo", 0, {keyEvent(308, true), keyEvent(13, true), keyEvent(308, false)}, 1, 1024, 768},
        WindowRequestCase{"TwiceInOnePollIsNoChange", 0,
                          {keyEvent(kKeyF11, true), keyEvent(kKeyF11, false),
                           keyEvent(kKeyF11, true)},
                          0, 1024, 768},
        WindowRequestCase{"ADraggedEdgeIsTheNewSize", 0, {dragged(1600, 900)}, 0, 1600, 900},
        WindowRequestCase{"ADraggedEdgeStaysWithinWhatTheFileTakes", 0, {dragged(100, 20000)}, 0, 320, 16384}),
    [](const ::testing::TestParamInfo<WindowRequestCase>& info) { return std::string(info.param.name); });

}  // namespace
