// How long this side's controls take to reach the other side and be acknowledged, measured on
// the session's own packets, and the input delay a line that long asks for where nothing is
// guessed (the screens off the stage, which wait for both players' controls every tick).
#pragma once
#include <cstdint>

#include "net/rollback.h"

// A frame of the game on either machine.
constexpr int32_t kFrameMs = 17;
// Samples kept: about two seconds of frames, so one packet held up by jitter keeps the delay
// up a while rather than letting it fall back at the next quick one.
constexpr int32_t kRoundTripSamples = 120;
// The most ticks a screen off the stage waits for controls: half a second there and back
// already feels like a stuck menu, and a longer line than that is not one to play on.
constexpr int32_t kMostScreenDelay = 30;

// Who reads and writes: the caller notes each command it adds (roundTripCommandAdded) and the
// other side's acknowledgement after every poll (roundTripHeardAck); roundTripMs reads.
struct RoundTrip {
  uint64_t addedMs[kCommandRing] = {};  // by tick % kCommandRing: when this side's command was taken
  int32_t addedEnd = 0;                 // a command is noted for every tick before this
  int32_t ackSeen = 0;                  // the acknowledgement last sampled
  int32_t samples[kRoundTripSamples] = {};
  int32_t sampleCount = 0;
  int32_t nextSample = 0;
};

void roundTripCommandAdded(RoundTrip& rt, int32_t tick, uint64_t nowMs);
// The other side has this side's commands of every tick before `ack`: the newest of them gives
// a sample, from when it was taken to now.
void roundTripHeardAck(RoundTrip& rt, int32_t ack, uint64_t nowMs);
// The longest of the recent samples, -1 before the first.
int32_t roundTripMs(const RoundTrip& rt);
// The ticks this side's controls should go ahead of its present so that they reach the other
// side before it needs them: half the round trip in frames, one frame more for the frames'
// own cadence, never below `least` nor above kMostScreenDelay.
int32_t delayForRoundTrip(int32_t roundTripMs, int32_t least);
