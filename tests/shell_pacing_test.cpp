// Frame pacing on the null clock (exact) and on the real one (does it sleep?).
#include <gtest/gtest.h>

#include <sys/resource.h>

#include <chrono>
#include <string>
#include <vector>

#include "platform/null_platform.h"
#include "shell/window.h"

namespace {

constexpr int kSlotMs = 17;

struct PacingCase {
  const char* name;
  int busyWait;
};

// Each frame: the iteration's own work (ms on the null clock), then presentFrame().
// Returns the tick reading at which each frame's wait ended.
std::vector<uint32_t> runFrames(uint32_t start, const std::vector<uint32_t>& workMs) {
  nullSetTicks(start);
  std::vector<uint32_t> ends;
  for (uint32_t work : workMs) {
    nullAdvanceTicks(work);
    presentFrame();
    ends.push_back(static_cast<uint16_t>(lastFrameTicks));
  }
  return ends;
}

class Pacing : public ::testing::TestWithParam<PacingCase> {
 protected:
  void SetUp() override {
    useNullPlatform(true);
    framePacingBusyWait = GetParam().busyWait;
    lastFrameTicks = 0;
  }
  void TearDown() override { framePacingBusyWait = 0; }
};

TEST_P(Pacing, FirstFrameAfterStartUpWaitsForNothing) {
  EXPECT_EQ(runFrames(900, {0}), std::vector<uint32_t>{900});
}

TEST_P(Pacing, QuickFramesEndExactlySeventeenApart) {
  EXPECT_EQ(runFrames(1000, {0, 0, 5, 16, 0}),
            (std::vector<uint32_t>{1000, 1017, 1034, 1051, 1068}));
}

TEST_P(Pacing, SlowIterationIsFollowedAtOnceAndNotMadeUp) {
  // 40 ms of work: no wait; the next slot counts from the end of that frame.
  EXPECT_EQ(runFrames(1000, {0, 40, 0, 17}), (std::vector<uint32_t>{1000, 1040, 1057, 1074}));
}

TEST_P(Pacing, FramesAreNeverCloserThanTheSlot) {
  std::vector<uint32_t> work;
  for (uint32_t i = 0; i < 200; ++i) work.push_back((i * 7919) % 31);
  std::vector<uint32_t> ends = runFrames(5000, work);
  for (size_t i = 1; i < ends.size(); ++i) {
    uint32_t gap = ends[i] - ends[i - 1];
    EXPECT_GE(gap, static_cast<uint32_t>(kSlotMs)) << "frame " << i;
    EXPECT_EQ(gap, std::max<uint32_t>(work[i], kSlotMs)) << "frame " << i;
  }
}

TEST_P(Pacing, TickCounterWrapIsSeamless) {
  // The 16-bit copies wrap at 65,536 ms (and go negative at 32,768) without a hitch.
  std::vector<uint32_t> ends = runFrames(65530 - 17, {0, 0, 0});
  EXPECT_EQ(ends, (std::vector<uint32_t>{65513, 65530, 11}));
}

struct GapCase {
  const char* name;
  uint32_t gapMs;
};

class LongGap : public ::testing::TestWithParam<GapCase> {};

TEST_P(LongGap, CountsAsElapsedInsteadOfStalling) {
  useNullPlatform(true);
  lastFrameTicks = 0;
  uint32_t gap = GetParam().gapMs;
  // Past 32,767 ms the 16-bit difference is negative: without care the wait would last until
  // the counter came round again.
  EXPECT_EQ(runFrames(2000, {0, gap}), (std::vector<uint32_t>{2000, (2000 + gap) & 0xFFFF}));
}

INSTANTIATE_TEST_SUITE_P(Gaps, LongGap,
                         ::testing::Values(GapCase{"LongestPositiveDifference", 32767},
                                           GapCase{"FirstNegativeDifference", 32768},
                                           GapCase{"FortySeconds", 40000},
                                           GapCase{"JustShortOfAWrap", 65535}),
                         [](const auto& info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(Modes, Pacing,
                         ::testing::Values(PacingCase{"SleepThenSpin", 0}, PacingCase{"BusyWait", 1}),
                         [](const auto& info) { return std::string(info.param.name); });

struct WakeCase {
  const char* name;
  uint64_t wakeLatencyNs;
  int gapTicks;        // between the ends of consecutive waits
  int mostSpinTurns;   // in any one wait once the counter's turns are known
};

class WakeLateness : public ::testing::TestWithParam<WakeCase> {
 protected:
  void TearDown() override { nullWakeLatencyNs = 0; }
};

TEST_P(WakeLateness, SleepsToJustShortOfTheTickAndKeepsTheSlot) {
  const WakeCase& c = GetParam();
  useNullPlatform(true);
  framePacingBusyWait = 0;
  // A clock part-way into a millisecond: the wait must find where the ticks turn, which it
  // does on the first frame that spins.
  nullSetClockNs(3000 * 1000000ull + 370000);
  presentFrame();
  presentFrame();
  nullWakeLatencyNs = c.wakeLatencyNs;
  for (int frame = 0; frame < 20; ++frame) {
    const int16_t previous = lastFrameTicks;
    nullAdvanceTicks(frame % 9);  // some work, always less than the slot
    nullSpinTurns = 0;
    presentFrame();
    EXPECT_EQ(static_cast<int16_t>(lastFrameTicks - previous), c.gapTicks) << "frame " << frame;
    EXPECT_LE(nullSpinTurns, c.mostSpinTurns) << "frame " << frame;
  }
}

// The sleep ends 0.2 ms before the tick is due, and a spin turn of the null clock is 10 us.
INSTANTIATE_TEST_SUITE_P(
    Pacing, WakeLateness,
    ::testing::Values(WakeCase{"OnTimeSpinsOnlyTheMargin", 0, kSlotMs, 21},
                      WakeCase{"SlightlyLateSpinsLess", 150000, kSlotMs, 6},
                      WakeCase{"PastTheTickStillEndsOnIt", 600000, kSlotMs, 0},
                      // A whole tick late is a slow frame: not made up, the next slot counts on.
                      WakeCase{"ATickLateIsNotMadeUp", 1500000, kSlotMs + 1, 0}),
    [](const auto& info) { return std::string(info.param.name); });

double processCpuMs() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_utime.tv_sec * 1000.0 + usage.ru_utime.tv_usec / 1000.0 +
         usage.ru_stime.tv_sec * 1000.0 + usage.ru_stime.tv_usec / 1000.0;
}

TEST(RealClockPacing, SleepsThroughMostOfTheSlotAndKeepsTheSpacing) {
  useNullPlatform(false);
  framePacingBusyWait = 0;
  constexpr int kFrames = 30;
  presentFrame();
  std::vector<int> gaps;
  auto wallStart = std::chrono::steady_clock::now();
  double cpuStart = processCpuMs();
  int16_t previous = lastFrameTicks;
  for (int i = 0; i < kFrames; ++i) {
    presentFrame();
    gaps.push_back(static_cast<int16_t>(lastFrameTicks - previous));
    previous = lastFrameTicks;
  }
  double cpuMs = processCpuMs() - cpuStart;
  double wallMs =
      std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - wallStart).count();
  useNullPlatform(true);
  for (int gap : gaps) EXPECT_GE(gap, kSlotMs);
  EXPECT_GE(wallMs, kFrames * kSlotMs - 1);
  // Spinning only a fraction of a millisecond of each 17 ms slot: far below one busy core.
  EXPECT_LT(cpuMs, 0.4 * wallMs) << "cpu " << cpuMs << " ms over " << wallMs << " ms";
}

}  // namespace
