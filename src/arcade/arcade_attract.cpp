// The attract mode: a title left alone plays a recorded fight, then shows the high scores, then
// comes back; any key at any point returns to the title at once.
#include <cctype>
#include <cstdio>
#include <string>

#include "arcade/arcade.h"
#include "arcade/high_scores.h"
#include "base/whole_file.h"
#include "platform/platform.h"
#include "render/font_text.h"
#include "render/stage_scene.h"
#include "screens/screens.h"
#include "shell/game_start.h"
#include "shell/input.h"
#include "shell/play_loop.h"
#include "shell/window.h"
#include "sim/entity.h"
#include "sim/game_state.h"
#include "sim/recording.h"
#include "sim/tick_input.h"

namespace {

constexpr int32_t kAttractIdleTicks = 20 * kTicksPerSecond;
constexpr int32_t kHighScoreTicks = 10 * kTicksPerSecond;
// A long recording is cut short: the attract mode is a glimpse, not the whole fight.
constexpr int32_t kDemoMostTicks = 60 * kTicksPerSecond;
// The pack's recordings are attract/demo1.replay, demo2 and so on; slots without a file are
// passed over.
constexpr int kAttractSlots = 8;
constexpr const char* kContentFolder = ".";
constexpr int kRecordedPlayerSlots = 2;

constexpr int32_t kHeadingY = 60;
constexpr int32_t kFirstRowY = 150;
constexpr int32_t kRowStep = 48;
constexpr int32_t kRankX = 120, kInitialsX = 200, kScoreRightX = 480, kStageX = 530, kFighterX = 760;
constexpr int32_t kContinuedX = 930;
constexpr int32_t kDifficultyX = 965;  // the run's difficulty by its first letter: E, N or H
constexpr int32_t kPromptY = 700;
constexpr int32_t kBlinkTicks = 30;
constexpr double kDimmed = 0.6;

// Who writes what: demoEntry and demoFrame own every field; nothing else reads them.
struct AttractState {
  Recording recording;
  int32_t tick;                         // the next recorded tick to play
  int32_t playing;                      // 1 while a recording plays
  int32_t nextSlot;                     // the slot to try first next time
  int32_t unplayable[kAttractSlots];    // 1 once a slot's file was refused this session
  Entity savedPlayers[kRecordedPlayerSlots];  // the game's own players, back after the demo
  GameRules savedRules;                        // the arcade's house rules, likewise
};
AttractState attract;

std::string slotPath(int slot) { return "attract/demo" + std::to_string(slot + 1) + ".replay"; }

// The next recording that fits this pack, from the slot after the last one shown. One that
// does not fit is skipped for the rest of the session with one line saying why: a fight
// recorded on other content would go its own way, and never as it was played.
bool pickRecording() {
  for (int k = 0; k < kAttractSlots; ++k) {
    const int slot = (attract.nextSlot + k) % kAttractSlots;
    if (attract.unplayable[slot] == 1 || !fileExists(slotPath(slot))) continue;
    std::string message;
    if (loadRecording(slotPath(slot), kContentFolder, &attract.recording, &message)) {
      attract.nextSlot = (slot + 1) % kAttractSlots;
      return true;
    }
    attract.unplayable[slot] = 1;
    std::fprintf(stderr, "brawler-arcade: %s; not shown\n", message.c_str());
  }
  return false;
}

// The stage as the replay tool starts it: start-up's values with the recording's seed, and
// the rules it was recorded under (brawler's: the players' blows land on each other too, no
// wall at the stage end).
void startRecordedStage() {
  for (int p = 0; p < kRecordedPlayerSlots; ++p) attract.savedPlayers[p] = entities[p];
  attract.savedRules = gameRules;
  setStartUpValues(attract.recording.seed);
  worldName = attract.recording.world;
  stageName = attract.recording.stage;
  gameRules = GameRules{};
  startPlaystage();
  enterStage();
}

// The recorded controls in place of the shell's. Escape is never in a recording, and under
// brawler's rules a held Escape would end the program, not the demo.
void applyRecordedTick() {
  applyTickInput(attract.recording.ticks[attract.tick++]);
  for (PlayerCommand& command : playerCommands) command.escapeHeld = 0;
}

void leaveDemo(int32_t screen) {
  if (attract.playing == 1) {
    for (int p = 0; p < kRecordedPlayerSlots; ++p) entities[p] = attract.savedPlayers[p];
    gameRules = attract.savedRules;
  }
  attract.playing = 0;
  arcade.nextScreen = screen;
}

bool newRun(int row) {
  for (int p = 0; p < kRecordedPlayerSlots; ++p)
    if (initials.run[p] == row) return true;
  return false;
}

bool anyNewRun() {
  for (int p = 0; p < kRecordedPlayerSlots; ++p)
    if (initials.run[p] >= 0) return true;
  return false;
}

char difficultyLetter(int32_t difficulty) {
  return static_cast<char>(std::toupper(static_cast<unsigned char>(difficultyName(difficulty)[0])));
}

void drawRow(int row) {
  const HighScore& run = highScores.runs[row];
  const int32_t y = kFirstRowY + kRowStep * row;
  const double shade = anyNewRun() && !newRun(row) ? kDimmed : 0.0;
  const std::string score = std::to_string(run.score);
  drawFontText(std::to_string(row + 1) + ".", kRankX, y, 1, shade);
  drawFontText(run.initials, kInitialsX, y, 1, shade);
  drawFontText(score, kScoreRightX - fontTextWidth(score, 1), y, 1, shade);
  drawFontText(run.stage, kStageX, y, 1, shade);
  drawFontText(run.fighter, kFighterX, y, 1, shade);
  if (run.continued == 1) drawFontText("C", kContinuedX, y, 1, shade);
  drawFontText(std::string(1, difficultyLetter(run.difficulty)), kDifficultyX, y, 1, shade);
}

void drawHighScores() {
  drawScreenCover(0.0);
  drawFontTextCentred("HIGH SCORES", screenWidth / 2, kHeadingY, 2, 0.0);
  if (highScores.count == 0) drawFontTextCentred("NO RUNS YET", screenWidth / 2, kFirstRowY, 1, 0.0);
  for (int row = 0; row < highScores.count; ++row) drawRow(row);
}

}  // namespace

void resetAttract() { attract = AttractState{}; }

bool anyInputPressed() {
  for (int code = 1; code <= kInputCodes; ++code)
    if (keyPressed[code] != 0) return true;
  return false;
}

void countTitleIdle() {
  for (int p = 0; p < kBindPlayers; ++p)
    if (isPressed(bindLeft[p]) || isPressed(bindRight[p])) {
      arcade.nextScreen = kArcadeHighScores;
      return;
    }
  arcade.idleTicks = anyInputPressed() ? 0 : arcade.idleTicks + 1;
  if (arcade.idleTicks >= kAttractIdleTicks) arcade.nextScreen = kArcadeDemo;
}

std::string demoEntry() {
  attract.tick = 0;
  attract.playing = pickRecording() ? 1 : 0;
  if (attract.playing == 0) return "demo (none fits this pack)";
  startRecordedStage();
  return "demo " + worldName + "/" + stageName;
}

bool demoFrame() {
  pollInput();
  buildPlayerCommands();
  if (anyInputPressed()) {
    leaveDemo(kArcadeTitle);
    return true;
  }
  const int32_t length = static_cast<int32_t>(attract.recording.ticks.size());
  if (attract.playing == 0 || attract.tick >= length || attract.tick >= kDemoMostTicks) {
    leaveDemo(kArcadeHighScores);
    return true;
  }
  applyRecordedTick();
  simulateTick();
  drawStageFrame();
  if ((attract.tick / kBlinkTicks) % 2 == 0)
    drawFontTextCentred("PRESS ANY KEY", screenWidth / 2, kPromptY, 1, 0.0);
  presentFrame();
  return true;
}

std::string highScoresEntry() {
  arcade.phaseTicks = 0;
  return "high scores";
}

bool highScoresFrame() {
  pollInput();
  ++arcade.phaseTicks;
  drawHighScores();
  presentFrame();
  if (anyInputPressed() || arcade.phaseTicks >= kHighScoreTicks) {
    initials = kNoInitials;  // shown once
    arcade.nextScreen = kArcadeTitle;
  }
  return true;
}
