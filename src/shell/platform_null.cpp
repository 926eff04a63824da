// The null platform: no window, no device. Events come from a queue that tests fill, and the
// clock stands still unless a test moves it or a frame wait sleeps or spins on it.
#include "shell/platform_null.h"

#include <deque>

int platformHeadless = 0;

namespace {
std::deque<PlatformEvent> queuedEvents;
constexpr uint64_t kNsPerMs = 1000000;
uint64_t clockNs = 0;
}  // namespace

uint64_t nullWakeLatencyNs = 0;
int nullSpinTurns = 0;

bool nullOpenWindow(std::string*) { return true; }

uint32_t nullTicks() { return static_cast<uint32_t>(clockNs / kNsPerMs); }

uint64_t nullClockNs() { return clockNs; }

void nullSleepUntilNs(uint64_t deadlineNs) {
  if (deadlineNs > clockNs) clockNs = deadlineNs;
  clockNs += nullWakeLatencyNs;
}

// Nothing else would move the clock while a frame wait spins on it: each turn of the spin
// stands for a short stretch of time, so headless frames are 17 ms apart as real ones are.
void nullSpinPause() {
  clockNs += kNullSpinTurnNs;
  ++nullSpinTurns;
}

bool nullPollEvent(PlatformEvent* event) {
  if (queuedEvents.empty()) return false;
  *event = queuedEvents.front();
  queuedEvents.pop_front();
  return true;
}

void nullQueueEvent(const PlatformEvent& event) { queuedEvents.push_back(event); }
void nullClearEvents() { queuedEvents.clear(); }
void nullAdvanceTicks(uint32_t ms) { clockNs += ms * kNsPerMs; }
void nullSetTicks(uint32_t ms) { clockNs = ms * kNsPerMs; }
void nullSetClockNs(uint64_t ns) { clockNs = ns; }
