// Input codes: what each kind of event sets in keyHeld and keyPressed, through the null queue
// and through SDL's own queue under a real window.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "platform/null_platform.h"
#include "input_events.h"
#include "process_helpers.h"
#include "shell/bindings.h"
#include "shell/input.h"

namespace {

PlatformEvent mouseButton(int type, int button) {
  PlatformEvent e;
  e.type = type;
  e.button = button;
  return e;
}
PlatformEvent motion(int type, int index, int dx, int dy) {
  PlatformEvent e;
  e.type = type;
  e.index = index;
  e.dx = dx;
  e.dy = dy;
  return e;
}
PlatformEvent axis(int axisNumber, int value) {
  PlatformEvent e;
  e.type = kEventJoyAxis;
  e.index = axisNumber;
  e.value = value;
  return e;
}
PlatformEvent hat(int position, int hatNumber = 0) {
  PlatformEvent e;
  e.type = kEventJoyHat;
  e.index = hatNumber;
  e.value = position;
  return e;
}
PlatformEvent joyButton(int type, int button, int joystick = 0) {
  PlatformEvent e;
  e.type = type;
  e.joystick = joystick;
  e.button = button;
  return e;
}

constexpr int kHatUp = 1, kHatRight = 2, kHatDown = 4, kHatLeft = 8;

struct CodeState {
  int code;
  int16_t held;
  int16_t pressed;
};

struct PollCase {
  const char* name;
  std::vector<PlatformEvent> before;  // polled first, then this case's events
  std::vector<PlatformEvent> events;
  std::vector<CodeState> expected;
};

// The poll as the game starts it: the null platform's queue empty, no feed in place of the
// devices, no player bindings over the codes, every code up.
void startPollingAfresh() {
  clearInputTables();
  inputFeed = nullptr;
  useBoundActions(false);
}

class InputPoll : public ::testing::TestWithParam<PollCase> {
 protected:
  void SetUp() override { startPollingAfresh(); }
};


TEST_P(InputPoll, SetsTheCodesOfItsTableRow) {
  const PollCase& c = GetParam();
  captureStdout([&] {
    if (!c.before.empty()) pollEvents(c.before);
    pollEvents(c.events);
  });
  for (const CodeState& s : c.expected) {
    EXPECT_EQ(keyHeld[s.code], s.held) << "held " << s.code;
    EXPECT_EQ(keyPressed[s.code], s.pressed) << "pressed " << s.code;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Events, InputPoll,
    ::testing::Values(
        PollCase{"KeyDownIsHeldAndPressed", {}, {keyEvent(122, true)}, {{122, -1, -1}}},
        PollCase{"KeyDownAndUpInOnePollLeavesOnlyPressed",
                 {},
                 {keyEvent(27, true), keyEvent(27, false)},
                 {{27, 0, -1}}},
        PollCase{"KeyWithoutSymbolIsIgnored", {}, {keyEvent(0, true)}, {{1, 0, 0}}},
        PollCase{"KeyPastTheCodeSpaceIsIgnored",
                 {},
                 {keyEvent(1025, true), keyEvent(1024, true)},
                 {{1024, -1, -1}}},
        PollCase{"MouseButtonIsHeldButNeverPressed",
                 {},
                 {mouseButton(kEventMouseButtonDown, 1)},
                 {{321, -1, 0}}},
        PollCase{"MouseMotionLeftAndUp",
                 {},
                 {motion(kEventMouseMotion, 0, -4, -1)},
                 {{326, -1, 0}, {327, 0, 0}, {328, -1, 0}, {329, 0, 0}}},
        PollCase{"StillMouseMotionClearsAllFour",
                 {motion(kEventMouseMotion, 0, 5, 5)},
                 {motion(kEventMouseMotion, 0, 0, 0)},
                 {{326, 0, 0}, {327, 0, 0}, {328, 0, 0}, {329, 0, 0}}},
        PollCase{"AxisAtDeadZoneEdgeIsRest", {}, {axis(0, 3200), axis(1, -3200)},
                 {{401, 0, 0}, {402, 0, 0}}},
        PollCase{"AxisJustPastDeadZoneIsPushed", {}, {axis(0, 3201), axis(1, -3201)},
                 {{400, 0, 0}, {401, -1, 0}, {402, -1, 0}, {403, 0, 0}}},
        PollCase{"BallMotionSetsItsFourCodes",
                 {},
                 {motion(kEventJoyBall, 1, 3, -2)},
                 {{422, 0, 0}, {423, -1, 0}, {424, -1, 0}, {425, 0, 0}}},
        PollCase{"HatUpThenRight", {hat(kHatUp)}, {hat(kHatRight)}, {{441, 0, 0}, {442, -1, -1}}},
        PollCase{"HatUpRightDiagonalSetsOnlyItsOwnCode",
                 {hat(kHatUp)},
                 {hat(kHatUp | kHatRight)},
                 {{441, 0, 0}, {442, 0, 0}, {443, -1, -1}}},
        PollCase{"HatCentredSetsItsOwnCode", {hat(kHatLeft)}, {hat(0)}, {{448, 0, 0}, {440, -1, -1}}},
        PollCase{"HatLeavingCentreClearsTheCentreCode", {hat(0)}, {hat(kHatDown)},
                 {{440, 0, 0}, {444, -1, -1}}},
        PollCase{"HatLeavingUpLeftClearsIt", {hat(kHatUp | kHatLeft)}, {hat(0)}, {{449, 0, 0}}},
        PollCase{"HatLeavingDownLeftClearsIt", {hat(kHatDown | kHatLeft)}, {hat(kHatUp)},
                 {{452, 0, 0}, {441, -1, -1}}},
        PollCase{"SecondHatHasItsOwnCodes", {hat(kHatUp, 0)}, {hat(kHatUp, 1)},
                 {{441, -1, 0}, {449, -1, -1}}},
        PollCase{"JoystickButtonIsHeldAndPressed", {}, {joyButton(kEventJoyButtonDown, 2)}, {{42, -1, -1}}},
        PollCase{"SecondJoystickIsAHundredCodesOn", {}, {joyButton(kEventJoyButtonDown, 3, 1)},
                 {{143, -1, -1}, {43, 0, 0}}},
        PollCase{"KeyboardAndJoystickShareOverlappingCodes",
                 {joyButton(kEventJoyButtonDown, 0)},
                 {keyEvent(40, false)},
                 {{40, 0, 0}}},
        PollCase{"WindowCloseIsIgnored", {keyEvent(27, true)}, {PlatformEvent{kEventQuit}},
                 {{27, -1, 0}}}),
    [](const auto& info) { return std::string(info.param.name); });

struct PrintCase {
  const char* name;
  std::vector<PlatformEvent> events;
  const char* printed;
};

class InputPrint : public ::testing::TestWithParam<PrintCase> {
 protected:
  void SetUp() override {
    useNullPlatform(true);
    nullClearEvents();
  }
};

TEST_P(InputPrint, WritesTheCodeAUserWouldBind) {
  const PrintCase& c = GetParam();
  EXPECT_EQ(captureStdout([&] { pollEvents(c.events); }), c.printed);
}

INSTANTIATE_TEST_SUITE_P(
    JoystickCodes, InputPrint,
    ::testing::Values(
        PrintCase{"ButtonDownPrintsItsCode", {joyButton(kEventJoyButtonDown, 2)}, " 42\r\n"},
        PrintCase{"HatPrintsTheNewPosition", {hat(kHatUp)}, " 441\r\n"},
        PrintCase{"OneLinePerEvent",
                  {joyButton(kEventJoyButtonDown, 0), hat(kHatLeft)},
                  " 40\r\n 448\r\n"},
        PrintCase{"ButtonUpPrintsNothing", {joyButton(kEventJoyButtonUp, 2)}, ""},
        PrintCase{"CodeWithNoSlotPrintsNothing", {joyButton(kEventJoyButtonDown, 40, 10)}, ""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(InputPoll, PressedLastsOnePollHeldLastsUntilRelease) {
  startPollingAfresh();
  pollEvents({keyEvent(275, true)});
  std::vector<int16_t> held{keyHeld[275]}, pressed{keyPressed[275]};
  for (int frame = 0; frame < 3; ++frame) {
    pollInput();
    held.push_back(keyHeld[275]);
    pressed.push_back(keyPressed[275]);
  }
  EXPECT_EQ(held, (std::vector<int16_t>{-1, -1, -1, -1}));
  EXPECT_EQ(pressed, (std::vector<int16_t>{-1, 0, 0, 0}));
}

TEST(InputCodeLookup, OutsideTheCodeSpaceReadsAsUp) {
  keyHeld[1] = keyHeld[kInputCodes] = -1;
  keyPressed[1] = keyPressed[kInputCodes] = -1;
  EXPECT_TRUE(isHeld(1) && isHeld(kInputCodes) && isPressed(1) && isPressed(kInputCodes));
  EXPECT_FALSE(isHeld(0) || isHeld(kInputCodes + 1) || isHeld(-1));
  EXPECT_FALSE(isPressed(0) || isPressed(kInputCodes + 1));
}

TEST(Bindings, PlayerOneOnKeysPlayerTwoOnJoystickOthersUnbound) {
  setDefaultBindings();
  const int32_t* tables[] = {bindUp, bindDown, bindLeft, bindRight, bindAttack, bindExtra, bindJump};
  std::vector<std::vector<int32_t>> got;
  for (const int32_t* t : tables) got.push_back({t[0], t[1], t[2], t[3]});
  std::vector<std::vector<int32_t>> want = {
      {273, 441, 0, 0}, {274, 444, 0, 0}, {276, 448, 0, 0}, {275, 442, 0, 0},
      {122, 42, 0, 0},  {120, 43, 0, 0},  {99, 40, 0, 0}};
  EXPECT_EQ(got, want);
}

// The same rows through SDL's own event queue, translated by the real platform.
class RealInput : public ::testing::Test {
 protected:
  void SetUp() override {
    if (testDisplay().empty()) GTEST_SKIP() << "no X display";
    useNullPlatform(false);
    std::string reason;
    ASSERT_TRUE(platformOpenWindow(&reason)) << reason;
    PlatformEvent drained;
    while (platformPollEvent(&drained)) {
    }
    std::memset(keyHeld, 0, sizeof keyHeld);
  }
  void TearDown() override {
    platformShutdown();
    useNullPlatform(true);
  }
  void pushAndPoll(const std::vector<PlatformEvent>& events) {
    for (const PlatformEvent& e : events) ASSERT_TRUE(platformPushEvent(e));
    pollInput();
  }
};

TEST_F(RealInput, KeysHatAndButtonsArriveThroughSdl) {
  std::string printed = captureStdout([&] {
    pushAndPoll({keyEvent(122, true), keyEvent(27, true), keyEvent(27, false),
                 hat(kHatUp | kHatRight), joyButton(kEventJoyButtonDown, 2), axis(1, -20000)});
  });
  EXPECT_EQ(keyHeld[122], -1);
  EXPECT_EQ(keyPressed[122], -1);
  EXPECT_EQ(keyHeld[27], 0);
  EXPECT_EQ(keyPressed[27], -1);
  EXPECT_EQ(keyHeld[443], -1);
  EXPECT_EQ(keyHeld[441] | keyHeld[442], 0);
  EXPECT_EQ(keyHeld[42], -1);
  EXPECT_EQ(keyHeld[402], -1);
  EXPECT_EQ(printed, " 443\r\n 42\r\n");
}

}  // namespace
