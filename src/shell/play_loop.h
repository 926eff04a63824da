// The stage play loop: entry step, one tick, and the loop that repeats it.
#pragma once

void enterStage();    // entry steps of the loop
void simulateTick();  // the steps between the input poll and the drawing, camera included
void stageTick();     // one iteration, ending with presentFrame()
void runStage();      // enterStage, then stageTick for ever
