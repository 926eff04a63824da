// Ticks at the game's pace when the host calls the program once per display refresh (a
// browser page, which cannot wait in a loop): the tick rule of presentFrame kept with a clock
// of slots instead of a wait.
#pragma once
#include <cstdint>

// One tick per 17 ms slot, as the desktop's frames; a display refreshing at another rate gets
// as many ticks per call as slots have passed, so the game keeps the desktop's speed.
constexpr uint64_t kHostSlotNs = 17000000;
// A call this close before a slot is due runs its tick already: the host's calls jitter around
// the slot boundary, and waiting for the next call would show two ticks in one refresh.
constexpr uint64_t kHostEarlyNs = 2000000;
// More ticks than this in one call are a stall (a hidden page, a pause of the browser's own):
// what is owed beyond it is dropped, as the desktop drops a slow frame.
constexpr int kMostTicksPerHostCall = 4;

// Who writes what: runDueTicks alone, from the host's frame callback.
struct HostPace {
  int32_t started;      // 0 until the first call, which runs a tick at once
  uint64_t nextSlotNs;  // when the next tick is due, on platformClockNs
};
extern HostPace hostPace;

// Runs every tick due now, one at a time, each a call of `tick`: slots follow one another 17 ms
// apart, so a late call runs every slot it owes. A tick whose own work overran its slot ends
// the call, and the next tick is due at once: a slow tick is not made up.
// Returns the ticks run, or -1 once `tick` returned false (the program ends).
int runDueTicks(HostPace* pace, bool (*tick)());
