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
    const uint64_t begin = now;
    if (!tick()) return -1;
    ++ran;
    now = platformClockNs();
    pace->nextSlotNs += std::max(kHostSlotNs, now - begin);
  }
  // Still a whole slot behind after the most a call runs: the rest is not made up.
  if (now >= pace->nextSlotNs + kHostSlotNs) pace->nextSlotNs = now;
  return ran;
}
