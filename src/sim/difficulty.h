// The arcade's difficulty: how much of their hit points and damage opponents keep, and how
// long they wait between decisions, as house rules over the content's own figures; and the
// range of the lives a run gives each player, which the settings and the online greeting carry
// beside it.
#pragma once
#include <cstdint>
#include <string>

#include "sim/game_state.h"

constexpr int32_t kFewestLives = 1;
constexpr int32_t kMostLives = 5;
constexpr int32_t kDefaultLives = 3;

enum Difficulty { kDifficultyEasy = 0, kDifficultyNormal = 1, kDifficultyHard = 2, kDifficulties };

// One difficulty's name (as the settings and score files write it) and its figures.
struct DifficultyFigures {
  const char* name;
  int32_t hpPercent;
  int32_t damagePercent;
  int32_t waitPercent;
};
// Easy, normal and hard, in the order of Difficulty. Normal is the content as written.
extern const DifficultyFigures kDifficultyFigures[kDifficulties];

// The rules' difficulty figures set to `difficulty`'s (normal for a value out of range).
void applyDifficulty(GameRules& rules, int32_t difficulty);
// "easy", "normal", "hard".
std::string difficultyName(int32_t difficulty);
// The difficulty of that name, or -1.
int32_t difficultyNamed(const std::string& name);
