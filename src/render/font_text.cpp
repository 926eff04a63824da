#include "render/font_text.h"

#include <algorithm>

#include "base/numbers.h"
#include "render/draw.h"
#include "render/stage_scene.h"

namespace {

// Characters the sheet has no frame for take no room and draw nothing.
int glyphOf(char c) {
  const int code = static_cast<unsigned char>(c);
  return code < kFrameCount ? code : 0;
}

int32_t glyphWidth(int f) { return roundToInt(fontFrames.frame[f].x2 - fontFrames.frame[f].x1); }
int32_t glyphHeight(int f) { return roundToInt(fontFrames.frame[f].y2 - fontFrames.frame[f].y1); }

}  // namespace

int32_t fontTextWidth(const std::string& text, int32_t scale) {
  int32_t width = 0;
  for (char c : text) width += glyphWidth(glyphOf(c)) * scale;
  return width;
}

int32_t fontTextHeight(const std::string& text, int32_t scale) {
  int32_t height = 0;
  for (char c : text) height = std::max(height, glyphHeight(glyphOf(c)) * scale);
  return height;
}

void drawFontText(const std::string& text, int32_t x, int32_t y, int32_t scale, double transparency) {
  drawParams.autoSize = 0;
  drawParams.transparency = transparency;
  for (char c : text) {
    const int f = glyphOf(c);
    drawParams.frame = f;
    drawParams.x = x;
    drawParams.y = y;
    drawParams.width = glyphWidth(f) * scale;
    drawParams.height = glyphHeight(f) * scale;
    drawFrame(fontFrames);
    x += drawParams.width;
  }
}

void drawFontTextCentred(const std::string& text, int32_t centreX, int32_t y, int32_t scale,
                         double transparency) {
  drawFontText(text, centreX - fontTextWidth(text, scale) / 2, y, scale, transparency);
}
