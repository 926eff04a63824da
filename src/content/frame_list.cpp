#include "content/sprite_set.h"
#include "content/text_file.h"

#include <algorithm>
#include <cstddef>
#include <cstring>

SpriteSet typeSprites[kTypeSlots];
SpriteSet interfaceSprites[kInterfaceSprites];
SpriteSet portraitSprites[kPortraitSprites];
SpriteSet bgSprite;

namespace {
const char kFrameKeyword[] = "FRAME";
const char kOffsetKeyword[] = "OFFSET";

// Compared and copied a block at a time: blocks that already match are never written, and a
// block is small enough that one holding a single frame writes only the page it lies on.
constexpr std::size_t kCopyBlock = 256;

template <typename T, std::size_t N>
void copyWhereDifferent(T (&to)[N], const T (&from)[N]) {
  auto* out = reinterpret_cast<unsigned char*>(to);
  const auto* in = reinterpret_cast<const unsigned char*>(from);
  for (std::size_t at = 0; at < sizeof to; at += kCopyBlock) {
    const std::size_t n = std::min(kCopyBlock, sizeof to - at);
    if (std::memcmp(out + at, in + at, n) != 0) std::memcpy(out + at, in + at, n);
  }
}

}  // namespace

FrameList& FrameList::operator=(const FrameList& other) {
  copyWhereDifferent(frame, other.frame);
  copyWhereDifferent(offsetX, other.offsetX);
  copyWhereDifferent(offsetY, other.offsetY);
  count = other.count;
  return *this;
}

void loadFrameList(FrameList& frames, const Texture& texture, const std::string& path) {
  TextFileReader reader(path);
  if (!reader.opened()) return;
  frames.count = 0;
  // Line n describes frame n, so a sheet list longer than the table is cut there and `count`
  // stays a usable frame bound for whoever scans offsets up to it.
  std::string line;
  while (frames.count < kFrameCount && reader.next(&line)) {
    const int k = frames.count;
    if (getField(line, 1) == kFrameKeyword) {
      Frame& f = frames.frame[k];
      f.texture = &texture;
      f.x1 = toNumber(getField(line, 2));
      f.y1 = toNumber(getField(line, 3));
      f.x2 = toNumber(getField(line, 4));
      f.y2 = toNumber(getField(line, 5));
    }
    ++frames.count;
  }
}

void applyOffsetLine(FrameList& frames, int k, const std::string& line) {
  if (k < 0 || k >= kOffsetCount) return;
  if (getField(line, 1) != kOffsetKeyword) return;
  frames.offsetX[k] = toNumber(getField(line, 2));
  frames.offsetY[k] = toNumber(getField(line, 3));
}
