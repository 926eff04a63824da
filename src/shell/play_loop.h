// The stage play loop: entry step, one tick, and the loop that repeats it.
#pragma once

void enterStage();    // entry steps of the loop
void simulateTick();  // the steps between the input poll and the drawing, camera included
void drawStageFrame();  // scene, heads-up display and the fade-in cover, not yet presented
void stageTick();     // one iteration, ending with presentFrame()
void runStage();      // enterStage, then stageTick for ever
