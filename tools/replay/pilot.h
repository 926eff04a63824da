// A stand-in for two players, for fights recorded without anyone at the keys (the arcade's
// attract mode): each walks up to the nearest opponent, player 1 from the left and player 2
// from the right, lines up with it and strikes in a steady rhythm; with none left, both walk
// on to the stage's end.
#pragma once
#include "sim/tick_input.h"

// Forgets what the pilot held last: a new fight.
void resetPilot();
// The controls for this tick, from the world as the last tick left it.
TickInput pilotTick();
