// The view: it follows its target entity, and the screen shake dies away.
#pragma once
#include <cstdint>

// The part of the stage the game plays in view of: what the camera keeps inside the stage and
// what stays animated around. The game's own size, which the screen shows one to one.
constexpr int32_t kViewWidth = 1024;
constexpr int32_t kViewHeight = 768;

// Eases the view towards cameraTarget, held inside the stage.
void updateCamera();
// The shake changes direction every tick and loses a pixel a tick each way.
void decayShake();
