// The slots of a host that calls the program once per display refresh.
#include "shell/host_frames.h"

#include <algorithm>

#include "platform/platform.h"

HostPace hostPace{};

int runDueTicks(HostPace* pace, bool (*tick)()) {
  uint64_t now = platformClockNs();
  if (!pace->started) {
    pace->started = 1;
    pace->nextSlotNs = now;
  }
  int ran = 0;
  while (ran < kMostTicksPerHostCall && now + kHostEarlyNs >= pace->nextSlotNs) {
    if (!tick()) return -1;
    ++ran;
    now = platformClockNs();
    // The next slot begins a slot after this one, or when this tick's work ended if that is
    // later: a slow tick is followed at once, and not made up.
    pace->nextSlotNs = std::max(pace->nextSlotNs + kHostSlotNs, now);
  }
  // Still a whole slot behind after the most a call runs: the rest is not made up.
  if (now >= pace->nextSlotNs + kHostSlotNs) pace->nextSlotNs = now;
  return ran;
}
