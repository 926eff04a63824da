#include "shell/window.h"
int16_t lastFrameTicks = 0;
int16_t nowTicks = 0;
void initVideoAndAudio() {}
void presentFrame() {}
