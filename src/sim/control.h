// Player control and computer opponents.
#pragma once

// Runs each player's pass from its command. Returns true when a command asked to leave: the
// check comes once per player, after the tap timers and before the state handlers, and stops
// the pass there; the caller ends the program before anything else of the tick happens.
bool updatePlayers();
void updateOpponents();
