// A stage in the arcade: the game's own tick, with a pause, a clear and a game over around it.
#include <string>

#include "arcade/arcade.h"
#include "arcade/score.h"
#include "audio/sound.h"
#include "render/font_text.h"
#include "render/stage_scene.h"
#include "screens/menu_taps.h"
#include "shell/input.h"
#include "shell/play_loop.h"
#include "shell/screen_state.h"
#include "shell/stage_start.h"
#include "shell/window.h"
#include "sim/entity.h"
#include "sim/game_state.h"
#include "sim/sound_requests.h"
#include "sim/tick.h"

namespace {

// Long enough for the music's 1.5-second fade and a moment of quiet after it.
constexpr int32_t kClearHoldTicks = 3 * kTicksPerSecond;
constexpr int32_t kContinueSeconds = 10;
constexpr int32_t kContinueTicks = kContinueSeconds * kTicksPerSecond;

constexpr int32_t kBannerY = 280;
constexpr int32_t kBannerScale = 2;
constexpr int32_t kLineY = 380;
constexpr int32_t kLineStep = 50;
constexpr double kPauseDim = 0.5;
const char* const kPauseChoices[] = {"GO ON", "TITLE"};
constexpr int32_t kPauseChoiceCount = 2;

int32_t centre() { return screenWidth / 2; }

// The scores sit right of the two panels, a row each (player 1 level with the top of the
// panels): under them is where the boss's health bar goes.
constexpr int32_t kScoreX = 555;
constexpr int32_t kScoreY = 14;
constexpr int32_t kScoreRowStep = 44;
constexpr int32_t kLivesMargin = 20;

// The players' points are read off the tick around its attacks: what the attacks are about to
// change, then what they changed.
void watchForPoints(TickPhase next) {
  if (next == kTickAttacks) scoreTickBeforeAttacks(arcade.players);
  if (next == kTickShake) scoreTickAfterAttacks(arcade.players);
}

// A tick run again after a late command has been heard once already.
bool quietTick = false;

// The game's own tick (its end wall a house rule), then what the arcade shows of it.
void arcadeTick() {
  if (quietTick) {
    runTickWatched(watchForPoints);
    clearSoundRequests();
  } else {
    simulateTick(watchForPoints);
  }
  spendLivesOnFalls();
  watchStageBoss();
  countDownPlayerMarks();
}

void setPhase(int32_t phase) {
  arcade.phase = phase;
  arcade.phaseTicks = 0;
}

void leaveStageCleared() {
  markStageCleared(stageName);
  arcade.lastStage = stageName;
  // THE END comes only after the last world; a finished world before it goes on to the next.
  if (!worldFinished(overworld) || goOnToNextWorld())
    arcade.nextScreen = kArcadeMap;
  else
    arcade.nextScreen = kArcadeEnd;
}

// ---- one step per phase, before the drawing; each may end the stage ----

bool anyPlayerPaused() {
  for (int p = 0; p < arcade.players && p < kCommandPlayers; ++p)
    if (playerCommands[p].pausePressed != 0) return true;
  return false;
}

void playStep() {
  if (anyPlayerPaused()) {
    setPhase(kPhasePaused);
    arcade.pauseChoice = kPauseGoOn;
    return;
  }
  arcadeTick();
}

// Player 1 runs the pause box; Escape again goes on.
void pauseStep() {
  const PlayerCommand& one = playerCommands[0];
  if (one.pressed[kActionUp] != 0 || one.pressed[kActionDown] != 0)
    arcade.pauseChoice = (arcade.pauseChoice + 1) % kPauseChoiceCount;
  if (one.pausePressed != 0) arcade.pauseChoice = kPauseGoOn;
  const bool chosen = one.confirmPressed != 0 || one.pressed[kActionAttack] != 0 || one.pausePressed != 0;
  if (!chosen) return;
  if (arcade.pauseChoice == kPauseToTitle)
    arcade.stageExit = kExitToTitle;
  else
    setPhase(kPhasePlaying);
}

void clearedStep() {
  arcadeTick();
  if (++arcade.phaseTicks >= kClearHoldTicks) arcade.stageExit = kExitCleared;
}

void gameOverStep() {
  if (anyPlayerPressed(kActionAttack)) {
    continueScores(arcade.players);
    revivePlayers();
    setPhase(kPhasePlaying);
    return;
  }
  arcadeTick();
  if (++arcade.phaseTicks >= kContinueTicks) arcade.stageExit = kExitRunOver;
}

// ---- words over the stage ----

void drawPause() {
  drawScreenCover(kPauseDim);
  drawFontTextCentred("PAUSED", centre(), kBannerY, kBannerScale, 0.0);
  for (int k = 0; k < kPauseChoiceCount; ++k)
    drawFontTextCentred(kPauseChoices[k], centre(), kLineY + kLineStep * k, 1,
                        k == arcade.pauseChoice ? 0.0 : kUnchosenEntryTransparency);
}

void drawGameOver() {
  const int32_t secondsLeft = (kContinueTicks - arcade.phaseTicks + kTicksPerSecond - 1) / kTicksPerSecond;
  drawFontTextCentred("GAME OVER", centre(), kBannerY, kBannerScale, 0.0);
  drawFontTextCentred("CONTINUE? " + std::to_string(secondsLeft), centre(), kLineY, 1, 0.0);
}

// Each player's lives sit at the right edge of the score's row.
void drawScores() {
  for (int p = 0; p < arcade.players && p < kScoringPlayers; ++p) {
    const int32_t y = kScoreY + kScoreRowStep * p;
    drawFontText(std::to_string(p + 1) + "P " + std::to_string(scores.points[p]), kScoreX, y, 1, 0.0);
    const std::string lives = "LIVES " + std::to_string(scores.lives[p]);
    drawFontText(lives, screenWidth - kLivesMargin - fontTextWidth(lives, 1), y, 1, 0.0);
  }
}

void drawOverlay() {
  drawPlayerMarks();
  drawStageBoss();
  drawScores();
  if (arcade.phase == kPhasePaused) drawPause();
  if (arcade.phase == kPhaseCleared) drawFontTextCentred("STAGE CLEAR", centre(), kBannerY, kBannerScale, 0.0);
  if (arcade.phase == kPhaseGameOver) drawGameOver();
}

struct PhaseStep {
  int32_t phase;
  void (*step)();
};
const PhaseStep kPhaseSteps[] = {
    {kPhasePlaying, playStep}, {kPhasePaused, pauseStep},
    {kPhaseCleared, clearedStep}, {kPhaseGameOver, gameOverStep},
};

void stepPhase() {
  pollInput();
  buildPlayerCommands();
  for (const PhaseStep& s : kPhaseSteps)
    if (s.phase == arcade.phase) {
      s.step();
      break;
    }
}

// After the step (and the picture): the stage cleared, or everyone down.
void changePhase() {
  if (arcade.phase == kPhasePlaying && stageCleared()) {
    setPhase(kPhaseCleared);
    scoreStageClear(arcade.players);
    if (!quietTick) fadeOutMusic();
  } else if (arcade.phase == kPhasePlaying && everyPlayerDown()) {
    setPhase(kPhaseGameOver);
  }
}

}  // namespace

int32_t pauseChoiceAt(int32_t, int32_t y) { return fontRowAt(y, kLineY, kLineStep, kPauseChoiceCount); }

void leaveStage() {
  switch (arcade.stageExit) {
    case kExitCleared: return leaveStageCleared();
    case kExitRunOver: arcade.nextScreen = endOfRun(kArcadeTitle); return;
    case kExitToTitle: arcade.nextScreen = kArcadeTitle; return;
  }
}

void stageTickAlone(bool quiet) {
  quietTick = quiet;
  stepPhase();
  if (arcade.stageExit == kExitNone) changePhase();
  quietTick = false;
}

void drawStageAndOverlay() {
  drawStageFrame();
  drawOverlay();
  presentFrame();
}

std::string stageEntry() {
  playerCount = arcade.players;
  screenState = kScreenPlaystage;
  readyPlayersForStage();
  applyDifficulty(gameRules, arcade.difficulty);
  // With one player, playerCount is 1: player 2 has no body, panel or control, and the stage's
  // first entity takes slot 1.
  startStage();
  showFullHealth();
  findStageBoss();
  dressPlayersForStage();
  enterStage();
  scoreStageStart();
  arcade.furthestStage = worldName + "/" + stageName;
  setPhase(kPhasePlaying);
  arcade.stageExit = kExitNone;
  return "stage " + worldName + "/" + stageName;
}

bool stageFrame() {
  stepPhase();
  // A step that leaves the stage draws nothing more of it: the next screen draws next.
  if (arcade.stageExit != kExitNone) {
    leaveStage();
    return true;
  }
  drawStageAndOverlay();
  changePhase();
  return true;
}
