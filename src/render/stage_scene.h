// The stage scene, the heads-up display and the sheets every screen shares.
#pragma once

#include "content/sprite_set.h"

extern Texture fontTexture;
extern FrameList fontFrames;
constexpr int kInterfaceTextures = 11;
extern Texture interfaceTextures[kInterfaceTextures];

void loadInterfaceGraphics();
void drawStageScene();
void drawHud();
