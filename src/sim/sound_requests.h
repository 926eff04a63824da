// Sounds the simulation asks for. A tick only queues them; the loop plays the queue once the
// tick is over (playRequestedSounds in audio/sound.h), or drops it when the tick is run a
// second time to catch up after a rollback, so a tick is heard once however often it runs.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

// The most sounds one tick's queue holds; later requests in the tick are dropped. No mixer
// sounds more at once, and a script asking for a sound on every line of every tick, or a
// tool that runs ticks without playing them, must not grow the queue without end.
constexpr size_t kMostSoundRequests = 64;

// In the order the tick asked for them; a slot the mixer lacks plays nothing when its turn comes.
void requestSound(int32_t slot);
const std::vector<int32_t>& requestedSounds();
void clearSoundRequests();
