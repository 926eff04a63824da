// Opening the one window, and the pace every screen loop keeps.
#include "shell/window.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>

#include "platform/platform.h"

int16_t lastFrameTicks = 0;
int16_t nowTicks = 0;
int framePacingBusyWait = 0;
int framePacedByHost = 0;
PresentTimes lastPresentTimes{};

namespace {

// 16.67 ms: with whole-millisecond ticks the wait ends 17 ms after the previous one.
constexpr double kFramePeriodMs = 1000 / static_cast<double>(targetFrameRate);
constexpr int kSlotTicks = static_cast<int>(kFramePeriodMs) + 1;
constexpr int64_t kNsPerMs = 1000000;
// The sleep ends this long before the tick is due, for the lateness of the wake-up itself;
// the rest is spun. A wake-up later than that still ends the frame on its tick, only a little
// later by the wall clock.
constexpr int64_t kWakeMarginNs = 200000;
// A turn of the counter seen between two readings this close together dates it well enough
// to predict the next ones.
constexpr int64_t kPreciseReadingNs = 50000;

// A reading of the tick counter between two of the clock it follows: the thread may be
// pre-empted at any point, so the counter is only known to have read `ticks` somewhere between.
struct ClockReading {
  int64_t nsBefore;
  uint32_t ticks;
  int64_t nsAfter;
};

// The last turn of the tick counter whose moment is known: ticks turn every millisecond from
// there, so the moment the slot can end is known to a fraction of a millisecond.
struct TickTurn {
  int known;
  uint32_t ticks;  // the value the counter turned to
  int64_t ns;      // when it was first read
};
TickTurn lastTickTurn{};

double steadyMs() {
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

ClockReading readClock() {
  const int64_t before = static_cast<int64_t>(platformClockNs());
  const uint32_t ticks = platformTicks();
  return {before, ticks, static_cast<int64_t>(platformClockNs())};
}

int64_t predictedTurn(uint32_t ticks) {
  return lastTickTurn.ns + static_cast<int32_t>(ticks - lastTickTurn.ticks) * kNsPerMs;
}

void noteTickTurn(const ClockReading& before, const ClockReading& now) {
  // A counter that turned well before the known turns say it could has proved them wrong:
  // waking by them would oversleep, so they are forgotten until a turn is seen again.
  if (lastTickTurn.known && now.nsAfter < predictedTurn(now.ticks) - kPreciseReadingNs) lastTickTurn.known = 0;
  if (now.ticks != before.ticks && now.nsAfter - before.nsBefore <= kPreciseReadingNs)
    lastTickTurn = {1, now.ticks, now.nsAfter};
}

int16_t ticksSinceLastFrame() { return static_cast<int16_t>(nowTicks - lastFrameTicks); }

bool slotIsOver() {
  // A negative difference is a gap of more than 32,767 ms (a long load, say): waiting for it
  // to come out positive would stall until the 16-bit counter wraps, about 32 s.
  int16_t since = ticksSinceLastFrame();
  return since < 0 || since > kFramePeriodMs;
}

// When to stop sleeping so that the counter, `ticksLeft` ticks short of the slot's end at
// `now`, has not yet reached it. Whatever the last known turn predicts is held between the
// earliest and the latest the counter itself allows, so a stale or wrong prediction costs a
// longer spin or a later wake-up, never a tick.
int64_t wakeDeadline(const ClockReading& now, int ticksLeft) {
  const int64_t earliest = now.nsBefore + (ticksLeft - 1) * kNsPerMs;
  const int64_t latest = now.nsAfter + ticksLeft * kNsPerMs;
  int64_t due = earliest;
  if (lastTickTurn.known) due = std::clamp(predictedTurn(now.ticks + ticksLeft), earliest, latest);
  return due - kWakeMarginNs;
}

}  // namespace

void initVideoAndAudio() {
  std::string reason;
  if (!platformOpenWindow(&reason)) {
    std::printf("cannot open the 1024x768 OpenGL window: %s\n", reason.c_str());
    platformQuit(1);
  }
  audioOpen();
}

void presentFrame() {
  PresentTimes times{};
  const double start = steadyMs();
  platformSwapBuffers();
  platformClearBuffers();
  double since = steadyMs();
  times.swapAndClear = since - start;
  if (framePacedByHost) {
    nowTicks = static_cast<int16_t>(platformTicks());
    lastFrameTicks = nowTicks;
    lastPresentTimes = times;
    return;
  }
  ClockReading before = readClock();
  for (;;) {
    const ClockReading now = readClock();
    noteTickTurn(before, now);
    before = now;
    nowTicks = static_cast<int16_t>(now.ticks);
    if (slotIsOver()) break;
    const int64_t deadline = wakeDeadline(now, kSlotTicks - ticksSinceLastFrame());
    const bool sleep = !framePacingBusyWait && deadline > now.nsAfter;
    if (sleep)
      platformSleepUntilNs(static_cast<uint64_t>(deadline));
    else
      platformSpinPause();
    const double later = steadyMs();
    (sleep ? times.sleeping : times.spinning) += later - since;
    since = later;
  }
  lastFrameTicks = nowTicks;
  lastPresentTimes = times;
}
