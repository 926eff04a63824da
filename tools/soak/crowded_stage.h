// A crowded stage for the soak and the benchmarks: the default content's stage3 with scattered
// placements of every declared type until the entity table is full, both players in it.
#pragma once
#include <string>
#include <vector>

#include "sim/entity.h"

// Run from the content folder, with the platform version chosen. Starts the stage and enters
// its play loop; returns the stage types that are fighters (the soak sends more of them in).
std::vector<int> startCrowdedStage();

// Random presses and releases of both players' bound controls, queued for the next poll;
// player 2 plays through the joystick codes as the default bindings have it.
void queueRandomInput();

// The first broken table invariant, or "" when all hold: lastEntity within the table,
// drawOrder a permutation, every live entity's scriptLine inside its script and its type
// loaded (players aside, they have no stage type).
std::string tableFault();

// What a run saw, so that a quiet stage (nobody hit, no effects) cannot pass as a soak.
struct Coverage {
  bool slotUsed[kEntityCount] = {};
  long hitsTaken = 0;     // a fighter's hit points went down
  long effectsBorn = 0;   // an effect entity appeared in a slot
  long effectsFreed = 0;  // and left it again
  long propsMoved = 0;    // a prop was pushed, thrown or broken
  int wasAlive[kEntityCount] = {};
  int wasKind[kEntityCount] = {};
  double lastHp[kEntityCount] = {};
  int16_t lastX[kEntityCount] = {};
};
// Compares the table with the previous call's and counts what changed.
void observe(Coverage& c);
