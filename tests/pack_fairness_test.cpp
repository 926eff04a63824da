// The stages as a new player meets them, whole ticks in the play loop's order on the shipped
// content: nobody walks up to a player who waits at the start, and on the start stage a plain
// walk-and-punch player clears the first group without dying. Content that crowds the start or makes the first gang
// too strong fails here.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "shell/screen_state.h"
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
    worldName = "world1";
    stageName = StageName();
    seedRandom(GetSeed());
    startStage();
    enterStage();
  }
  virtual unsigned GetSeed() const { return 1; }
  virtual const char* StageName() const { return "stage3"; }

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

class EveryStage : public StartStage, public ::testing::WithParamInterface<const char*> {
  const char* StageName() const override { return GetParam(); }
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

INSTANTIATE_TEST_SUITE_P(Pack, EveryStage, ::testing::Values("stage1", "stage2", "stage3"),
                         [](const auto& info) { return std::string(info.param); });

struct SeedCase {
  const char* name;
  unsigned seed;
};

class FirstGroup : public StartStage, public ::testing::WithParamInterface<SeedCase> {
  unsigned GetSeed() const override { return GetParam().seed; }
};

TEST_P(FirstGroup, ScriptedPlayerBeatsItWithoutDying) {
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

INSTANTIATE_TEST_SUITE_P(Seeds, FirstGroup,
                         ::testing::Values(SeedCase{"seed1", 1}, SeedCase{"seed7", 7}, SeedCase{"seed42", 42}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
