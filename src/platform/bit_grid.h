// A grid of bits, one per pixel or texel, asked about rows of them: are they all set, where do
// the clear ones lie.
#pragma once
#include <cstdint>
#include <vector>

// Columns left..right-1 of rows top..bottom-1.
struct GridBox {
  int left, top, right, bottom;
};

inline bool boxEmpty(const GridBox& b) { return b.left >= b.right || b.top >= b.bottom; }
GridBox intersectBoxes(const GridBox& a, const GridBox& b);

struct BitGrid {
  int width = 0;
  int height = 0;
  int wordsPerRow = 0;
  std::vector<uint64_t> words;  // row after row, bit x of a row in word x / 64
};

// Every bit clear.
void resetGrid(BitGrid& grid, int width, int height);
void setGridBit(BitGrid& grid, int x, int y);
// Boxes and spans must lie within the grid.
void setGridBox(BitGrid& grid, const GridBox& box);
bool gridRowAllSet(const BitGrid& grid, int y, int left, int right);
// The first and one past the last clear column of row y within left..right-1; false when none.
bool gridRowClearSpan(const BitGrid& grid, int y, int left, int right, int* first, int* end);
