// The sound and music checks on arbitrary bytes: whatever the file, they answer without a
// fault, and reading the same bytes from a file gives the same answer.
#include <cstddef>
#include <cstdint>

#include "platform/audio_file_check.h"
#include "fuzz_content.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  enterFuzzContent();
  const std::string wav = wavBytesProblem(data, size);
  const std::string vorbis = vorbisBytesProblem(data, size);
  const std::string path = writeFuzzFile("fuzz.audio", data, size);
  if (soundFileProblem(path) != wav || musicFileProblem(path) != vorbis) __builtin_trap();
  return 0;
}
