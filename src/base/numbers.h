// How reals become the game's integer fields. Every folder may include this.
#pragma once
#include <cstdint>

// A real stored into an integer field: nearest integer, a half to the even neighbour.
int32_t roundToInt(double value);
// The same, kept to the low 16 bits as the 16-bit entity fields store it.
int16_t roundToInt16(double value);
// Sum or difference of 16-bit fields, wrapped as the 16-bit arithmetic does.
inline int16_t wrap16(int32_t value) { return static_cast<int16_t>(static_cast<uint16_t>(value)); }
