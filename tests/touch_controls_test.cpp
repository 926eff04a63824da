// The touch screen's controls: the platform's own d-pad and buttons hold player 1's bound
// actions beside the keys, and taps on the arcade's menus choose the entry under the finger.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "arcade/arcade.h"
#include "arcade_driver.h"
#include "platform/null_platform.h"
#include "screen_driver.h"
#include "screens/character_select.h"
#include "screens/overworld.h"
#include "shell/bindings.h"
#include "shell/input.h"
#include "sim/entity.h"

using namespace screen_driver;

namespace {

PlatformEvent action(int a, bool down) {
  PlatformEvent e;
  e.type = down ? kEventActionDown : kEventActionUp;
  e.index = a;
  return e;
}
PlatformEvent keyEvent(int symbol, bool down) {
  PlatformEvent e;
  e.type = down ? kEventKeyDown : kEventKeyUp;
  e.key = symbol;
  return e;
}
PlatformEvent tapAt(int x, int y) {
  PlatformEvent e;
  e.type = kEventTap;
  e.x = x;
  e.y = y;
  return e;
}

// ---- the platform's controls as player 1's actions ----

struct ActionCase {
  const char* name;
  bool boundActions;                  // the arcade's controls (on) or brawler's fixed table
  std::vector<PlatformEvent> before;  // an earlier poll
  std::vector<PlatformEvent> events;  // this poll
  int action;
  bool held;
  bool pressed;
};

class PlatformActions : public ::testing::TestWithParam<ActionCase> {
 protected:
  void SetUp() override {
    useNullPlatform(true);
    nullClearEvents();
    std::memset(keyHeld, 0, sizeof keyHeld);
    std::memset(keyPressed, 0, sizeof keyPressed);
    clearPlatformActions();
    for (int p = 0; p < kBoundPlayers; ++p) playerControls[p] = defaultControls(p, 0);
  }
  void TearDown() override {
    clearPlatformActions();
    useBoundActions(false);
  }
  void poll(const std::vector<PlatformEvent>& events) {
    for (const PlatformEvent& e : events) nullQueueEvent(e);
    pollInput();
  }
};

TEST_P(PlatformActions, HoldPlayerOnesAction) {
  const ActionCase& c = GetParam();
  useBoundActions(c.boundActions);
  poll(c.before);
  poll(c.events);
  const int code = boundActionCode(0, c.action);
  EXPECT_EQ(isHeld(code), c.held);
  EXPECT_EQ(isPressed(code), c.pressed);
  for (int a = 0; a < kBoundActions; ++a) EXPECT_FALSE(isHeld(boundActionCode(1, a))) << "player 2's " << a;
}

constexpr int kKeyLeft = 276;

INSTANTIATE_TEST_SUITE_P(
    TouchControls, PlatformActions,
    ::testing::Values(
        ActionCase{"FingerDownHoldsAndPresses", true, {}, {action(kBoundAttack, true)}, kBoundAttack, true, true},
        ActionCase{"FingerKeptDownHoldsWithoutPressingAgain", true, {action(kBoundRight, true)}, {}, kBoundRight, true, false},
        ActionCase{"QuickTapPressesWithoutHolding", true, {}, {action(kBoundJump, true), action(kBoundJump, false)},
                   kBoundJump, false, true},
        ActionCase{"FingerLiftedLeavesAHeldKeyHeld", true, {keyEvent(kKeyLeft, true), action(kBoundLeft, true)},
                   {action(kBoundLeft, false)}, kBoundLeft, true, false},
        ActionCase{"KeyLetGoLeavesAFingerHolding", true, {keyEvent(kKeyLeft, true), action(kBoundLeft, true)},
                   {keyEvent(kKeyLeft, false)}, kBoundLeft, true, false},
        ActionCase{"ActionOutsideTheTableIsIgnored", true, {}, {action(kBoundActions, true), action(-1, true)},
                   kBoundPause, false, false},
        ActionCase{"FixedTableIgnoresFingers", false, {}, {action(kBoundAttack, true)}, kBoundAttack, false, false}),
    [](const ::testing::TestParamInfo<ActionCase>& info) { return std::string(info.param.name); });

// ---- taps on the arcade's menus ----

// Where the shipped pack's screens put their entries.
constexpr int kPlateLeft = 20, kPlateTop = 200, kPlateStep = 144, kPlateInside = 60;
constexpr int kOptionsX = 300, kOptionsY = 100;
constexpr int kBoxLeft = 225, kBoxStep = 125, kBoxTop = 625, kBoxInside = 20;
constexpr int kMenuFrames = 200;

int plateY(int entry) { return kPlateTop + kPlateStep * entry + kPlateInside; }

struct TitleTapCase {
  const char* name;
  int x, y;
  int screen;  // where the tap leads
};

class TitleTaps : public ArcadeFlow, public ::testing::WithParamInterface<TitleTapCase> {};

TEST_P(TitleTaps, ChooseTheEntryUnderTheFinger) {
  const TitleTapCase& c = GetParam();
  nullQueueEvent(tapAt(c.x, c.y));
  frames(kMenuFrames);
  EXPECT_EQ(arcade.screen, c.screen);
}

INSTANTIATE_TEST_SUITE_P(
    TouchControls, TitleTaps,
    ::testing::Values(TitleTapCase{"OnePlayer", kPlateLeft + kPlateInside, plateY(kEntryOnePlayer), kArcadeSelect},
                      TitleTapCase{"TwoPlayers", kPlateLeft + kPlateInside, plateY(kEntryTwoPlayers), kArcadeSelect},
                      TitleTapCase{"GreyedContinueChoosesNothing", kPlateLeft + kPlateInside, plateY(kEntryContinue),
                                   kArcadeTitle},
                      TitleTapCase{"Options", kOptionsX, kOptionsY, kArcadeOptions},
                      TitleTapCase{"PictureBesideTheEntriesChoosesNothing", 900, plateY(kEntryOnePlayer), kArcadeTitle}),
    [](const ::testing::TestParamInfo<TitleTapCase>& info) { return std::string(info.param.name); });

struct WaitingScreenCase {
  const char* name;
  int screen;
  int framesFirst;  // THE END takes no key in its first second
};

class WaitingScreenTaps : public ArcadeFlow, public ::testing::WithParamInterface<WaitingScreenCase> {};

TEST_P(WaitingScreenTaps, TapAnywhereLeaves) {
  const WaitingScreenCase& c = GetParam();
  enterArcadeScreen(c.screen);
  frames(c.framesFirst);
  nullQueueEvent(tapAt(900, 700));
  frames(1);
  EXPECT_EQ(arcade.screen, kArcadeTitle);
}

INSTANTIATE_TEST_SUITE_P(TouchControls, WaitingScreenTaps,
                         ::testing::Values(WaitingScreenCase{"Demo", kArcadeDemo, 1},
                                           WaitingScreenCase{"HighScores", kArcadeHighScores, 1},
                                           WaitingScreenCase{"TheEnd", kArcadeEnd, 2 * kTicksPerSecond}),
                         [](const ::testing::TestParamInfo<WaitingScreenCase>& info) {
                           return std::string(info.param.name);
                         });

class MenuTaps : public ArcadeFlow {
 protected:
  void tap(int x, int y) {
    nullQueueEvent(tapAt(x, y));
    frames(1);
  }
  void toMap(int box) {
    tap(kPlateLeft + kPlateInside, plateY(kEntryOnePlayer));
    ASSERT_TRUE(until(kArcadeSelect, kMenuFrames));
    tap(kBoxLeft + kBoxStep * box + kBoxInside, kBoxTop + kBoxInside);
    ASSERT_TRUE(until(kArcadeMap, kMenuFrames));
  }
};

TEST_F(MenuTaps, FighterTappedIsTheOneChosen) {
  constexpr int kThirdBox = 2;
  toMap(kThirdBox);
  EXPECT_EQ(entities[0].name.str(), characterSelect.boxFighter[kThirdBox]);
}

TEST_F(MenuTaps, MarkersOwnNodeStartsItsStage) {
  toMap(0);
  const int here = overworld.markerNode[0];
  tap(overworld.nodeX[here], overworld.nodeY[here]);
  ASSERT_TRUE(until(kArcadeStage, kMenuFrames));
  EXPECT_EQ(stageName, overworld.nodeStage[here]);
}

TEST_F(MenuTaps, FarNodeWalksOneStepOfTheWay) {
  toMap(0);
  const int here = overworld.markerNode[0];
  // Open the whole map: a far node is then two steps away along the graph.
  for (int32_t& locked : overworld.nodeLocked) locked = 0;
  int far = -1;
  for (int n = 0; n < kOverworldNodes && far < 0; ++n) {
    const int step = overworldStepTowards(overworld, here, n);
    if (step >= 0 && step != here && step != n) far = n;
  }
  // A map may join every node to the start directly; cutting one such way (both ends) leaves
  // that node two steps off, through the others.
  int32_t* ways[] = {overworld.nodeLeft, overworld.nodeRight, overworld.nodeUp, overworld.nodeDown};
  for (int32_t* w : ways) {
    if (far >= 0) break;
    const int near = w[here];
    if (near == 0) continue;
    w[here] = 0;
    for (int32_t* back : ways)
      if (back[near] == here) back[near] = 0;
    const int step = overworldStepTowards(overworld, here, near);
    if (step >= 0 && step != here && step != near) far = near;
  }
  ASSERT_GE(far, 0) << "the shipped map has no node two steps from the start";
  const int step = overworldStepTowards(overworld, here, far);
  tap(overworld.nodeX[far], overworld.nodeY[far]);
  frames(kOverworldTravelFrames + 1);
  EXPECT_EQ(overworld.markerNode[0], step);
  EXPECT_EQ(arcade.screen, kArcadeMap);
}

// ---- the way across the map ----

struct StepCase {
  const char* name;
  int from, to;
  std::vector<int> locked;
  int step;
};

class MapSteps : public ::testing::TestWithParam<StepCase> {};

// 1 -> 2 -> 3 -> 4 in a row to the right, 2 <-> 5 up and down; 6 stands alone.
std::unique_ptr<OverworldState> smallMap() {
  auto map = std::make_unique<OverworldState>();
  map->nodeRight[1] = 2, map->nodeRight[2] = 3, map->nodeRight[3] = 4;
  map->nodeLeft[4] = 3, map->nodeLeft[3] = 2, map->nodeLeft[2] = 1;
  map->nodeUp[2] = 5, map->nodeDown[5] = 2;
  map->nodeStage[6] = "alone";
  return map;
}

TEST_P(MapSteps, FirstStepAlongOpenWays) {
  const StepCase& c = GetParam();
  const auto map = smallMap();
  for (int n : c.locked) map->nodeLocked[n] = 1;
  EXPECT_EQ(overworldStepTowards(*map, c.from, c.to), c.step);
}

INSTANTIATE_TEST_SUITE_P(
    TouchControls, MapSteps,
    ::testing::Values(StepCase{"AlreadyThere", 3, 3, {}, 3}, StepCase{"Neighbour", 1, 2, {}, 2},
                      StepCase{"ThreeAwayStartsWithTheFirst", 1, 4, {}, 2}, StepCase{"RoundACorner", 3, 5, {}, 2},
                      StepCase{"LockedNodeBarsTheWay", 1, 4, {3}, -1}, StepCase{"NoWayThere", 1, 6, {}, -1},
                      StepCase{"NodeOutsideTheMap", 1, kOverworldNodes, {}, -1}),
    [](const ::testing::TestParamInfo<StepCase>& info) { return std::string(info.param.name); });

}  // namespace
