#include "sheet.h"

GridSheet::GridSheet(int cellWidth, int cellHeight, int columns, int frameCount)
    : cellW_(cellWidth),
      cellH_(cellHeight),
      columns_(columns),
      count_(frameCount),
      canvas_(cellWidth * columns, cellHeight * ((frameCount + columns - 1) / columns)) {}

std::vector<std::string> GridSheet::frameLines() const {
  std::vector<FrameRect> frames;
  for (int n = 0; n < count_; ++n) frames.push_back({cellX(n), cellY(n), cellW_, cellH_, dx_, dy_});
  return frameLinesOf(frames);
}

std::vector<std::string> GridSheet::offsetLines() const {
  std::vector<FrameRect> frames;
  for (int n = 0; n < count_; ++n) frames.push_back({cellX(n), cellY(n), cellW_, cellH_, dx_, dy_});
  return offsetLinesOf(frames);
}

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
