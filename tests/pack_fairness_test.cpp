// The stages as a new player meets them, whole ticks in the play loop's order on the shipped
// content: nobody walks up to a player who waits at the start, and on the start stage a plain
// walk-and-punch player clears the first group without dying, on hard too. Content that crowds the start or makes the
// first gang too strong fails here. The bosses, each met alone, are fought on every difficulty:
// a sensible player wins on normal with a quarter of its health left, on easy with half, and on
// hard still wins and lives.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "content/boss.h"
#include "shell/screen_state.h"
#include "sim/difficulty.h"
#include "sim/game_state.h"
#include "shell/play_loop.h"
#include "shell/stage_start.h"
#include "shell/window.h"
#include "sim_support.h"

using namespace simtest;

namespace {

constexpr int kTicksPerSecond = 59;  // one tick every 17 ms
// A blow lands from the front of the body out to about this far; closer in than the near edge
// the player steps back no further, as the engine pushes a struck opponent away anyway.
constexpr int kStrikeRange = 95;
constexpr int kDepthSlack = 10;

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
    applyDifficulty(gameRules, Difficulty());
    startStage();
    enterStage();
  }
  void TearDown() override { gameRules = GameRules{}; }
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
  static int footLine(int e) { return entities[e].y + int(entitySprites[e].bodyHeight); }
  // Walk right toward the nearest standing member of the group, line up in depth, and press
  // attack every other tick once it stands within reach in front.
  static void scriptedPlayer(const std::vector<int>& group, int t) {
    int target = -1;
    for (int e : group)
      if (standing(e) && (target < 0 || std::abs(entities[e].x - p1().x) < std::abs(entities[target].x - p1().x)))
        target = e;
    if (target < 0) return keys({});
    const int dx = entities[target].x - p1().x, depth = footLine(target) - footLine(0);
    const int reachFrom = int(entitySprites[0].bodyWidth) / 2;
    std::vector<int> held;
    if (std::abs(depth) > kDepthSlack) held.push_back(depth > 0 ? kDown : kUp);
    const bool facing = (dx >= 0) == (p1().facing == 0);
    if (std::abs(dx) > kStrikeRange) held.push_back(dx > 0 ? kRight : kLeft);
    else if (!facing) held.push_back(dx > 0 ? kRight : kLeft);
    else if (std::abs(depth) <= kDepthSlack && std::abs(dx) >= reachFrom / 2 && t % 2 == 0) return keys({kAttack}, held);
    keys({}, held);
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
  for (; groupStanding() && p1().hp > 0 && t < kMostTicks; ++t) {
    scriptedPlayer(group, t);
    simulateTick();
  }
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

// ---- the bosses, each met alone --------------------------------------------------------------

struct BossCase {
  const char* name;
  const char* stage;
  unsigned seed;
  const char* world = "world1";
  int32_t difficulty = kDifficultyNormal;
};

class BossFight : public StartStage, public ::testing::WithParamInterface<BossCase> {
 protected:
  unsigned GetSeed() const override { return GetParam().seed; }
  const char* StageName() const override { return GetParam().stage; }
  const char* WorldName() const override { return GetParam().world; }
  int32_t Difficulty() const override { return GetParam().difficulty; }

  // The arcade's rules: a boss that jumps after it was hurt lands on its feet.
  void SetUp() override {
    StartStage::SetUp();
    gameRules.jumpLandsOnFeet = 1;
  }

  // The boss alone on its stage, player 1 two thirds of a screen before it on the start row:
  // the boss is in view and awake.
  int meetBossAlone() {
    int boss = -1;
    for (int e = playerCount; e <= lastEntity; ++e) {
      if (entities[e].kind != kKindFighter) continue;
      if (bossNameOf(entitySprites[e].script).empty()) entities[e].alive = 0;
      else boss = e;
    }
    if (boss < 0) return boss;
    entities[1].alive = 0;  // player 2 stays out of it
    p1().x = int16_t(entities[boss].x - kMeetingDistance);
    cameraX = p1().x - screenWidth / 2;
    return boss;
  }
  static bool winding(int boss) {
    const std::string animation = entitySprites[boss].animation.str();
    for (const char* threat : {"QUICKATTACK", "HAMMER", "RUNATTACK", "JUMP", "GETUP", "FALLLAND", "RUN"})
      if (animation.rfind(threat, 0) == 0) return true;
    return false;
  }
  // Meets the boss on its depth line and strikes in combos, but when it winds up (or lies down,
  // about to come up swinging) steps off its line and back out of its reach.
  static void sensiblePlayer(int boss, int t) {
    if (!winding(boss)) return comboPlayer(boss, t);
    const int dx = entities[boss].x - p1().x, depth = footLine(boss) - footLine(0);
    std::vector<int> held{dx > 0 ? kLeft : kRight};
    if (std::abs(depth) < kDodgeDepth) held.push_back(footLine(0) > kDodgeTurnRow ? kUp : kDown);
    keys({}, held);
  }
  // Walks in as the masher does, but once a combo has begun keeps it going for as long as the
  // boss stays within a blow's reach, rather than stopping to walk in after each push.
  static void comboPlayer(int boss, int t) {
    const int dx = entities[boss].x - p1().x, depth = footLine(boss) - footLine(0);
    const int reach = int(entitySprites[boss].bodyWidth + entitySprites[0].bodyWidth) / 2 + kComboReach;
    if (p1().playerState != kPlayerAttacking || std::abs(dx) > reach) return scriptedPlayer({boss}, t);
    return t % 2 == 0 ? keys({kAttack}) : keys({});
  }
  // Ticks until the boss or player 1 is down for good, or the time runs out.
  int fight(int boss, void (*player)(int, int)) {
    int t = 0;
    for (; entities[boss].hp > 0 && p1().hp > 0 && t < kLongestFight; ++t) {
      player(boss, t);
      simulateTick();
    }
    return t;
  }
  static constexpr int kMeetingDistance = 700;
  static constexpr int kComboReach = 70;  // a kick's reach past the touching bodies, less a margin
  static constexpr int kDodgeDepth = 40;     // foot lines this far apart are safe from any blow
  static constexpr int kDodgeTurnRow = 560;  // below this row, dodge up; above it, down
  static constexpr int kLongestFight = 180 * kTicksPerSecond;
};

TEST_P(BossFight, SensiblePlayerWinsWithAQuarterOfItsHealthLeft) {
  const int boss = meetBossAlone();
  ASSERT_GE(boss, 0) << "the stage has a boss";
  const int t = fight(boss, sensiblePlayer);
  EXPECT_LE(entities[boss].hp, 0) << "the boss still has " << entities[boss].hp << " after " << t << " ticks";
  EXPECT_GE(p1().hp, p1().maxHp / 4) << "after " << t << " ticks";
}

TEST_P(BossFight, PlayerWhoOnlyWalksInAndMashesEndsBelowHalfHealthOrLoses) {
  const int boss = meetBossAlone();
  ASSERT_GE(boss, 0) << "the stage has a boss";
  const int t = fight(boss, [](int b, int tick) { scriptedPlayer({b}, tick); });
  EXPECT_LT(p1().hp, p1().maxHp / 2) << "the boss fell after " << t << " ticks";
}

TEST_P(BossFight, IdlePlayerSurvivesTenSecondsOfIt) {
  const int boss = meetBossAlone();
  ASSERT_GE(boss, 0) << "the stage has a boss";
  for (int t = 0; t < 10 * kTicksPerSecond; ++t) {
    keys({});
    simulateTick();
  }
  EXPECT_GT(p1().hp, 0);
}

const BossCase kEveryBoss[] = {
    {"harbour_seed1", "stage1", 1},  {"harbour_seed7", "stage1", 7},  {"harbour_seed42", "stage1", 42},
    {"factory_seed1", "stage2", 1},  {"factory_seed7", "stage2", 7},  {"factory_seed42", "stage2", 42},
    {"downtown_seed1", "stage3", 1}, {"downtown_seed7", "stage3", 7}, {"downtown_seed42", "stage3", 42},
    {"railyard_seed1", "stage1", 1, "world2"},  {"railyard_seed7", "stage1", 7, "world2"},
    {"railyard_seed42", "stage1", 42, "world2"}, {"rooftops_seed1", "stage2", 1, "world2"},
    {"rooftops_seed7", "stage2", 7, "world2"},  {"rooftops_seed42", "stage2", 42, "world2"},
    {"pier_seed1", "stage3", 1, "world2"},      {"pier_seed7", "stage3", 7, "world2"},
    {"pier_seed42", "stage3", 42, "world2"},
};

// Every boss fight again, on another difficulty.
std::vector<BossCase> everyBossOn(int32_t difficulty) {
  std::vector<BossCase> cases(std::begin(kEveryBoss), std::end(kEveryBoss));
  for (BossCase& c : cases) c.difficulty = difficulty;
  return cases;
}

INSTANTIATE_TEST_SUITE_P(Pack, BossFight, ::testing::ValuesIn(kEveryBoss),
                         [](const auto& info) { return std::string(info.param.name); });

// ---- the bosses on the other difficulties ----------------------------------------------------

class EasyBossFight : public BossFight {};

TEST_P(EasyBossFight, SensiblePlayerWinsWithHalfItsHealthLeft) {
  const int boss = meetBossAlone();
  ASSERT_GE(boss, 0) << "the stage has a boss";
  const int t = fight(boss, sensiblePlayer);
  EXPECT_LE(entities[boss].hp, 0) << "the boss still has " << entities[boss].hp << " after " << t << " ticks";
  EXPECT_GE(p1().hp, p1().maxHp / 2) << "after " << t << " ticks";
}

INSTANTIATE_TEST_SUITE_P(Easy, EasyBossFight, ::testing::ValuesIn(everyBossOn(kDifficultyEasy)),
                         [](const auto& info) { return std::string(info.param.name); });

class HardBossFight : public BossFight {};

TEST_P(HardBossFight, SensiblePlayerBeatsItAndLives) {
  const int boss = meetBossAlone();
  ASSERT_GE(boss, 0) << "the stage has a boss";
  const int t = fight(boss, sensiblePlayer);
  EXPECT_LE(entities[boss].hp, 0) << "the boss still has " << entities[boss].hp << " after " << t << " ticks";
  EXPECT_GT(p1().hp, 0) << "player 1 fell after " << t << " ticks";
}

INSTANTIATE_TEST_SUITE_P(Hard, HardBossFight, ::testing::ValuesIn(everyBossOn(kDifficultyHard)),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
