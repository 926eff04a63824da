#include "platform/texel_opacity.h"

#include <algorithm>
#include <cmath>

#include "platform/platform.h"

namespace {

constexpr int kAlphaByte = 3;
constexpr unsigned char kFullAlpha = 255;
// Texture coordinates are frame edges divided by the texture's size; multiplied back they
// miss the whole texel by rounding error only.
constexpr double kTexelSnap = 1e-6;
constexpr int kKeyBits = 16;  // per edge of a texel box in the answers' key

double toTexels(double coordinate, int size) {
  const double texels = coordinate * size;
  const double whole = std::round(texels);
  return std::fabs(texels - whole) < kTexelSnap ? whole : texels;
}

uint64_t boxKey(const GridBox& b) {
  return static_cast<uint64_t>(b.left) << (3 * kKeyBits) | static_cast<uint64_t>(b.top) << (2 * kKeyBits) |
         static_cast<uint64_t>(b.right) << kKeyBits | static_cast<uint64_t>(b.bottom);
}

// The longest run of rows of `texels` that are opaque all across, as texel rows.
GridBox longestOpaqueRows(const TexelOpacity& opacity, const GridBox& texels) {
  GridBox best{texels.left, 0, texels.right, 0};
  int runStart = texels.top;
  for (int y = texels.top; y <= texels.bottom; ++y) {
    if (y < texels.bottom && gridRowAllSet(opacity.opaque, y, texels.left, texels.right)) continue;
    if (y - runStart > best.bottom - best.top) {
      best.top = runStart;
      best.bottom = y;
    }
    runStart = y + 1;
  }
  return best;
}

}  // namespace

TexelOpacity measureOpacity(const DecodedImage& image, bool rgba) {
  TexelOpacity result;
  result.width = image.width;
  result.height = image.height;
  result.allOpaque = !rgba;
  if (!rgba) return result;
  resetGrid(result.opaque, image.width, image.height);
  bool every = true;
  for (int y = 0; y < image.height; ++y) {
    const unsigned char* texel = &image.pixels[static_cast<size_t>(y) * image.pitch];
    for (int x = 0; x < image.width; ++x, texel += image.bytesPerPixel) {
      if (texel[kAlphaByte] == kFullAlpha)
        setGridBit(result.opaque, x, y);
      else
        every = false;
    }
  }
  if (every) {
    result.allOpaque = true;
    result.opaque = BitGrid{};
  }
  return result;
}

OpaqueBand opaqueBand(TexelOpacity& opacity, double u1, double v1, double u2, double v2) {
  const double top = std::min(v1, v2), bottom = std::max(v1, v2);
  if (opacity.allOpaque) return {top, bottom};
  const double x1 = toTexels(std::min(u1, u2), opacity.width), x2 = toTexels(std::max(u1, u2), opacity.width);
  const double y1 = toTexels(top, opacity.height), y2 = toTexels(bottom, opacity.height);
  if (!(x1 >= 0 && y1 >= 0 && x2 <= opacity.width && y2 <= opacity.height)) return {};
  const GridBox texels{static_cast<int>(std::floor(x1)), static_cast<int>(std::floor(y1)),
                       static_cast<int>(std::ceil(x2)), static_cast<int>(std::ceil(y2))};
  // Coordinates that do not change across the quad sample texels on either side of the line.
  if (boxEmpty(texels)) return {};
  const uint64_t key = boxKey(texels);
  auto known = opacity.bands.find(key);
  if (known == opacity.bands.end()) {
    const GridBox rows = longestOpaqueRows(opacity, texels);
    const OpaqueBand band{static_cast<double>(rows.top) / opacity.height,
                          static_cast<double>(rows.bottom) / opacity.height};
    known = opacity.bands.emplace(key, band).first;
  }
  // Within the rows the quad samples, which may begin or end part-way into a texel.
  return {std::max(known->second.from, top), std::min(known->second.to, bottom)};
}
