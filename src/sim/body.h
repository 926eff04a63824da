// Where a body stands: its foot line and the rectangle its decisions are measured with.
#pragma once
#include <cstdint>

#include "sim/rect.h"

// y + bodyHeight in real numbers; altitude does not move the foot line.
double footLine(int e);
// The foot line as the integer `footY` field holds it.
int32_t roundedFootLine(int e);
// x +- bodyWidth/2 across, y to y + bodyHeight down, edges rounded; altitude plays no part.
Rect groundBodyRect(int e);
// Guards an index read from a record before it reaches the entity table.
int entityIndexOrZero(int32_t index);
