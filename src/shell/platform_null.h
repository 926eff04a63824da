// The null platform's system half: what the seam dispatches to when `platformHeadless` is set.
// Internal to the seam; everything else calls the platform* functions.
#pragma once
#include <cstdint>

#include "shell/platform.h"

bool nullOpenWindow(std::string* reason);
uint32_t nullTicks();
uint64_t nullClockNs();
void nullSleepUntilNs(uint64_t deadlineNs);
void nullSpinPause();
bool nullPollEvent(PlatformEvent* event);
