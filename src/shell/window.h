// The window, the GL state, the mixer and the frame pacing.
#pragma once
#include <cstdint>

#include "platform/platform.h"  // the window's size
constexpr int32_t targetFrameRate = 60;

extern int16_t lastFrameTicks;
extern int16_t nowTicks;
// 0: sleep until a fraction of a millisecond before the slot's last tick is due and spin only
// that; 1: spin it all (the old way, kept to measure against). Either way frames are at least
// 17 ms apart by the tick counter.
extern int framePacingBusyWait;
// 1: the host calls each frame at the game's pace (a browser page, through runDueTicks), so
// presentFrame shows the frame and returns without waiting. 0 everywhere else.
extern int framePacedByHost;

// Where the last presentFrame's time went, in milliseconds of the steady clock: read by the
// frame probe and the pacing benchmark, never by the game.
struct PresentTimes {
  double swapAndClear;
  double sleeping;
  double spinning;
};
extern PresentTimes lastPresentTimes;

// Opens everything; a missing window or GL context prints one line and exits with status 1.
void initVideoAndAudio();
void presentFrame();
