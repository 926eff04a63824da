// `brawler`: the screen-state loop that hands control from one screen to the next by the name
// in `screenState`.
#pragma once

// Start-up, then the screen-state loop; returns only with the exit status of a screen state
// that names no screen.
int brawlerMain();
// One pass of the screen-state loop: runs the screen that `screenState` names and returns
// true, or prints a message naming the state and returns false when it names none.
bool runScreenOnce();
// Runs passes until a state names no screen; returns the exit status for that case (1).
int runScreenLoop();
