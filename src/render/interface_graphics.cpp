// The sheets every screen shares: the font and the global interface sheet.
#include <algorithm>
#include <cstring>

#include "content/pack_layout.h"
#include "content/text_file.h"
#include "render/draw.h"
#include "render/stage_scene.h"

Texture fontTexture;
FrameList fontFrames;
Texture interfaceTextures[kInterfaceTextures];

namespace {

constexpr int kFontOffsetLines = 128;   // character codes 0..127 carry offsets
constexpr int kInterfaceSheetCopies = 31;  // interface sprites 0..30 hold the global sheet

// The copy of interface sprite 0's frames from before the sheet loaded, for comparison; a
// static so that its 36 kB stay off the stack.
FrameList framesBeforeLoad;

template <typename T, std::size_t N>
bool sameBytes(const T (&a)[N], const T (&b)[N]) {
  return std::memcmp(a, b, sizeof a) == 0;
}

// The frame list loader only writes what the file defines, so two records end up alike
// exactly when they were alike before.
bool sameFrames(const FrameList& a, const FrameList& b) {
  return sameBytes(a.frame, b.frame) && sameBytes(a.offsetX, b.offsetX) && sameBytes(a.offsetY, b.offsetY) &&
         a.count == b.count;
}

// The loader wrote only frames below `count` and `count` itself; copying just those keeps the
// rest of the record, and the pages it lies on, untouched.
void copyLoadedFrames(FrameList& to, const FrameList& from) {
  std::copy(from.frame, from.frame + from.count, to.frame);
  to.count = from.count;
}

void loadFont() {
  loadTextureRGBA(kFontImage, fontTexture);
  loadFrameList(fontFrames, fontTexture, kFontFrames);
  readLines(kFontOffsets, offsetLines);
  for (int n = 0; n < kFontOffsetLines; ++n) applyOffsetLine(fontFrames, n, offsetLines[n]);
}

// Every interface sprite gets the same sheet. It is read once; a record whose frames differed
// from the first one's beforehand reads the file itself, so it keeps its own leftovers just
// as if each had read it.
void loadInterfaceSheet() {
  const char* const sheet = kInterfaceFrames;
  loadTextureRGBA(kInterfaceImage, interfaceTextures[0]);
  framesBeforeLoad = interfaceSprites[0].frames;
  loadFrameList(interfaceSprites[0].frames, interfaceTextures[0], sheet);
  interfaceSprites[0].autoSize = 1;
  for (int j = 1; j < kInterfaceSheetCopies; ++j) {
    SpriteSet& sprite = interfaceSprites[j];
    if (sameFrames(sprite.frames, framesBeforeLoad))
      copyLoadedFrames(sprite.frames, interfaceSprites[0].frames);
    else
      loadFrameList(sprite.frames, interfaceTextures[0], sheet);
    sprite.autoSize = 1;
  }
}

}  // namespace

void loadInterfaceGraphics() {
  loadFont();
  loadInterfaceSheet();
}

void drawScreenCover(double transparency) {
  drawFullScreen(interfaceSprites[0].frames, kInterfaceFadeFrame, transparency);
}

void drawInterfaceFrame(int32_t frame, int32_t x, int32_t y, int32_t width, int32_t height,
                        double transparency) {
  drawFrameOver(interfaceSprites[0].frames, frame, x, y, width, height, transparency);
}
