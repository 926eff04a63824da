// The one shared random generator: uniform reals in [0, 1).
#pragma once
#include <cstdint>
#include <random>
#include <string>

// The generator itself is a plain block of numbers: the world snapshot copies it whole.
using RandomGenerator = std::mt19937;

void seedRandom(uint32_t seed);
double randomUnit();
// A random integer below n: randomUnit() * n, rounded down.
int32_t randomBelow(int32_t n);
// The generator as it stands, and putting back one taken earlier: the numbers that follow are
// those that followed then.
const RandomGenerator& randomGenerator();
void restoreRandom(const RandomGenerator& saved);
