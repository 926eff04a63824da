// A stand-in for two players, for fights recorded without anyone at the keys (the arcade's
// attract mode): each walks up to the nearest opponent, player 1 from the left and player 2
// from the right, lines up with it and strikes in a steady rhythm; with none left, both walk
// on to the stage's end.
#pragma once
#include <string>

#include "sim/tick_input.h"

// A short fight that shows one of the genre's moves: player 1 goes straight for it, player 2
// stands by (mashing free if an opponent grabs it).
enum PilotShow : int {
  kShowWholeFight = 0,  // no one move: the fight as above
  kShowGrab,            // walks into an opponent and holds it
  kShowKnees,           // grabs and knees until the third throws it down
  kShowThrowIntoCrowd,  // grabs one with another behind, and throws it onto that one
  kShowFood,            // breaks the crate open with the special (which costs health) and eats
  kShowPipe,            // breaks the prop that holds a pipe, takes it and fights with it
  kShowKnife,           // breaks the prop that holds a knife, takes it and throws it
  kShowSpecial,         // waits for the crowd and uses the special on it
  kShowBreakFree,       // waits for a grabbing opponent and mashes free of its hold
};
// The show a name on the command line means ("grab", "knees", "throw", "food", "pipe", "knife",
// "allround", "breakfree"), or -1.
int pilotShowNamed(const std::string& name);

// Forgets what the pilot held last: a new fight. With `genreMoves`, for a fight under the
// arcade's rules, player 1 also uses the genre's moves: it walks into opponents to grab them,
// knees once and throws, takes food when hurt and weapons when empty-handed, throws a knife
// from afar, and uses the special when two opponents crowd it; a held player mashes free.
void resetPilot(bool genreMoves = false, int show = kShowWholeFight);
// True once the fight shows its move, as the players' tallies of the moves say.
bool pilotShowDone();
// The controls for this tick, from the world as the last tick left it.
TickInput pilotTick();
