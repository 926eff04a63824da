// A stand-in for two players, for fights recorded without anyone at the keys (the arcade's
// attract mode): each walks up to the nearest opponent, player 1 from the left and player 2
// from the right, lines up with it and strikes in a steady rhythm; with none left, both walk
// on to the stage's end.
#pragma once
#include "sim/tick_input.h"

// Forgets what the pilot held last: a new fight. With `genreMoves`, for a fight under the
// arcade's rules, player 1 also uses the genre's moves: it walks into opponents to grab them,
// knees once and throws, takes food when hurt and weapons when empty-handed, throws a knife
// from afar, and uses the special when two opponents crowd it; a held player mashes free.
void resetPilot(bool genreMoves = false);
// The controls for this tick, from the world as the last tick left it.
TickInput pilotTick();
