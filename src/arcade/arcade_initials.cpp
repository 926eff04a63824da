// The end of a run: each player whose run made the high scores names it with three letters,
// picked with the directions and confirmed with attack, then the table is written.
#include <string>

#include "arcade/arcade.h"
#include "arcade/high_scores.h"
#include "arcade/score.h"
#include "platform/platform.h"
#include "render/font_text.h"
#include "render/stage_scene.h"
#include "screens/menu_taps.h"
#include "shell/input.h"
#include "shell/window.h"
#include "sim/entity.h"

InitialsEntry initials = kNoInitials;
int32_t (*endOfRun)(int32_t otherwise) = screenAfterRun;

namespace {

// Long enough to pick three letters at leisure; an arcade left alone must not wait for ever.
constexpr int32_t kInitialsTicks = 30 * kTicksPerSecond;
constexpr char kFirstLetter = 'A';
constexpr int32_t kLetters = 26;
constexpr const char* kNoStage = "-";

constexpr int32_t kHeadingY = 120;
constexpr int32_t kPlayerY = 260;
constexpr int32_t kScoreY = 310;
constexpr int32_t kLettersY = 380;
constexpr int32_t kLetterScale = 3;
constexpr int32_t kLetterStep = 80;
constexpr int32_t kHintY = 600;
constexpr int32_t kCountY = 660;

int32_t takingPart() { return arcade.players < kScoringPlayers ? arcade.players : kScoringPlayers; }

bool naming(int p) { return initials.run[p] >= 0 && initials.letter[p] < kInitialsLength; }

// A name with a space in it would break the file's line into more fields.
std::string oneWord(const std::string& text) {
  std::string word = text.empty() ? kNoStage : text;
  for (char& c : word)
    if (c == ' ') c = '_';
  return word;
}

// The run that just ended for player p, before it is named.
HighScore finishedRun(int p) {
  return HighScore{scores.points[p], std::string(kInitialsLength, kFirstLetter), oneWord(arcade.furthestStage),
                   oneWord(entities[p].name.str()), scores.continued[p], arcade.difficulty};
}

// A later run placed at or above an earlier one pushes it down, maybe off the table.
void makeRoomAbove(int32_t placed, int upTo) {
  for (int q = 0; q < upTo; ++q) {
    if (initials.run[q] < placed) continue;
    ++initials.run[q];
    if (initials.run[q] >= kHighScoreCount) initials.run[q] = -1;
  }
}

void stepLetter(int p) {
  const PlayerCommand& command = playerCommands[p];
  char& shown = highScores.runs[initials.run[p]].initials[initials.letter[p]];
  int32_t letter = shown - kFirstLetter;
  if (command.pressed[kActionUp] != 0) letter = (letter + 1) % kLetters;
  if (command.pressed[kActionDown] != 0) letter = (letter + kLetters - 1) % kLetters;
  shown = static_cast<char>(kFirstLetter + letter);
  if (command.pressed[kActionAttack] != 0) ++initials.letter[p];
}

// The players whose runs are being named stand in columns side by side, in player order.
int32_t columnCentre(int p) {
  int32_t shown = 0, column = 0;
  for (int q = 0; q < takingPart(); ++q) {
    if (initials.run[q] < 0) continue;
    ++shown;
    if (q <= p) ++column;
  }
  return screenWidth * column / (shown + 1);
}

LetterRow lettersOf(int p) {
  const int32_t firstX = columnCentre(p) - kLetterStep * (kInitialsLength - 1) / 2;
  return LetterRow{firstX, kLetterStep, kLettersY, kLetterScale, initials.letter[p], kInitialsLength};
}

void drawPlayerEntry(int p) {
  const HighScore& run = highScores.runs[initials.run[p]];
  const int32_t centreX = columnCentre(p);
  drawFontTextCentred("PLAYER " + std::to_string(p + 1), centreX, kPlayerY, 1, 0.0);
  drawFontTextCentred(std::to_string(run.score), centreX, kScoreY, 1, 0.0);
  const LetterRow letters = lettersOf(p);
  for (int k = 0; k < kInitialsLength; ++k) {
    const bool lit = k == initials.letter[p] || initials.letter[p] >= kInitialsLength;
    drawFontTextCentred(std::string(1, run.initials[k]), letters.firstX + kLetterStep * k, kLettersY,
                        kLetterScale, lit ? 0.0 : kUnchosenEntryTransparency);
  }
}

void drawEntry() {
  drawScreenCover(0.0);
  drawFontTextCentred("NEW HIGH SCORE", screenWidth / 2, kHeadingY, 2, 0.0);
  for (int p = 0; p < takingPart(); ++p)
    if (initials.run[p] >= 0) drawPlayerEntry(p);
  drawFontTextCentred("UP DOWN: LETTER   ATTACK: NEXT", screenWidth / 2, kHintY, 1, 0.0);
  const int32_t secondsLeft = (kInitialsTicks - initials.ticks + kTicksPerSecond - 1) / kTicksPerSecond;
  drawFontTextCentred(std::to_string(secondsLeft), screenWidth / 2, kCountY, 1, kUnchosenEntryTransparency);
}

}  // namespace

int32_t screenAfterRun(int32_t otherwise) {
  initials = kNoInitials;
  scores.runEnded = 1;
  bool any = false;
  for (int p = 0; p < takingPart(); ++p) {
    const int32_t placed = insertHighScore(&highScores, finishedRun(p));
    if (placed < 0) continue;
    makeRoomAbove(placed, p);
    initials.run[p] = placed;
  }
  for (int p = 0; p < takingPart(); ++p) any = any || initials.run[p] >= 0;
  return any ? kArcadeInitials : otherwise;
}

int32_t initialsTapAt(int p, int32_t x, int32_t y) {
  if (p < 0 || p >= takingPart() || !naming(p)) return kLetterTapNone;
  return letterTapAt(x, y, lettersOf(p));
}

std::string initialsEntry() {
  initials.ticks = 0;
  return "initials";
}

bool initialsFrame() {
  pollInput();
  buildPlayerCommands();
  ++initials.ticks;
  bool open = false;
  for (int p = 0; p < takingPart(); ++p)
    if (naming(p)) {
      stepLetter(p);
      open = open || naming(p);
    }
  drawEntry();
  presentFrame();
  if (!open || initials.ticks >= kInitialsTicks) {
    saveHighScores();
    arcade.nextScreen = kArcadeHighScores;
  }
  return true;
}
