#include "base/numbers.h"

#include <cmath>
#include <limits>

int32_t roundToInt(double value) {
  if (std::isnan(value)) return 0;
  double r = std::nearbyint(value);  // default rounding mode: a half to the even neighbour
  if (r >= 2147483647.0) return std::numeric_limits<int32_t>::max();
  if (r <= -2147483648.0) return std::numeric_limits<int32_t>::min();
  return static_cast<int32_t>(r);
}

int16_t roundToInt16(double value) {
  return wrap16(roundToInt(value));
}
