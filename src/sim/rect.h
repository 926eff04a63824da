// Integer rectangles whose touching edges count as overlap.
#pragma once
#include <cstdint>

struct Rect {
  int32_t left, right, top, bottom;
};

inline bool rectsOverlap(const Rect& a, const Rect& b) {
  return b.top <= a.bottom && a.top <= b.bottom && a.left <= b.right && b.left <= a.right;
}
