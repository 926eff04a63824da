// The stages as a new player meets them, whole ticks in the play loop's order on the shipped
// content: nobody walks up to a player who waits at the start, and on the start stage a plain
// walk-and-punch player clears the first group without dying, on hard too. Content that crowds
// the start or makes the first gang too strong fails here. Then every stage is played whole in
// the arcade, on every difficulty, by a player who uses the arcade's moves with sense: it clears
// each stage and its boss with half its health left on easy and a quarter on normal, and never
// falls on hard; while one who only walks at a boss and presses attack never beats it with half
// its health left.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "arcade/arcade.h"
#include "content/boss.h"
#include "fairness_players.h"
#include "shell/play_loop.h"
#include "shell/screen_state.h"
#include "shell/stage_start.h"
#include "shell/window.h"
#include "sim/difficulty.h"
#include "sim/game_state.h"
#include "sim/tick_input.h"
#include "sim_support.h"

using namespace simtest;

namespace {

constexpr int kTicksPerSecond = 59;  // one tick every 17 ms

class StartStage : public ::testing::Test {
 protected:
  void SetUp() override {
    resetSim();
    // A stage load keeps whatever fields it does not set; start from a fresh table, as the
    // game does, so no other test's stage leaks into this one.
    for (int e = 0; e < kEntityCount; ++e) entities[e] = Entity{}, entitySprites[e] = SpriteSet{};
    ASSERT_EQ(chdir(BRAWLER_CONTENT_DIR), 0);
    DecodedImage probe;
    if (!platformDecodeImage("gfx/font/mainfont.png", &probe)) GTEST_SKIP() << "no PNG decoder in this build";
    setPlayerDefaults();
    worldName = WorldName();
    stageName = StageName();
    seedRandom(GetSeed());
    Rules();
    applyDifficulty(gameRules, Difficulty());
    startStage();
    enterStage();
  }
  void TearDown() override { gameRules = GameRules{}; }
  // The rules the stage is loaded and played under: `brawler`'s own unless a test says otherwise.
  virtual void Rules() {}
  virtual unsigned GetSeed() const { return 1; }
  virtual int32_t Difficulty() const { return kDifficultyNormal; }
  virtual const char* StageName() const { return "stage3"; }
  virtual const char* WorldName() const { return "world1"; }

  static Entity& p1() { return entities[0]; }
  static bool standing(int e) {
    return entities[e].alive == 1 && entities[e].kind == kKindFighter && entities[e].aiState != kAiDying;
  }
  // The opponents placed nearest the start: every fighter within a screen's half of the nearest.
  static std::vector<int> firstGroup() {
    int nearest = -1;
    for (int e = playerCount; e <= lastEntity; ++e)
      if (standing(e) && (nearest < 0 || entities[e].x < entities[nearest].x)) nearest = e;
    std::vector<int> group;
    for (int e = playerCount; e <= lastEntity; ++e)
      if (standing(e) && entities[e].x < entities[nearest].x + 512) group.push_back(e);
    return group;
  }
  // Player 1 holds what `controls` gives it for this tick, then the tick runs.
  static void play(uint8_t controls, ScriptedHands& hands) {
    applyTickInput(handsInput(0, controls, hands));
    simulateTick();
  }
};

// The stage lines are never emptied between stages: a file shorter than the one before must
// still leave none of the earlier stage's placements behind.
TEST_F(StartStage, StageAfterAnotherPlacesOnlyItsOwn) {
  const int alone = lastEntity;
  for (const char* before : {"stage1", "stage2"}) {
    stageName = before;
    startStage();
    stageName = "stage3";
    startStage();
    EXPECT_EQ(lastEntity, alone) << "stage3 after " << before;
  }
}

struct PlaceCase {
  const char* name;
  const char* world;
  const char* stage;
};

class EveryStage : public StartStage, public ::testing::WithParamInterface<PlaceCase> {
  const char* StageName() const override { return GetParam().stage; }
  const char* WorldName() const override { return GetParam().world; }
};

TEST_P(EveryStage, IdlePlayerIsLeftAloneAndKeepsOverHalfItsHealthForTenSeconds) {
  for (int e = playerCount; e <= lastEntity; ++e)
    if (entities[e].kind == kKindFighter) EXPECT_GE(entities[e].x - p1().x, screenWidth) << "opponent " << e;
  const double full = p1().maxHp;
  for (int t = 0; t < 10 * kTicksPerSecond; ++t) {
    keys({});
    simulateTick();
  }
  EXPECT_GT(p1().hp, full / 2);
}

INSTANTIATE_TEST_SUITE_P(Pack, EveryStage,
                         ::testing::Values(PlaceCase{"harbour", "world1", "stage1"}, PlaceCase{"factory", "world1", "stage2"},
                                           PlaceCase{"downtown", "world1", "stage3"},
                                           PlaceCase{"railyard", "world2", "stage1"},
                                           PlaceCase{"rooftops", "world2", "stage2"}, PlaceCase{"pier", "world2", "stage3"}),
                         [](const auto& info) { return std::string(info.param.name); });

struct SeedCase {
  const char* name;
  unsigned seed;
};

class FirstGroup : public StartStage, public ::testing::WithParamInterface<SeedCase> {
 protected:
  unsigned GetSeed() const override { return GetParam().seed; }
  void beatTheFirstGroup();
};

TEST_P(FirstGroup, ScriptedPlayerBeatsItWithoutDying) { beatTheFirstGroup(); }

void FirstGroup::beatTheFirstGroup() {
  const std::vector<int> group = firstGroup();
  ASSERT_GE(group.size(), 2u) << "the first group is a group";
  const int kMostTicks = 90 * kTicksPerSecond;
  int t = 0;
  auto groupStanding = [&] {
    for (int e : group)
      if (standing(e)) return true;
    return false;
  };
  ScriptedHands hands;
  for (; groupStanding() && p1().hp > 0 && t < kMostTicks; ++t) play(plainControls(0, hands, group), hands);
  EXPECT_GT(p1().hp, 0) << "player 1 died after " << t << " ticks";
  EXPECT_FALSE(groupStanding()) << "the first group still stands after " << t << " ticks";
}

const SeedCase kFirstGroupSeeds[] = {{"seed1", 1}, {"seed7", 7}, {"seed42", 42}};

INSTANTIATE_TEST_SUITE_P(Seeds, FirstGroup, ::testing::ValuesIn(kFirstGroupSeeds),
                         [](const auto& info) { return std::string(info.param.name); });

// On hard the first gang lasts longer and hits harder, and the same plain player still comes
// through it.
class HardFirstGroup : public FirstGroup {
  int32_t Difficulty() const override { return kDifficultyHard; }
};

TEST_P(HardFirstGroup, ScriptedPlayerBeatsItWithoutDying) { beatTheFirstGroup(); }

INSTANTIATE_TEST_SUITE_P(Hard, HardFirstGroup, ::testing::ValuesIn(kFirstGroupSeeds),
                         [](const auto& info) { return std::string(info.param.name); });

// ---- whole stages and bosses, in the arcade -----------------------------------------------

// A run's bound on player 1's health: a stage cleared keeping at least a share of it (a share of
// nothing: cleared without falling), or a boss met alone never beaten with that share or more.
enum BoundKind { kClearsKeeping, kBeatsBossOnlyBelow };

struct Place {
  const char* name;
  const char* world;
  const char* stage;
};

const Place kPlaces[] = {{"harbour", "world1", "stage1"},  {"factory", "world1", "stage2"},
                         {"downtown", "world1", "stage3"}, {"railyard", "world2", "stage1"},
                         {"rooftops", "world2", "stage2"}, {"pier", "world2", "stage3"}};

struct Bound {
  const char* shows;
  int32_t difficulty;
  ScriptedPlayer player;
  BoundKind kind;
  double share;  // of player 1's full health
};

constexpr double kHalf = 0.5, kQuarter = 0.25, kStanding = 0.0;

const Bound kBounds[] = {
    {"easy_sensible_clears_keeping_half", kDifficultyEasy, sensibleControls, kClearsKeeping, kHalf},
    {"normal_sensible_clears_keeping_a_quarter", kDifficultyNormal, sensibleControls, kClearsKeeping, kQuarter},
    {"hard_sensible_clears_without_falling", kDifficultyHard, sensibleControls, kClearsKeeping, kStanding},
    {"normal_masher_beats_boss_only_below_half", kDifficultyNormal, masherControls, kBeatsBossOnlyBelow, kHalf},
    {"hard_masher_beats_boss_only_below_half", kDifficultyHard, masherControls, kBeatsBossOnlyBelow, kHalf},
};

struct RunCase {
  std::string name;
  Place place;
  Bound bound;
  unsigned seed;
};

// Every stage against every bound, each with a few seeds.
std::vector<RunCase> runCases(const std::vector<Bound>& bounds, const std::vector<unsigned>& seeds) {
  std::vector<RunCase> cases;
  for (const Place& place : kPlaces)
    for (const Bound& bound : bounds)
      for (unsigned seed : seeds)
        cases.push_back(
            {std::string(place.name) + "_" + bound.shows + "_seed" + std::to_string(seed), place, bound, seed});
  return cases;
}

// The arcade on a stage, as its stage screen starts one for a single player: its house rules
// and difficulty, player 1 alone, the stage's first entity in slot 1.
class ArcadeRun : public StartStage, public ::testing::WithParamInterface<RunCase> {
 protected:
  void Rules() override {
    applyArcadeHouseRules(gameRules);
    playerCount = 1;
    arcade.players = 1;
  }
  unsigned GetSeed() const override { return GetParam().seed; }
  const char* StageName() const override { return GetParam().place.stage; }
  const char* WorldName() const override { return GetParam().place.world; }
  int32_t Difficulty() const override { return GetParam().bound.difficulty; }
  void TearDown() override {
    StartStage::TearDown();
    arcade = ArcadeState{};
  }

  static int stageBoss() {
    for (int e = playerCount; e <= lastEntity; ++e)
      if (entities[e].kind == kKindFighter && !bossNameOf(entitySprites[e].script).empty()) return e;
    return -1;
  }
  // The boss alone on its stage, player 1 two thirds of a screen before it on the start row:
  // the boss is in view and awake.
  static void meetBossAlone(int boss) {
    for (int e = playerCount; e <= lastEntity; ++e)
      if (entities[e].kind == kKindFighter && e != boss) entities[e].alive = 0;
    p1().x = int16_t(entities[boss].x - kMeetingDistance);
    cameraX = p1().x - screenWidth / 2;
  }
  // Ticks until the stage is cleared, the boss is down, player 1 falls, or the time runs out.
  static int run(int boss, ScriptedPlayer player, bool toTheEnd) {
    ScriptedHands hands;
    int t = 0;
    for (; !stageCleared() && entities[boss].hp > 0 && p1().hp > 0 && t < kLongestRun; ++t)
      play(player(0, hands), hands);
    // A stage ends when the player walks to its end with everyone down: go on to see it cleared.
    if (!toTheEnd) return t;
    for (; !stageCleared() && p1().hp > 0 && t < kLongestRun; ++t) play(player(0, hands), hands);
    return t;
  }
  static constexpr int kMeetingDistance = 700;
  static constexpr int kLongestRun = 240 * kTicksPerSecond;  // the slowest clear takes about 125 s
};

TEST_P(ArcadeRun, KeepsItsBound) {
  const Bound& bound = GetParam().bound;
  const int boss = stageBoss();
  ASSERT_GE(boss, 0) << "the stage has a boss";
  if (bound.kind == kBeatsBossOnlyBelow) meetBossAlone(boss);
  const int t = run(boss, bound.player, bound.kind == kClearsKeeping);
  const double full = p1().maxHp, left = p1().hp > 0 ? p1().hp : 0;
  std::printf("[ figure   ] %s: %.0f of %.0f hit points left, the boss at %.0f, after %d s\n", GetParam().name.c_str(),
              left, full, entities[boss].hp, t / kTicksPerSecond);
  if (bound.kind == kClearsKeeping) {
    EXPECT_TRUE(stageCleared()) << "not cleared after " << t << " ticks; the boss at " << entities[boss].hp;
    EXPECT_GT(left, 0) << "player 1 fell after " << t << " ticks";
    EXPECT_GE(left, bound.share * full);
  } else if (entities[boss].hp <= 0 && left > 0) {
    EXPECT_LT(left, bound.share * full) << "the boss fell after " << t << " ticks";
  }
}

INSTANTIATE_TEST_SUITE_P(Pack, ArcadeRun,
                         ::testing::ValuesIn(runCases(std::vector<Bound>(std::begin(kBounds), std::end(kBounds)), {1, 7})),
                         [](const auto& info) { return info.param.name; });

// Standing still before a boss is no fair way to lose at once either.
class IdleAtBoss : public ArcadeRun {};

TEST_P(IdleAtBoss, PlayerSurvivesTenSecondsOfIt) {
  const int boss = stageBoss();
  ASSERT_GE(boss, 0) << "the stage has a boss";
  meetBossAlone(boss);
  ScriptedHands hands;
  for (int t = 0; t < 10 * kTicksPerSecond; ++t) play(0, hands);
  std::printf("[ figure   ] %s: %.0f of %.0f hit points left\n", GetParam().name.c_str(), p1().hp, p1().maxHp);
  EXPECT_GT(p1().hp, 0);
}

const Bound kIdle = {"normal_idle", kDifficultyNormal, nullptr, kClearsKeeping, 0};

INSTANTIATE_TEST_SUITE_P(Pack, IdleAtBoss, ::testing::ValuesIn(runCases({kIdle}, {1, 7, 42})),
                         [](const auto& info) { return info.param.name; });

}  // namespace
