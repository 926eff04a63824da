// One tick of the simulation: the players' commands (playerCommands) already filled, every
// step of the stage runs once, in the order of the phase table. Nothing is drawn or heard
// here: the sounds asked for wait in sim/sound_requests.h, and a player's wish to leave the
// program waits in quitRequested, for the loop that called the tick to act on.
#pragma once
#include <cstdint>

enum TickPhase : int32_t {
  kTickPlayers,    // each player's command (may ask to quit: the tick ends there)
  kTickPhysics,    // airborne bodies, landings
  kTickAnimation,  // every live entity's script, in slot order
  kTickOpponents,  // the computer's fighters decide
  kTickAttacks,    // pending attacks become hits
  kTickMoves,      // a house rule: grabs, throws, the special, items (gameRules.genreMoves)
  kTickShake,      // the screen shake dies away
  kTickCamera,     // the view follows its target
  kTickEndWall,    // a house rule: players stay inside the stage end (gameRules)
  kTickSizes,      // each live sprite takes its frame's drawn size
  kTickPhaseCount
};

struct TickPhaseEntry {
  TickPhase phase;
  const char* name;
  void (*run)();
};
extern const TickPhaseEntry kTickPhases[kTickPhaseCount];

// 1 once a player's command asked to leave the program in this tick; every tick starts it
// at 0. The caller ends the program; nothing of the tick after the players' step has run.
extern int32_t quitRequested;

void runTick();
// The same tick, calling `beforePhase` with each phase's number before it runs (a tool that
// looks at the world between two steps, such as the attacks still pending before the hits).
void runTickWatched(void (*beforePhase)(TickPhase next));
