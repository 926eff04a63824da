// A sprite sheet under construction: frames laid out on a grid, written out as the picture,
// its frame list (".spr": line n is frame n) and its offsets (".off": line n is frame n).
#pragma once

#include <string>
#include <vector>

#include "canvas.h"

struct FrameRect {
  int x = 0, y = 0, w = 0, h = 0;
  int dx = 0, dy = 0;  // drawing offset of the frame's top-left corner from the sprite's anchor
};

class GridSheet {
 public:
  GridSheet(int cellWidth, int cellHeight, int columns, int frameCount);

  Canvas& canvas() { return canvas_; }
  // Top-left corner of frame n's cell on the sheet.
  int cellX(int n) const { return (n % columns_) * cellW_; }
  int cellY(int n) const { return (n / columns_) * cellH_; }
  int cellWidth() const { return cellW_; }
  int cellHeight() const { return cellH_; }
  int frameCount() const { return count_; }
  // Every frame is its whole cell, drawn with the same offset.
  void setOffsets(int dx, int dy) { dx_ = dx, dy_ = dy; }

  std::vector<std::string> frameLines() const;
  std::vector<std::string> offsetLines() const;

 private:
  std::vector<FrameRect> frames() const;

  int cellW_, cellH_, columns_, count_;
  int dx_ = 0, dy_ = 0;
  Canvas canvas_;
};

// Frames cut down to their painted pixels and packed in rows. Every frame is painted into a
// cell of its own, all cells drawn with the same offset; each frame keeps only the box round
// its opaque pixels, and its offset grows by where that box starts, so it lands on screen
// exactly where the whole cell would have. A sheet of mostly empty cells costs the game a
// texture several times the size of what it shows.
struct PackedSheet {
  Canvas canvas{0, 0};
  std::vector<FrameRect> frames;  // frame n; a cell with nothing painted keeps a 0 by 0 box
};
PackedSheet packTrimmed(const std::vector<Canvas>& cells, int cellDx, int cellDy);

// Frame and offset lines for frames at arbitrary places on a sheet.
std::vector<std::string> frameLinesOf(const std::vector<FrameRect>& frames);
std::vector<std::string> offsetLinesOf(const std::vector<FrameRect>& frames);
