// The options screen in the arcade on the shipped pack, driven through the null platform by
// the keys of either keyboard layout and by pads: every page, every kind of setting, captures
// and their swaps, and the file the changes are kept in.
#include <gtest/gtest.h>
#include <unistd.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "arcade/arcade.h"
#include "audio/sound.h"
#include "screen_driver.h"
#include "screens/main_menu.h"
#include "screens/options.h"
#include "shell/bindings.h"
#include "shell/game_start.h"
#include "shell/pads.h"
#include "shell/screen_state.h"
#include "shell/settings.h"
#include "sim/difficulty.h"
#include "sim/game_state.h"
#include "process_helpers.h"

using namespace screen_driver;

namespace {

constexpr int kMenuFadeFrames = 110;  // the title's close fades over 100 frames
constexpr int kStickUp = 1, kStickDown = 4, kStickRight = 2;
constexpr int kPadJumpButton = 0;

// One step of a player's hands: a key tapped, or a pad's hat flicked or button tapped.
struct Touch {
  int type;  // kEventKeyDown for a key, kEventJoyHat, kEventJoyButtonDown
  int pad;
  int code;  // key symbol, hat position, button
};
Touch keyTap(int key) { return {kEventKeyDown, 0, key}; }
Touch padFlick(int pad, int position) { return {kEventJoyHat, pad, position}; }
Touch padTap(int pad, int button) { return {kEventJoyButtonDown, pad, button}; }

class OptionsScreen : public ::testing::Test {
 protected:
  void SetUp() override {
    ENTER_SHIPPED_PACK();
    nullJoystickCount = 0;
    nullJoystickNames.clear();
    nullClearEvents();
    settingsPath = makeEmptyDir() + "/settings.txt";
    startUp(1);
  }
  void TearDown() override {
    settingsPath.clear();
    useBoundActions(false);
    defaultSettings(0);
    nullJoystickCount = 0;
    nullJoystickNames.clear();
    gameRules = GameRules{};
  }
  void attachPads(std::vector<std::string> names) {
    nullJoystickCount = static_cast<int>(names.size());
    nullJoystickNames = names;
  }
  // The arcade from the title straight onto the options screen's main page.
  void openOptions() {
    enterArcade();
    enterArcadeScreen(kArcadeOptions);
  }
  // Each touch in a poll of its own: down and up (or back to the centre) within the frame.
  void touch(const std::vector<Touch>& touches) {
    for (const Touch& t : touches) {
      if (t.type == kEventKeyDown) {
        tapKey(t.code);
      } else {
        PlatformEvent e;
        e.type = t.type;
        e.joystick = t.pad;
        e.index = 0;
        e.value = t.code;
        e.button = t.code;
        nullQueueEvent(e);
        e.type = t.type == kEventJoyHat ? kEventJoyHat : kEventJoyButtonUp;
        e.value = 0;
        nullQueueEvent(e);
      }
      ASSERT_TRUE(arcadeFrame());
      nullQuads.clear();
    }
  }
  std::string savedText() {
    std::ifstream in(settingsPath);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
  }
};

TEST_F(OptionsScreen, TheTitleReachesOptionsPastQuitAndBackOutComesHome) {
  enterArcade();
  ASSERT_EQ(mainMenu.addedEntries, 1);
  touch({keyTap(kUp1)});
  EXPECT_EQ(mainMenu.cursor, kEntryOptions) << "up from the first entry wraps onto OPTIONS";
  touch({keyTap(kDown1), keyTap(kDown1), keyTap(kDown1), keyTap(kDown1)});
  EXPECT_EQ(mainMenu.cursor, kEntryOptions) << "down past QUIT, the greyed CONTINUE passed over";
  touch({keyTap(kKeyReturn)});
  for (int i = 0; i < kMenuFadeFrames && arcade.screen != kArcadeOptions; ++i) ASSERT_TRUE(arcadeFrame());
  ASSERT_EQ(arcade.screen, kArcadeOptions);
  touch({keyTap(kKeyEscape)});
  EXPECT_EQ(arcade.screen, kArcadeTitle);
}

TEST_F(OptionsScreen, EscapeBacksOutOneLevelAtATime) {
  openOptions();
  touch({keyTap(kKeyReturn)});
  ASSERT_EQ(options.page, kOptionsControls);
  touch({keyTap(kKeyEscape)});
  EXPECT_EQ(options.page, kOptionsMain);
  EXPECT_EQ(arcade.screen, kArcadeOptions);
  touch({keyTap(kKeyEscape)});
  EXPECT_EQ(arcade.screen, kArcadeTitle);
}

struct PageCase {
  const char* name;
  int pads;
  std::vector<Touch> touches;
  Settings expected;
  const char* savedLine;  // a line the settings file holds afterwards
};

class OptionsPages : public OptionsScreen, public ::testing::WithParamInterface<PageCase> {};

TEST_P(OptionsPages, EverySettingIsReachedAndChangedAndKept) {
  const PageCase& c = GetParam();
  attachPads(std::vector<std::string>(c.pads, "Pad"));
  openOptions();
  touch(c.touches);
  EXPECT_EQ(settings.fullscreen, c.expected.fullscreen);
  EXPECT_EQ(settings.wholeMultiples, c.expected.wholeMultiples);
  EXPECT_EQ(settings.musicVolume, c.expected.musicVolume);
  EXPECT_EQ(settings.effectsVolume, c.expected.effectsVolume);
  EXPECT_EQ(settings.difficulty, c.expected.difficulty);
  EXPECT_EQ(settings.lives, c.expected.lives);
  EXPECT_EQ(nullWindowMode.fullscreen, c.expected.fullscreen);
  EXPECT_EQ(nullWindowMode.wholeMultiples, c.expected.wholeMultiples);
  EXPECT_EQ(nullAudio.musicVolume, 100 * c.expected.musicVolume / 10) << "heard at once";
  EXPECT_EQ(nullAudio.effectsVolume, 128 * c.expected.effectsVolume / 10) << "heard at once";
  EXPECT_NE(savedText().find(c.savedLine), std::string::npos) << savedText();
}

const Settings kDefaults{0, 0, 1024, 768, 10, 10, kDifficultyNormal, kDefaultLives};
Settings with(Settings s, int32_t Settings::*field, int32_t value) {
  s.*field = value;
  return s;
}

INSTANTIATE_TEST_SUITE_P(
    Options, OptionsPages,
    ::testing::Values(
        PageCase{"FullscreenByCursorKeysAndReturn", 0,
                 {keyTap(kDown1), keyTap(kDown1), keyTap(kKeyReturn), keyTap(kKeyReturn)},
                 with(kDefaults, &Settings::fullscreen, 1), "fullscreen yes\n"},
        PageCase{"WholeMultiplesByASecondLayoutAlone", 0,
                 {keyTap('s'), keyTap('s'), keyTap('g'), keyTap('s'), keyTap('d')},
                 with(kDefaults, &Settings::wholeMultiples, 1), "scaling whole\n"},
        PageCase{"MusicDownByAPadAlone", 2,
                 {padFlick(1, kStickDown), padFlick(1, kStickDown), padFlick(1, kStickDown),
                  padTap(1, kPadJumpButton), padFlick(1, 8), padFlick(1, 8), padFlick(1, 8)},
                 with(kDefaults, &Settings::musicVolume, 7), "music 7\n"},
        PageCase{"EffectsStopAtNothing", 0,
                 {keyTap(kUp1), keyTap(kUp1), keyTap(kUp1), keyTap(kUp1), keyTap(kKeyReturn), keyTap(kDown1),
                  keyTap(kLeft1), keyTap(kLeft1), keyTap(kLeft1), keyTap(kLeft1), keyTap(kLeft1), keyTap(kLeft1),
                  keyTap(kLeft1), keyTap(kLeft1), keyTap(kLeft1), keyTap(kLeft1), keyTap(kLeft1)},
                 with(kDefaults, &Settings::effectsVolume, 0), "effects 0\n"},
        PageCase{"DefaultsPutEverythingBack", 0,
                 {keyTap(kDown1), keyTap(kDown1), keyTap(kKeyReturn), keyTap(kKeyReturn), keyTap(kKeyEscape),
                  keyTap(kDown1), keyTap(kDown1), keyTap(kKeyReturn), keyTap(kKeyReturn), keyTap(kKeyEscape),
                  keyTap(kDown1), keyTap(kKeyReturn)},
                 kDefaults, "difficulty normal\n"},
        PageCase{"HardOnTheGamePage", 0,
                 {keyTap(kDown1), keyTap(kDown1), keyTap(kDown1), keyTap(kDown1), keyTap(kKeyReturn), keyTap(kRight1)},
                 with(kDefaults, &Settings::difficulty, kDifficultyHard), "difficulty hard\n"},
        PageCase{"DifficultyGoesRoundByConfirm", 0,
                 {keyTap(kDown1), keyTap(kDown1), keyTap(kDown1), keyTap(kDown1), keyTap(kKeyReturn),
                  keyTap(kKeyReturn), keyTap(kKeyReturn)},
                 with(kDefaults, &Settings::difficulty, kDifficultyEasy), "difficulty easy\n"},
        PageCase{"LivesStopAtFive", 0,
                 {keyTap(kDown1), keyTap(kDown1), keyTap(kDown1), keyTap(kDown1), keyTap(kKeyReturn), keyTap(kDown1),
                  keyTap(kRight1), keyTap(kRight1), keyTap(kRight1), keyTap(kRight1)},
                 with(kDefaults, &Settings::lives, kMostLives), "lives 5\n"},
        PageCase{"LivesStopAtOne", 0,
                 {keyTap(kDown1), keyTap(kDown1), keyTap(kDown1), keyTap(kDown1), keyTap(kKeyReturn), keyTap(kDown1),
                  keyTap(kLeft1), keyTap(kLeft1), keyTap(kLeft1)},
                 with(kDefaults, &Settings::lives, kFewestLives), "lives 1\n"}),
    [](const ::testing::TestParamInfo<PageCase>& info) { return std::string(info.param.name); });

// On player 1's controls page: down to the row of `action` and confirm it.
std::vector<Touch> captureFor(int action) {
  std::vector<Touch> t = {keyTap(kKeyReturn)};
  for (int r = 0; r < kControlsFirstActionRow + action; ++r) t.push_back(keyTap(kDown1));
  t.push_back(keyTap(kKeyReturn));
  return t;
}

TEST_F(OptionsScreen, AKeyPressedBecomesTheBindingAndIsKept) {
  openOptions();
  touch(captureFor(kBoundAttack));
  ASSERT_EQ(options.capturing, 1);
  touch({keyTap('x')});
  EXPECT_EQ(options.capturing, 0);
  EXPECT_EQ(playerControls[0].actions[kBoundAttack].kind, kBindKey);
  EXPECT_EQ(playerControls[0].actions[kBoundAttack].control, 'x');
  EXPECT_NE(savedText().find("player1.attack key x\n"), std::string::npos) << savedText();
}

TEST_F(OptionsScreen, EscapeCancelsACapture) {
  openOptions();
  touch(captureFor(kBoundJump));
  touch({keyTap(kKeyEscape)});
  EXPECT_EQ(options.capturing, 0);
  EXPECT_EQ(options.page, kOptionsControls) << "the cancel backs out of the capture only";
  EXPECT_EQ(playerControls[0].actions[kBoundJump].control, 'c');
}

TEST_F(OptionsScreen, ABindingTheOtherPlayerHadIsSwappedNotDoubled) {
  openOptions();  // no pad: player 2 walks on W A S D
  touch(captureFor(kBoundAttack));
  touch({keyTap('w')});
  EXPECT_EQ(playerControls[0].actions[kBoundAttack].control, 'w');
  EXPECT_EQ(playerControls[1].actions[kBoundUp].kind, kBindKey);
  EXPECT_EQ(playerControls[1].actions[kBoundUp].control, 'z') << "player 2's up takes player 1's old attack";
  EXPECT_EQ(options.notice, "SWAPPED WITH PLAYER 2 UP");
}

TEST_F(OptionsScreen, ABindingOfTheSamePlayerIsSwappedToo) {
  openOptions();
  touch(captureFor(kBoundJump));
  touch({keyTap('z')});
  EXPECT_EQ(playerControls[0].actions[kBoundJump].control, 'z');
  EXPECT_EQ(playerControls[0].actions[kBoundAttack].control, 'c');
}

TEST_F(OptionsScreen, APadControlPressedPutsPlayerOneOnThatPad) {
  attachPads({"Pad A", "Pad B"});
  openOptions();
  touch(captureFor(kBoundJump));
  touch({padFlick(1, kStickRight)});
  EXPECT_EQ(playerControls[0].pad, 1);
  EXPECT_EQ(playerControls[0].padName, "Pad B");
  EXPECT_EQ(bindingText(playerControls[0].actions[kBoundJump]), "pad hat 0 right");
  EXPECT_NE(savedText().find("player1.pad Pad B\n"), std::string::npos) << savedText();
}

TEST_F(OptionsScreen, ThePadRowGoesThroughEveryPadAndNone) {
  attachPads({"Pad A", "Pad B"});
  openOptions();
  touch({keyTap(kKeyReturn)});
  const int expected[] = {0, 1, kNoPad};
  for (int pad : expected) {
    touch({keyTap(kRight1)});
    EXPECT_EQ(playerControls[0].pad, pad);
  }
}

TEST_F(OptionsScreen, EverythingIsAsItWasLeftAfterARestart) {
  attachPads({"Pad A"});
  openOptions();
  touch({keyTap(kDown1), keyTap(kDown1), keyTap(kDown1), keyTap(kKeyReturn), keyTap(kLeft1)});
  touch({keyTap(kKeyEscape), keyTap(kUp1), keyTap(kUp1), keyTap(kUp1), keyTap(kKeyReturn)});
  touch({keyTap(kDown1), keyTap(kKeyReturn), keyTap('q')});
  ASSERT_EQ(settings.musicVolume, 9);
  ASSERT_EQ(playerControls[0].actions[kBoundUp].control, 'q');

  defaultSettings(0);
  useBoundActions(false);
  enterArcade();  // the next run
  EXPECT_EQ(settings.musicVolume, 9);
  EXPECT_EQ(playerControls[0].actions[kBoundUp].control, 'q');
  EXPECT_EQ(playerControls[1].pad, 0);
  tapKey('q');
  pollInput();
  EXPECT_TRUE(isPressed(bindUp[0])) << "the menus read the new binding";
}

TEST_F(OptionsScreen, PlayerTwosPauseBindingPausesTheStage) {
  attachPads({"Pad A"});
  enterArcade();
  startNewGame(2);
  enterArcadeScreen(kArcadeMap);
  stageName = "stage1";
  enterArcadeScreen(kArcadeStage);
  touch({padTap(0, 7)});
  EXPECT_EQ(arcade.phase, kPhasePaused);
}

}  // namespace
