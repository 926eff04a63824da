#include "screens/menu_taps.h"

#include "render/font_text.h"

namespace {

// Any capital stands for the rows' and letters' height: the font's capitals are alike.
constexpr const char* kCapital = "M";

int32_t floorDiv(int32_t a, int32_t b) { return a >= 0 ? a / b : -((-a + b - 1) / b); }

}  // namespace

int32_t fontRowAt(int32_t y, int32_t firstY, int32_t step, int32_t count) {
  if (step <= 0) return -1;
  const int32_t firstBandTop = firstY + fontTextHeight(kCapital, 1) / 2 - step / 2;
  const int32_t row = floorDiv(y - firstBandTop, step);
  return row >= 0 && row < count ? row : -1;
}

LetterTap letterTapAt(int32_t x, int32_t y, const LetterRow& row) {
  if (row.step <= 0 || row.lit < 0 || row.lit >= row.count) return kLetterTapNone;
  const int32_t height = fontTextHeight(kCapital, row.scale);
  // Half a letter's height of slack above and below: a fingertip is wider than a glyph's edge.
  if (y < row.top - height / 2 || y >= row.top + height + height / 2) return kLetterTapNone;
  const int32_t place = floorDiv(x - (row.firstX - row.step / 2), row.step);
  if (place == row.lit) return y < row.top + height / 2 ? kLetterTapUp : kLetterTapDown;
  if (place > row.lit && place <= row.count) return kLetterTapNext;
  return kLetterTapNone;
}
