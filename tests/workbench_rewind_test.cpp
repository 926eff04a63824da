// The workbench's rewind, driven frame by frame through the null platform on the shipped pack:
// Backspace held steps back, `n` steps forward again on the inputs the ticks first ran on.
#include <gtest/gtest.h>
#include <unistd.h>

#include "crowded_stage.h"
#include "platform/null_platform.h"
#include "screen_driver.h"
#include "shell/game_start.h"
#include "shell/screen_state.h"
#include "sim/world.h"
#include "workbench.h"

namespace {

using screen_driver::keyDown;
using screen_driver::keyUp;
using screen_driver::tapKey;
constexpr int kBackspace = 8, kKeyN = 'n', kKeyP = 'p';

class WorkbenchRewind : public ::testing::Test {
 protected:
  void SetUp() override {
    ENTER_SHIPPED_PACK();
    nullClearEvents();
    startUp(1);
    workbench = Workbench{};
    worldName = "world1";
    stageName = "stage3";
    enterWorkbenchStage();
  }
  void TearDown() override { nullClearEvents(); }

  void frames(int n) {
    for (int i = 0; i < n; ++i) workbenchStageFrame(), nullQuads.clear();
  }
  // Plays `ticks` with player 1 walking right and striking, then pauses.
  void fight(int ticks) {
    keyDown(screen_driver::kRight1);
    for (int t = 0; t < ticks; ++t) {
      if (t % 20 == 0) tapKey(screen_driver::kAttack1);
      frames(1);
    }
    keyUp(screen_driver::kRight1);
    tapKey(kKeyP);
    frames(1);
  }
  void holdBackspace(int n) {
    keyDown(kBackspace);
    frames(n);
    keyUp(kBackspace);
    frames(1);
  }
  // Steps forward with n while player 1 holds left: the steps must take the kept commands.
  void stepForward(int n) {
    keyDown(screen_driver::kLeft1);
    for (int i = 0; i < n; ++i) tapKey(kKeyN), frames(1);
    keyUp(screen_driver::kLeft1);
  }
};

TEST_F(WorkbenchRewind, StepsBackAndForwardAgainToTheSameWorld) {
  const struct { const char* shows; int fightTicks, backFrames, expectBack; } cases[] = {
      {"one tick", 120, 1, 1},
      {"two seconds", 200, 120, 120},
      {"past the first tick stops at the stage start", 100, 150, 100},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.shows);
    restartStage();
    workbench = Workbench{};
    fight(c.fightTicks);
    const int32_t newest = workbench.shownTick;
    const uint64_t reached = worldDigest();
    holdBackspace(c.backFrames);
    EXPECT_EQ(newest - workbench.shownTick, c.expectBack);
    EXPECT_NE(worldDigest(), reached);
    stepForward(newest - workbench.shownTick);
    EXPECT_EQ(workbench.shownTick, newest);
    EXPECT_EQ(worldDigest(), reached);
  }
}

// 1,001 entities make a snapshot of about 420 KB: the ring keeps far fewer than 600 of them.
TEST_F(WorkbenchRewind, ACrowdedStageKeepsFewerTicksWithinTheByteCap) {
  startCrowdedStage();
  forgetRewind();
  constexpr int kTicks = 200;
  frames(kTicks);
  tapKey(kKeyP);
  frames(1);
  const int32_t newest = workbench.shownTick;
  const uint64_t reached = worldDigest();
  const int32_t keptTicks = newest - oldestKeptTick();
  EXPECT_GT(keptTicks, 10);
  EXPECT_LT(keptTicks, kTicks);
  holdBackspace(kTicks);
  EXPECT_EQ(workbench.shownTick, oldestKeptTick());
  stepForward(keptTicks);
  EXPECT_EQ(worldDigest(), reached);
}

}  // namespace
