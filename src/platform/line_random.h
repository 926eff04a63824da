// The generator the conditions (NetConditions) draw jitter and losses from: xorshift32, the same
// for every kind of endpoint so that a seed plays the same line on each.
#pragma once
#include <cstdint>

inline uint32_t nextLineRandom(uint32_t* state) {
  uint32_t x = *state;
  x ^= x << 13;
  x ^= x >> 17;
  x ^= x << 5;
  *state = x;
  return x;
}
