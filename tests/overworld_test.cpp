#include "screens/overworld.h"

#include <gtest/gtest.h>

#include <limits>

#include "render/draw.h"
#include "screen_driver.h"
#include "screens/screens.h"
#include "sim/entity.h"
#include "sim/game_state.h"

using namespace screen_driver;

namespace {

// The fixture graph: node 0 at (100, 300) reaches 3 (200, 310) by left, 1 (150, 310) by right,
// 2 (100, 200) by up; 3 reaches waypoint 5 by down.
class Overworld : public ScreenTest {
 protected:
  void SetUp() override {
    ScreenTest::SetUp();
    if (IsSkipped()) return;
    playerCount = 2;
    worldName = "world1";
    stageName = "stage3";
    screenState = kScreenOverworld;
    enterOverworld();
  }
  bool frames(int n) { return runFrames(overworldFrame, n); }
  void walk(int key) {
    keyDown(key);
    frames(25);
    keyUp(key);
  }
  const OverworldState& o = overworld;
};

struct NodeCase {
  const char* name;
  int node, x, y, left, right, up, down;
  const char* stage;
};

class OverworldNodes : public Overworld, public ::testing::WithParamInterface<NodeCase> {};

TEST_P(OverworldNodes, ReadFromTheDataFile) {
  const NodeCase& c = GetParam();
  int got[] = {o.nodeX[c.node], o.nodeY[c.node], o.nodeLeft[c.node], o.nodeRight[c.node], o.nodeUp[c.node], o.nodeDown[c.node]};
  int want[] = {c.x, c.y, c.left, c.right, c.up, c.down};
  EXPECT_TRUE(std::equal(got, got + 6, want));
  EXPECT_EQ(o.nodeStage[c.node], c.stage);
}

INSTANTIATE_TEST_SUITE_P(
    Graph, OverworldNodes,
    ::testing::Values(NodeCase{"StartNode", 0, 100, 300, 3, 1, 2, 0, "harbour"},
                      NodeCase{"NeighbourPastTheTableIsNoWay", 3, 200, 310, 0, 0, 0, 5, "quay"},
                      NodeCase{"HalvesToEvenNegativeWayIsNone", 6, 8, 8, 0, 2, 0, 0, "rounded"},
                      NodeCase{"NodeTwentyOneIsIgnored", 20, 0, 0, 0, 0, 0, 0, ""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(Overworld, MarkerTravelsFourPixelsAFrameAndSnapsOnTheTwentyFifth) {
  EXPECT_EQ(o.marker[0].x, 100.0) << "markers start on node 0";
  keyDown(kLeft1);
  for (int frame = 1; frame <= 24; ++frame) {
    frames(1);
    ASSERT_DOUBLE_EQ(o.marker[0].x, 100.0 + 4 * frame);
    ASSERT_EQ(o.markerNode[0], 0);
  }
  EXPECT_NEAR(o.marker[0].y, 309.6, 1e-9);  // 0.4 a frame, as real numbers
  frames(1);
  EXPECT_EQ(o.marker[0].x, 200.0);
  EXPECT_EQ(o.marker[0].y, 310.0);
  EXPECT_EQ(o.markerNode[0], 3);
  EXPECT_EQ(o.marker[1].x, 100.0) << "player 2's marker stays";
}

// Node positions of -3e9 and 3e9 are stored at the range's edges: the way between them is
// longer than the range and is still walked in 25 even steps.
TEST_F(Overworld, MarkerCrossesTheWholeIntegerRange) {
  overworld.nodeX[0] = overworld.nodeY[0] = std::numeric_limits<int32_t>::min();
  overworld.nodeX[3] = overworld.nodeY[3] = std::numeric_limits<int32_t>::max();
  overworld.marker[0].x = overworld.marker[0].y = std::numeric_limits<int32_t>::min();
  keyDown(kLeft1);
  frames(1);
  EXPECT_DOUBLE_EQ(o.marker[0].x, std::numeric_limits<int32_t>::min() + 4294967295.0 / 25);
  frames(24);
  EXPECT_EQ(o.marker[0].y, std::numeric_limits<int32_t>::max());
}

struct HeldCase {
  const char* name;
  std::vector<int> keys;
  int node;  // where the marker stands 30 frames later
};

class OverworldDirections : public Overworld, public ::testing::WithParamInterface<HeldCase> {};

TEST_P(OverworldDirections, FirstDirectionThatStartsAMoveWins) {
  for (int key : GetParam().keys) keyDown(key);
  frames(30);
  EXPECT_EQ(o.markerNode[0], GetParam().node);
}

INSTANTIATE_TEST_SUITE_P(Priority, OverworldDirections,
                         ::testing::Values(HeldCase{"LeftBeatsUp", {kUp1, kLeft1}, 3},
                                           HeldCase{"LeftBeatsRight", {kRight1, kLeft1}, 3},
                                           HeldCase{"RightBeatsUp", {kUp1, kRight1}, 1},
                                           HeldCase{"UpBeatsDown", {kDown1, kUp1}, 2},
                                           HeldCase{"ZeroNeighbourDoesNothing", {kDown1}, 0}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(Overworld, StageIsChosenThirtyNineFramesAfterALongHold) {
  drawParams.autoSize = 1;  // as an earlier screen may leave it
  keyDown(kAttack1);
  ASSERT_TRUE(frames(118));  // two seconds
  EXPECT_EQ(boxOf(quadsOf(o.mapTexture).back()), kWholeScreen);
  EXPECT_EQ(boxOf(quadsOf(interfaceTextures[0]).back()), kWholeScreen) << "the fade cover";
  keyUp(kAttack1);
  ASSERT_TRUE(frames(38));
  EXPECT_EQ(stageName, "stage3");
  EXPECT_FALSE(frames(1));
  EXPECT_EQ(screenState, kScreenPlaystage);
  EXPECT_EQ(stageName, "harbour");
}

TEST_F(Overworld, AttackWhileTravellingIsIgnored) {
  keyDown(kLeft1);
  frames(1);
  keyUp(kLeft1);
  keyDown(kAttack1);
  frames(24);  // arrives in the last of these, after the controls were read
  EXPECT_EQ(o.confirmed, 0);
  frames(1);
  EXPECT_EQ(o.confirmed, 1);
}

TEST_F(Overworld, WaypointsCannotBeChosenNorEndAFade) {
  walk(kLeft1);
  keyDown(kAttack1);
  frames(1);
  keyUp(kAttack1);
  keyDown(kDown1);  // on to waypoint 5 while the cover fades in
  EXPECT_TRUE(frames(60));
  EXPECT_EQ(o.markerNode[0], 5);
  EXPECT_EQ(o.confirmed, 0);
  keyDown(kAttack1);
  EXPECT_TRUE(frames(60));
  EXPECT_EQ(o.confirmed, 0);
}

TEST_F(Overworld, PlayerTwoWalksItsOwnMarkerAndTheLastConfirmerChooses) {
  hat(kHatLeft);
  frames(25);
  hat(kHatCentred);
  EXPECT_EQ(o.markerNode[1], 3);
  EXPECT_EQ(o.markerNode[0], 0);
  keyDown(kAttack1);
  buttonDown(kAttackButton2);
  frames(1);
  keyUp(kAttack1);
  buttonUp(kAttackButton2);
  EXPECT_FALSE(frames(40));
  EXPECT_EQ(stageName, "quay");
}

TEST_F(Overworld, MarkersRunTheirOwnBlocks) {
  frames(3);  // PLAYER1 shows frame 0 for two ticks, then 1; PLAYER2 holds frame 1
  EXPECT_EQ(o.marker[0].frame, 1);
  EXPECT_EQ(o.marker[1].frame, 1);
  std::vector<RecordedQuad> markers = quadsOf(o.markerTexture);
  ASSERT_FALSE(markers.empty());
  EXPECT_EQ(boxOf(markers[0]), (QuadBox{98, 292, 102, 300})) << "offsets stand it on its node";
}

TEST_F(Overworld, EscapeHeldEndsTheProgramWithStatusZero) {
  keyDown(27);
  EXPECT_EXIT(overworldFrame(), ::testing::ExitedWithCode(0), "");
}

}  // namespace
