// The view: it follows its target entity, and the screen shake dies away.
#pragma once

// Eases the view towards cameraTarget, held inside the stage.
void updateCamera();
// The shake changes direction every tick and loses a pixel a tick each way.
void decayShake();
