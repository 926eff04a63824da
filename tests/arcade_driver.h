// The arcade on the shipped pack, driven frame by frame through the null platform: start-up,
// a stage of a new game, a cleared stage.
#pragma once
#include <gtest/gtest.h>
#include <unistd.h>

#include "arcade/arcade.h"
#include "arcade/high_scores.h"
#include "arcade/score.h"
#include "content/stage_loader.h"
#include "platform/null_platform.h"
#include "platform/platform.h"
#include "screen_driver.h"
#include "shell/bindings.h"
#include "shell/game_start.h"
#include "shell/screen_state.h"
#include "sim/entity.h"
#include "sim/game_state.h"

// Every opponent gone and player 1 near the end: the stage's clear rule holds from the next step.
inline void clearStageAtOnce() {
  for (int e = 2; e <= lastEntity; ++e)
    if (entities[e].kind == kKindFighter) entities[e].alive = 0;
  entities[0].x = static_cast<int16_t>(stageEnd - 100);
}

class ArcadeFlow : public ::testing::Test {
 protected:
  void SetUp() override {
    ENTER_SHIPPED_PACK();
    nullJoystickCount = 0;
    PlatformEvent leftOver;
    while (platformPollEvent(&leftOver)) {
    }
    startUp(1);
    // Nothing a test does reaches a player's own high scores.
    highScores = HighScoreTable{};
    initials = kNoInitials;
    enterArcade();
  }
  void TearDown() override {
    gameRules = GameRules{};
    useBoundActions(false);  // the arcade's controls stay with the arcade's tests
  }

  // Runs frames until the arcade shows `screen`; false when it has not after n frames.
  bool until(int screen, int n) {
    for (int i = 0; i < n; ++i) {
      EXPECT_TRUE(arcadeFrame());
      nullQuads.clear();
      if (arcade.screen == screen) return true;
    }
    return false;
  }
  void frames(int n) {
    for (int i = 0; i < n; ++i) arcadeFrame(), nullQuads.clear();
  }
  // Straight onto a stage of a new game, the way the map hands over.
  void playStage(int players, const char* stage) {
    startNewGame(players);
    enterArcadeScreen(kArcadeMap);
    stageName = stage;
    enterArcadeScreen(kArcadeStage);
  }
  // Player p falls on their last life: down for good, the continue count's business.
  void fallForGood(int p) {
    scores.lives[p] = 1;
    entities[p].hp = 0;
    entities[p].playerState = kPlayerDead;
  }
  void clearTheStage() { clearStageAtOnce(); }
};

