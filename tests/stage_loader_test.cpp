#include "content/stage_loader.h"

#include <gtest/gtest.h>

#include <cmath>
#include <ostream>
#include <set>
#include <string>
#include <vector>

#include "audio/sound.h"
#include "content/fighter_loader.h"
#include "content/text_file.h"
#include "loader_fixtures.h"
#include "sim/entity.h"
#include "sim/random.h"

namespace {

// The fixture tile set "testset": tiles 0 and 1 are 8x8, tile 2 is 8x16, tile 3 is 40x12.
const std::vector<std::string> kStageHead = {"STAGETYPE testset", "BGNAME testbg",
                                             "LOADENTITY thug 1", "LOADENTITY crate 0"};

class StageLoader : public ::testing::Test {
 protected:
  void SetUp() override {
    enterLoaderFixtures();
    playerCount = 2;
    for (std::string& line : stageLines) line.clear();
  }
  void load(const std::vector<std::string>& body) {
    size_t i = 0;
    for (const std::string& line : kStageHead) stageLines[i++] = line;
    for (const std::string& line : body) stageLines[i++] = line;
    loadStage();
  }
};

// ---- scenery -------------------------------------------------------------------------------

struct SceneryCase {
  const char* name;
  std::vector<std::string> body;
  std::vector<int> x;  // x of objects 0, 1, ...; their count is lastObject + 1
  int z;
  int kind;
  int parallax;
};
void PrintTo(const SceneryCase& c, std::ostream* os) { *os << c.name; }

class StageScenery : public StageLoader, public ::testing::WithParamInterface<SceneryCase> {};

TEST_P(StageScenery, PlacesTheObjects) {
  const SceneryCase& c = GetParam();
  load(c.body);
  ASSERT_EQ(lastObject + 1, static_cast<int>(c.x.size()));
  for (int o = 0; o <= lastObject; ++o) {
    SCOPED_TRACE("object " + std::to_string(o));
    EXPECT_EQ(sceneryObjects[o].x, c.x[o]);
    EXPECT_EQ(sceneryObjects[o].z, c.z);
    EXPECT_EQ(sceneryObjects[o].kind, c.kind);
    if (c.kind != 0) EXPECT_EQ(sceneryObjects[o].parallax, c.parallax);
    EXPECT_EQ(scenerySprites[o].visible, 1);
    EXPECT_EQ(scenerySprites[o].autoSize, 1);
    EXPECT_EQ(scenerySprites[o].frames.count, 4);
    EXPECT_EQ(scenerySprites[o].frames.texture[3], &tileTextures[0]);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Layers, StageScenery,
    ::testing::Values(
        SceneryCase{"ObjectStringOverlapsNeighboursByTwo", {"OBJECTSTRING 100 500 3 2"},
                    {100, 138, 176}, 500, 0, 0},
        SceneryCase{"ObjectStringCountZeroMakesOne", {"OBJECTSTRING 100 500 3 0"}, {100}, 500,
                    0, 0},
        SceneryCase{"ObjectStringCountMinusOneMakesNone", {"OBJECTSTRING 100 500 3 -1"}, {}, 0,
                    0, 0},
        SceneryCase{"ObjectStringOfNarrowTiles", {"OBJECTSTRING -10 7 1 2"}, {-10, -4, 2}, 7, 0,
                    0},
        SceneryCase{"ObjectPositionsRoundHalfToEven", {"OBJECT 2.5 3.5 0"}, {2}, 4, 0, 0},
        SceneryCase{"FrontLayerKeepsItsParallax", {"OBJECTFORE 10 20 2 1"}, {10}, 20, 2, 2},
        SceneryCase{"BackLayerKeepsItsParallax", {"OBJECTBACK 10 20 3 1"}, {10}, 20, 1, 3},
        SceneryCase{"BackLayerParallaxZeroIsOne", {"OBJECTBACK 10 20 0 1"}, {10}, 20, 1, 1},
        SceneryCase{"BackLayerMissingParallaxIsOne", {"OBJECTBACK 10 20"}, {10}, 20, 1, 1},
        SceneryCase{"ObjectsTakeIndicesInLineOrder",
                    {"OBJECT 1 9 0", "VERTICALWALL 100", "OBJECT 2 9 0", "OBJECT 3 9 0"},
                    {1, 2, 3}, 9, 0, 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(StageLoader, ObjectTakesItsTilesSize) {
  scenerySprites[1].width = 5;
  load({"OBJECT 0 0 3", "OBJECTSTRING 0 0 3 0"});
  EXPECT_EQ(scenerySprites[0].frame, 3);
  EXPECT_DOUBLE_EQ(scenerySprites[0].width, 40);
  EXPECT_DOUBLE_EQ(scenerySprites[0].height, 12);
  EXPECT_DOUBLE_EQ(scenerySprites[1].width, 5);  // only OBJECT sizes its tile
}

TEST_F(StageLoader, TileOutsideTheFrameTableHasNoSize) {
  scenerySprites[2].width = 5;
  load({"OBJECTSTRING 10 0 600 1", "OBJECT 0 0 -1"});
  EXPECT_EQ(sceneryObjects[1].x, 8);  // width 0: each tile 2 pixels left of the one before
  EXPECT_DOUBLE_EQ(scenerySprites[2].width, 0);
  EXPECT_EQ(scenerySprites[0].frame, 600);
}

TEST_F(StageLoader, SceneryStopsAtTheTableCapacity) {
  sceneryObjects[1000].x = 0;
  load({"OBJECTSTRING 0 0 0 5000", "OBJECT 77 0 0"});
  EXPECT_EQ(lastObject, 1000);
  EXPECT_EQ(sceneryObjects[1000].x, 1000 * 6);
}

TEST_F(StageLoader, TileSetNamedAtTheEndOfTheFileIsLoadedFirst) {
  stageLines[0] = "OBJECT 0 0 3";
  stageLines[2000] = "STAGETYPE testset";
  stageLines[1999] = "BGNAME testbg";
  loadStage();
  EXPECT_DOUBLE_EQ(tileTextures[0].width, 64);
  EXPECT_EQ(scenerySprites[0].frames.count, 4);
  EXPECT_DOUBLE_EQ(scenerySprites[0].width, 40);
}

// ---- stage values and shared loads -------------------------------------------------------

TEST_F(StageLoader, SetsTheStageValuesAndSharedLoads) {
  stageEnd = 1;
  load({"VERTICALWALL 200.5", "BGMNAME first", "STAGEEND 3001.5", "BGMNAME theme", "bgmname x"});
  EXPECT_EQ(floorBand, 200);
  EXPECT_EQ(stageEnd, 3002);
  EXPECT_EQ(bgmName, "theme");
  EXPECT_EQ(stageType, "testset");
  EXPECT_DOUBLE_EQ(bgTexture.width, 8);
  EXPECT_EQ(bgSprite.frames.count, 1);
  EXPECT_EQ(bgSprite.autoSize, 1);
  EXPECT_EQ(typeNames[kEffectsType], "globals");
  for (int k = 0; k < 5; ++k) EXPECT_NE(soundSlots[k], nullptr) << "slot " << k;
}

TEST_F(StageLoader, StatementOnTheLastStageLineCounts) {
  stageLines[2000] = "VERTICALWALL 321";
  load({});
  EXPECT_EQ(floorBand, 321);
}

// ---- entities ------------------------------------------------------------------------------

TEST_F(StageLoader, PlacedEntitiesFollowThePlayersWithTheirOwnOffsets) {
  load({"PLACEENTITY 500 420 1", "PLACEENTITY 600 430 0", "PLACEENTITY 700 440 1"});
  EXPECT_EQ(lastEntity, 4);
  EXPECT_EQ(entities[2].type, 2);
  EXPECT_EQ(entities[3].type, 1);
  EXPECT_EQ(entities[4].type, 2);
  EXPECT_EQ(entities[3].kind, kKindFighter);
  EXPECT_EQ(entities[2].kind, kKindObject);
  EXPECT_EQ(entities[4].x, 700);
  EXPECT_DOUBLE_EQ(entitySprites[2].frames.offsetX[1], 9);  // crate.off
  EXPECT_DOUBLE_EQ(entitySprites[3].frames.offsetY[2], 6);  // thug.off
  EXPECT_DOUBLE_EQ(entitySprites[4].frames.offsetY[0], 8);
}

TEST_F(StageLoader, StageWithoutEntitiesLeavesOnlyThePlayers) {
  lastEntity = 40;
  load({});
  EXPECT_EQ(lastEntity, 1);
  EXPECT_EQ(typeCount, 2);
}

TEST_F(StageLoader, TypesPastTwentyFiveAndUndeclaredTypesAreSkipped) {
  std::vector<std::string> body;
  for (int t = 3; t <= 26; ++t) body.push_back("LOADENTITY crate 0");
  body.push_back("PLACEENTITY 1 1 25");   // a 26th type was never loaded
  body.push_back("PLACEENTITY 2 2 24");   // the 25th
  body.push_back("CPLACEENTITY 3 3 30 4 10");
  load(body);
  EXPECT_EQ(typeCount, 25);
  EXPECT_EQ(lastEntity, 2);
  EXPECT_EQ(entities[2].type, 25);
  EXPECT_EQ(entities[2].x, 2);
}

TEST_F(StageLoader, EntitiesStopAtTheTableCapacity) {
  load({"CPLACEENTITY 100 400 1 2000 0", "PLACEENTITY 5 5 1"});
  EXPECT_EQ(lastEntity, 1000);
  EXPECT_EQ(entities[1000].x, 100);
}

struct ScatterCase {
  const char* name;
  int count;
  double spread;
};
void PrintTo(const ScatterCase& c, std::ostream* os) { *os << c.name; }

class StageScatter : public StageLoader, public ::testing::WithParamInterface<ScatterCase> {};

TEST_P(StageScatter, PlacesCountPlusOneAtEvenOffsets) {
  const ScatterCase& c = GetParam();
  seedRandom(1234);
  load({"CPLACEENTITY 300 400 0 " + std::to_string(c.count) + " " + std::to_string(c.spread)});
  ASSERT_EQ(lastEntity, 1 + c.count + 1);
  // The same draws, x then y for each entity in turn.
  seedRandom(1234);
  std::set<int> seen;
  for (int e = 2; e <= lastEntity; ++e) {
    const int ox = static_cast<int>(std::floor(c.spread * randomUnit()) * 2 - c.spread);
    const int oy = static_cast<int>(std::floor(c.spread * randomUnit()) * 2 - c.spread);
    EXPECT_EQ(entities[e].x, 300 + ox);
    EXPECT_EQ(entities[e].y, 400 + oy);
    EXPECT_EQ(entities[e].type, 1);
    for (int offset : {ox, oy}) {
      EXPECT_EQ((offset + static_cast<int>(c.spread)) % 2, 0);
      EXPECT_GE(offset, -c.spread);
      EXPECT_LE(offset, c.spread == 0 ? 0 : c.spread - 2);
      seen.insert(offset);
    }
  }
  if (c.count >= 100 && c.spread == 10) {
    EXPECT_EQ(seen.size(), 10u);  // -10, -8, ..., 8 all turn up
  }
}

INSTANTIATE_TEST_SUITE_P(
    Spreads, StageScatter,
    ::testing::Values(ScatterCase{"CountZeroPlacesOne", 0, 10},
                      ScatterCase{"SpreadZeroStandsExactly", 3, 0},
                      ScatterCase{"SpreadTenStepsByTwo", 200, 10},
                      ScatterCase{"OddSpreadGivesOddSteps", 50, 3}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(StageLoader, ScatterOfAnUndeclaredTypeDrawsNoNumbers) {
  seedRandom(99);
  const double first = randomUnit();
  seedRandom(99);
  load({"CPLACEENTITY 300 400 7 3 10"});
  EXPECT_EQ(lastEntity, 1);
  EXPECT_DOUBLE_EQ(randomUnit(), first);
}

}  // namespace
