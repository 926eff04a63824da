#include "sim/random.h"

#include <cmath>

namespace {
RandomGenerator generator(0);
}

void seedRandom(uint32_t seed) { generator.seed(seed); }

double randomUnit() {
  // 53 random bits: exactly uniform over the doubles in [0, 1) that it can produce.
  uint64_t high = generator() >> 5, low = generator() >> 6;
  return (high * 67108864.0 + low) / 9007199254740992.0;
}

int32_t randomBelow(int32_t n) { return static_cast<int32_t>(std::floor(randomUnit() * n)); }

const RandomGenerator& randomGenerator() { return generator; }

void restoreRandom(const RandomGenerator& saved) { generator = saved; }
