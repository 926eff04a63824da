// The stage play loop: entry step, one tick, and the loop that repeats it.
#pragma once

void enterStage();    // entry steps of the loop
// The stage screen up to its loop: the stage loaded, every health bar shown full at once.
void startPlaystage();
void simulateTick();  // the steps between the input poll and the drawing, camera included
// simulateTick in its two halves, for tools that look at the attacks still pending before
// they are resolved.
void simulateTickBeforeAttacks();
void simulateTickFromAttacks();
// The fade-in cover: one step of it (advance, print, draw) as every tick takes it, or only
// the drawing at its current amount, for a tool that holds the stage still.
void fadeIn();
void drawFadeCover();
void drawStageFrame();  // scene, heads-up display and the fade-in cover, not yet presented
void stageTick();     // one iteration, ending with presentFrame()
void runStage();      // enterStage, then stageTick for ever
