#include "sim/difficulty.h"

// Easy forgives: opponents fall sooner and hit softer. Hard asks for care: they last longer,
// hit harder, and stand about less between attacks.
const DifficultyFigures kDifficultyFigures[kDifficulties] = {
    {"easy", 70, 60, kContentPercent},
    {"normal", kContentPercent, kContentPercent, kContentPercent},
    {"hard", 130, 140, 70},
};

namespace {

const DifficultyFigures& figuresOf(int32_t difficulty) {
  const bool known = difficulty >= 0 && difficulty < kDifficulties;
  return kDifficultyFigures[known ? difficulty : kDifficultyNormal];
}

}  // namespace

void applyDifficulty(GameRules& rules, int32_t difficulty) {
  const DifficultyFigures& f = figuresOf(difficulty);
  rules.opponentHpPercent = f.hpPercent;
  rules.opponentDamagePercent = f.damagePercent;
  rules.opponentWaitPercent = f.waitPercent;
}

std::string difficultyName(int32_t difficulty) { return figuresOf(difficulty).name; }

int32_t difficultyNamed(const std::string& name) {
  for (int32_t d = 0; d < kDifficulties; ++d)
    if (name == kDifficultyFigures[d].name) return d;
  return -1;
}
