// Points in the arcade, rule by rule, through fights on the shipped pack with injected keys;
// the end of a run, with each player naming a run that made the table.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>

#include "arcade/score.h"
#include "arcade_driver.h"
#include "base/whole_file.h"
#include "process_helpers.h"
#include "screen_driver.h"
#include "content/fighter_loader.h"
#include "sim/move_state.h"

using namespace screen_driver;

namespace {

constexpr int kKeyW = 'w', kKeyS = 's', kKeyF = 'f';  // player 2 on the second keyboard layout
constexpr int kJabTicks = 12;  // a jab's wind-up, strike and some of its recovery

int firstOfType(const std::string& name) {
  for (int e = 2; e <= lastEntity; ++e)
    if (entities[e].alive == 1 && typeNames[entities[e].type] == name) return e;
  return -1;
}

double footLine(int e) { return entities[e].y + entitySprites[e].bodyHeight; }

struct BlowCase {
  const char* name;
  const char* victim;                    // the type struck
  std::function<void(Entity&)> before;   // the victim just before the jab
  std::function<void(Entity&)> after;    // the victim once the jab is over
  int32_t points;
};

class ArcadeScoring : public ArcadeFlow, public ::testing::WithParamInterface<BlowCase> {};

// Player 1 jabs once at a victim standing right in front of it on the same foot line; the
// rest of the stage is sent away so that nothing else is struck.
TEST_P(ArcadeScoring, OneJabScoresByTheTable) {
  const BlowCase& c = GetParam();
  playStage(1, "stage3");
  frames(1);
  const int v = firstOfType(c.victim);
  ASSERT_GE(v, 0) << c.victim;
  for (int e = 2; e <= lastEntity; ++e)
    if (e != v) entities[e].x = static_cast<int16_t>(stageEnd);
  Entity& one = entities[0];
  one.x = 400;
  one.facing = 0;
  Entity& victim = entities[v];
  victim.x = static_cast<int16_t>(one.x + 70);
  victim.y = static_cast<int16_t>(footLine(0) - entitySprites[v].bodyHeight);
  c.before(victim);
  const int32_t start = scores.points[0];
  tapKey(kAttack1);
  frames(kJabTicks);
  c.after(victim);
  frames(1);
  EXPECT_EQ(scores.points[0] - start, c.points);
}

void asIs(Entity&) {}

INSTANTIATE_TEST_SUITE_P(
    Rules, ArcadeScoring,
    ::testing::Values(
        BlowCase{"BlowLanded", "punk", asIs, asIs, kPointsBlow},
        BlowCase{"BlowOnAnOpponentInTheAirThrowsItDown", "punk",
                 [](Entity& o) { o.physicsOn = 1, o.z = 60, o.yv = 12; }, asIs, kPointsBlow + kPointsKnockDown},
        BlowCase{"BlowTakingTheLastHitPoints", "punk", [](Entity& o) { o.hp = 1; }, asIs,
                 kPointsBlow + kPointsDefeat},
        BlowCase{"BlowTakingTheBossesLastHitPoints", "kingpin", [](Entity& o) { o.hp = 1; }, asIs,
                 kPointsBlow + kPointsBossDefeat},
        BlowCase{"BlowTakingAToughOpponentsLastHitPoints", "bruiser", [](Entity& o) { o.hp = 1; }, asIs,
                 kPointsBlow + kPointsDefeat},
        BlowCase{"BlowOnAnOpponentAlreadyBeaten", "punk", [](Entity& o) { o.hp = -5; }, asIs, kPointsBlow},
        BlowCase{"BlowOnAPropThatStays", "hamper", asIs, asIs, 0},
        BlowCase{"PropGoneAfterABlow", "hamper", asIs, [](Entity& o) { o.alive = 0; }, kPointsPropBroken},
        BlowCase{"PropGoneUnstruck", "hamper", [](Entity& o) { o.x = 2000; }, [](Entity& o) { o.alive = 0; }, 0}),
    [](const auto& info) { return std::string(info.param.name); });

// ---- the genre's moves ----

struct MoveScoreCase {
  const char* name;
  int victimX;                                    // along the street from player 1
  std::function<void(Entity& self, Entity& victim)> before;
  bool bystanderBehind;                           // a second punk just behind player 1
  std::vector<std::vector<int>> keys;             // player 1's keys held, frame by frame
  int32_t points;
};

class ArcadeMoveScoring : public ArcadeFlow, public ::testing::WithParamInterface<MoveScoreCase> {};

// Player 1 faces right with a punk in front, its decisions held off, on the same foot line;
// everyone else is sent to the stage's end.
TEST_P(ArcadeMoveScoring, MoveScoresByTheTable) {
  const MoveScoreCase& c = GetParam();
  playStage(1, "stage3");
  frames(1);
  const int v = firstOfType("punk");
  ASSERT_GE(v, 0);
  int bystander = -1;
  for (int e = v + 1; e <= lastEntity && bystander < 0; ++e)
    if (entities[e].alive == 1 && typeNames[entities[e].type] == "punk") bystander = e;
  ASSERT_GE(bystander, 0);
  for (int e = 2; e <= lastEntity; ++e)
    if (e != v && !(c.bystanderBehind && e == bystander)) entities[e].x = static_cast<int16_t>(stageEnd);
  Entity& one = entities[0];
  one.x = 400;
  one.facing = 0;
  const auto stand = [&](int e, int x) {
    entities[e].x = static_cast<int16_t>(x);
    entities[e].y = static_cast<int16_t>(footLine(0) - entitySprites[e].bodyHeight);
    entities[e].aiState = kAiIdle;
    entities[e].aiTimer = 10000;
  };
  stand(v, one.x + c.victimX);
  if (c.bystanderBehind) stand(bystander, one.x - 90);
  c.before(one, entities[v]);
  const int32_t start = scores.points[0];
  std::vector<int> held;
  for (const std::vector<int>& frame : c.keys) {
    for (int key : held)
      if (std::find(frame.begin(), frame.end(), key) == frame.end()) keyUp(key);
    for (int key : frame)
      if (std::find(held.begin(), held.end(), key) == held.end()) keyDown(key);
    held = frame;
    frames(1);
  }
  for (int key : held) keyUp(key);
  frames(60);
  EXPECT_EQ(scores.points[0] - start, c.points);
}

// Frames of keys: `n` frames of the same keys held.
std::vector<std::vector<int>> holdFor(int n, std::vector<int> keys) { return std::vector<std::vector<int>>(n, keys); }
std::vector<std::vector<int>> then(std::vector<std::vector<int>> a, const std::vector<std::vector<int>>& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}
const auto kGrab = holdFor(3, {kRight1});
const auto kKnee = then(kGrab, then(holdFor(1, {}), holdFor(1, {kAttack1})));
const auto kThrow = then(kGrab, then(holdFor(1, {kLeft1}), holdFor(1, {kLeft1, kAttack1})));
const auto kSwing = holdFor(1, {kAttack1});
const auto kKnifeThrow = holdFor(1, {kAttack1, kJump1});

void armed(Entity& self, int32_t weapon, int32_t uses) {
  self.moves.weapon = weapon;
  self.moves.weaponHits = uses;
}

INSTANTIATE_TEST_SUITE_P(
    Moves, ArcadeMoveScoring,
    ::testing::Values(
        MoveScoreCase{"KneeLanded", 50, [](Entity&, Entity&) {}, false, kKnee, kPointsBlow},
        MoveScoreCase{"KneeTakingTheLastHitPoints", 50, [](Entity&, Entity& o) { o.hp = 1; }, false, kKnee,
                      kPointsBlow + kPointsKnockDown + kPointsDefeat},
        MoveScoreCase{"ThrowOverTheShoulder", 50, [](Entity&, Entity&) {}, false, kThrow,
                      kPointsBlow + kPointsKnockDown + kPointsThrow},
        MoveScoreCase{"ThrowLandingOnAnother", 50, [](Entity&, Entity&) {}, true, kThrow,
                      2 * (kPointsBlow + kPointsKnockDown) + kPointsThrow + kPointsBowledOver},
        MoveScoreCase{"PipeBlow", 70, [](Entity& p, Entity&) { armed(p, kItemPipe, 8); }, false, kSwing,
                      kPointsBlow + kPointsWeaponHit},
        MoveScoreCase{"ThirdPipeBlowThrowsDown", 70,
                      [](Entity& p, Entity&) { armed(p, kItemPipe, 6), p.moves.weaponStrikes = 2; }, false, kSwing,
                      kPointsBlow + kPointsKnockDown + kPointsWeaponHit},
        MoveScoreCase{"ThrownKnifeStrikes", 250, [](Entity& p, Entity&) { armed(p, kItemKnife, 1); }, false,
                      kKnifeThrow, kPointsBlow + kPointsWeaponHit},
        MoveScoreCase{"SpecialTakingTheLastHitPoints", 60, [](Entity&, Entity& o) { o.hp = 1; }, false,
                      kKnifeThrow, kPointsBlow + kPointsKnockDown + kPointsDefeat}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ArcadeFlow, AClearedStagePaysEveryStandingPlayerForTheHealthLeft) {
  playStage(2, "stage1");
  frames(1);
  entities[0].hp = 250;
  fallForGood(1);
  clearTheStage();
  frames(1);
  ASSERT_EQ(arcade.phase, kPhaseCleared);
  EXPECT_EQ(scores.points[0], kPointsStageClear + 250 * kPointsPerHealthLeft);
  EXPECT_EQ(scores.points[1], 0) << "a fallen player earns no bonus";
}

TEST_F(ArcadeFlow, AContinueStartsEveryPlayerAgainFromNothingMarkedContinued) {
  playStage(2, "stage1");
  frames(1);
  scores.points[0] = 1200;
  scores.points[1] = 800;
  for (int p = 0; p < 2; ++p) fallForGood(p);
  frames(1);
  ASSERT_EQ(arcade.phase, kPhaseGameOver);
  tapKey(kKeyF);
  frames(1);
  ASSERT_EQ(arcade.phase, kPhasePlaying);
  for (int p = 0; p < 2; ++p) {
    EXPECT_EQ(scores.points[p], 0);
    EXPECT_EQ(scores.continued[p], 1);
    EXPECT_EQ(scores.lives[p], arcade.startLives) << "a continue gives the run's lives again";
  }
  startNewGame(2);
  EXPECT_EQ(scores.continued[0], 0) << "a new game is a first credit";
}

struct TitleContinueCase {
  const char* name;
  bool runEnded;  // the run reached its end (and the table) before the title
  int32_t points;
  int32_t continued;
};

class ArcadeTitleContinue : public ArcadeFlow, public ::testing::WithParamInterface<TitleContinueCase> {};

TEST_P(ArcadeTitleContinue, IsAContinueOnlyWhenTheRunHadEnded) {
  const TitleContinueCase& c = GetParam();
  startNewGame(1);
  markStageCleared("stage1");
  scores.points[0] = 900;
  if (c.runEnded) screenAfterRun(kArcadeTitle);
  enterArcadeScreen(kArcadeTitle);
  frames(kTicksPerSecond);
  for (int k = 0; k < kEntryContinue; ++k) tapKey(kDown1), frames(1);
  tapKey(kKeyReturn);
  ASSERT_TRUE(until(kArcadeMap, 3 * kTicksPerSecond));
  EXPECT_EQ(scores.points[0], c.points);
  EXPECT_EQ(scores.continued[0], c.continued);
}

INSTANTIATE_TEST_SUITE_P(Runs, ArcadeTitleContinue,
                         ::testing::Values(TitleContinueCase{"AfterTheRunEnded", true, 0, 1},
                                           TitleContinueCase{"LeftMidRunThroughThePause", false, 900, 0}),
                         [](const auto& info) { return std::string(info.param.name); });

// ---- the end of a run ----

struct InitialsCase {
  const char* name;
  std::vector<int> keys;  // player 1's, one a frame
  bool timesOut;
  const char* initials;
};

class ArcadeInitials : public ArcadeFlow, public ::testing::WithParamInterface<InitialsCase> {};

TEST_P(ArcadeInitials, LettersFromTheDirectionsConfirmedWithAttack) {
  const InitialsCase& c = GetParam();
  startNewGame(1);
  scores.points[0] = 4200;
  arcade.furthestStage = "world1/stage3";
  ASSERT_EQ(screenAfterRun(kArcadeTitle), kArcadeInitials);
  enterArcadeScreen(kArcadeInitials);
  for (int key : c.keys) tapKey(key), frames(1);
  if (c.timesOut) {
    EXPECT_FALSE(until(kArcadeHighScores, 30 * kTicksPerSecond - static_cast<int>(c.keys.size()) - 1));
    EXPECT_TRUE(until(kArcadeHighScores, 1));
  }
  ASSERT_EQ(arcade.screen, kArcadeHighScores);
  ASSERT_EQ(highScores.count, 1);
  const HighScore& run = highScores.runs[0];
  EXPECT_EQ(run.initials, c.initials);
  EXPECT_EQ(run.score, 4200);
  EXPECT_EQ(run.stage, "world1/stage3");
  EXPECT_EQ(run.fighter, "kestor");
  EXPECT_EQ(run.continued, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Keys, ArcadeInitials,
    ::testing::Values(
        InitialsCase{"AttackThriceKeepsAAA", {kAttack1, kAttack1, kAttack1}, false, "AAA"},
        InitialsCase{"UpAndDownWrapAroundTheAlphabet",
                     {kDown1, kAttack1, kUp1, kUp1, kAttack1, kUp1, kDown1, kAttack1}, false, "ZCA"},
        InitialsCase{"LeftAloneTimesOutAsAAA", {}, true, "AAA"},
        InitialsCase{"TimeOutKeepsTheLettersShown", {kUp1, kAttack1, kUp1, kUp1}, true, "BCA"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ArcadeFlow, BothPlayersNameTheirRunsAtOnceAndTheTableIsWritten) {
  const std::string path = makeEmptyDir() + "/brawler/scores.txt";
  highScores.path = path;
  for (int k = 1; k <= kHighScoreCount; ++k)
    insertHighScore(&highScores, HighScore{k * 100, "OLD", "world1/stage1", "rider", 0});
  startNewGame(2);
  scores.points[0] = 1050;  // both beat the whole table; player 2 by more
  scores.points[1] = 2000;
  ASSERT_EQ(screenAfterRun(kArcadeTitle), kArcadeInitials);
  EXPECT_EQ(initials.run[0], 1);
  EXPECT_EQ(initials.run[1], 0);
  enterArcadeScreen(kArcadeInitials);
  for (int key : {kUp1, kAttack1, kAttack1, kAttack1}) tapKey(key), frames(1);
  EXPECT_EQ(arcade.screen, kArcadeInitials) << "player 2 has not finished";
  for (int key : {kKeyS, kKeyF, kKeyW, kKeyF, kKeyF}) tapKey(key), frames(1);
  ASSERT_EQ(arcade.screen, kArcadeHighScores);
  EXPECT_EQ(highScores.runs[0].initials, "ZBA");
  EXPECT_EQ(highScores.runs[1].initials, "BAA");
  EXPECT_EQ(highScores.runs[2].score, 1000);
  HighScoreTable written{};
  std::string text;
  ASSERT_TRUE(readWholeFile(path, &text));
  parseHighScores(text, path, &written);
  EXPECT_EQ(written.count, kHighScoreCount);
  EXPECT_EQ(written.runs[0].initials, "ZBA");
}

TEST_F(ArcadeFlow, ARunThatScoredNothingGoesStraightToTheTitle) {
  startNewGame(1);
  EXPECT_EQ(screenAfterRun(kArcadeTitle), kArcadeTitle);
  EXPECT_EQ(highScores.count, 0);
}

}  // namespace
