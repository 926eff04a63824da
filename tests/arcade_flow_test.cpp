// The arcade on the shipped pack, whole frame after whole frame with injected keys, through
// the null platform: every way from one screen to the next.
#include <gtest/gtest.h>
#include <unistd.h>

#include <string>

#include "arcade/arcade.h"
#include "content/stage_loader.h"
#include "arcade_driver.h"
#include "base/game_version.h"
#include "recorded_quads.h"
#include "render/stage_scene.h"
#include "screen_driver.h"
#include "screens/main_menu.h"
#include "shell/bindings.h"
#include "shell/game_start.h"
#include "shell/screen_state.h"
#include "sim/game_state.h"
#include "sim/entity.h"

using namespace screen_driver;

namespace {

constexpr int kKeyG = 'g';           // player 2's jump on the second keyboard layout
constexpr int kKeyF = 'f';           // player 2's attack on the second keyboard layout
constexpr int kHarborNode = 1;       // stage1, where a new game starts
constexpr int kDowntownNodes[] = {0, 3};
constexpr int kPlantNode = 2;
constexpr int kBossInView = 400;     // player 1 this far before the boss has it in view

struct StartCase {
  const char* name;
  int downs;  // from the first entry
  int players;
  std::vector<int> confirmKeys;
};

class ArcadeStart : public ArcadeFlow, public ::testing::WithParamInterface<StartCase> {};

TEST_P(ArcadeStart, TitleSelectMapStage) {
  const StartCase& c = GetParam();
  for (int k = 0; k < c.downs; ++k) tapKey(kDown1), frames(1);
  tapKey(kKeyReturn);
  ASSERT_TRUE(until(kArcadeSelect, 150));
  EXPECT_EQ(arcade.players, c.players);
  EXPECT_EQ(playerCount, c.players);

  tapKey(c.confirmKeys[0]);
  frames(1);
  if (c.players == 2) EXPECT_FALSE(until(kArcadeMap, 120)) << "left before player 2 confirmed";
  for (size_t k = 1; k < c.confirmKeys.size(); ++k) tapKey(c.confirmKeys[k]);
  ASSERT_TRUE(until(kArcadeMap, 120));

  // Only the harbor is open: the markers stand on it and cannot walk anywhere else.
  EXPECT_EQ(overworld.markerNode[0], kHarborNode);
  for (int n : kDowntownNodes) EXPECT_EQ(overworld.nodeLocked[n], 1);
  EXPECT_EQ(overworld.nodeLocked[kPlantNode], 1);
  keyDown(kRight1);
  frames(30);
  keyUp(kRight1);
  EXPECT_EQ(overworld.markerNode[0], kHarborNode);

  keyDown(kAttack1);
  frames(1);
  keyUp(kAttack1);
  ASSERT_TRUE(until(kArcadeStage, 60));
  EXPECT_EQ(stageName, "stage1");
  // Slot 1 is player 2, or with one player the stage's first entity: alive either way.
  EXPECT_EQ(entities[1].alive, 1);
  EXPECT_EQ(entities[1].type == 0, c.players == 2) << "only a player has no stage type";
}

INSTANTIATE_TEST_SUITE_P(Players, ArcadeStart,
                         ::testing::Values(StartCase{"OnePlayer", 0, 1, {kJump1}},
                                           StartCase{"TwoPlayersSecondOnTheKeyboard", 1, 2, {kJump1, kKeyG}}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(ArcadeFlow, ClearingAStageOpensItsRoadsOnTheMap) {
  playStage(1, "stage1");
  clearTheStage();
  frames(1);
  EXPECT_EQ(arcade.phase, kPhaseCleared);
  ASSERT_TRUE(until(kArcadeMap, 4 * kTicksPerSecond));
  EXPECT_TRUE(stageWasCleared("stage1"));
  EXPECT_EQ(overworld.markerNode[0], kHarborNode);
  EXPECT_EQ(overworld.nodeLocked[kPlantNode], 0);
  for (int n : kDowntownNodes) EXPECT_EQ(overworld.nodeLocked[n], 0);
}

TEST_F(ArcadeFlow, PlayersStopJustInsideTheStageEnd) {
  playStage(1, "stage1");
  entities[0].x = static_cast<int16_t>(stageEnd - 60);
  keyDown(kRight1);
  frames(30);
  EXPECT_EQ(entities[0].x, stageEnd - 40);
}

// World 1's last stage leads on to world 2's map; THE END comes only after world 2's last.
TEST_F(ArcadeFlow, TheEndComesOnlyAfterTheLastWorld) {
  playStage(1, "stage2");
  markStageCleared("stage1");
  markStageCleared("stage3");
  clearTheStage();
  ASSERT_TRUE(until(kArcadeMap, 4 * kTicksPerSecond));
  EXPECT_EQ(worldName, "world2");
  EXPECT_FALSE(stageWasCleared("stage1")) << "world 2 starts with none of its stages cleared";
  EXPECT_TRUE(stageIsOpen(overworld, "stage1")) << "but its start stage open";
  // Back to the title and CONTINUE: the world being played, not the first.
  enterArcadeScreen(kArcadeTitle);
  EXPECT_TRUE(anyStageCleared()) << "continue is open";
  enterArcadeScreen(kArcadeMap);
  EXPECT_EQ(worldName, "world2");
  stageName = "stage3";
  markStageCleared("stage1");
  markStageCleared("stage2");
  enterArcadeScreen(kArcadeStage);
  clearTheStage();
  ASSERT_TRUE(until(kArcadeEnd, 4 * kTicksPerSecond));
  // The clear's bonus alone makes the empty high-score table: the run is named first.
  ASSERT_TRUE(until(kArcadeInitials, 6 * kTicksPerSecond));
  for (int k = 0; k < kInitialsLength; ++k) tapKey(kAttack1), frames(1);
  ASSERT_EQ(arcade.screen, kArcadeHighScores);
  tapKey(kAttack1);
  ASSERT_TRUE(until(kArcadeTitle, 1));
  EXPECT_EQ(mainMenu.menuItems[kEntryContinue].frame, kEntryContinue) << "continue still greyed";
}

TEST_F(ArcadeFlow, AttackDuringTheCountContinuesWhereThePlayerFell) {
  playStage(1, "stage1");
  frames(5);
  Entity& one = entities[0];
  fallForGood(0);
  const int16_t fellAt = one.x;
  frames(1);
  ASSERT_EQ(arcade.phase, kPhaseGameOver);
  frames(kTicksPerSecond);
  tapKey(kAttack1);
  frames(1);
  EXPECT_EQ(arcade.screen, kArcadeStage);
  EXPECT_EQ(arcade.phase, kPhasePlaying);
  EXPECT_EQ(one.hp, one.maxHp);
  EXPECT_EQ(one.playerState, kPlayerIdle);
  EXPECT_EQ(one.x, fellAt);
}

struct ContinueCase {
  const char* name;
  int players;
  int key;
  bool continues;
};

class ArcadeContinue : public ArcadeFlow, public ::testing::WithParamInterface<ContinueCase> {};

TEST_P(ArcadeContinue, OnlyAPlayerTakingPartContinues) {
  const ContinueCase& c = GetParam();
  playStage(c.players, "stage1");
  for (int p = 0; p < c.players; ++p) fallForGood(p);
  frames(1);
  ASSERT_EQ(arcade.phase, kPhaseGameOver);
  tapKey(c.key);
  frames(1);
  EXPECT_EQ(arcade.phase, c.continues ? kPhasePlaying : kPhaseGameOver);
}

INSTANTIATE_TEST_SUITE_P(Keys, ArcadeContinue,
                         ::testing::Values(ContinueCase{"SecondPlayersAttackInATwoPlayerGame", 2, kKeyF, true},
                                           ContinueCase{"SecondPlayersAttackInAOnePlayerGame", 1, kKeyF, false},
                                           ContinueCase{"ReturnIsNoAttack", 1, kKeyReturn, false}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(ArcadeFlow, NoContinueInTenSecondsGoesBackToTheTitle) {
  playStage(1, "stage1");
  fallForGood(0);
  frames(1);
  ASSERT_EQ(arcade.phase, kPhaseGameOver);
  EXPECT_FALSE(until(kArcadeTitle, 10 * kTicksPerSecond - 1));
  EXPECT_TRUE(until(kArcadeTitle, 1));
}

struct PauseCase {
  const char* name;
  std::vector<int> keys;  // one per frame once paused
  int screen;
};

class ArcadePause : public ArcadeFlow, public ::testing::WithParamInterface<PauseCase> {};

TEST_P(ArcadePause, FreezesTheStageUntilAChoice) {
  playStage(1, "stage1");
  frames(3);
  tapKey(kKeyEscape);
  frames(1);
  ASSERT_EQ(arcade.phase, kPhasePaused);
  const int16_t x = entities[0].x;
  keyDown(kRight1);
  frames(10);
  keyUp(kRight1);
  EXPECT_EQ(entities[0].x, x) << "the stage moved while paused";
  for (int key : GetParam().keys) tapKey(key), frames(1);
  EXPECT_EQ(arcade.screen, GetParam().screen);
  if (GetParam().screen == kArcadeStage) EXPECT_EQ(arcade.phase, kPhasePlaying);
}

INSTANTIATE_TEST_SUITE_P(Choices, ArcadePause,
                         ::testing::Values(PauseCase{"ReturnGoesOn", {kKeyReturn}, kArcadeStage},
                                           PauseCase{"EscapeAgainGoesOn", {kKeyEscape}, kArcadeStage},
                                           PauseCase{"DownAndReturnLeaveForTheTitle", {kDown1, kKeyReturn}, kArcadeTitle}),
                         [](const auto& info) { return std::string(info.param.name); });

struct TitleCase {
  const char* name;
  bool stageCleared;
  const char* moves;  // D down, U up, one per frame
  int cursor;
};

class ArcadeTitle : public ArcadeFlow, public ::testing::WithParamInterface<TitleCase> {};

TEST_P(ArcadeTitle, TheHighlightPassesOverAGreyedContinue) {
  if (GetParam().stageCleared) {
    markStageCleared("stage1");
    enterArcadeScreen(kArcadeTitle);
  }
  for (const char* m = GetParam().moves; *m; ++m) tapKey(*m == 'D' ? kDown1 : kUp1), frames(1);
  EXPECT_EQ(mainMenu.cursor, GetParam().cursor);
}

INSTANTIATE_TEST_SUITE_P(Moves, ArcadeTitle,
                         ::testing::Values(TitleCase{"DownPastContinue", false, "DD", kEntryQuit},
                                           TitleCase{"UpPastContinue", false, "DDU", kEntryTwoPlayers},
                                           TitleCase{"ContinueOnceAStageIsCleared", true, "DD", kEntryContinue}),
                         [](const auto& info) { return std::string(info.param.name); });

// Each stage's boss shows its name for about two seconds once it first comes into view, and
// its health until it falls; the stage is cleared only once it is down too.
TEST_F(ArcadeFlow, TheBossCardShowsWhenItComesIntoViewAndItsBarUntilItFalls) {
  for (const char* stage : {"stage1", "stage2", "stage3"}) {
    playStage(1, stage);
    ASSERT_GE(arcade.boss, 0) << stage;
    EXPECT_FALSE(arcade.bossName.empty()) << stage;
    frames(kTicksPerSecond);
    EXPECT_EQ(arcade.bossSeen, 0) << stage << ": the boss waits at the stage's end";
    for (int e = 2; e <= lastEntity; ++e)
      if (entities[e].kind == kKindFighter && e != arcade.boss) entities[e].alive = 0;
    entities[0].x = static_cast<int16_t>(entities[arcade.boss].x - kBossInView);
    frames(kTicksPerSecond / 2);
    EXPECT_EQ(arcade.bossSeen, 1) << stage;
    EXPECT_GT(arcade.bossCardTicks, 0) << stage << ": the card is up for about two seconds";
    frames(2 * kTicksPerSecond);
    EXPECT_EQ(arcade.bossCardTicks, 0) << stage << ": and gone after that";
    entities[0].x = static_cast<int16_t>(stageEnd - 100);
    frames(2);
    EXPECT_FALSE(stageCleared()) << stage << ": the boss still stands";
    const size_t withBar = (arcadeFrame(), nullQuads.size());
    nullQuads.clear();
    entities[arcade.boss].alive = 0;
    const size_t withoutBar = (arcadeFrame(), nullQuads.size());
    nullQuads.clear();
    EXPECT_LT(withoutBar, withBar) << stage << ": the plate, name and bar go with the boss";
  }
}

// Player 2 wears the second colours only when it shares player 1's fighter.
struct ColoursCase {
  const char* name;
  int players;
  const char* one;
  const char* two;
  bool second;  // player 2's sheet is the fighter's second colours
};

class ArcadeColours : public ArcadeFlow, public ::testing::WithParamInterface<ColoursCase> {};

TEST_P(ArcadeColours, PlayerTwoOnTheSameFighterWearsItsSecondColours) {
  const ColoursCase& c = GetParam();
  startNewGame(c.players);
  enterArcadeScreen(kArcadeMap);
  entities[0].name = c.one;
  entities[1].name = c.two;
  stageName = "stage1";
  enterArcadeScreen(kArcadeStage);
  DecodedImage second;
  ASSERT_TRUE(platformDecodeImage(std::string("gfx/entities/") + c.two + "_2p.png", &second));
  EXPECT_EQ(nullLastUpload.pixels == second.pixels, c.second);
  EXPECT_GT(arcade.markTicks, 0) << "the marks go up with the stage";
  frames(3 * kTicksPerSecond + 1);
  EXPECT_EQ(arcade.markTicks, 0) << "and come down after about three seconds";
}

INSTANTIATE_TEST_SUITE_P(
    Fighters, ArcadeColours,
    ::testing::Values(ColoursCase{"SameFighter", 2, "kestor", "kestor", true},
                      ColoursCase{"SameOtherFighter", 2, "brick", "brick", true},
                      ColoursCase{"DifferentFighters", 2, "kestor", "rider", false},
                      ColoursCase{"OnePlayer", 1, "rider", "rider", false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ArcadeFlow, EscapeOnSelectAndMapGoesBackToTheTitle) {
  startNewGame(1);
  enterArcadeScreen(kArcadeSelect);
  tapKey(kKeyEscape);
  ASSERT_TRUE(until(kArcadeTitle, 1));
  enterArcadeScreen(kArcadeMap);
  tapKey(kKeyEscape);
  EXPECT_TRUE(until(kArcadeTitle, 1));
}

TEST_F(ArcadeFlow, ClosingTheWindowEndsTheArcadeFromAnyScreen) {
  const int screens[] = {kArcadeTitle, kArcadeMap, kArcadeStage};
  for (int screen : screens) {
    if (screen == kArcadeMap) startNewGame(1), enterArcadeScreen(kArcadeMap);
    if (screen == kArcadeStage) stageName = "stage1", enterArcadeScreen(kArcadeStage);
    PlatformEvent close;
    close.type = kEventQuit;
    nullQueueEvent(close);
    EXPECT_FALSE(arcadeFrame()) << "screen " << screen;
    windowCloseRequested = 0;
  }
}

}  // namespace

namespace {

// The release stands in the title's bottom right corner, whole and on the screen, as the last
// words drawn in the font.
TEST_F(ArcadeFlow, TitleShowsTheReleaseInItsBottomRightCorner) {
  ASSERT_EQ(arcade.screen, kArcadeTitle);
  nullQuads.clear();
  arcadeFrame();
  const std::vector<RecordedQuad> glyphs = quadsOf(fontTexture.glName);
  const std::string shown = std::string("V") + gameVersion();
  ASSERT_GE(glyphs.size(), shown.size());
  const RecordedQuad& first = glyphs[glyphs.size() - shown.size()];
  const RecordedQuad& last = glyphs.back();
  EXPECT_GT(quadLeft(first), screenWidth * 3 / 4);
  EXPECT_GT(quadTop(first), screenHeight * 7 / 8);
  EXPECT_LE(quadLeft(last) + quadWidth(last), screenWidth);
  EXPECT_LE(quadTop(last) + quadHeight(last), screenHeight);
}

}  // namespace
