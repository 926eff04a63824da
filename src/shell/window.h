// The window, the GL state, the mixer and the frame pacing.
#pragma once
#include <cstdint>

constexpr int32_t screenWidth = 1024;
constexpr int32_t screenHeight = 768;
constexpr int32_t targetFrameRate = 60;

extern int16_t lastFrameTicks;
extern int16_t nowTicks;

// Opens everything; a missing window or GL context prints one line and exits with status 1.
void initVideoAndAudio();
void presentFrame();
