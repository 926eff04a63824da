// Frame lists (".spr"), offsets (".off") and the sprite set: a drawable sprite plus the script
// and animation state of the entity that owns it.
#pragma once
#include <cstdint>
#include <string>

#include "content/record_string.h"
#include "content/script_lines.h"
#include "content/texture.h"

constexpr int kFrameCount = 501;    // frames 0..500
constexpr int kOffsetCount = 1001;  // offsets 0..1000 (only 0..500 belong to frames)

// Every field starts at zero, so the global tables of sprite sets are zero-filled from the start
// with no constructor run over them: pages nobody writes are never touched. A frame's fields
// sit together so that a sprite set using a handful of frames touches one page of its table
// rather than one page per field.
struct Frame {
  const Texture* texture{};  // not owned
  double x1{};
  double y1{};
  double x2{};  // one past the last column
  double y2{};  // one past the last row
};

struct FrameList {
  Frame frame[kFrameCount]{};
  double offsetX[kOffsetCount]{};
  double offsetY[kOffsetCount]{};
  int32_t count{};  // lines read from the ".spr", frame or not

  // Assigning writes only the entries that differ. The result is the same as a plain copy,
  // but a spawn copying its type's sprite set into a slot writes the few pages that hold
  // frames rather than all 35 kB of the record.
  FrameList& operator=(const FrameList& other);
};

// Who writes what: loaders (content) fill frames and script; the animation interpreter (sim)
// owns scriptLine..animation and frame, and WIDTH/HEIGHT write bodyWidth/bodyHeight; the
// scene and screens (render, screens) write x, y, width, height, flip, transparency, autoSize.
// Declare locals as `SpriteSet s{};` (see FrameList).
struct SpriteSet {
  double x = 0;  // screen anchor
  double y = 0;
  double width = 0;  // drawn size
  double height = 0;
  double bodyWidth = 0;  // WIDTH: body box for control and combat
  double bodyHeight = 0; // HEIGHT: foot line is y + bodyHeight
  FrameList frames{};
  int32_t frame = 0;
  int32_t autoSize = 0;  // 1: size from the frame rectangle on every draw
  int32_t flip = 0;      // 1: mirrored about x
  double transparency = 0;  // 0 opaque .. 1 invisible
  ScriptRef script{};  // null reads as 1001 empty lines
  int32_t scriptLine = 0;
  int32_t loopLine = 0;
  int32_t beginLine = 0;
  int32_t loopDone = 0;
  int32_t loopCount = 0;
  int32_t finished = 0;
  int32_t visible = 0;  // scenery only
  RecordString animation{};
};

constexpr int kTypeSlots = 1001;       // typeSprites 1..25 and 1000
constexpr int kEffectsType = 1000;     // the shared effects type "globals"
constexpr int kInterfaceSprites = 101; // 0..100
constexpr int kPortraitSprites = 11;   // 0..10

extern SpriteSet typeSprites[kTypeSlots];
extern SpriteSet interfaceSprites[kInterfaceSprites];
extern SpriteSet portraitSprites[kPortraitSprites];
extern SpriteSet bgSprite;

// Reads a ".spr" file into `frames`; every frame it defines refers to `texture`.
void loadFrameList(FrameList& frames, const Texture& texture, const std::string& path);
// Applies one ".off" entry to frame k: "OFFSET dx dy" sets both offsets, anything else nothing.
void applyOffsetLine(FrameList& frames, int k, const std::string& line);
