// The null platform: no window, no device. Events come from a queue that tests fill, and the
// clock stands still unless a test moves it or a frame wait sleeps or spins on it.
#include "shell/platform_null.h"

#include <deque>

int platformHeadless = 0;
int nullJoystickCount = 0;

namespace {
std::deque<PlatformEvent> queuedEvents;
uint32_t clockMs = 0;
}  // namespace

bool nullOpenWindow(std::string*) { return true; }

uint32_t nullTicks() { return clockMs; }

void nullSleep(uint32_t ms) { clockMs += ms; }

// Nothing else would move the clock while a frame wait spins on it: each turn of the spin
// stands for one millisecond, so headless frames are 17 ms apart as real ones are.
void nullSpinPause() { clockMs += 1; }

bool nullPollEvent(PlatformEvent* event) {
  if (queuedEvents.empty()) return false;
  *event = queuedEvents.front();
  queuedEvents.pop_front();
  return true;
}

void nullQueueEvent(const PlatformEvent& event) { queuedEvents.push_back(event); }
void nullClearEvents() { queuedEvents.clear(); }
void nullAdvanceTicks(uint32_t ms) { clockMs += ms; }
void nullSetTicks(uint32_t ms) { clockMs = ms; }
