// The round trip measured on the session's own controls and acknowledgements, and the delay
// the screens off the stage take from it.
#include <gtest/gtest.h>

#include <vector>

#include "net/round_trip.h"

namespace {

TEST(ScreenDelay, FollowsHalfTheRoundTripInFrames) {
  struct Case {
    const char* shows;
    int32_t roundTripMs;
    int32_t least;
    int32_t delay;
  };
  const Case cases[] = {
      {"nothing measured yet keeps the session's own delay", -1, 2, 2},
      {"a line on this machine keeps the session's delay", 0, 2, 2},
      {"a short line never goes below the session's delay", 20, 2, 2},
      {"a frame each way needs that frame and one more", 34, 0, 2},
      {"a 60 ms line each way", 120, 2, 5},
      {"a 150 ms line each way", 300, 2, 10},
      {"one millisecond more takes another frame", 307, 2, 11},
      {"a line past all reason stops at the most", 5000, 2, kMostScreenDelay},
      {"a round trip near the integer limit does not overflow", INT32_MAX, 2, kMostScreenDelay},
  };
  for (const Case& c : cases) EXPECT_EQ(delayForRoundTrip(c.roundTripMs, c.least), c.delay) << c.shows;
}

TEST(RoundTrip, SamplesTheNewestAcknowledgedCommand) {
  struct Step {
    int32_t addTick;  // -1: none
    uint64_t atMs;
    int32_t ack;      // heard at atMs, 0: none
  };
  struct Case {
    const char* shows;
    std::vector<Step> steps;
    int32_t roundTripMs;
  };
  const Case cases[] = {
      {"nothing heard: no figure", {{0, 100, 0}, {1, 117, 0}}, -1},
      {"an ack times its newest tick", {{0, 100, 0}, {1, 117, 0}, {-1, 250, 2}}, 133},
      {"the longest of the recent samples holds",
       {{0, 100, 0}, {1, 117, 0}, {-1, 300, 1}, {2, 310, 0}, {-1, 330, 3}},
       200},
      {"an ack heard again gives no new sample", {{0, 100, 0}, {-1, 150, 1}, {-1, 900, 1}}, 50},
      {"an ack of a tick never taken says nothing", {{0, 100, 0}, {-1, 150, 5}}, -1},
      {"an ack of a tick long gone from the ring says nothing",
       {{0, 100, 0}, {kCommandRing + 5, 200, 0}, {-1, 250, 1}},
       -1},
  };
  for (const Case& c : cases) {
    RoundTrip rt;
    for (const Step& s : c.steps) {
      if (s.addTick >= 0) roundTripCommandAdded(rt, s.addTick, s.atMs);
      if (s.ack > 0) roundTripHeardAck(rt, s.ack, s.atMs);
    }
    EXPECT_EQ(roundTripMs(rt), c.roundTripMs) << c.shows;
  }
}

TEST(RoundTrip, ForgetsASlowPacketOnceTheWindowHasPassed) {
  RoundTrip rt;
  int32_t tick = 0;
  uint64_t now = 1000;
  auto sample = [&](uint64_t took) {
    roundTripCommandAdded(rt, tick, now);
    now += took;
    roundTripHeardAck(rt, ++tick, now);
  };
  sample(400);
  for (int32_t i = 0; i < kRoundTripSamples - 1; ++i) sample(40);
  EXPECT_EQ(roundTripMs(rt), 400) << "still inside the window";
  sample(40);
  EXPECT_EQ(roundTripMs(rt), 40) << "pushed out by newer samples";
}

}  // namespace
