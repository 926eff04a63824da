// The one shared random generator: uniform reals in [0, 1).
#pragma once
#include <cstdint>
#include <string>

void seedRandom(uint32_t seed);
double randomUnit();
// A random integer below n: randomUnit() * n, rounded down.
int32_t randomBelow(int32_t n);
// The generator's whole state as text: equal texts, equal numbers to come, on any platform.
std::string randomState();
