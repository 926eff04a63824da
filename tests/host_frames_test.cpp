// Ticks paced by a host that calls once per display refresh (the browser page): the game's
// speed is the desktop's whatever the refresh rate, a slow tick is not made up, and a stall is
// not paid back in a burst.
#include <gtest/gtest.h>

#include <cstdint>

#include "platform/null_platform.h"
#include "shell/host_frames.h"

namespace {

constexpr uint64_t kMs = 1000000;

uint64_t tickWorkNs = 0;  // how long each tick's own work takes, on the null clock
int ticksRun = 0;

bool workingTick() {
  nullSetClockNs(platformClockNs() + tickWorkNs);
  ++ticksRun;
  return true;
}

bool endingTick() { return false; }

// Calls the host makes `refreshNs` apart for `spanNs`, from a fresh pace.
void callsOver(uint64_t refreshNs, uint64_t workNs, uint64_t spanNs) {
  HostPace pace{};
  tickWorkNs = workNs;
  ticksRun = 0;
  nullSetClockNs(0);
  uint64_t at = kMs;
  while (at < kMs + spanNs) {
    nullSetClockNs(at);
    runDueTicks(&pace, workingTick);
    // The host calls again at its first refresh after the call's work is done.
    const uint64_t done = platformClockNs();
    do at += refreshNs;
    while (at < done);
  }
}

struct SpeedCase {
  const char* shows;
  uint64_t refreshNs;
  uint64_t workNs;
  int fewestTicks, mostTicks;  // in six seconds; the desktop's 17 ms frames make 353
};

TEST(HostFrames, TheGameKeepsTheDesktopsSpeedAtAnyRefreshRate) {
  const SpeedCase cases[] = {
      {"a 60 Hz display, light ticks: 17 ms slots", 16666667, 1 * kMs, 352, 354},
      {"a 144 Hz display: most calls run no tick", 6944444, 1 * kMs, 352, 354},
      {"a 30 Hz display: two ticks in most calls", 33333333, 1 * kMs, 352, 354},
      {"a 20 Hz display: three ticks in most calls", 50 * kMs, 1 * kMs, 350, 354},
      // The desktop shows 240 such frames; a display shows a frame only on its refresh.
      {"ticks that take 25 ms slow the game, never race", 16666667, 25 * kMs, 170, 240},
  };
  for (const SpeedCase& c : cases) {
    callsOver(c.refreshNs, c.workNs, 6000 * kMs);
    EXPECT_GE(ticksRun, c.fewestTicks) << c.shows;
    EXPECT_LE(ticksRun, c.mostTicks) << c.shows;
  }
}

TEST(HostFrames, ACallRunsNoMoreThanItsShareAndAStallIsNotPaidBack) {
  HostPace pace{};
  tickWorkNs = 1 * kMs;
  nullSetClockNs(0);
  nullSetClockNs(kMs);
  EXPECT_EQ(runDueTicks(&pace, workingTick), 1) << "the first call runs a tick at once";
  // The page was hidden for two seconds: the call after it runs the most one call may...
  nullSetClockNs(2001 * kMs);
  EXPECT_EQ(runDueTicks(&pace, workingTick), kMostTicksPerHostCall);
  // ...and the game carries on from there at its pace, owing nothing.
  nullSetClockNs(2001 * kMs + kHostSlotNs);
  EXPECT_EQ(runDueTicks(&pace, workingTick), 1);
}

TEST(HostFrames, ATickThatEndsTheProgramEndsTheCalls) {
  HostPace pace{};
  nullSetClockNs(kMs);
  EXPECT_EQ(runDueTicks(&pace, endingTick), -1);
}

}  // namespace
