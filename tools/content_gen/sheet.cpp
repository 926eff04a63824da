#include "sheet.h"

#include <algorithm>
#include <numeric>

GridSheet::GridSheet(int cellWidth, int cellHeight, int columns, int frameCount)
    : cellW_(cellWidth),
      cellH_(cellHeight),
      columns_(columns),
      count_(frameCount),
      canvas_(cellWidth * columns, cellHeight * ((frameCount + columns - 1) / columns)) {}

std::vector<FrameRect> GridSheet::frames() const {
  std::vector<FrameRect> frames;
  for (int n = 0; n < count_; ++n) frames.push_back({cellX(n), cellY(n), cellW_, cellH_, dx_, dy_});
  return frames;
}

std::vector<std::string> GridSheet::frameLines() const { return frameLinesOf(frames()); }

std::vector<std::string> GridSheet::offsetLines() const { return offsetLinesOf(frames()); }

std::vector<std::string> frameLinesOf(const std::vector<FrameRect>& frames) {
  std::vector<std::string> lines;
  for (const FrameRect& f : frames)
    lines.push_back("FRAME " + std::to_string(f.x) + " " + std::to_string(f.y) + " " + std::to_string(f.x + f.w) + " " +
                    std::to_string(f.y + f.h));
  return lines;
}

std::vector<std::string> offsetLinesOf(const std::vector<FrameRect>& frames) {
  std::vector<std::string> lines;
  for (const FrameRect& f : frames) lines.push_back("OFFSET " + std::to_string(f.dx) + " " + std::to_string(f.dy));
  return lines;
}

namespace {

// One transparent column and row between frames: nearest filtering never reads a neighbour,
// but the gap keeps every frame's edge clean when the sheet is viewed or edited.
const int kGap = 1;
const int kWidthStep = 16;
const int kWidestSheet = 2048;

FrameRect paintedBox(const Canvas& cell) {
  int left = cell.width(), top = cell.height(), right = -1, bottom = -1;
  for (int y = 0; y < cell.height(); ++y)
    for (int x = 0; x < cell.width(); ++x)
      if (cell.get(x, y).a != 0) {
        left = std::min(left, x), right = std::max(right, x);
        top = std::min(top, y), bottom = std::max(bottom, y);
      }
  if (right < 0) return {};
  return {left, top, right - left + 1, bottom - top + 1};
}

// Shelf packing, tallest frames first: places every box at most `width` wide and returns
// the height the sheet needs.
int shelve(std::vector<FrameRect>& boxes, const std::vector<int>& order, int width) {
  int x = 0, y = 0, shelfHeight = 0;
  for (int n : order) {
    FrameRect& b = boxes[n];
    if (b.w == 0) continue;
    if (x > 0 && x + b.w > width) x = 0, y += shelfHeight + kGap, shelfHeight = 0;
    b.x = x, b.y = y;
    x += b.w + kGap;
    shelfHeight = std::max(shelfHeight, b.h);
  }
  return y + shelfHeight;
}

}  // namespace

PackedSheet packTrimmed(const std::vector<Canvas>& cells, int cellDx, int cellDy) {
  std::vector<FrameRect> boxes;
  int widest = 1;
  for (const Canvas& cell : cells) {
    boxes.push_back(paintedBox(cell));
    widest = std::max(widest, boxes.back().w);
  }
  std::vector<int> order(boxes.size());
  std::iota(order.begin(), order.end(), 0);
  std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return boxes[a].h > boxes[b].h; });
  int bestWidth = widest;
  long bestArea = -1;
  for (int width = widest; width <= std::max(widest, kWidestSheet); width += kWidthStep) {
    std::vector<FrameRect> trial = boxes;
    long area = static_cast<long>(width) * std::max(1, shelve(trial, order, width));
    if (bestArea < 0 || area < bestArea) bestArea = area, bestWidth = width;
  }
  std::vector<FrameRect> placed = boxes;
  const int height = std::max(1, shelve(placed, order, bestWidth));
  PackedSheet sheet{Canvas(bestWidth, height), {}};
  for (size_t n = 0; n < cells.size(); ++n) {
    const FrameRect& from = boxes[n];
    FrameRect to = placed[n];
    if (from.w > 0) sheet.canvas.copyFrom(cells[n], from.x, from.y, from.w, from.h, to.x, to.y);
    to.dx = cellDx + from.x;
    to.dy = cellDy + from.y;
    sheet.frames.push_back(to);
  }
  return sheet;
}
