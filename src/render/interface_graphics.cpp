#include "render/stage_scene.h"
Texture fontTexture;
FrameList fontFrames;
Texture interfaceTextures[kInterfaceTextures];
void loadInterfaceGraphics() {}
