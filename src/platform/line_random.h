// The generator the conditions (NetConditions) draw jitter and losses from: xorshift32, the same
// for every kind of endpoint so that a seed plays the same line on each; and the two draws
// every endpoint makes of a packet, in the same order, so that one seed plays one line.
#pragma once
#include <cstdint>

#include "platform/net.h"

inline uint32_t nextLineRandom(uint32_t* state) {
  uint32_t x = *state;
  x ^= x << 13;
  x ^= x >> 17;
  x ^= x << 5;
  *state = x;
  return x;
}

// Whether the line loses this packet: only the inputs' channel ever loses one.
inline bool lineLoses(const NetConditions& c, uint32_t* state, int channel) {
  return channel == kNetChannelInputs && c.lossPercent > 0 &&
         static_cast<int32_t>(nextLineRandom(state) % 100) < c.lossPercent;
}

// How long the line holds this packet back, in ms: the latency give or take the jitter (0 or
// less: not at all).
inline int64_t lineDelayMs(const NetConditions& c, uint32_t* state) {
  int64_t delay = c.latencyMs;
  if (c.jitterMs > 0) delay += static_cast<int64_t>(nextLineRandom(state) % (2u * c.jitterMs + 1)) - c.jitterMs;
  return delay;
}
