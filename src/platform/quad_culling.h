// Which parts of a frame's quads can show: a quad wholly off the screen, or wholly under opaque
// quads drawn after it in the same frame, changes no pixel and need not be drawn; one partly
// under them need only be drawn within the boxes of what still shows.
#pragma once
#include <vector>

#include "platform/bit_grid.h"
#include "platform/texel_opacity.h"

struct QuadVertex;

struct CullQuad {
  GridBox reach;  // every pixel the quad may touch
  GridBox cover;  // pixels it certainly paints over whatever was there
};

// A quad showing through several gaps is drawn once per box; past this many the last box
// grows to take in the rest.
constexpr int kMostVisibleBoxes = 4;

struct QuadPlan {
  int boxCount;  // 0: not drawn
  bool clipped;  // the boxes leave out part of the quad's reach on the screen
  GridBox boxes[kMostVisibleBoxes];  // top to bottom, each a run of rows and the columns showing in them
};

// `band`: the rows of the quad's texture, across its whole width, whose texels are opaque and
// are drawn at full alpha; empty when there are none.
CullQuad cullQuadOf(const QuadVertex corners[4], const OpaqueBand& band);
// One plan per quad, for quads listed in drawing order.
void planFrame(const std::vector<CullQuad>& quads, std::vector<QuadPlan>* plans);
