// Which texels of a texture are fully opaque. Where a quad at full alpha samples only those,
// it paints its own texels over whatever lay beneath, blended or not.
#pragma once
#include <cstdint>
#include <unordered_map>

#include "platform/bit_grid.h"

struct DecodedImage;

// A stretch of a texture's rows, in texture coordinates (v from `from` up to `to`).
struct OpaqueBand {
  double from = 0, to = 0;
};
inline bool bandEmpty(const OpaqueBand& band) { return !(band.from < band.to); }

struct TexelOpacity {
  int width = 0;
  int height = 0;
  bool allOpaque = false;  // three-channel images, and four-channel ones with no see-through texel
  BitGrid opaque;          // one bit per texel, set where alpha is full; empty when allOpaque
  // Answers already worked out, by texel box: frames are asked about every frame they are drawn.
  std::unordered_map<uint64_t, OpaqueBand> bands;
};

// `image` as handed to GL: four channels when `rgba`, three otherwise.
TexelOpacity measureOpacity(const DecodedImage& image, bool rgba);
// Of the texels a quad can sample between texture coordinates (u1, v1) and (u2, v2), the
// longest stretch of rows that are opaque all across. Coordinates past the texture's edges
// wrap, so there only a wholly opaque texture has one.
OpaqueBand opaqueBand(TexelOpacity& opacity, double u1, double v1, double u2, double v2);
