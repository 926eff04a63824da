// Opening the one window, and the pace every screen loop keeps.
#include "shell/window.h"

#include <chrono>
#include <cstdio>
#include <string>

#include "platform/platform.h"

int16_t lastFrameTicks = 0;
int16_t nowTicks = 0;
int framePacingBusyWait = 0;
PresentTimes lastPresentTimes{};

namespace {

// 16.67 ms: with whole-millisecond ticks the wait ends 17 ms after the previous one.
constexpr double kFramePeriodMs = 1000 / static_cast<double>(targetFrameRate);
// SDL_Delay can oversleep by a millisecond or so; the rest of the slot is spun.
constexpr int kSpinMarginMs = 2;

double steadyMs() {
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

int16_t ticksSinceLastFrame() { return static_cast<int16_t>(nowTicks - lastFrameTicks); }

bool slotIsOver() {
  // A negative difference is a gap of more than 32,767 ms (a long load, say): waiting for it
  // to come out positive would stall until the 16-bit counter wraps, about 32 s.
  int16_t since = ticksSinceLastFrame();
  return since < 0 || since > kFramePeriodMs;
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
  for (;;) {
    nowTicks = static_cast<int16_t>(platformTicks());
    if (slotIsOver()) break;
    // Whole milliseconds before the slot can end (past 16.67 ms, that is at 17).
    int left = static_cast<int>(kFramePeriodMs) + 1 - ticksSinceLastFrame();
    const bool sleep = !framePacingBusyWait && left > kSpinMarginMs;
    if (sleep)
      platformSleep(static_cast<uint32_t>(left - kSpinMarginMs));
    else
      platformSpinPause();
    const double now = steadyMs();
    (sleep ? times.sleeping : times.spinning) += now - since;
    since = now;
  }
  lastFrameTicks = nowTicks;
  lastPresentTimes = times;
}
