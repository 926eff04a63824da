#include "platform/quad_queue.h"

#include <algorithm>
#include <unordered_map>

namespace {
std::unordered_map<uint32_t, TexelOpacity> textureOpacity;
}  // namespace

void noteTextureOpacity(uint32_t glName, const DecodedImage& image, bool rgba) {
  textureOpacity[glName] = measureOpacity(image, rgba);
}
void forgetTextureOpacity(uint32_t glName) { textureOpacity.erase(glName); }
void forgetAllTextureOpacity() { textureOpacity.clear(); }

QueuedQuad queuedQuad(uint32_t glName, const QuadVertex corners[4], double alpha) {
  QueuedQuad q{glName, {corners[0], corners[1], corners[2], corners[3]}, alpha, OpaqueBand{}, false};
  // Colour alpha is clamped to 1; at 1 the blend of an opaque texel gives back the texel itself.
  const auto found = textureOpacity.find(glName);
  if (!(alpha >= 1.0) || found == textureOpacity.end()) return q;
  double u1 = corners[0].u, u2 = u1, v1 = corners[0].v, v2 = v1;
  for (int i = 1; i < 4; ++i) {
    u1 = std::min(u1, corners[i].u);
    u2 = std::max(u2, corners[i].u);
    v1 = std::min(v1, corners[i].v);
    v2 = std::max(v2, corners[i].v);
  }
  q.band = opaqueBand(found->second, u1, v1, u2, v2);
  q.opaque = !bandEmpty(q.band) && q.band.from <= v1 && q.band.to >= v2;
  return q;
}

void planQuadQueue(QuadQueue* queue) {
  queue->cull.clear();
  for (const QueuedQuad& q : queue->quads) queue->cull.push_back(cullQuadOf(q.corners, q.band));
  planFrame(queue->cull, &queue->plans);
}
