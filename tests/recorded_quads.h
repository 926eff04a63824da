// Helpers for tests that draw through the null platform and read back the recorded quads.
#pragma once
#include <vector>

#include "content/sprite_set.h"
#include "platform/null_platform.h"

inline void startRecording() {
  useNullPlatform(true);
  nullQuads.clear();
}

// Frame `frame` of `frames` becomes a w x h rectangle of `texture` with no offset; the
// texture gets a sheet size if it has none, as a loaded one would.
inline void giveFrame(FrameList& frames, int frame, Texture& texture, double w, double h) {
  if (texture.width <= 0) texture.width = 1024;
  if (texture.height <= 0) texture.height = 1024;
  frames.frame[frame].texture = &texture;
  frames.frame[frame].x1 = 0;
  frames.frame[frame].y1 = 0;
  frames.frame[frame].x2 = w;
  frames.frame[frame].y2 = h;
}

// The recorded quads drawn with the given texture, oldest first.
inline std::vector<RecordedQuad> quadsOf(uint32_t glName) {
  std::vector<RecordedQuad> found;
  for (const RecordedQuad& q : nullQuads)
    if (q.glName == glName) found.push_back(q);
  return found;
}

inline double quadLeft(const RecordedQuad& q) { return q.corners[0].x; }
inline double quadTop(const RecordedQuad& q) { return q.corners[0].y; }
inline double quadWidth(const RecordedQuad& q) { return q.corners[1].x - q.corners[0].x; }
inline double quadHeight(const RecordedQuad& q) { return q.corners[2].y - q.corners[1].y; }
