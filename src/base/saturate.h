// Content numbers reach their 32-bit fields held to the field's range (roundToInt saturates),
// but a sum or product of two such fields can still pass it. That arithmetic is done in 64
// bits and held to the range again where the result is stored; 16-bit positions keep their
// wrap. For numbers within the range the results are the same as plain 32-bit arithmetic.
#pragma once
#include <cstdint>
#include <limits>

inline int32_t saturate32(int64_t value) {
  if (value > std::numeric_limits<int32_t>::max()) return std::numeric_limits<int32_t>::max();
  if (value < std::numeric_limits<int32_t>::min()) return std::numeric_limits<int32_t>::min();
  return static_cast<int32_t>(value);
}

// The low 16 bits of a wide sum, as a 16-bit field wraps it.
inline int16_t wrapWide16(int64_t value) { return static_cast<int16_t>(static_cast<uint16_t>(value)); }
