#include "render/draw.h"
DrawParams drawParams;
void drawSprite(SpriteSet&) {}
void drawFrame(const FrameList&) {}
