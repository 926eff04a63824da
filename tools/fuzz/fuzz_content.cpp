#include "fuzz_content.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>

#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb/stb_image_write.h>

#include "platform/null_platform.h"

namespace {

void makeDirs(const std::string& path) {
  for (size_t i = 1; i < path.size(); ++i)
    if (path[i] == '/') mkdir(path.substr(0, i).c_str(), 0755);
  mkdir(path.c_str(), 0755);
}

void writeText(const std::string& path, const char* text) {
  FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) std::abort();
  std::fputs(text, f);
  std::fclose(f);
}

void writeImage(const std::string& path, int channels) {
  unsigned char pixels[16 * 16 * 4];
  for (size_t i = 0; i < sizeof pixels; ++i) pixels[i] = static_cast<unsigned char>(i * 7);
  if (!stbi_write_png(path.c_str(), 16, 16, channels, pixels, 16 * channels)) std::abort();
}

}  // namespace

const std::string& enterFuzzContent() {
  static std::string folder;
  if (!folder.empty()) return folder;
  folder = makeTemporaryFolder("brawler-fuzz-");
  if (chdir(folder.c_str()) != 0) std::abort();
  makeDirs("gfx/stage/fuzz");
  makeDirs("gfx/entities");
  makeDirs("scripts");
  makeDirs("sound");
  writeImage("gfx/stage/fuzz.png", 3);
  writeText("gfx/stage/bg.spr", "FRAME 0 0 16 16\n");
  writeImage("gfx/stage/fuzz/tiles0.png", 4);
  writeText("gfx/stage/fuzz/tiles0.spr", "FRAME 0 0 8 8\nFRAME 8 0 16 8\nFRAME 0 8 16 16\n");
  for (const char* name : {"thug", "globals"}) {
    std::string base = std::string("gfx/entities/") + name;
    writeImage(base + ".PNG", 4);
    writeText((base + ".spr").c_str(), "FRAME 0 0 8 16\nFRAME 8 0 16 16\n");
    writeText((base + ".off").c_str(), "OFFSET -4 -16\nOFFSET -4 -16\n");
  }
  writeText("scripts/thug.dat",
            "WIDTH 60\nHEIGHT 100\nSETHP 50\n\nBEGIN STAND\nFRAMESET 0\nLOOPSTART 5\nLOOPEND\n"
            "FRAMESET 1\nEND\nBEGIN STATIONARY\nFRAMESET 0\nSTOP\n");
  writeText("scripts/globals.dat",
            "\nBEGIN SMALLSPARK\nFRAMESET 0\nLOOPSTART 3\nLOOPEND\nDESTROY\nSTOP\n");
  useNullPlatform(true);
  return folder;
}

std::string makeTemporaryFolder(const std::string& prefix) {
  std::string pattern = (std::filesystem::temp_directory_path() / (prefix + "XXXXXX")).string();
  if (!mkdtemp(pattern.data())) std::abort();
  return pattern;
}

std::string writeFuzzFile(const std::string& relativePath, const uint8_t* data, size_t size) {
  FILE* f = std::fopen(relativePath.c_str(), "wb");
  if (!f) std::abort();
  if (size) std::fwrite(data, 1, size, f);
  std::fclose(f);
  return relativePath;
}
