// Program start, shared by every program that opens the game.
#pragma once
#include <cstdint>

// Start-up up to the first screen: values, bindings, players, the window, GL, the mixer and
// the interface sheets; tools that open the game themselves pass a fixed seed.
void startUp(uint32_t seed);
// The values start-up gives the simulation (gravity, the random seed, the players, the world,
// the player count, the screen state), without bindings, window or sheets: what a recorded
// fight started from, for a program that already has its window.
void setStartUpValues(uint32_t seed);
// The system's monotonic clock in whole seconds: the seed of a run that differs every time.
uint32_t monotonicSeconds();
