#include "platform/bit_grid.h"

#include <algorithm>

namespace {

constexpr int kWordBits = 64;
constexpr uint64_t kAllBits = ~uint64_t{0};

// The bits of word `w` that fall within columns left..right-1.
uint64_t columnMask(int w, int left, int right) {
  const int first = w * kWordBits;
  uint64_t mask = kAllBits;
  if (left > first) mask &= kAllBits << (left - first);
  if (right < first + kWordBits) mask &= kAllBits >> (first + kWordBits - right);
  return mask;
}

const uint64_t* rowWords(const BitGrid& grid, int y) { return &grid.words[static_cast<size_t>(y) * grid.wordsPerRow]; }

}  // namespace

GridBox intersectBoxes(const GridBox& a, const GridBox& b) {
  return {std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right), std::min(a.bottom, b.bottom)};
}

void resetGrid(BitGrid& grid, int width, int height) {
  grid.width = width;
  grid.height = height;
  grid.wordsPerRow = (width + kWordBits - 1) / kWordBits;
  grid.words.assign(static_cast<size_t>(grid.wordsPerRow) * height, 0);
}

void setGridBit(BitGrid& grid, int x, int y) {
  grid.words[static_cast<size_t>(y) * grid.wordsPerRow + x / kWordBits] |= uint64_t{1} << (x % kWordBits);
}

void setGridBox(BitGrid& grid, const GridBox& box) {
  if (boxEmpty(box)) return;
  const int firstWord = box.left / kWordBits, lastWord = (box.right - 1) / kWordBits;
  for (int y = box.top; y < box.bottom; ++y) {
    uint64_t* row = &grid.words[static_cast<size_t>(y) * grid.wordsPerRow];
    for (int w = firstWord; w <= lastWord; ++w) row[w] |= columnMask(w, box.left, box.right);
  }
}

bool gridRowAllSet(const BitGrid& grid, int y, int left, int right) {
  if (left >= right) return true;
  const uint64_t* row = rowWords(grid, y);
  for (int w = left / kWordBits; w <= (right - 1) / kWordBits; ++w) {
    const uint64_t mask = columnMask(w, left, right);
    if ((row[w] & mask) != mask) return false;
  }
  return true;
}

bool gridRowClearSpan(const BitGrid& grid, int y, int left, int right, int* first, int* end) {
  if (left >= right) return false;
  const uint64_t* row = rowWords(grid, y);
  const int firstWord = left / kWordBits, lastWord = (right - 1) / kWordBits;
  int w = firstWord;
  uint64_t clear = 0;
  for (; w <= lastWord; ++w)
    if ((clear = ~row[w] & columnMask(w, left, right)) != 0) break;
  if (w > lastWord) return false;
  *first = w * kWordBits + __builtin_ctzll(clear);
  for (int v = lastWord; v >= w; --v)
    if ((clear = ~row[v] & columnMask(v, left, right)) != 0) {
      *end = v * kWordBits + kWordBits - __builtin_clzll(clear);
      break;
    }
  return true;
}
