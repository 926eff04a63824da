// A picture's size read from its header, so that one too large to be a sheet is refused
// before it is decoded: a small compressed file can claim a gigabyte of pixels. Shared with
// the content checker.
#pragma once
#include <cstdint>
#include <string>

// Pixels are decoded at up to four bytes each; past this a single picture would take more
// memory than a whole stage's sheets together.
constexpr uint64_t kMaxDecodedImageBytes = 128u << 20;
constexpr uint64_t kDecodedBytesPerPixel = 4;

struct ImageSize {
  uint32_t width = 0;
  uint32_t height = 0;
};

// The width and height in a PNG's header; false when the file cannot be opened as a regular
// file or does not start as a PNG does (sheets are PNG files throughout).
bool readImageSize(const std::string& contentPath, ImageSize* size);
// "" when a picture of this size can become a texture, otherwise why not, as a phrase that
// follows the file's name. maxTextureSide is GL's largest texture side, 0 when not known.
std::string imageSizeProblem(const ImageSize& size, int maxTextureSide);
