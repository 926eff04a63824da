#include "screens/overworld.h"

#include <gtest/gtest.h>

#include "screen_driver.h"
#include "screens/screens.h"
#include "shell/game_state.h"
#include "sim/entity.h"

using namespace screen_driver;

namespace {

class Overworld : public ::testing::Test {
 protected:
  void SetUp() override {
    useScreenFixtures();
    loadGlobalSheet();
    playerCount = 2;
    worldName = "world1";
    stageName = "stage3";
    screenState = kScreenOverworld;
    enterOverworld();
  }
  // Runs n frames; false as soon as the screen has moved on.
  bool frames(int n) { return runFrames(overworldFrame, n); }
  const OverworldState& o = overworld;
};

struct NodeCase {
  const char* name;
  int node;
  int x, y, left, right, up, down;
  const char* stage;
};

class OverworldNodes : public Overworld, public ::testing::WithParamInterface<NodeCase> {};

TEST_P(OverworldNodes, ReadFromTheDataFile) {
  const NodeCase& c = GetParam();
  EXPECT_EQ(o.nodeX[c.node], c.x);
  EXPECT_EQ(o.nodeY[c.node], c.y);
  EXPECT_EQ(o.nodeLeft[c.node], c.left);
  EXPECT_EQ(o.nodeRight[c.node], c.right);
  EXPECT_EQ(o.nodeUp[c.node], c.up);
  EXPECT_EQ(o.nodeDown[c.node], c.down);
  EXPECT_EQ(o.nodeStage[c.node], c.stage);
}

INSTANTIATE_TEST_SUITE_P(
    Graph, OverworldNodes,
    ::testing::Values(NodeCase{"StartNodeWithThreeWays", 0, 100, 300, 3, 1, 2, 0, "harbour"},
                      NodeCase{"NeighbourPastTheTableIsNoWay", 3, 200, 300, 0, 0, 0, 5, "quay"},
                      NodeCase{"NodeWithoutStageIsWaypoint", 5, 200, 400, 0, 0, 3, 0, ""},
                      NodeCase{"LowerCaseKeywordIsARemark", 4, 0, 0, 0, 0, 0, 0, ""},
                      NodeCase{"HalvesRoundToEvenNegativeWayIsNone", 6, 8, 8, 0, 2, 0, 0, "rounded"},
                      NodeCase{"LastNodeUntouchedByNodeTwentyOne", 20, 0, 0, 0, 0, 0, 0, ""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(Overworld, EveryMarkerStartsOnNodeZero) {
  for (int p = 0; p < 2; ++p) {
    EXPECT_EQ(o.markerNode[p], 0);
    EXPECT_EQ(o.marker[p].x, 100.0);
    EXPECT_EQ(o.marker[p].y, 300.0);
  }
}

TEST_F(Overworld, MarkerTravelsFourPixelsAFrameAndArrivesOnTheTwentyFifth) {
  keyDown(kLeft1);
  for (int frame = 1; frame <= 24; ++frame) {
    ASSERT_TRUE(frames(1));
    EXPECT_DOUBLE_EQ(o.marker[0].x, 100.0 + 4 * frame) << "frame " << frame;
    EXPECT_EQ(o.markerNode[0], 0) << "frame " << frame;
  }
  ASSERT_TRUE(frames(1));
  EXPECT_EQ(o.marker[0].x, 200.0);
  EXPECT_EQ(o.marker[0].y, 300.0);
  EXPECT_EQ(o.markerNode[0], 3);
  EXPECT_EQ(o.markerMoving[0], 0);
  EXPECT_EQ(o.marker[1].x, 100.0) << "player 2's marker stays";
}

TEST_F(Overworld, FractionalStepsSnapExactlyOntoTheNode) {
  keyDown(kRight1);  // node 1 is 50 right and 10 down: 2 and 0.4 pixels a frame
  frames(24);
  EXPECT_NEAR(o.marker[0].y, 309.6, 1e-9);
  frames(1);
  EXPECT_EQ(o.marker[0].x, 150.0);
  EXPECT_EQ(o.marker[0].y, 310.0);
}

struct HeldCase {
  const char* name;
  std::vector<int> keys;
  int target;  // 0: no move
};

class OverworldDirections : public Overworld, public ::testing::WithParamInterface<HeldCase> {};

TEST_P(OverworldDirections, FirstDirectionThatStartsAMoveWins) {
  for (int key : GetParam().keys) keyDown(key);
  frames(1);
  EXPECT_EQ(o.markerMoving[0], GetParam().target != 0 ? 1 : 0);
  if (GetParam().target != 0) EXPECT_EQ(o.markerTarget[0], GetParam().target);
  frames(30);
  EXPECT_EQ(o.markerNode[0], GetParam().target);
}

INSTANTIATE_TEST_SUITE_P(
    Priority, OverworldDirections,
    ::testing::Values(HeldCase{"LeftBeatsUp", {kUp1, kLeft1}, 3},
                      HeldCase{"LeftBeatsRight", {kRight1, kLeft1}, 3},
                      HeldCase{"RightBeatsUp", {kUp1, kRight1}, 1},
                      HeldCase{"UpBeatsDown", {kDown1, kUp1}, 2},
                      HeldCase{"ZeroNeighbourDoesNothing", {kDown1}, 0},
                      HeldCase{"ZeroNeighbourDoesNotBlockTheNext", {kDown1, kUp1}, 2}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(Overworld, NeighbourOutsideTheTableIsNoWay) {
  keyDown(kLeft1);
  frames(25);
  keyUp(kLeft1);
  keyDown(kUp1);  // node 3 names node 21 upwards
  frames(3);
  EXPECT_EQ(o.markerMoving[0], 0);
  EXPECT_EQ(o.markerNode[0], 3);
}

TEST_F(Overworld, StageIsChosenThirtyNineFramesAfterALongHold) {
  keyDown(kAttack1);
  ASSERT_TRUE(frames(118));  // two seconds of holding
  keyUp(kAttack1);
  ASSERT_TRUE(frames(38));
  EXPECT_EQ(stageName, "stage3");
  EXPECT_FALSE(frames(1));
  EXPECT_EQ(screenState, kScreenPlaystage);
  EXPECT_EQ(stageName, "harbour");
}

TEST_F(Overworld, FadeCoversTheScreenWithTheInterfaceFadeFrame) {
  keyDown(kAttack1);
  frames(1);
  keyUp(kAttack1);
  nullQuads.clear();
  frames(1);
  std::vector<RecordedQuad> cover = quadsOf(interfaceTextures[0]);
  ASSERT_EQ(cover.size(), 1u);
  EXPECT_NEAR(cover[0].alpha, 0.05, 1e-9);
  EXPECT_EQ(boxOf(cover[0]), kWholeScreen);
  EXPECT_DOUBLE_EQ(cover[0].corners[0].u, 6.0 / 8.0);  // frame 4 of the sheet
}

TEST_F(Overworld, MapIsStretchedOverTheScreen) {
  frames(1);
  std::vector<RecordedQuad> map = quadsOf(o.mapTexture);
  ASSERT_EQ(map.size(), 1u);
  EXPECT_EQ(boxOf(map[0]), kWholeScreen);
  EXPECT_EQ(map[0].alpha, 1.0);
}

TEST_F(Overworld, AttackWhileTravellingIsIgnoredUntilArrival) {
  keyDown(kLeft1);
  frames(1);
  keyUp(kLeft1);
  keyDown(kAttack1);
  frames(23);
  EXPECT_EQ(o.confirmed, 0);
  frames(1);  // arrives in this frame's travel step, after the controls were read
  EXPECT_EQ(o.confirmed, 0);
  frames(1);
  EXPECT_EQ(o.confirmed, 1);
  EXPECT_EQ(o.markerNode[o.chooser], 3);
}

TEST_F(Overworld, AttackOnAWaypointPicksNothing) {
  keyDown(kLeft1);
  frames(25);
  keyUp(kLeft1);
  keyDown(kDown1);
  frames(25);
  keyUp(kDown1);
  ASSERT_EQ(o.markerNode[0], 5);
  keyDown(kAttack1);
  frames(60);
  EXPECT_EQ(o.confirmed, 0);
  EXPECT_EQ(screenState, kScreenOverworld);
}

TEST_F(Overworld, WalkingOntoAWaypointDuringTheFadeCallsTheChoiceOff) {
  keyDown(kLeft1);
  frames(25);
  keyUp(kLeft1);
  keyDown(kAttack1);
  frames(1);
  keyUp(kAttack1);
  keyDown(kDown1);
  EXPECT_TRUE(frames(60));
  EXPECT_EQ(o.markerNode[0], 5);
  EXPECT_EQ(o.confirmed, 0);
  EXPECT_EQ(screenState, kScreenOverworld);
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
  EXPECT_EQ(o.chooser, 1);
  EXPECT_FALSE(frames(40));
  EXPECT_EQ(stageName, "quay");
}

struct MarkerFrameCase {
  const char* name;
  int player;
  int frames;
  int frame;
};

class OverworldMarkerAnimation : public Overworld, public ::testing::WithParamInterface<MarkerFrameCase> {};

// PLAYER1 shows frame 0 for two ticks, frame 1 for three (the END tick included), then again.
TEST_P(OverworldMarkerAnimation, EachPlayerRunsItsOwnBlock) {
  frames(GetParam().frames);
  EXPECT_EQ(o.marker[GetParam().player].frame, GetParam().frame);
}

INSTANTIATE_TEST_SUITE_P(Blocks, OverworldMarkerAnimation,
                         ::testing::Values(MarkerFrameCase{"PlayerOneFirstTick", 0, 1, 0},
                                           MarkerFrameCase{"PlayerOneSecondPicture", 0, 3, 1},
                                           MarkerFrameCase{"PlayerOneAtEnd", 0, 5, 1},
                                           MarkerFrameCase{"PlayerOneStartsOver", 0, 6, 0},
                                           MarkerFrameCase{"PlayerTwoHolds", 1, 6, 1}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(Overworld, MarkerStandsOnItsNodeByItsOffsets) {
  frames(1);
  std::vector<RecordedQuad> markers = quadsOf(o.markerTexture);
  ASSERT_EQ(markers.size(), 2u);
  EXPECT_EQ(boxOf(markers[0]), (QuadBox{98, 292, 102, 300}));
}

TEST_F(Overworld, EscapeHeldEndsTheProgramWithStatusZero) {
  keyDown(27);
  EXPECT_EXIT(overworldFrame(), ::testing::ExitedWithCode(0), "");
}

}  // namespace
