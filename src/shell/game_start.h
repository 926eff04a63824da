// Program start and the screen-state loop.
#pragma once
#include <cstdint>
#include <string>

// Start-up, then the screen-state loop; returns only with the exit status of a screen state
// that names no screen.
int brawlerMain();
// Start-up up to the first screen: values, bindings, players, the window, GL, the mixer and
// the interface sheets; tools that open the game themselves pass a fixed seed.
void startUp(uint32_t seed);
// The values start-up gives the simulation (gravity, the random seed, the players, the world,
// the player count, the screen state), without bindings, window or sheets: what a recorded
// fight started from, for a program that already has its window.
void setStartUpValues(uint32_t seed);
// The system's monotonic clock in whole seconds: the seed of a run that differs every time.
uint32_t monotonicSeconds();

// One pass of the screen-state loop: runs the screen that `screenState` names and returns
// true, or prints a message naming the state and returns false when it names none.
bool runScreenOnce();
// Runs passes until a state names no screen; returns the exit status for that case (1).
int runScreenLoop();
