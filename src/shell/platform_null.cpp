// The null platform: no window, no device. Events come from a queue that tests fill, and the
// clock only moves when something reads it, sleeps, or a test moves it.
#include "shell/platform_null.h"

#include <deque>

int platformHeadless = 0;
uint32_t nullTicksPerRead = 1;

namespace {
std::deque<PlatformEvent> queuedEvents;
uint32_t clockMs = 0;
}  // namespace

bool nullOpenWindow(std::string*) { return true; }

uint32_t nullTicks() {
  // A frozen clock would hold every paced loop in its wait for ever; stepping on each read
  // lets a headless frame end after 17 reads without any test having to tend the clock.
  uint32_t now = clockMs;
  clockMs += nullTicksPerRead;
  return now;
}

void nullSleep(uint32_t ms) { clockMs += ms; }

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
