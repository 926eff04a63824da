// The real GL path draws a frame's quads with less work (hidden ones left out, partly hidden
// ones clipped, opaque ones unblended); what it shows must be byte for byte what drawing every
// quad blended, as it comes, shows. Frames of the default content in the real window.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "audio/sound.h"
#include "crowded_stage.h"
#include "render/stage_scene.h"
#include "shell/game_start.h"
#include "shell/screen_state.h"
#include "sim/game_state.h"
#include "platform/null_platform.h"
#include "shell/play_loop.h"
#include "shell/stage_start.h"
#include "shell/window.h"
#include "sim/entity.h"

namespace {

constexpr int kSettleTicks = 12;  // fighters into frames other than their first

// What lies over the scene and the heads-up display, as the stage's fade-in or a screen's
// fade would draw it.
enum Cover { kNoCover, kSeeThroughCover, kOpaqueCover };

struct View {
  const char* name;
  int16_t cameraX;
  int16_t shakeX;
  Cover cover;
};

struct StageCase {
  const char* name;
  bool crowded;
  std::vector<View> views;
};

void drawCover(Cover cover) {
  if (cover == kNoCover) return;
  drawScreenCover(cover == kOpaqueCover ? 0.0 : 0.4);
}

std::vector<unsigned char> drawView(const View& view, int plain) {
  gfxPlainDrawing = plain;
  cameraX = view.cameraX;
  shakeX = view.shakeX;
  platformClearBuffers();
  drawStageScene();
  drawHud();
  drawCover(view.cover);
  std::vector<unsigned char> pixels = gfxReadBackBuffer();
  gfxPlainDrawing = 0;
  return pixels;
}

// "" when both match, else where they first differ.
std::string firstDifference(const std::vector<unsigned char>& a, const std::vector<unsigned char>& b) {
  if (a.size() != b.size()) return "sizes differ";
  for (size_t i = 0; i < a.size(); ++i)
    if (a[i] != b[i]) {
      const size_t pixel = i / 4;
      return "pixel (" + std::to_string(pixel % screenWidth) + ", " + std::to_string(pixel / screenWidth) +
             "), byte " + std::to_string(i % 4) + ": " + std::to_string(a[i]) + " drawn plainly, " +
             std::to_string(b[i]) + " queued";
    }
  return "";
}

class FrameIdentity : public ::testing::TestWithParam<StageCase> {
 protected:
  // Sounds are freed by the platform that loaded them: a slot another test filled through the
  // null mixer must not reach the real one's free, nor this test's chunks the null one's.
  void TearDown() override {
    gfxPlainDrawing = 0;
    freeAllAudio();
    useNullPlatform(true);
  }
};

TEST_P(FrameIdentity, QueuedFramesMatchPlainOnesByteForByte) {
  if (!std::getenv("DISPLAY")) GTEST_SKIP() << "no display";
  ASSERT_EQ(chdir(BRAWLER_CONTENT_DIR), 0);
  freeAllAudio();
  useNullPlatform(false);
  startUp(1);
  const StageCase& c = GetParam();
  if (c.crowded) {
    startCrowdedStage();
  } else {
    stageName = "stage3";
    startStage();
    enterStage();
  }
  for (int tick = 0; tick < kSettleTicks; ++tick) simulateTick();
  showFullHealth();
  for (const View& view : c.views) {
    // Players walk in front of the camera, wherever it is.
    entities[0].x = static_cast<int16_t>(view.cameraX + 300);
    entities[1].x = static_cast<int16_t>(view.cameraX + 700);
    const std::vector<unsigned char> plain = drawView(view, 1);
    const std::vector<unsigned char> queued = drawView(view, 0);
    EXPECT_EQ(firstDifference(plain, queued), "") << view.name;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Stages, FrameIdentity,
    ::testing::Values(StageCase{"Stage3",
                                false,
                                {{"at the start", 0, 0, kNoCover},
                                 {"between street fronts, shaken", 1337, 3, kNoCover},
                                 {"far along, under the fade", 2901, 0, kSeeThroughCover},
                                 {"near the end", 4176, -2, kNoCover},
                                 {"under an opaque cover", 600, 0, kOpaqueCover}}},
                      StageCase{"Crowded",
                                true,
                                {{"at the start", 0, 0, kNoCover},
                                 {"in the thick of it", 1500, 2, kNoCover},
                                 {"past the crowd, under the fade", 3100, 0, kSeeThroughCover}}}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
