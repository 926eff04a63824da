// Entities born during play (hit effects, and whatever a test or tool drops in).
#pragma once
#include <cstdint>
#include <string>

// A new entity of a loaded type in the lowest free slot 0..999, running `animation`;
// nothing when every slot is taken.
void spawnEntity(int16_t x, int16_t y, int type, const std::string& animation);
