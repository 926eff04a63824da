// The tick written out: its phases in the order they act, each a line of the table.
#include "sim/tick.h"

#include "sim/animation_pass.h"
#include "sim/camera.h"
#include "sim/combat.h"
#include "sim/control.h"
#include "sim/moves.h"
#include "sim/physics.h"

int32_t quitRequested = 0;

namespace {

void playersStep() {
  if (updatePlayers()) quitRequested = 1;
}

}  // namespace

const TickPhaseEntry kTickPhases[kTickPhaseCount] = {
    {kTickPlayers, "players", playersStep},
    {kTickPhysics, "physics", updatePhysics},
    {kTickAnimation, "animation", animateEntities},
    {kTickOpponents, "opponents", updateOpponents},
    {kTickAttacks, "attacks", resolveAttacks},
    {kTickMoves, "moves", updateMoves},
    {kTickShake, "shake", decayShake},
    {kTickCamera, "camera", updateCamera},
    {kTickEndWall, "end wall", holdPlayersInsideStageEnd},
    {kTickSizes, "sizes", measureDrawnSizes},
};

void runTickWatched(void (*beforePhase)(TickPhase next)) {
  quitRequested = 0;
  for (const TickPhaseEntry& entry : kTickPhases) {
    if (beforePhase) beforePhase(entry.phase);
    entry.run();
    if (quitRequested == 1) return;
  }
}

void runTick() { runTickWatched(nullptr); }
