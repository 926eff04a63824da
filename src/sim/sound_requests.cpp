#include "sim/sound_requests.h"

namespace {
// Written by the tick's steps, emptied by the loop after every tick. Not part of the world: a
// snapshot is taken between ticks, when it is empty.
std::vector<int32_t> queue;
}  // namespace

void requestSound(int32_t slot) {
  if (queue.size() < kMostSoundRequests) queue.push_back(slot);
}

const std::vector<int32_t>& requestedSounds() { return queue; }

void clearSoundRequests() { queue.clear(); }
