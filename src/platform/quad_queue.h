// A frame's textured quads held until the frame is shown, and which of their pixels can show:
// what every GL back end (desktop GL, WebGL) plans before it draws. The back ends differ only
// in how they put a planned quad on the screen.
#pragma once
#include <cstdint>
#include <vector>

#include "platform/platform.h"
#include "platform/quad_culling.h"
#include "platform/texel_opacity.h"

struct QueuedQuad {
  uint32_t glName;
  QuadVertex corners[4];
  double alpha;
  OpaqueBand band;  // texture rows it paints over what lies beneath
  bool opaque;      // all of it does: drawn without blending
};

// Who writes what: the back end in use queues quads and names textures; planQuadQueue fills
// the plans, one per queued quad, and the back end empties the queue once it has drawn them.
struct QuadQueue {
  std::vector<QueuedQuad> quads;
  std::vector<CullQuad> cull;
  std::vector<QuadPlan> plans;
};

// What the queue knows of each texture's texels, by GL name.
void noteTextureOpacity(uint32_t glName, const DecodedImage& image, bool rgba);
void forgetTextureOpacity(uint32_t glName);
void forgetAllTextureOpacity();  // a new GL context: every name is gone

// The quad with the rows of it that paint opaque texels, when its texture is known.
QueuedQuad queuedQuad(uint32_t glName, const QuadVertex corners[4], double alpha);
void planQuadQueue(QuadQueue* queue);
