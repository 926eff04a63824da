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
    // A tick whose own work overran its slot is followed by the next at once, as on the
    // desktop, which in a page is the next call: the time it took is not made up.
    if (now - begin > kHostSlotNs) {
      pace->nextSlotNs = now;
      break;
    }
    pace->nextSlotNs += kHostSlotNs;
  }
  // Still a whole slot behind after the most a call runs: the rest is dropped, not made up.
  if (now >= pace->nextSlotNs + kHostSlotNs) pace->nextSlotNs = now;
  return ran;
}
