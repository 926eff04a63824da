#include "content/image_size.h"

#include <cstdio>
#include <cstring>

#include "platform/host_path.h"

namespace {

constexpr unsigned char kPngSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
constexpr size_t kHeaderChunkAt = 8;  // the header chunk always comes first
constexpr size_t kSizeAt = 16;        // after its length and its name
constexpr size_t kBytesNeeded = 24;

uint32_t be32(const unsigned char* p) {
  return static_cast<uint32_t>(p[0]) << 24 | p[1] << 16 | p[2] << 8 | p[3];
}

}  // namespace

bool readImageSize(const std::string& contentPath, ImageSize* size) {
  std::FILE* file = openRegularFile(contentPath);
  if (!file) return false;
  unsigned char head[kBytesNeeded];
  const bool whole = std::fread(head, 1, sizeof head, file) == sizeof head;
  std::fclose(file);
  if (!whole || std::memcmp(head, kPngSignature, sizeof kPngSignature) != 0 ||
      std::memcmp(head + kHeaderChunkAt + 4, "IHDR", 4) != 0)
    return false;
  size->width = be32(head + kSizeAt);
  size->height = be32(head + kSizeAt + 4);
  return true;
}

std::string imageSizeProblem(const ImageSize& size, int maxTextureSide) {
  const std::string said = std::to_string(size.width) + " x " + std::to_string(size.height);
  if (size.width == 0 || size.height == 0) return "is " + said + " pixels: no picture at all";
  if (maxTextureSide > 0 &&
      (size.width > static_cast<uint32_t>(maxTextureSide) || size.height > static_cast<uint32_t>(maxTextureSide)))
    return "is " + said + " pixels, larger than the " + std::to_string(maxTextureSide) +
           " pixels a side that the graphics driver takes";
  const uint64_t pixels = uint64_t{size.width} * size.height;  // two 32-bit sides always fit
  if (pixels > kMaxDecodedImageBytes / kDecodedBytesPerPixel)
    return "is " + said + " pixels, " + std::to_string(pixels / (1u << 20) * kDecodedBytesPerPixel) +
           " MB once decoded (the game takes up to " + std::to_string(kMaxDecodedImageBytes >> 20) + " MB)";
  return "";
}
