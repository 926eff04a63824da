// The content checker on a small clean pack with one file replaced by the fuzzer's bytes: the
// first byte picks the file, the rest become its contents. Whatever the file holds, the checker
// must finish, quickly and in little memory, without a sanitizer report.
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "content_walk.h"
#include "fuzz_content.h"
#include "platform/null_platform.h"

namespace fs = std::filesystem;

namespace {

struct PackFile {
  std::string path;   // relative to the pack's folder
  std::string bytes;  // as shipped, written back after each run
};
std::vector<PackFile> packFiles;  // sorted by path, so that a seed's first byte names one file

void enterCleanPackCopy() {
  const std::string folder = makeTemporaryFolder("brawler-fuzz-check-");
  fs::copy(BRAWLER_CHECK_CLEAN_PACK, folder, fs::copy_options::recursive);
  if (chdir(folder.c_str()) != 0) std::abort();
  for (const fs::directory_entry& entry : fs::recursive_directory_iterator(".")) {
    if (!entry.is_regular_file()) continue;
    std::ifstream in(entry.path(), std::ios::binary);
    packFiles.push_back({entry.path().lexically_relative(".").generic_string(),
                         std::string(std::istreambuf_iterator<char>(in), {})});
  }
  std::sort(packFiles.begin(), packFiles.end(),
            [](const PackFile& a, const PackFile& b) { return a.path < b.path; });
  if (packFiles.empty()) std::abort();
  useNullPlatform(true);  // decode images without a window, as the checker's command does
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (packFiles.empty()) enterCleanPackCopy();
  if (size == 0) return 0;
  const PackFile& file = packFiles[data[0] % packFiles.size()];
  writeFuzzFile(file.path, data + 1, size - 1);
  checkContent();
  writeFuzzFile(file.path, reinterpret_cast<const uint8_t*>(file.bytes.data()), file.bytes.size());
  return 0;
}
