// The touch screen's controls: the platform's own d-pad and buttons hold player 1's bound
// actions beside the keys, and taps on the arcade's menus choose the entry under the finger.
#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "arcade/arcade.h"
#include "arcade/arcade_online.h"
#include "arcade_driver.h"
#include "input_events.h"
#include "platform/null_platform.h"
#include "process_helpers.h"
#include "screen_driver.h"
#include "screens/character_select.h"
#include "screens/options.h"
#include "screens/overworld.h"
#include "shell/bindings.h"
#include "shell/input.h"
#include "shell/settings.h"
#include "sim/difficulty.h"
#include "sim/entity.h"

using namespace screen_driver;

namespace {


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
    clearInputTables();
    clearPlatformActions();
    for (int p = 0; p < kBoundPlayers; ++p) playerControls[p] = defaultControls(p, 0);
  }
  void TearDown() override {
    clearPlatformActions();
    useBoundActions(false);
  }
  void poll(const std::vector<PlatformEvent>& events) { pollEvents(events); }
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
        ActionCase{"FingerDownHoldsAndPresses", true, {}, {actionEvent(kBoundAttack, true)}, kBoundAttack, true, true},
        ActionCase{"FingerKeptDownHoldsWithoutPressingAgain", true, {actionEvent(kBoundRight, true)}, {}, kBoundRight, true, false},
        ActionCase{"QuickTapPressesWithoutHolding", true, {}, {actionEvent(kBoundJump, true), actionEvent(kBoundJump, false)},
                   kBoundJump, false, true},
        ActionCase{"FingerLiftedLeavesAHeldKeyHeld", true, {keyEvent(kKeyLeft, true), actionEvent(kBoundLeft, true)},
                   {actionEvent(kBoundLeft, false)}, kBoundLeft, true, false},
        ActionCase{"KeyLetGoLeavesAFingerHolding", true, {keyEvent(kKeyLeft, true), actionEvent(kBoundLeft, true)},
                   {keyEvent(kKeyLeft, false)}, kBoundLeft, true, false},
        ActionCase{"ActionOutsideTheTableIsIgnored", true, {}, {actionEvent(kBoundActions, true), actionEvent(-1, true)},
                   kBoundPause, false, false},
        ActionCase{"FixedTableIgnoresFingers", false, {}, {actionEvent(kBoundAttack, true)}, kBoundAttack, false, false}),
    [](const ::testing::TestParamInfo<ActionCase>& info) { return std::string(info.param.name); });

// ---- taps on the arcade's menus ----

// Where the shipped pack's screens put their entries.
constexpr int kPlateLeft = 20, kPlateTop = 200, kPlateStep = 144, kPlateInside = 60;
constexpr int kOptionsX = 300, kOptionsY = 100, kOnlineX = 724;
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
  nullQueueEvent(tapEvent(c.x, c.y));
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
                      TitleTapCase{"OnlineWhereTheBuildHasNone", kOnlineX, kOptionsY, kArcadeTitle},
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
  nullQueueEvent(tapEvent(900, 700));
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
    nullQueueEvent(tapEvent(x, y));
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

// ---- taps on the font menus: the options, the pause box, a game over, the initials, online ----

// Where those screens put their rows and letters (a tap a little inside a row's text).
constexpr int kInsideRow = 10;
constexpr int kOptionsFirstRowY = 220, kOptionsRowStep = 50;
constexpr int kPauseFirstY = 380, kPauseStep = 50;
constexpr int kOnlineFirstRowY = 240, kOnlineRowStep = 56;
constexpr int kInitialsLettersY = 380, kInitialsScale = 3, kInitialsStep = 80;
constexpr int kInitialsFirstX = 512 - kInitialsStep;  // one player's three letters, centred
constexpr int kCodeY = 300, kCodeScale = 5, kCodeStep = 120;
constexpr int kCodeFirstX = 512 - kCodeStep * 3 / 2;  // four letters, centred
constexpr int kMiddleX = 512;

int optionsRowY(int row) { return kOptionsFirstRowY + kOptionsRowStep * row + kInsideRow; }
int pauseY(int choice) { return kPauseFirstY + kPauseStep * choice + kInsideRow; }
int onlineRowY(int row) { return kOnlineFirstRowY + kOnlineRowStep * row + kInsideRow; }
// Just inside the top and the foot of a row of letters drawn `scale` times the glyphs' size
// (the shipped font's capitals are 40 pixels tall; the cases are made before it is loaded).
constexpr int kCapitalHeight = 40;
int upperY(int top) { return top + kInsideRow; }
int lowerY(int top, int scale) { return top + kCapitalHeight * scale - kInsideRow; }

class FontMenuTaps;
struct FontMenuCase {
  const char* name;
  void (*reach)(FontMenuTaps& t);  // the screen and what stands on it before the tap
  int x, y;
  void (*check)(FontMenuTaps& t);  // what the tap did, a frame later
};

class FontMenuTaps : public ArcadeFlow, public ::testing::WithParamInterface<FontMenuCase> {
 public:
  using ArcadeFlow::fallForGood;
  using ArcadeFlow::frames;
  using ArcadeFlow::playStage;
  using ArcadeFlow::until;
  void SetUp() override {
    ArcadeFlow::SetUp();
    if (IsSkipped()) return;
    settingsPath = makeEmptyDir() + "/settings.txt";
    offerOnlineScreens();
    onlineLobby.clear();
    onlineMenu = OnlineMenuState{};
  }
  void TearDown() override {
    for (int screen : {kArcadeOnline, kArcadeRoomCode, kArcadeRoom}) {
      offerArcadeScreen(screen, nullptr, nullptr);
      offerArcadeTap(screen, nullptr);
    }
    settingsPath.clear();
    defaultSettings(0);
    ArcadeFlow::TearDown();
  }
  void tap(int x, int y) {
    nullQueueEvent(tapEvent(x, y));
    frames(1);
  }
  void paused() {
    playStage(1, "stage1");
    frames(3);
    tapKey(kKeyEscape);
    frames(1);
    ASSERT_EQ(arcade.phase, kPhasePaused);
  }
  void naming() {
    startNewGame(1);
    scores.points[0] = 4200;
    ASSERT_EQ(screenAfterRun(kArcadeTitle), kArcadeInitials);
    enterArcadeScreen(kArcadeInitials);
  }
  void onlineMenuWithALobby() {
    onlineLobby = "127.0.0.1:9";
    enterArcadeScreen(kArcadeOnline);
  }
};

TEST_P(FontMenuTaps, ChooseWhatIsUnderTheFinger) {
  const FontMenuCase& c = GetParam();
  c.reach(*this);
  if (HasFatalFailure()) return;
  tap(c.x, c.y);
  c.check(*this);
}

char firstInitial() { return highScores.runs[initials.run[0]].initials[0]; }

INSTANTIATE_TEST_SUITE_P(
    TouchControls, FontMenuTaps,
    ::testing::Values(
        FontMenuCase{"OptionsRowOpensItsPage", [](FontMenuTaps&) { enterArcadeScreen(kArcadeOptions); }, kMiddleX,
                     optionsRowY(kRowSound), [](FontMenuTaps&) { EXPECT_EQ(options.page, kOptionsSound); }},
        FontMenuCase{"OptionsValueRowMovesItsValueOnAndSavesIt",
                     [](FontMenuTaps& t) {
                       enterArcadeScreen(kArcadeOptions);
                       t.tap(kMiddleX, optionsRowY(kRowGame));
                     },
                     kMiddleX, optionsRowY(kRowLives),
                     [](FontMenuTaps&) {
                       EXPECT_EQ(options.row, kRowLives);
                       EXPECT_EQ(settings.lives, kDefaultLives + 1);
                       EXPECT_TRUE(std::ifstream(settingsPath).good()) << "the change was not saved";
                     }},
        FontMenuCase{"OptionsBackRowLeavesForTheTitle", [](FontMenuTaps&) { enterArcadeScreen(kArcadeOptions); },
                     kMiddleX, optionsRowY(kRowLeave), [](FontMenuTaps&) { EXPECT_EQ(arcade.screen, kArcadeTitle); }},
        FontMenuCase{"OptionsHeadingIsNoRow", [](FontMenuTaps&) { enterArcadeScreen(kArcadeOptions); }, kMiddleX, 100,
                     [](FontMenuTaps&) {
                       EXPECT_EQ(options.page, kOptionsMain);
                       EXPECT_EQ(options.row, 0);
                     }},
        FontMenuCase{"OptionsCaptureIsCancelledByATap",
                     [](FontMenuTaps& t) {
                       enterArcadeScreen(kArcadeOptions);
                       t.tap(kMiddleX, optionsRowY(kRowFirstControls));
                       t.tap(kMiddleX, optionsRowY(kControlsFirstActionRow + kBoundUp));
                       ASSERT_EQ(options.capturing, 1);
                     },
                     900, 700,
                     [](FontMenuTaps&) {
                       EXPECT_EQ(options.capturing, 0);
                       EXPECT_EQ(playerControls[0].actions[kBoundUp].control, defaultControls(0, 0).actions[kBoundUp].control);
                     }},
        FontMenuCase{"PauseTitleLeavesTheStage", [](FontMenuTaps& t) { t.paused(); }, kMiddleX, pauseY(kPauseToTitle),
                     [](FontMenuTaps&) { EXPECT_EQ(arcade.screen, kArcadeTitle); }},
        FontMenuCase{"PauseGoOnPlaysAgain", [](FontMenuTaps& t) { t.paused(); }, kMiddleX, pauseY(kPauseGoOn),
                     [](FontMenuTaps&) { EXPECT_EQ(arcade.phase, kPhasePlaying); }},
        FontMenuCase{"PauseBannerIsNoChoice", [](FontMenuTaps& t) { t.paused(); }, kMiddleX, 290,
                     [](FontMenuTaps&) { EXPECT_EQ(arcade.phase, kPhasePaused); }},
        FontMenuCase{"PlayingStageTakesNoTaps",
                     [](FontMenuTaps& t) {
                       t.playStage(1, "stage1");
                       t.frames(3);
                     },
                     kMiddleX, pauseY(kPauseToTitle),
                     [](FontMenuTaps&) {
                       EXPECT_EQ(arcade.phase, kPhasePlaying);
                       EXPECT_EQ(entities[0].playerState, kPlayerIdle) << "the tap struck";
                     }},
        FontMenuCase{"GameOverTapAnywhereContinues",
                     [](FontMenuTaps& t) {
                       t.playStage(1, "stage1");
                       t.fallForGood(0);
                       t.frames(1);
                       ASSERT_EQ(arcade.phase, kPhaseGameOver);
                     },
                     100, 700, [](FontMenuTaps&) { EXPECT_EQ(arcade.phase, kPhasePlaying); }},
        FontMenuCase{"InitialsTopOfTheLetterStepsUp", [](FontMenuTaps& t) { t.naming(); }, kInitialsFirstX,
                     upperY(kInitialsLettersY), [](FontMenuTaps&) { EXPECT_EQ(firstInitial(), 'B'); }},
        FontMenuCase{"InitialsFootOfTheLetterStepsDown", [](FontMenuTaps& t) { t.naming(); }, kInitialsFirstX,
                     lowerY(kInitialsLettersY, kInitialsScale), [](FontMenuTaps&) { EXPECT_EQ(firstInitial(), 'Z'); }},
        FontMenuCase{"InitialsBesideTheLetterTakesIt", [](FontMenuTaps& t) { t.naming(); },
                     kInitialsFirstX + kInitialsStep, upperY(kInitialsLettersY),
                     [](FontMenuTaps&) {
                       EXPECT_EQ(initials.letter[0], 1);
                       EXPECT_EQ(firstInitial(), 'A');
                     }},
        FontMenuCase{"InitialsBesideTheLastLetterNamesTheRun",
                     [](FontMenuTaps& t) {
                       t.naming();
                       for (int k = 1; k <= 2; ++k) t.tap(kInitialsFirstX + kInitialsStep * k, upperY(kInitialsLettersY));
                     },
                     kInitialsFirstX + kInitialsStep * 3, upperY(kInitialsLettersY),
                     [](FontMenuTaps&) { EXPECT_EQ(arcade.screen, kArcadeHighScores); }},
        FontMenuCase{"InitialsLetterAlreadyTakenIsNoChoice",
                     [](FontMenuTaps& t) { t.naming(), t.tap(kInitialsFirstX + kInitialsStep, upperY(kInitialsLettersY)); },
                     kInitialsFirstX, upperY(kInitialsLettersY),
                     [](FontMenuTaps&) {
                       EXPECT_EQ(initials.letter[0], 1);
                       EXPECT_EQ(firstInitial(), 'A');
                     }},
        FontMenuCase{"TitleOnlineEntryWhereTheBuildHasOne", [](FontMenuTaps&) { enterArcadeScreen(kArcadeTitle); },
                     kOnlineX, kOptionsY,
                     [](FontMenuTaps& t) { EXPECT_TRUE(t.until(kArcadeOnline, kMenuFrames)); }},
        FontMenuCase{"OnlineJoinRowAsksForTheCode", [](FontMenuTaps& t) { t.onlineMenuWithALobby(); }, kMiddleX,
                     onlineRowY(kOnlineJoin), [](FontMenuTaps&) { EXPECT_EQ(arcade.screen, kArcadeRoomCode); }},
        FontMenuCase{"OnlineLobbyBeingTypedIsLeftAsItWas",
                     [](FontMenuTaps& t) {
                       t.onlineMenuWithALobby();
                       t.tap(kMiddleX, onlineRowY(kOnlineLobby));
                       ASSERT_EQ(onlineMenu.editing, 1);
                     },
                     kMiddleX, onlineRowY(kOnlineHost),
                     [](FontMenuTaps&) {
                       EXPECT_EQ(onlineMenu.editing, 0);
                       EXPECT_EQ(onlineLobby, "127.0.0.1:9");
                       EXPECT_EQ(arcade.screen, kArcadeOnline);
                     }},
        FontMenuCase{"RoomCodeTopOfTheLetterStepsIt",
                     [](FontMenuTaps& t) {
                       t.onlineMenuWithALobby();
                       t.tap(kMiddleX, onlineRowY(kOnlineJoin));
                     },
                     kCodeFirstX, upperY(kCodeY), [](FontMenuTaps&) { EXPECT_EQ(onlineMenu.letter, kRoomCodeAlphabetSize - 1); }},
        FontMenuCase{"RoomCodeBesideTheLetterTakesIt",
                     [](FontMenuTaps& t) {
                       t.onlineMenuWithALobby();
                       t.tap(kMiddleX, onlineRowY(kOnlineJoin));
                       t.tap(kCodeFirstX, lowerY(kCodeY, kCodeScale));
                     },
                     kCodeFirstX + kCodeStep, upperY(kCodeY),
                     [](FontMenuTaps&) {
                       EXPECT_EQ(onlineMenu.slot, 1);
                       EXPECT_EQ(onlineMenu.code[0], kRoomCodeAlphabet[1]);
                     }}),
    [](const ::testing::TestParamInfo<FontMenuCase>& info) { return std::string(info.param.name); });

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
