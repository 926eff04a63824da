// The arcade's rules on their own: when a stage counts as cleared, which stages the map opens,
// and that players spare each other only when the rules say so.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "arcade/arcade.h"
#include "sim/game_state.h"
#include "shell/window.h"
#include "sim_support.h"

using namespace simtest;

namespace {

constexpr int kOpponent = 2, kSpark = 3, kCrate = 4;

struct ClearCase {
  const char* name;
  int players;
  int standingX[2];  // x of players 1 and 2
  double hp[2];
  int opponentAlive;
  bool cleared;
};

class StageClear : public ::testing::TestWithParam<ClearCase> {};

TEST_P(StageClear, NeedsEveryOpponentGoneAndALivingPlayerNearTheEnd) {
  const ClearCase& c = GetParam();
  resetSim();
  arcade = ArcadeState{};
  arcade.players = c.players;
  stageEnd = 3000;
  lastEntity = kCrate;
  for (int p = 0; p < 2; ++p) placeFighter(p, c.standingX[p], 400).hp = c.hp[p];
  placeFighter(kOpponent, 2900, 400).alive = c.opponentAlive;
  // Sparks and crates are no opponents: they never hold a stage open.
  entities[kSpark].alive = 1, entities[kSpark].kind = kKindEffect;
  entities[kCrate].alive = 1, entities[kCrate].kind = kKindObject;
  EXPECT_EQ(stageCleared(), c.cleared);
}

// One screen width from an end at 3000 is x 1976.
INSTANTIATE_TEST_SUITE_P(
    Cases, StageClear,
    ::testing::Values(ClearCase{"OpponentStillThere", 1, {2500, 0}, {100, 100}, 1, false},
                      ClearCase{"AllGoneAndNearTheEnd", 1, {2500, 0}, {100, 100}, 0, true},
                      ClearCase{"ExactlyOneScreenFromTheEnd", 1, {1976, 0}, {100, 100}, 0, true},
                      ClearCase{"OnePixelTooFar", 1, {1975, 0}, {100, 100}, 0, false},
                      ClearCase{"OnlyTheFallenPlayerIsThere", 1, {2500, 0}, {0, 100}, 0, false},
                      ClearCase{"PlayerTwoReachedIt", 2, {100, 2500}, {100, 100}, 0, true},
                      ClearCase{"PlayerTwoOutOfTheGameDoesNotCount", 1, {100, 2500}, {100, 100}, 0, false}),
    [](const auto& info) { return std::string(info.param.name); });

// With one player the stage's entities start at slot 1, so an opponent there holds it open.
TEST(StageClear, AOnePlayerGamesOpponentInSlotOneHoldsTheStageOpen) {
  resetSim();
  arcade = ArcadeState{};
  arcade.players = playerCount = 1;
  stageEnd = 3000;
  lastEntity = 1;
  placeFighter(0, 2500, 400);
  placeFighter(1, 2900, 400);
  EXPECT_FALSE(stageCleared());
  entities[1].alive = 0;
  EXPECT_TRUE(stageCleared());
}

// World 1's roads: harbor (1) to downtown (3) and the plant (2); the plant back to the harbor
// (1) and downtown (3); node 0 is downtown's twin, where nothing leads.
OverworldState worldOne() {
  OverworldState map{};
  const char* stages[] = {"stage3", "stage1", "stage2", "stage3"};
  const int32_t left[] = {1, 0, 1, 1}, right[] = {0, 3, 0, 0}, up[] = {2, 2, 0, 2}, down[] = {0, 0, 3, 0};
  for (int n = 0; n < 4; ++n) {
    map.nodeStage[n] = stages[n];
    map.nodeLeft[n] = left[n], map.nodeRight[n] = right[n], map.nodeUp[n] = up[n], map.nodeDown[n] = down[n];
  }
  map.startStage = "stage1";
  return map;
}

struct OpenCase {
  const char* name;
  std::vector<const char*> cleared;
  const char* stage;
  bool open;
};

class MapOpening : public ::testing::TestWithParam<OpenCase> {};

TEST_P(MapOpening, StartAndTheNeighboursOfClearedStagesAreOpen) {
  arcade = ArcadeState{};
  for (const char* s : GetParam().cleared) markStageCleared(s);
  EXPECT_EQ(stageIsOpen(worldOne(), GetParam().stage), GetParam().open);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, MapOpening,
    ::testing::Values(OpenCase{"StartIsOpenInANewGame", {}, "stage1", true},
                      OpenCase{"OthersAreShutInANewGame", {}, "stage3", false},
                      OpenCase{"ClearingTheStartOpensItsRoads", {"stage1"}, "stage3", true},
                      OpenCase{"AClearedStageStaysOpen", {"stage1", "stage3"}, "stage3", true},
                      OpenCase{"ThePlantLeadsDowntownToo", {"stage2"}, "stage3", true},
                      OpenCase{"AStageTheMapLacksIsShut", {"stage1"}, "stage9", false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(MapOpening, TheWorldEndsWhenEveryStageOnItIsCleared) {
  arcade = ArcadeState{};
  const OverworldState map = worldOne();
  markStageCleared("stage1");
  markStageCleared("stage3");
  EXPECT_FALSE(worldFinished(map));
  markStageCleared("stage2");
  EXPECT_TRUE(worldFinished(map));
}

TEST(MapOpening, TheStartLineNamesTheStartStage) {
  OverworldState map{};
  map.lines[0] = "NODE 1 250 560 0 3 2 0 stage1";
  map.lines[1] = "START stage1";
  readOverworldNodes(map);
  EXPECT_EQ(map.startStage, "stage1");
  EXPECT_EQ(map.nodeStage[1], "stage1");
}

struct FireCase {
  const char* name;
  int32_t friendlyFire;
  bool hurt;
};

class FriendlyFire : public ::testing::TestWithParam<FireCase> {
 protected:
  void TearDown() override { gameRules = GameRules{}; }
};

TEST_P(FriendlyFire, PlayerTwoIsHitOnlyWhenTheRulesAllowIt) {
  resetSim();
  gameRules.friendlyFire = GetParam().friendlyFire;
  lastEntity = 1;
  const std::string kestor = std::string(BRAWLER_CONTENT_DIR) + "/scripts/kestor.dat";
  placeFighter(0, 300, 400, kestor);
  Entity& two = placeFighter(1, 340, 400, kestor);
  two.facing = 1;
  const double before = two.hp;
  keys({kAttack});
  tick();
  for (int t = 0; t < 40; ++t) keys({}), tick();
  EXPECT_EQ(two.hp < before, GetParam().hurt);
}

INSTANTIATE_TEST_SUITE_P(Rules, FriendlyFire,
                         ::testing::Values(FireCase{"BrawlerLetsPlayersHitEachOther", 1, true},
                                           FireCase{"ArcadeSparesTeammates", 0, false}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
