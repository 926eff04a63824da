// The arcade's controls: any pad's buttons, hats and axes read through the null back end, each
// player's actions worked out from their own bindings, and the fixed table kept for brawler.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "input_events.h"
#include "shell/bindings.h"
#include "shell/input.h"
#include "shell/pads.h"

namespace {

PlatformEvent button(int pad, int b, bool down) {
  return padEvent(down ? kEventJoyButtonDown : kEventJoyButtonUp, pad, b, 0);
}
PlatformEvent hat(int pad, int h, int position) { return padEvent(kEventJoyHat, pad, h, position); }
PlatformEvent axis(int pad, int a, int value) { return padEvent(kEventJoyAxis, pad, a, value); }

constexpr int kHatUp = 1, kHatRight = 2, kHatUpRight = 3;
constexpr int kKeyUp = 273, kKeyF11 = 292, kKeyLeftAlt = 308;

class BoundActions : public ::testing::Test {
 protected:
  void SetUp() override {
    clearInputTables();
    clearPads();
    windowRequests = WindowRequests{};
    for (int p = 0; p < kBoundPlayers; ++p) playerControls[p] = defaultControls(p, 2);
    useBoundActions(true);
  }
  void TearDown() override {
    useBoundActions(false);
    pollInput();  // lets go of what the test held, for the tests after it
  }
  void poll(const std::vector<PlatformEvent>& events) { pollEvents(events); }
  bool held(int player, int action) { return isHeld(boundActionCode(player, action)); }
  bool pressed(int player, int action) { return isPressed(boundActionCode(player, action)); }
};

struct PadCase {
  const char* name;
  std::vector<PlatformEvent> before;  // an earlier poll
  std::vector<PlatformEvent> events;  // this poll
  int pad;
  int control;
  bool held;
  bool pressed;
};

class PadControls : public BoundActions, public ::testing::WithParamInterface<PadCase> {};

TEST_P(PadControls, HeldAndPressedAfterThePoll) {
  const PadCase& c = GetParam();
  poll(c.before);
  poll(c.events);
  EXPECT_EQ(padControlHeld(c.pad, c.control), c.held);
  EXPECT_EQ(padControlPressed(c.pad, c.control), c.pressed);
}

INSTANTIATE_TEST_SUITE_P(
    Pads, PadControls,
    ::testing::Values(
        PadCase{"ButtonDownIsHeldAndPressed", {}, {button(0, 5, true)}, 0, 5, true, true},
        PadCase{"ButtonStillDownIsHeldNotPressed", {button(0, 5, true)}, {}, 0, 5, true, false},
        PadCase{"TapWithinOnePollIsPressedOnly", {}, {button(0, 5, true), button(0, 5, false)}, 0, 5, false, true},
        PadCase{"ThirdPadIsReadAsItself", {}, {button(2, 1, true)}, 2, 1, true, true},
        PadCase{"OnePadLeavesAnotherAlone", {}, {button(2, 1, true)}, 0, 1, false, false},
        PadCase{"HatDiagonalHoldsBothDirections", {}, {hat(0, 0, kHatUpRight)}, 0, padHatControl(0, kPadRight), true, true},
        PadCase{"HatFromUpToRightLetsUpGo", {hat(0, 0, kHatUp)}, {hat(0, 0, kHatRight)}, 0, padHatControl(0, kPadUp), false, false},
        PadCase{"HatStillUpInTheDiagonalIsNoNewPress", {hat(0, 0, kHatUp)}, {hat(0, 0, kHatUpRight)}, 0,
                padHatControl(0, kPadUp), true, false},
        PadCase{"SecondHatIsItsOwn", {}, {hat(1, 1, kHatUp)}, 1, padHatControl(1, kPadUp), true, true},
        PadCase{"AxisInsideTheDeadZoneIsRest", {}, {axis(0, 0, -kPadAxisDeadZone)}, 0, padAxisControl(0, 0), false, false},
        PadCase{"AxisPastTheDeadZoneIsPushed", {}, {axis(0, 3, kPadAxisDeadZone + 1)}, 0, padAxisControl(3, 1), true, true},
        PadCase{"AxisSidesAreSeparate", {}, {axis(0, 3, 30000)}, 0, padAxisControl(3, 0), false, false},
        PadCase{"StickUpFromTheHat", {}, {hat(1, 0, kHatUp)}, 1, padStickControl(kPadUp), true, true},
        PadCase{"StickLeftFromAxisZero", {}, {axis(1, 0, -20000)}, 1, padStickControl(kPadLeft), true, true},
        PadCase{"StickDownFromAxisOne", {}, {axis(1, 1, 20000)}, 1, padStickControl(kPadDown), true, true},
        PadCase{"StickBackToRestLetsGo", {axis(1, 1, 20000)}, {axis(1, 1, 0)}, 1, padStickControl(kPadDown), false, false},
        PadCase{"PadPastTheTableIsIgnored", {}, {button(kPads, 0, true)}, 0, 0, false, false}),
    [](const ::testing::TestParamInfo<PadCase>& info) { return std::string(info.param.name); });

TEST_F(BoundActions, PadButtonsNoLongerPassForKeys) {
  // Pad 0's button 9 has the code of key '1' in the fixed table.
  playerControls[0].actions[kBoundAttack] = Binding{kBindKey, '1'};
  poll({button(0, 9, true)});
  EXPECT_FALSE(held(0, kBoundAttack));
  EXPECT_FALSE(keyboardHeld('1'));
}

TEST_F(BoundActions, EachPlayerReadsTheirOwnPad) {
  playerControls[0].pad = 1;
  playerControls[0].actions[kBoundJump] = Binding{kBindPad, 0};
  poll({button(0, 0, true)});
  EXPECT_TRUE(held(1, kBoundJump)) << "player 2 is on pad 0";
  EXPECT_FALSE(held(0, kBoundJump)) << "player 1 is on pad 1";
  poll({button(1, 0, true)});
  EXPECT_TRUE(held(0, kBoundJump));
  EXPECT_FALSE(pressed(1, kBoundJump));
}

TEST_F(BoundActions, DefaultsWorkWithAHatPadOrAStickPad) {
  poll({hat(0, 0, kHatRight)});
  EXPECT_TRUE(pressed(1, kBoundRight));
  poll({hat(0, 0, 0), axis(0, 1, -32768)});
  EXPECT_TRUE(pressed(1, kBoundUp));
  EXPECT_FALSE(held(1, kBoundRight));
}

TEST_F(BoundActions, TheBindingTableNamesTheActionsSoScreensReadThemAsKeys) {
  poll({keyEvent(kKeyUp, true)});
  EXPECT_TRUE(isPressed(bindUp[0]));
  EXPECT_TRUE(isHeld(bindUp[0]));
  EXPECT_FALSE(isHeld(bindExtra[0]));
}

TEST_F(BoundActions, F11AndAltReturnAskForFullscreenAndConfirmNothing) {
  poll({keyEvent(kKeyF11, true), keyEvent(kKeyF11, false)});
  EXPECT_EQ(windowRequests.fullscreenToggles, 1);
  poll({keyEvent(kKeyLeftAlt, true), keyEvent(kKeyReturn, true), keyEvent(kKeyLeftAlt, false)});
  EXPECT_EQ(windowRequests.fullscreenToggles, 2);
  EXPECT_FALSE(isPressed(kKeyReturn));
}

TEST_F(BoundActions, TheFixedTableComesBackWithThemOff) {
  useBoundActions(false);
  poll({button(0, 2, true), keyEvent(kKeyF11, true)});
  EXPECT_TRUE(isHeld(42)) << "joystick 0 button 2, as brawler binds player 2's attack";
  EXPECT_EQ(bindAttack[1], 42);
  EXPECT_EQ(windowRequests.fullscreenToggles, 0);
}

struct BindingTextCase {
  const char* name;
  const char* text;
  bool valid;
  Binding binding;
};

class BindingTexts : public ::testing::TestWithParam<BindingTextCase> {};

TEST_P(BindingTexts, ReadAndWrittenTheSameWay) {
  const BindingTextCase& c = GetParam();
  Binding b{};
  ASSERT_EQ(parseBinding(c.text, &b), c.valid);
  if (!c.valid) return;
  EXPECT_EQ(b.kind, c.binding.kind);
  EXPECT_EQ(b.control, c.binding.control);
  EXPECT_EQ(bindingText(b), c.text);
}

INSTANTIATE_TEST_SUITE_P(
    Settings, BindingTexts,
    ::testing::Values(BindingTextCase{"Letter", "key z", true, {kBindKey, 'z'}},
                      BindingTextCase{"Digit", "key 5", true, {kBindKey, '5'}},
                      BindingTextCase{"Arrow", "key up", true, {kBindKey, 273}},
                      BindingTextCase{"FunctionKey", "key f4", true, {kBindKey, 285}},
                      BindingTextCase{"KeyWithoutAName", "key #160", true, {kBindKey, 160}},
                      BindingTextCase{"Button", "pad button 7", true, {kBindPad, 7}},
                      BindingTextCase{"HatDirection", "pad hat 1 left", true, {kBindPad, kPadHatFirst + 4 + kPadLeft}},
                      BindingTextCase{"AxisSide", "pad axis 2 +", true, {kBindPad, kPadAxisFirst + 5}},
                      BindingTextCase{"StickDirection", "pad stick down", true, {kBindPad, kPadStickFirst + kPadDown}},
                      BindingTextCase{"Nothing", "none", true, {kBindNone, 0}},
                      BindingTextCase{"UnknownKeyName", "key blorp", false, {}},
                      BindingTextCase{"ButtonPastThePad", "pad button 32", false, {}},
                      BindingTextCase{"AxisWithoutSide", "pad axis 1", false, {}},
                      BindingTextCase{"HatPastThePad", "pad hat 4 up", false, {}},
                      BindingTextCase{"TrailingWords", "key z z", false, {}}),
    [](const ::testing::TestParamInfo<BindingTextCase>& info) { return std::string(info.param.name); });

}  // namespace
