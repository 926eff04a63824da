// The null platform: no window, no device. Events come from a queue that tests fill, and the
// clock only moves when something reads it, sleeps, or a test moves it.
#include "shell/platform_null.h"

#include <deque>

int platformHeadless = 0;
uint32_t nullTicksPerRead = 1;

namespace {
std::deque<PlatformEvent> queuedEvents;
uint32_t clockMs = 0;
bool readSinceLastMove = false;

void moveClock(uint32_t to) {
  clockMs = to;
  readSinceLastMove = false;
}
}  // namespace

bool nullOpenWindow(std::string*) { return true; }

uint32_t nullTicks() {
  // A frozen clock would hold every paced loop in its wait for ever, so reading it again with
  // nothing in between moves it on. The first reading after a test set it (or after a sleep)
  // is the value set, so a test sees exactly the times it arranged.
  if (readSinceLastMove) clockMs += nullTicksPerRead;
  readSinceLastMove = true;
  return clockMs;
}

void nullSleep(uint32_t ms) { moveClock(clockMs + ms); }

bool nullPollEvent(PlatformEvent* event) {
  if (queuedEvents.empty()) return false;
  *event = queuedEvents.front();
  queuedEvents.pop_front();
  return true;
}

void nullQueueEvent(const PlatformEvent& event) { queuedEvents.push_back(event); }
void nullClearEvents() { queuedEvents.clear(); }
void nullAdvanceTicks(uint32_t ms) { moveClock(clockMs + ms); }
void nullSetTicks(uint32_t ms) { moveClock(ms); }
