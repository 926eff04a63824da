// Where a finger lands on the menus written in the font: rows one under another (the options,
// the pause box, the online menu) and letters side by side (the initials, a room code).
#pragma once
#include <cstdint>

// `count` rows whose text tops stand `step` apart from firstY. Each answers across the whole
// width of the picture, over a band `step` tall centred on its text, so a finger between two
// rows takes the nearer. -1 for none.
int32_t fontRowAt(int32_t y, int32_t firstY, int32_t step, int32_t count);

// `count` letters centred `step` apart from firstX, tops at `top`, drawn `scale` times the
// glyphs' size, the one at `lit` being chosen. Above the middle of the chosen letter steps it
// up, below steps it down; on any place to its right, up to one past the last letter, takes it
// and moves on. Elsewhere, nothing.
enum LetterTap { kLetterTapNone = 0, kLetterTapUp, kLetterTapDown, kLetterTapNext };
struct LetterRow {
  int32_t firstX, step, top, scale, lit, count;
};
LetterTap letterTapAt(int32_t x, int32_t y, const LetterRow& row);
