#include "net/round_trip.h"

#include <algorithm>

void roundTripCommandAdded(RoundTrip& rt, int32_t tick, uint64_t nowMs) {
  rt.addedMs[tick % kCommandRing] = nowMs;
  rt.addedEnd = std::max(rt.addedEnd, tick + 1);
}

void roundTripHeardAck(RoundTrip& rt, int32_t ack, uint64_t nowMs) {
  if (ack <= rt.ackSeen) return;
  rt.ackSeen = ack;
  // A tick never noted, or noted so long ago that its slot was taken again, says nothing.
  const int32_t tick = ack - 1;
  if (tick >= rt.addedEnd || tick < rt.addedEnd - kCommandRing) return;
  const uint64_t added = rt.addedMs[tick % kCommandRing];
  if (nowMs < added) return;
  rt.samples[rt.nextSample] = static_cast<int32_t>(std::min<uint64_t>(nowMs - added, INT32_MAX));
  rt.nextSample = (rt.nextSample + 1) % kRoundTripSamples;
  rt.sampleCount = std::min(rt.sampleCount + 1, kRoundTripSamples);
}

int32_t roundTripMs(const RoundTrip& rt) {
  if (rt.sampleCount == 0) return -1;
  return *std::max_element(rt.samples, rt.samples + rt.sampleCount);
}

int32_t delayForRoundTrip(int32_t roundTripMs, int32_t least) {
  if (roundTripMs < 0) return std::clamp(least, 0, kMostScreenDelay);
  const int64_t oneWay = (int64_t{roundTripMs} + 1) / 2;
  const int64_t frames = (oneWay + kFrameMs - 1) / kFrameMs + 1;
  return static_cast<int32_t>(std::clamp<int64_t>(frames, std::clamp(least, 0, kMostScreenDelay), kMostScreenDelay));
}
