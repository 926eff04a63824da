// The table of the best runs, and the plain text file it is kept in between sessions.
#pragma once
#include <cstdint>
#include <string>

#include "sim/difficulty.h"

constexpr int kHighScoreCount = 10;
constexpr int kInitialsLength = 3;

// One run that made the table. Written by insertHighScore (a finished run) and the initials
// entry (its letters); read by the table screen and the file writer.
struct HighScore {
  int32_t score;
  std::string initials;  // kInitialsLength capital letters
  std::string stage;     // the furthest stage reached, "world1/stage2"
  std::string fighter;   // the fighter the player chose, "kestor"
  int32_t continued;     // 1 when the player took a continue on the way
  int32_t difficulty = kDifficultyNormal;  // the run's (sim/difficulty.h)
};

// Best first; runs with equal scores in the order they were made. The file's reader and
// insertHighScore write it; `path` is set once at start-up.
struct HighScoreTable {
  HighScore runs[kHighScoreCount];
  int32_t count;
  std::string path;  // where it is kept; empty: kept for the session only
};
extern HighScoreTable highScores;

// The file, one run a line: "SCORE INITIALS STAGE FIGHTER continued|first DIFFICULTY", under a
// comment line that names the fields. A line without the difficulty (written before there was
// a choice) is a run on normal.
std::string formatHighScores(const HighScoreTable& table);
// Reads the text of `path` into the table: each line that is not a run is passed over with one
// warning naming the file and line, and the rest is kept. Returns how many lines were skipped.
int parseHighScores(const std::string& text, const std::string& path, HighScoreTable* table);
// The table from its file; a missing file is an empty table, an unreadable one an empty table
// with a warning.
void loadHighScores(const std::string& path);
// Writes the table over its file atomically, making its folder first; false, with one warning,
// when it cannot (the table is then kept for the session only).
bool saveHighScores();

// Whether a run of `score` points would enter the table now.
bool makesHighScores(const HighScoreTable& table, int32_t score);
// Puts the run in its place; its index, or -1 when it is not good enough. Runs that fall off
// the bottom are forgotten.
int insertHighScore(HighScoreTable* table, const HighScore& run);
