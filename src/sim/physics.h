// Airborne movement, landing, and the bounds that hold entities on the stage.
#pragma once
#include <cstdint>

void updatePhysics();
// Floor band hold of entity e given its foot line.
void holdOnFloorBand(int e, int32_t footLine);
// Nothing goes past the stage's left edge: x below 1 becomes 0.
void holdAtLeftEdge(int e);
// The arcade's end wall (gameRules.holdInsideStageEnd): no player's x passes a little short
// of the stage end. Off, it does nothing.
void holdPlayersInsideStageEnd();
