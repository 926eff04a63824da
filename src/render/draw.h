// Drawing one frame as a textured quad.
#pragma once
#include <cstdint>

#include "content/sprite_set.h"

struct DrawParams {
  int32_t x = 0;
  int32_t y = 0;
  int32_t frame = 0;
  double transparency = 0;
  int32_t autoSize = 0;
  int32_t width = 0;
  int32_t height = 0;
};
extern DrawParams drawParams;

// The sprite's current frame at its anchor, size, mirroring and transparency; leaves
// texturing on.
void drawSprite(SpriteSet& sprite);
// Frame drawParams.frame of `frames` as drawParams says; turns texturing off.
void drawFrame(const FrameList& frames);
// Frame `frame` of `frames` stretched over a rectangle of the screen at `transparency`; sets
// every field of drawParams, so nothing an earlier draw left there shows through.
void drawFrameOver(const FrameList& frames, int32_t frame, int32_t x, int32_t y, int32_t width,
                   int32_t height, double transparency);
// The same over the whole screen.
void drawFullScreen(const FrameList& frames, int32_t frame, double transparency);
