// Decoding the content's pictures in the browser build, with stb_image in place of SDL_image:
// the same pixels, channel for channel, without the browser's own decoder, which would hand
// them over only later and with its colour handling applied.
#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_PNG
#include <stb/stb_image.h>

#include <algorithm>

#include "platform/platform.h"

namespace {
// SDL_image pads each row to 4 bytes, and the texture loader expects that layout.
int paddedPitch(int width, int channels) { return (width * channels + 3) / 4 * 4; }
}  // namespace

bool platformDecodeImage(const std::string& path, DecodedImage* image) {
  int width = 0, height = 0, channels = 0;
  unsigned char* pixels = stbi_load(path.c_str(), &width, &height, &channels, 0);
  if (pixels == nullptr) return false;
  image->width = width;
  image->height = height;
  image->bytesPerPixel = channels;
  image->pitch = paddedPitch(width, channels);
  image->pixels.assign(static_cast<size_t>(image->pitch) * height, 0);
  const size_t rowBytes = static_cast<size_t>(width) * channels;
  for (int row = 0; row < height; ++row)
    std::copy_n(pixels + row * rowBytes, rowBytes, &image->pixels[static_cast<size_t>(row) * image->pitch]);
  stbi_image_free(pixels);
  return true;
}
