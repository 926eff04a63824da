// The soak's own checks: the table invariants it asserts every tick, and a short crowded fight
// on the default content that must really fight (hits, effects born and freed, props moved).
#include <gtest/gtest.h>
#include <unistd.h>

#include <functional>
#include <string>

#include "content/fighter_loader.h"
#include "crowded_stage.h"
#include "platform/null_platform.h"
#include "shell/play_loop.h"
#include "sim/entity.h"
#include "sim/game_state.h"
#include "sim/random.h"

namespace {

// Two players and two stage entities of type 1, everything in order.
void setUpTidyTables() {
  playerCount = 2;
  typeCount = 1;
  lastEntity = 3;
  for (int e = 0; e < kEntityCount; ++e) {
    entities[e].alive = e <= lastEntity ? 1 : 0;
    entities[e].type = e < playerCount ? 0 : 1;
    entitySprites[e].scriptLine = 0;
  }
  for (int k = 0; k < kDrawOrderCount; ++k) drawOrder[k] = k;
}

struct FaultCase {
  const char* name;
  std::function<void()> breakIt;
  const char* expected;  // "" when the change breaks nothing
};

TEST(CrowdedStage, TableFaultNamesTheFirstBrokenInvariant) {
  const FaultCase cases[] = {
      {"tidy tables", [] {}, ""},
      {"lastEntity past the table", [] { lastEntity = kEntityCount; }, "lastEntity out of range (1001)"},
      {"drawOrder names one slot twice", [] { drawOrder[7] = 3; }, "drawOrder is not a permutation (7)"},
      {"drawOrder names a slot past the table", [] { drawOrder[0] = kDrawOrderCount; },
       "drawOrder is not a permutation (0)"},
      {"script line past the last", [] { entitySprites[2].scriptLine = 1001; }, "scriptLine outside the script (2)"},
      {"script line below the first", [] { entitySprites[3].scriptLine = -1; }, "scriptLine outside the script (3)"},
      {"live entity of an undeclared type", [] { entities[3].type = 2; },
       "live entity of a type that is not loaded (3)"},
      {"the shared effects type is loaded", [] { entities[3].type = kEffectsType; }, ""},
      {"players have no stage type", [] { entities[1].type = 0; }, ""},
      {"a free slot may hold anything", [] {
         entities[3].alive = 0;
         entities[3].type = 99;
         entitySprites[3].scriptLine = 5000;
       },
       ""},
  };
  for (const FaultCase& c : cases) {
    setUpTidyTables();
    c.breakIt();
    EXPECT_EQ(tableFault(), c.expected) << c.name;
  }
}

TEST(CrowdedStage, FullTableFightsWithinItsTables) {
  ASSERT_EQ(chdir(BRAWLER_CONTENT_DIR), 0);
  DecodedImage probe;
  if (!platformDecodeImage("gfx/font/mainfont.png", &probe)) GTEST_SKIP() << "no PNG decoder in this build";
  seedRandom(3);
  useNullPlatform(true);
  startCrowdedStage();
  EXPECT_EQ(lastEntity, kEntityCount - 1);
  static Coverage coverage;
  observe(coverage);
  // Long enough for the players' random walk to reach a prop wherever the pack's list puts one.
  constexpr int kTicks = 1200;
  for (int tick = 1; tick <= kTicks; ++tick) {
    queueRandomInput();
    stageTick();
    nullQuads.clear();
    const std::string fault = tableFault();
    ASSERT_EQ(fault, "") << "tick " << tick;
    observe(coverage);
  }
  EXPECT_GT(coverage.hitsTaken, 0);
  EXPECT_GT(coverage.effectsBorn, 0);
  EXPECT_GT(coverage.effectsFreed, 0);
  EXPECT_GT(coverage.propsMoved, 0);
}

}  // namespace
