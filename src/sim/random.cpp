#include "sim/random.h"

#include <cmath>
#include <random>
#include <sstream>

namespace {
std::mt19937 generator(0);
}

void seedRandom(uint32_t seed) { generator.seed(seed); }

double randomUnit() {
  // 53 random bits: exactly uniform over the doubles in [0, 1) that it can produce.
  uint64_t high = generator() >> 5, low = generator() >> 6;
  return (high * 67108864.0 + low) / 9007199254740992.0;
}

int32_t randomBelow(int32_t n) { return static_cast<int32_t>(std::floor(randomUnit() * n)); }

std::string randomState() {
  // The next 624 numbers of a copy: they settle the generator's whole state, and unlike the
  // engine's own text form they read the same from every C++ library (WebAssembly's differs).
  std::mt19937 ahead = generator;
  std::ostringstream text;
  for (size_t n = 0; n < std::mt19937::state_size; ++n) text << ahead() << ' ';
  return text.str();
}
