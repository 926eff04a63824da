// The stage play loop: entry step, one tick, and the loop that repeats it.
#pragma once

#include "sim/tick.h"

void enterStage();    // entry steps of the loop
// The stage screen up to its loop: the stage loaded, every health bar shown full at once.
void startPlaystage();
// One tick as the game plays it, between the input poll and the drawing: the simulation's
// tick (sim/tick.h), then what it asked of the program: the end when a player held Escape,
// else the music kept on its loop and the tick's sounds played.
// A tool may look at the world before each phase (see runTickWatched).
void simulateTick(void (*beforePhase)(TickPhase next) = nullptr);
// The fade-in cover: one step of it (advance, print, draw) as every tick takes it, or only
// the drawing at its current amount, for a tool that holds the stage still.
void fadeIn();
void drawFadeCover();
void drawStageFrame();  // scene, heads-up display and the fade-in cover, not yet presented
void stageTick();     // one iteration, ending with presentFrame()
void runStage();      // enterStage, then stageTick for ever
