#include "render/stage_scene.h"

#include <gtest/gtest.h>

#include <limits>
#include <random>

#include "recorded_quads.h"
#include "sim/entity.h"
#include "sim/game_state.h"

namespace {

constexpr uint32_t kBackgroundName = 90;
constexpr uint32_t kEntityName = 100;   // entity e draws with texture kEntityName + e
constexpr uint32_t kSceneryName = 500;  // scenery object i draws with kSceneryName + i
Texture entityTextures[8];
Texture sceneryTextures[8];
Texture backgroundTexture;

// A quiet stage: camera at the start, no shake, no scenery, every entity dead.
void resetStage() {
  startRecording();
  cameraX = 0;
  cameraY = 0;
  shakeX = shakeY = shakeSign = 0;
  lastObject = -1;
  lastEntity = -1;
  for (int k = 0; k < kDrawOrderCount; ++k) drawOrder[k] = k;
  for (int e = 0; e < 64; ++e) {
    entities[e] = Entity{};
    entitySprites[e] = SpriteSet{};
    sceneryObjects[e] = Entity{};
    scenerySprites[e] = SpriteSet{};
  }
  backgroundTexture.glName = kBackgroundName;
  giveFrame(bgSprite.frames, 0, backgroundTexture, 1024, 768);
  bgSprite.autoSize = 1;
}

void addEntity(int e, int16_t x, int16_t y, double bodyHeight, int alive = 1) {
  entityTextures[e].glName = kEntityName + e;
  giveFrame(entitySprites[e].frames, 0, entityTextures[e], 10, 10);
  entities[e].x = x;
  entities[e].y = y;
  entities[e].z = 0;
  entities[e].alive = alive;
  entitySprites[e].bodyHeight = bodyHeight;
  if (e > lastEntity) lastEntity = e;
}

// A 32 x 32 tile on the given layer.
void addScenery(int i, int kind, int16_t x, int16_t y, int parallax = 1) {
  sceneryTextures[i].glName = kSceneryName + i;
  giveFrame(scenerySprites[i].frames, 0, sceneryTextures[i], 32, 32);
  sceneryObjects[i].x = x;
  sceneryObjects[i].z = y;
  sceneryObjects[i].kind = kind;
  sceneryObjects[i].parallax = parallax;
  scenerySprites[i].visible = 1;
  scenerySprites[i].autoSize = 1;
  scenerySprites[i].width = 32;
  scenerySprites[i].height = 32;
  if (i > lastObject) lastObject = i;
}

// Entity indices in the order their quads were drawn.
std::vector<int> drawnEntities() {
  std::vector<int> order;
  for (const RecordedQuad& q : nullQuads)
    if (q.glName >= kEntityName && q.glName < kEntityName + 8) order.push_back(q.glName - kEntityName);
  return order;
}

TEST(DepthOrder, NearerFootLineIsDrawnLater) {
  resetStage();
  addEntity(0, 100, 200, 100);  // foot line 300
  addEntity(1, 100, 150, 100);  // foot line 250
  drawStageScene();
  EXPECT_EQ(drawnEntities(), (std::vector<int>{1, 0}));
}

TEST(DepthOrder, EqualFootLinesKeepLastFramesOrder) {
  resetStage();
  addEntity(0, 100, 200, 50);
  addEntity(1, 100, 150, 100);
  drawOrder[0] = 1;
  drawOrder[1] = 0;
  drawStageScene();
  EXPECT_EQ(drawnEntities(), (std::vector<int>{1, 0}));
}

TEST(DepthOrder, DeadEntitiesAreSortedButNotDrawn) {
  resetStage();
  addEntity(0, 100, 300, 0);
  addEntity(1, 100, 100, 0, 0);
  addEntity(2, 100, 200, 0);
  drawStageScene();
  EXPECT_EQ(drawnEntities(), (std::vector<int>{2, 0}));
  EXPECT_EQ(drawOrder[0], 1);
  EXPECT_EQ(drawOrder[1], 2);
  EXPECT_EQ(drawOrder[2], 0);
}

TEST(DepthOrder, EntriesNamingNoEntityAreSkipped) {
  resetStage();
  addEntity(0, 100, 300, 0);
  addEntity(1, 100, 200, 0);
  drawOrder[0] = 5000;
  drawOrder[1] = -3;
  drawStageScene();
  EXPECT_EQ(drawnEntities(), std::vector<int>{});
  drawOrder[0] = 1;
  drawOrder[1] = 0;
  nullQuads.clear();
  drawStageScene();
  EXPECT_EQ(drawnEntities(), (std::vector<int>{1, 0}));
}

// The plain method the order must match: passes of neighbour swaps until one swaps nothing.
void referenceSort(std::vector<int>& order) {
  auto key = [](int e) { return entities[e].y + entitySprites[e].bodyHeight; };
  for (bool swapped = true; swapped;) {
    swapped = false;
    for (size_t k = 0; k + 1 < order.size(); ++k)
      if (key(order[k]) > key(order[k + 1])) std::swap(order[k], order[k + 1]), swapped = true;
  }
}

TEST(DepthOrder, MatchesNeighbourSwapPassesFrameAfterFrame) {
  resetStage();
  std::mt19937 random(7);
  const int count = 60;
  for (int e = 0; e < count; ++e) entities[e].alive = e % 5 != 0;  // the dead sort too
  lastEntity = count - 1;
  std::vector<int> expected(drawOrder, drawOrder + count);
  for (int frame = 0; frame < 30; ++frame) {
    // Few distinct foot lines, so ties are common; some entities jump far each frame.
    for (int e = 0; e < count; ++e)
      if (random() % 3 == 0) {
        entities[e].y = static_cast<int16_t>(random() % 6 * 50);
        entitySprites[e].bodyHeight = random() % 2 ? 0.5 : 0.0;
      }
    referenceSort(expected);
    drawStageScene();
    ASSERT_EQ(std::vector<int>(drawOrder, drawOrder + count), expected) << "frame " << frame;
  }
}

TEST(EntityPlacement, DrawnAtTheirRowLessAltitudeMirroredByFacing) {
  resetStage();
  cameraX = 600;
  cameraY = -100;
  addEntity(0, 1000, 400, 0);
  entities[0].z = 150;
  entities[0].facing = 1;
  entitySprites[0].autoSize = 0;
  drawStageScene();
  EXPECT_EQ(entitySprites[0].x, 400);
  EXPECT_EQ(entitySprites[0].y, 350);
  EXPECT_EQ(entitySprites[0].flip, 1);
  EXPECT_EQ(entitySprites[0].autoSize, 1);
}

TEST(EntityPlacement, RowIsASixteenBitDifference) {
  resetStage();
  addEntity(0, 100, 30000, 0);
  entities[0].z = -10000;
  drawStageScene();
  EXPECT_EQ(entitySprites[0].y, 40000 - 65536);
}

TEST(EntityPlacement, FarOffScreenEntitiesAreStillDrawn) {
  resetStage();
  addEntity(0, 9000, 400, 0);
  drawStageScene();
  EXPECT_EQ(drawnEntities(), std::vector<int>{0});
}

struct LayerCase {
  const char* name;
  int kind;
  int parallax;
  double expectedX;
  double expectedY;
  friend void PrintTo(const LayerCase& c, std::ostream* os) { *os << c.name; }
};

class LayerPosition : public ::testing::TestWithParam<LayerCase> {};

TEST_P(LayerPosition, FollowsTheCameraAtItsOwnSpeed) {
  const LayerCase& c = GetParam();
  resetStage();
  cameraX = 600;
  cameraY = -20;
  addScenery(0, c.kind, 1000, 100, c.parallax);
  scenerySprites[0].width = scenerySprites[0].height = 0;  // never drawn: a single point
  addScenery(1, c.kind, 1000, 100, c.parallax);
  drawStageScene();
  EXPECT_EQ(scenerySprites[1].x, c.expectedX);
  EXPECT_EQ(scenerySprites[1].y, c.expectedY);
  ASSERT_EQ(quadsOf(kSceneryName + 1).size(), 1u);
  EXPECT_EQ(quadLeft(quadsOf(kSceneryName + 1)[0]), c.expectedX);
}

INSTANTIATE_TEST_SUITE_P(
    Layers, LayerPosition,
    ::testing::Values(LayerCase{"BackLayerDividedByParallax", 1, 2, 200, 60},
                      LayerCase{"BackLayerDivisionTruncates", 1, 3, 133, 40},
                      LayerCase{"BackLayerParallaxZeroScrollsWithTheStage", 1, 0, 400, 120},
                      LayerCase{"MiddleLayerScrollsWithTheStage", 0, 7, 400, 120},
                      LayerCase{"FrontLayerMultipliedByParallax", 2, 2, -200, 140}),
    [](const auto& info) { return std::string(info.param.name); });

// A front parallax of 1e8 takes the product with the view past the 32-bit range: the anchor
// keeps the true position and the drawn quad stands at the edge of the range.
TEST(FrontLayer, ParallaxProductPastTheIntegerRange) {
  resetStage();
  cameraX = 600;
  cameraY = -20;
  addScenery(1, 2, 1000, 100, 100000000);
  drawStageScene();
  EXPECT_EQ(scenerySprites[1].x, 1000 - 6e10);
  EXPECT_EQ(scenerySprites[1].y, 100 + 2e9);
  ASSERT_EQ(quadsOf(kSceneryName + 1).size(), 1u);
  EXPECT_EQ(quadLeft(quadsOf(kSceneryName + 1)[0]), std::numeric_limits<int32_t>::min());
}

struct ShakeCase {
  const char* name;
  int sign;
  double expectedOffset;
  friend void PrintTo(const ShakeCase& c, std::ostream* os) { *os << c.name; }
};

class ScreenShake : public ::testing::TestWithParam<ShakeCase> {};

TEST_P(ScreenShake, MovesEverythingButTheBackground) {
  const ShakeCase& c = GetParam();
  resetStage();
  shakeX = 4;
  shakeY = 2;
  shakeSign = c.sign;
  addScenery(0, 1, 100, 100);
  addScenery(1, 0, 100, 100);
  addScenery(2, 2, 100, 100);
  addEntity(0, 100, 100, 0);
  drawStageScene();
  for (uint32_t name : {kSceneryName, kSceneryName + 1, kSceneryName + 2, kEntityName}) {
    ASSERT_EQ(quadsOf(name).size(), 1u) << name;
    EXPECT_EQ(quadLeft(quadsOf(name)[0]), 100 + c.expectedOffset) << name;
    EXPECT_EQ(quadTop(quadsOf(name)[0]), 100 + c.expectedOffset / 2) << name;
  }
  ASSERT_EQ(quadsOf(kBackgroundName).size(), 1u);
  EXPECT_EQ(quadLeft(quadsOf(kBackgroundName)[0]), 0);
  EXPECT_EQ(quadTop(quadsOf(kBackgroundName)[0]), 0);
}

INSTANTIATE_TEST_SUITE_P(Signs, ScreenShake,
                         ::testing::Values(ShakeCase{"SignZeroShakesRight", 0, 4},
                                           ShakeCase{"SignOneShakesLeft", 1, -4}),
                         [](const auto& info) { return std::string(info.param.name); });

struct OnScreenCase {
  const char* name;
  int16_t x, y;
  double size;  // 0: never drawn, tested as a point
  bool drawn;
  friend void PrintTo(const OnScreenCase& c, std::ostream* os) { *os << c.name; }
};

class OnScreenRule : public ::testing::TestWithParam<OnScreenCase> {};

TEST_P(OnScreenRule, MiddleLayerDrawsWhatTouchesTheScreen) {
  const OnScreenCase& c = GetParam();
  resetStage();
  addScenery(0, 0, c.x, c.y);
  scenerySprites[0].width = scenerySprites[0].height = c.size;
  drawStageScene();
  EXPECT_EQ(quadsOf(kSceneryName).size(), c.drawn ? 1u : 0u);
}

INSTANTIATE_TEST_SUITE_P(
    Edges, OnScreenRule,
    ::testing::Values(OnScreenCase{"LeftEdgeAtRightBorderIsDrawn", 1024, 100, 32, true},
                      OnScreenCase{"EntirelyRightIsSkipped", 1025, 100, 32, false},
                      OnScreenCase{"RightEdgeAtLeftBorderIsDrawn", -32, 100, 32, true},
                      OnScreenCase{"EntirelyLeftIsSkipped", -33, 100, 32, false},
                      OnScreenCase{"TopAtBottomBorderIsDrawn", 100, 768, 32, true},
                      OnScreenCase{"EntirelyBelowIsSkipped", 100, 769, 32, false},
                      OnScreenCase{"BottomAtTopBorderIsDrawn", 100, -32, 32, true},
                      OnScreenCase{"EntirelyAboveIsSkipped", 100, -33, 32, false},
                      OnScreenCase{"UnsizedPointInsideIsDrawn", 0, 0, 0, true},
                      OnScreenCase{"UnsizedPointJustLeftIsSkipped", -1, 100, 0, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(BackLayer, OffScreenObjectIsSkipped) {
  resetStage();
  addScenery(0, 1, 3000, 100, 2);  // (3000 - 0) / 2 = 1500
  drawStageScene();
  EXPECT_TRUE(quadsOf(kSceneryName).empty());
}

TEST(FrontLayer, DrawnEvenOffScreenAndFirstObjectHalfSeeThrough) {
  resetStage();
  addScenery(0, 2, 5000, 100, 1);
  addScenery(1, 2, 100, 100, 1);
  scenerySprites[1].transparency = 0.7;
  drawStageScene();
  ASSERT_EQ(quadsOf(kSceneryName).size(), 1u);
  EXPECT_DOUBLE_EQ(quadsOf(kSceneryName)[0].alpha, 0.5);
  ASSERT_EQ(quadsOf(kSceneryName + 1).size(), 1u);
  EXPECT_DOUBLE_EQ(quadsOf(kSceneryName + 1)[0].alpha, 1.0);
}

TEST(PaintersOrder, BackgroundBackMiddleEntitiesFront) {
  resetStage();
  addScenery(0, 2, 100, 100);
  addScenery(1, 0, 100, 100);
  addScenery(2, 1, 100, 100);
  addEntity(0, 100, 100, 0);
  addScenery(3, 0, 100, 100);
  scenerySprites[3].visible = 0;
  drawStageScene();
  std::vector<uint32_t> names;
  for (const RecordedQuad& q : nullQuads) names.push_back(q.glName);
  EXPECT_EQ(names, (std::vector<uint32_t>{kBackgroundName, kSceneryName + 2, kSceneryName + 1,
                                          kEntityName, kSceneryName}));
}

}  // namespace
