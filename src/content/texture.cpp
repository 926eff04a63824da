#include "content/texture.h"

#include <cstdio>

#include "platform/host_path.h"
#include "platform/platform.h"
#include "content/image_size.h"
#include "content/text_file.h"

namespace {

// Lays the decoded pixels out as GL reads them with its default unpack alignment of 4:
// `channels` bytes per pixel, rows padded to 4 bytes. A sheet saved with the other channel
// count (an RGB sheet where RGBA was expected) would otherwise be read past its end.
bool toChannels(DecodedImage& image, int channels) {
  const int from = image.bytesPerPixel;
  if (from != 3 && from != 4) return false;
  const int pitch = (image.width * channels + 3) / 4 * 4;
  if (from == channels && image.pitch == pitch) return true;
  if (image.pitch < image.width * from ||
      image.pixels.size() < static_cast<size_t>(image.pitch) * image.height)
    return false;
  std::vector<unsigned char> out(static_cast<size_t>(pitch) * image.height, 0);
  for (int row = 0; row < image.height; ++row) {
    const unsigned char* src = &image.pixels[static_cast<size_t>(row) * image.pitch];
    unsigned char* dst = &out[static_cast<size_t>(row) * pitch];
    for (int col = 0; col < image.width; ++col, src += from, dst += channels) {
      dst[0] = src[0];
      dst[1] = src[1];
      dst[2] = src[2];
      if (channels == 4) dst[3] = from == 4 ? src[3] : 255;
    }
  }
  image.pixels.swap(out);
  image.bytesPerPixel = channels;
  image.pitch = pitch;
  return true;
}

[[noreturn]] void failImage(const std::string& path) {
  // The only fatal error of the game: say which file, let the player read it, and leave with a
  // failure status, so that a launcher or script can tell a broken pack from a normal quit.
  std::printf("Error loading %s.\n", path.c_str());
  std::fflush(stdout);
  platformWaitForKey();
  platformQuit(kImageFailureStatus);
}

void loadTexture(const std::string& path, Texture& texture, bool rgba) {
  // Sized from its header first: decoding a picture that could never be a texture would take
  // the memory before the upload refused it.
  ImageSize size;
  if (!readImageSize(path, &size) || !imageSizeProblem(size, gfxMaxTextureSide()).empty())
    failImage(path);
  DecodedImage image;
  if (!platformDecodeImage(hostPath(path), &image)) failImage(path);
  if (!toChannels(image, rgba ? 4 : 3)) failImage(path);
  const uint32_t name = gfxCreateTexture(image, rgba);
  if (name == 0) failImage(path);  // larger than the GL implementation takes
  // A record owns its GL name (frames point at the record, never copy the name), so the
  // texture a reload replaces can go: stage after stage would otherwise pile up sheets.
  if (texture.glName != 0) gfxDeleteTexture(texture.glName);
  texture.width = image.width;
  texture.height = image.height;
  texture.glName = name;
}

}  // namespace

void loadTextureRGBA(const std::string& path, Texture& texture) { loadTexture(path, texture, true); }
void loadTextureRGB(const std::string& path, Texture& texture) { loadTexture(path, texture, false); }
