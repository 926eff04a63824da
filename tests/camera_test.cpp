#include "sim/camera.h"

#include <gtest/gtest.h>

#include "content/stage_loader.h"
#include "sim/entity.h"
#include "sim/game_state.h"

namespace {

struct CameraCase {
  const char* name;
  int16_t x, y, z;
  double scriptWidth;
  int32_t cameraBefore;
  int32_t stageEndValue;
  int32_t expectedX;
  int32_t expectedY;
  friend void PrintTo(const CameraCase& c, std::ostream* os) { *os << c.name; }
};

class UpdateCamera : public ::testing::TestWithParam<CameraCase> {};

TEST_P(UpdateCamera, FollowsPlayerOne) {
  const CameraCase& c = GetParam();
  cameraTarget = 0;
  entities[0].x = c.x;
  entities[0].y = c.y;
  entities[0].z = c.z;
  entities[0].scriptWidth = c.scriptWidth;
  cameraX = c.cameraBefore;
  cameraY = 0;
  stageEnd = c.stageEndValue;
  updateCamera();
  EXPECT_EQ(cameraX, c.expectedX);
  EXPECT_EQ(cameraY, c.expectedY);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, UpdateCamera,
    ::testing::Values(
        CameraCase{"FirstStepCoversHalfTheGap", 1000, 400, 0, 60, 0, 5000, 259, 0},
        CameraCase{"SecondStepCoversHalfAgain", 1000, 400, 0, 60, 259, 5000, 388, 0},
        CameraCase{"RestsAtTheTarget", 1000, 400, 0, 60, 517, 5000, 517, 0},
        CameraCase{"OddSumLosesItsHalf", 1001, 400, 0, 60, 0, 5000, 259, 0},
        CameraCase{"HalfWidthRoundsHalfDownToEven", 1000, 400, 0, 62.5, 0, 5000, 259, 0},
        CameraCase{"HalfWidthRoundsHalfUpToEven", 1000, 400, 0, 63.5, 0, 5000, 260, 0},
        CameraCase{"StopsAtTheStageEnd", 30000, 400, 0, 60, 2000, 3000, 1976, 0},
        CameraCase{"ShortStageStaysAtZero", 700, 400, 0, 60, 0, 800, 0, 0},
        CameraCase{"NeverLeftOfTheStart", 0, 400, 0, 60, 100, 5000, 0, 0},
        CameraCase{"RisesWithTheJump", 1000, 400, 250, 60, 517, 5000, 517, -90},
        CameraCase{"RiseIsCapped", 1000, 400, 400, 60, 517, 5000, 517, -150},
        CameraCase{"RowIsASixteenBitDifference", 1000, 30000, -10000, 60, 517, 5000, 517, -150},
        // Content numbers at the edge of the 32-bit range: the view saturates, never wraps.
        CameraCase{"StageEndAtTheBottomOfTheRange", 100, 400, 0, 60, 0, -2147483000, 0, 0},
        CameraCase{"HugeWidthFarOut", 100, 400, 0, 1e10, 2147482623, 2147483647, 1610612017, 0},
        CameraCase{"FarOutOnAStageEndingAtTheTop", 32000, 400, 0, 60, 2147483000, 2147483647, 1073757259, 0}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
