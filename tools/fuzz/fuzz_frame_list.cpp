// loadFrameList and the offset rule on arbitrary ".spr" and ".off" bytes.
#include <cstddef>
#include <cstdint>

#include "content/sprite_set.h"
#include "content/text_file.h"
#include "fuzz_content.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  enterFuzzContent();
  static FrameList frames{};
  static Texture texture{16, 16, 1};
  std::string path = writeFuzzFile("fuzz.spr", data, size);
  loadFrameList(frames, texture, path);
  readLines(path, offsetLines);
  for (int k = 0; k < kOffsetLineCount; ++k) applyOffsetLine(frames, k, offsetLines[k]);
  return 0;
}
