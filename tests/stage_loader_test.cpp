#include "content/stage_loader.h"
#include "sim/stage_setup.h"

#include <gtest/gtest.h>

#include <ostream>
#include <set>
#include <string>
#include <vector>

#include "content/text_file.h"
#include "loader_fixtures.h"
#include "sim/entity.h"
#include "sim/random.h"

namespace {

class StageLoader : public ::testing::Test {
 protected:
  void SetUp() override {
    ENTER_LOADER_FIXTURES();
    for (std::string& line : stageLines) line.clear();
    // A slot keeps what an earlier stage set and this one's statement does not (a middle-layer
    // object sets no parallax): each case starts from empty slots.
    for (Entity& object : sceneryObjects) object = Entity{};
    playerCount = 2;  // the players' slots come first; the stage's entities after them
  }
  // Tile set "testset": tile 1 is 8 pixels wide, tile 3 is 40 by 12.
  void load(std::vector<std::string> body) {
    body.insert(body.begin(), {"BGNAME testbg", "LOADENTITY thug 1", "LOADENTITY crate 0"});
    for (size_t i = 0; i < body.size(); ++i) stageLines[i] = body[i];
    stageLines[2000] = "STAGETYPE testset";  // the tile set still loads before any OBJECT
    loadStage();
  }
};

struct SceneryCase {
  const char* name;
  const char* line;
  std::vector<int> x;  // one per object
  int kind, parallax;
};
void PrintTo(const SceneryCase& c, std::ostream* os) { *os << c.name; }
class StageScenery : public StageLoader, public ::testing::WithParamInterface<SceneryCase> {};

TEST_P(StageScenery, PlacesTheObjects) {
  const SceneryCase& c = GetParam();
  load({c.line});
  ASSERT_EQ(lastObject + 1, static_cast<int>(c.x.size()));
  for (int o = 0; o <= lastObject; ++o) {
    EXPECT_EQ(sceneryObjects[o].x, c.x[o]);
    EXPECT_EQ(sceneryObjects[o].z, 500);
    EXPECT_EQ(sceneryObjects[o].kind, c.kind);
    EXPECT_EQ(sceneryObjects[o].parallax, c.parallax);
    EXPECT_EQ(scenerySprites[o].frames.count, 4);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Layers, StageScenery,
    ::testing::Values(
        SceneryCase{"StringOverlapsByTwo", "OBJECTSTRING 100 500 3 2", {100, 138, 176}, 0, 0},
        SceneryCase{"StringCountZeroMakesOne", "OBJECTSTRING 100 500 3 0", {100}, 0, 0},
        SceneryCase{"StringCountMinusOneMakesNone", "OBJECTSTRING 100 500 3 -1", {}, 0, 0},
        SceneryCase{"BackParallaxZeroIsOne", "OBJECTBACK 10 500 0 1", {10}, 1, 1}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(StageLoader, StatementsPastTheTablesAreSkipped) {
  std::vector<std::string> body(24, "LOADENTITY crate 0");  // types 3..26: the 26th has no slot
  body.insert(body.end(), {"PLACEENTITY 1 1 25", "CPLACEENTITY 3 3 30 4 10",
                           "CPLACEENTITY 100 400 1 2000 0", "OBJECTSTRING 0 0 0 5000"});
  load(body);
  EXPECT_EQ(typeCount, 25);
  EXPECT_EQ(lastEntity, 1000);
  EXPECT_EQ(entities[2].x, 100);
  EXPECT_EQ(lastObject, 1000);
}

class StageScatter : public StageLoader, public ::testing::WithParamInterface<int> {};

TEST_P(StageScatter, PlacesCountPlusOneAtEvenStepsFromMinusSpread) {
  const int spread = GetParam();
  seedRandom(1234);
  load({"CPLACEENTITY 300 400 0 200 " + std::to_string(spread)});
  ASSERT_EQ(lastEntity, 202);
  std::set<int> offsets;
  for (int e = 2; e <= lastEntity; ++e) offsets.insert({entities[e].x - 300, entities[e].y - 400});
  EXPECT_EQ(*offsets.begin(), -spread);
  EXPECT_EQ(*offsets.rbegin(), spread == 0 ? 0 : spread - 2);
  EXPECT_EQ(static_cast<int>(offsets.size()), spread == 0 ? 1 : spread);  // every even step
}

INSTANTIATE_TEST_SUITE_P(Spreads, StageScatter, ::testing::Values(0, 3, 10));

}  // namespace
