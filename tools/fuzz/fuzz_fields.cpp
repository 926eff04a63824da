// getField and toNumber on arbitrary text.
#include <cstddef>
#include <cstdint>
#include <string>

#include "base/numbers.h"
#include "content/text_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string line(reinterpret_cast<const char*>(data), size);
  for (int n = -1; n <= kMaxFields + 2; ++n) {
    std::string field = getField(line, n);
    double value = toNumber(field);
    (void)roundToInt(value);
    (void)roundToInt16(value);
  }
  (void)toNumber(line);
  return 0;
}
