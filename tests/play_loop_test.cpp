#include "shell/play_loop.h"

#include <gtest/gtest.h>

#include <sstream>

#include "content/stage_loader.h"
#include "recorded_quads.h"
#include "sim/entity.h"
#include "sim/game_state.h"

namespace {

constexpr uint32_t kSheetName = 40;
Texture sheetTexture;

// An empty stage: no scenery, only the two players, who stand still far from everything.
void resetLoop() {
  startRecording();
  playerCount = 2;
  lastEntity = 1;
  lastObject = -1;
  stageEnd = 5000;
  cameraX = cameraY = 0;
  shakeX = shakeY = shakeSign = 0;
  for (int k = 0; k < kDrawOrderCount; ++k) drawOrder[k] = k;
  sheetTexture.glName = kSheetName;
  for (int f = 0; f <= 4; ++f) giveFrame(interfaceSprites[0].frames, f, sheetTexture, 16, 16);
  interfaceSprites[0].autoSize = 1;
}

// Every tick must find its frame slot over, or the pacing waits for a clock nobody moves.
void tick() {
  nullAdvanceTicks(20);
  stageTick();
}

bool isFadeCover(const RecordedQuad& q) {
  return q.glName == kSheetName && quadWidth(q) == 1024 && quadHeight(q) == 768;
}

TEST(FadeIn, CoversTheFirstFortyFramesThenNone) {
  resetLoop();
  ::testing::internal::CaptureStdout();
  enterStage();
  std::vector<double> coverAlpha;
  for (int frame = 1; frame <= 45; ++frame) {
    nullQuads.clear();
    tick();
    for (const RecordedQuad& q : nullQuads)
      if (isFadeCover(q)) coverAlpha.push_back(q.alpha);
    ASSERT_EQ(coverAlpha.size(), frame <= 40 ? size_t(frame) : 40u) << "frame " << frame;
  }
  std::string trace = ::testing::internal::GetCapturedStdout();
  EXPECT_NEAR(coverAlpha.front(), 0.975, 1e-9);
  EXPECT_NEAR(coverAlpha.back(), 0.0, 1e-9);

  std::istringstream lines(trace);
  std::vector<std::string> amounts;
  for (std::string line; std::getline(lines, line);)
    if (!line.empty() && (line[0] == '0' || line[0] == '1')) amounts.push_back(line);
  ASSERT_EQ(amounts.size(), 40u);
  EXPECT_EQ(amounts[0], "0.025");
  EXPECT_EQ(amounts[1], "0.050");
  EXPECT_EQ(amounts[39], "1.000");
}

TEST(FadeIn, RunsAgainOnEachEntry) {
  resetLoop();
  ::testing::internal::CaptureStdout();
  enterStage();
  for (int frame = 0; frame < 10; ++frame) tick();
  enterStage();
  nullQuads.clear();
  tick();
  ::testing::internal::GetCapturedStdout();
  int covers = 0;
  for (const RecordedQuad& q : nullQuads) covers += isFadeCover(q);
  ASSERT_EQ(covers, 1);
}

TEST(ShakeBookkeeping, SignFlipsAndShakesDecay) {
  resetLoop();
  ::testing::internal::CaptureStdout();
  enterStage();
  shakeX = 1;
  shakeY = 30;
  tick();
  EXPECT_EQ(shakeSign, 1);
  EXPECT_EQ(shakeX, 0);
  EXPECT_EQ(shakeY, 15);
  tick();
  ::testing::internal::GetCapturedStdout();
  EXPECT_EQ(shakeSign, 0);
  EXPECT_EQ(shakeX, 0);
  EXPECT_EQ(shakeY, 14);
}

// A prop whose script shows frame 7 on its first step, so a step is visible in the record.
void placeScriptedEntity(int e, int kind, int16_t x) {
  writeScript({"BEGIN STATIONARY", "FRAMESET 7", "STOP"}, entitySprites[e].script);
  entities[e].alive = 1;
  entities[e].kind = kind;
  entities[e].x = x;
  entities[e].y = 600;
  entitySprites[e].scriptLine = 0;
  entitySprites[e].frame = 0;
  entitySprites[e].width = 0;
  if (e > lastEntity) lastEntity = e;
}

struct WindowCase {
  const char* name;
  int kind;
  int16_t x;
  bool stepped;
  friend void PrintTo(const WindowCase& c, std::ostream* os) { *os << c.name; }
};

class AnimationWindow : public ::testing::TestWithParam<WindowCase> {};

TEST_P(AnimationWindow, OnlyEntitiesNearTheViewAnimate) {
  const WindowCase& c = GetParam();
  resetLoop();
  ::testing::internal::CaptureStdout();
  enterStage();
  placeScriptedEntity(2, c.kind, c.x);
  tick();
  ::testing::internal::GetCapturedStdout();
  EXPECT_EQ(entitySprites[2].frame, c.stepped ? 7 : 0);
  EXPECT_GE(entities[2].x, 0);  // nothing stays left of the stage's start
}

// The camera rests at 0 here: the players stand at the stage's start.
INSTANTIATE_TEST_SUITE_P(
    Window, AnimationWindow,
    ::testing::Values(WindowCase{"PropAtTheRightLimitAnimates", kKindObject, 2024, true},
                      WindowCase{"PropPastTheRightLimitIsFrozen", kKindObject, 2025, false},
                      WindowCase{"EffectPastTheRightLimitAnimates", kKindEffect, 2025, true},
                      WindowCase{"PropLeftOfTheStageIsHeldAtZeroAndAnimates", kKindObject, -5,
                                 true}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
