#include "render/draw.h"

#include "base/numbers.h"
#include "platform/platform.h"

DrawParams drawParams;

namespace {

bool validFrame(int f) { return f >= 0 && f < kFrameCount; }

// A frame no ".spr" line defined has no sheet behind it; there is nothing to show.
bool hasSheet(const FrameList& frames, int f) {
  const Texture* t = frames.frame[f].texture;
  return t && t->width > 0 && t->height > 0;
}

// The quad of frame f between the already rounded screen edges. The left texture edge always
// goes to L, so L > R shows the frame mirrored.
void drawFrameQuad(const FrameList& frames, int f, int32_t left, int32_t top, int32_t right,
                   int32_t bottom, double transparency) {
  const Texture& t = *frames.frame[f].texture;
  const double u1 = frames.frame[f].x1 / t.width, u2 = frames.frame[f].x2 / t.width;
  const double v1 = frames.frame[f].y1 / t.height, v2 = frames.frame[f].y2 / t.height;
  const QuadVertex corners[4] = {
      {double(left), double(top), u1, v1},
      {double(right), double(top), u2, v1},
      {double(right), double(bottom), u2, v2},
      {double(left), double(bottom), u1, v2},
  };
  gfxDrawTexturedQuad(t.glName, corners, 1.0 - transparency);
}

}  // namespace

void drawSprite(SpriteSet& sprite) {
  const int f = sprite.frame;
  if (!validFrame(f)) return;
  const FrameList& frames = sprite.frames;
  if (sprite.autoSize == 1) {
    sprite.width = frames.frame[f].x2 - frames.frame[f].x1;
    sprite.height = frames.frame[f].y2 - frames.frame[f].y1;
  }
  if (!hasSheet(frames, f)) return;

  // Only flip 1 mirrors; like autoSize, any other value means "as in the image".
  const double dx = frames.offsetX[f];
  double left, right;
  if (sprite.flip == 1) {
    left = sprite.x - dx;
    right = sprite.x - sprite.width - dx;
  } else {
    left = sprite.x + dx;
    right = sprite.x + dx + sprite.width;
  }
  const double top = sprite.y + frames.offsetY[f];
  const double bottom = sprite.y + frames.offsetY[f] + sprite.height;
  drawFrameQuad(frames, f, roundToInt(left), roundToInt(top), roundToInt(right),
                roundToInt(bottom), sprite.transparency);
}

void drawFrame(const FrameList& frames) {
  const int f = drawParams.frame;
  if (validFrame(f) && hasSheet(frames, f)) {
    int32_t w = drawParams.width, h = drawParams.height;
    if (drawParams.autoSize == 1) {
      w = roundToInt(frames.frame[f].x2 - frames.frame[f].x1);
      h = roundToInt(frames.frame[f].y2 - frames.frame[f].y1);
    }
    const double ox = frames.offsetX[f], oy = frames.offsetY[f];
    drawFrameQuad(frames, f, roundToInt(ox + drawParams.x), roundToInt(oy + drawParams.y),
                  roundToInt(ox + drawParams.x + w), roundToInt(oy + drawParams.y + h),
                  drawParams.transparency);
  }
  gfxDisableTexturing();
}

void drawFrameOver(const FrameList& frames, int32_t frame, int32_t x, int32_t y, int32_t width,
                   int32_t height, double transparency) {
  drawParams.x = x;
  drawParams.y = y;
  drawParams.frame = frame;
  drawParams.autoSize = 0;
  drawParams.width = width;
  drawParams.height = height;
  drawParams.transparency = transparency;
  drawFrame(frames);
}

void drawFullScreen(const FrameList& frames, int32_t frame, double transparency) {
  drawFrameOver(frames, frame, 0, 0, screenWidth, screenHeight, transparency);
}
