// Frame lists (".spr"), offsets (".off") and the sprite set: a drawable sprite plus the script
// and animation state of the entity that owns it.
#pragma once
#include <cstdint>
#include <string>

#include "base/field_list.h"
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

// The running animation of a sprite set, listed once (base/field_list.h): the interpreter
// (sim) owns animation..frame, WIDTH/HEIGHT write bodyWidth/bodyHeight, an opponent's death
// fade writes transparency; width and height are the frame's drawn size, which the tick
// measures after its steps (the near-view test reads it) and drawing sets to the same value;
// contentFrom says whose frames and script the set holds: 0 the slot's own, loaded at stage
// start; t + 1 type t's, copied by a spawn. These fields are part of the world snapshot.
#define SPRITE_ANIMATION_FIELDS(FIELD) \
  FIELD(RecordString, animation)       \
  FIELD(int32_t, scriptLine)           \
  FIELD(int32_t, loopLine)             \
  FIELD(int32_t, beginLine)            \
  FIELD(int32_t, loopDone)             \
  FIELD(int32_t, loopCount)            \
  FIELD(int32_t, finished)             \
  FIELD(int32_t, frame)                \
  FIELD(int32_t, contentFrom)          \
  FIELD(double, bodyWidth)             \
  FIELD(double, bodyHeight)            \
  FIELD(double, transparency)          \
  FIELD(double, width)                 \
  FIELD(double, height)

struct SpriteAnimation {
  SPRITE_ANIMATION_FIELDS(BRAWLER_DECLARE_FIELD)
};

// A sprite set: its running animation (above), where drawing puts it (x, y, flip, autoSize,
// visible: written by the scene and screens, render and screens; the player step mirrors x, y
// and flip for the portrait), and the content it shows and runs (frames and script: filled by
// the loaders, shared type content that does not change during a stage).
// Declare locals as `SpriteSet s{};` (see FrameList).
struct SpriteSet : SpriteAnimation {
  double x = 0;  // screen anchor
  double y = 0;
  int32_t autoSize = 0;  // 1: size from the frame rectangle on every draw
  int32_t flip = 0;      // 1: mirrored about x
  int32_t visible = 0;   // scenery only
  FrameList frames{};
  ScriptRef script{};  // null reads as 1001 empty lines
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
