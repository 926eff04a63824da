// The game font: printable ASCII glyphs at their character codes, gold lettering with a dark rim.
#include "file_out.h"
#include "pack.h"
#include "sheet.h"

namespace {

const int kScale = 3;
const int kCellHeight = 40;
const int kBaseline = 4;  // blank rows above the letters
const int kPerRow = 16;
const int kFirst = 32, kLast = 126;
const int kOffsetLines = 128;

}  // namespace

void writeFont(const std::string& root) {
  std::vector<FrameRect> frames;
  std::vector<int> widths;
  for (int code = kFirst; code <= kLast; ++code)
    widths.push_back(Canvas::textWidth(std::string(1, static_cast<char>(code)), kScale) + 4);
  int cellW = 0;
  for (int w : widths) cellW = std::max(cellW, w);
  const int rows = (kLast - kFirst + kPerRow) / kPerRow;
  Canvas sheet(cellW * kPerRow, kCellHeight * rows);
  for (int code = kFirst; code <= kLast; ++code) {
    int i = code - kFirst;
    int x = (i % kPerRow) * cellW, y = (i / kPerRow) * kCellHeight;
    Canvas glyph(cellW, kCellHeight);
    glyph.text(std::string(1, static_cast<char>(code)), 2, kBaseline, kScale, rgb(255, 255, 255));
    for (int gy = 0; gy < kCellHeight; ++gy)  // gold from light at the top to deep at the bottom
      for (int gx = 0; gx < cellW; ++gx)
        if (glyph.get(gx, gy).a)
          glyph.set(gx, gy, mixed(rgb(255, 246, 190), rgb(236, 128, 24), static_cast<double>(gy) / (kCellHeight - 12)));
    glyph.outline(rgb(40, 16, 8));
    sheet.copyFrom(glyph, 0, 0, cellW, kCellHeight, x, y);
    frames.push_back({x, y, widths[i], kCellHeight, 0, 0});
  }
  std::vector<std::string> spr;
  for (int code = 0; code < kFirst; ++code) spr.push_back("control code " + std::to_string(code) + ": no glyph");
  for (const std::string& line : frameLinesOf(frames)) spr.push_back(line);
  while (static_cast<int>(spr.size()) < kOffsetLines) spr.push_back("code " + std::to_string(spr.size()) + ": no glyph");
  std::vector<std::string> off;
  for (int code = 0; code < kOffsetLines; ++code) off.push_back("OFFSET 0 0");
  sheet.savePngRgba(root + "/gfx/font/mainfont.png");
  writeTextFile(root + "/gfx/font/mainfont.spr", spr);
  writeTextFile(root + "/gfx/font/mainfont.off", off);
}
