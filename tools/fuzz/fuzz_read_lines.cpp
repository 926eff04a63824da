// readLines on arbitrary bytes, into a list that held a longer file before.
#include <cstddef>
#include <cstdint>

#include "content/text_file.h"
#include "fuzz_content.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  enterFuzzContent();
  std::string path = writeFuzzFile("fuzz_lines.txt", data, size);
  static std::array<std::string, 64> lines;
  readLines(path, lines);
  readLines(path, offsetLines);
  return 0;
}
