#include "content/texture.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <vector>

#define STB_IMAGE_WRITE_STATIC
#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb/stb_image_write.h>

#include "content/image_size.h"
#include "platform/null_platform.h"
#include "process_helpers.h"

namespace {

std::string readWhole(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

struct FailureCase {
  const char* name;
  const char* path;
  bool rgba;
};

class TextureLoadFailure : public ::testing::TestWithParam<FailureCase> {};

// The only fatal error: the message quotes the path exactly as the caller wrote it.
TEST_P(TextureLoadFailure, ReportsThePathAndEndsWithStatusOne) {
  const FailureCase& c = GetParam();
  const std::string out = ::testing::TempDir() + "texture_message_" + c.name + ".txt";
  std::remove(out.c_str());
  // Relative paths: in a folder of nothing, whatever folder earlier tests went to.
  ASSERT_EQ(chdir(makeEmptyDir().c_str()), 0);
  EXPECT_EXIT(
      {
        if (!std::freopen(out.c_str(), "w", stdout)) std::abort();
        Texture t{};
        if (c.rgba)
          loadTextureRGBA(c.path, t);
        else
          loadTextureRGB(c.path, t);
        std::abort();  // never reached
      },
      ::testing::ExitedWithCode(kImageFailureStatus), "");
  EXPECT_EQ(readWhole(out), std::string("Error loading ") + c.path + ".\n");
}

INSTANTIATE_TEST_SUITE_P(
    Paths, TextureLoadFailure,
    ::testing::Values(FailureCase{"MissingFont", "gfx/font/mainfont.png", true},
                      FailureCase{"BackslashesKept", "gfx\\interface\\no_such_sheet.png", true},
                      FailureCase{"MissingBackground", "gfx/stage/nothing.png", false}),
    [](const auto& info) { return std::string(info.param.name); });

// A w x h PNG with `channels` channels; pixel (x, y) has red x*10+1, green y*10+2, blue 3 and
// alpha 4+x, so every byte says where it came from.
std::string writePng(const std::string& name, int w, int h, int channels) {
  std::vector<unsigned char> data;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const unsigned char px[4] = {uint8_t(x * 10 + 1), uint8_t(y * 10 + 2), 3, uint8_t(4 + x)};
      data.insert(data.end(), px, px + channels);
    }
  const std::string path = ::testing::TempDir() + name;
  stbi_write_png(path.c_str(), w, h, channels, data.data(), w * channels);
  return path;
}

struct LayoutCase {
  const char* name;
  int fileChannels;
  bool rgba;  // which loader
  int width, height;
};

class TextureLayout : public ::testing::TestWithParam<LayoutCase> {
 protected:
  void SetUp() override { useNullPlatform(true); }
};

// Whatever the file holds, GL receives the loader's layout: 4 or 3 bytes a pixel in R, G, B(, A)
// order, rows padded to 4 bytes, the exact image size.
TEST_P(TextureLayout, HandsGlTheLoadersLayout) {
  const LayoutCase& c = GetParam();
  const std::string path = writePng(std::string(c.name) + ".png", c.width, c.height, c.fileChannels);
  Texture t{};
  if (c.rgba)
    loadTextureRGBA(path, t);
  else
    loadTextureRGB(path, t);
  EXPECT_EQ(t.width, c.width);
  EXPECT_EQ(t.height, c.height);
  EXPECT_NE(t.glName, 0u);
  const int channels = c.rgba ? 4 : 3;
  const int pitch = (c.width * channels + 3) / 4 * 4;
  const DecodedImage& up = nullLastUpload;
  ASSERT_EQ(up.bytesPerPixel, channels);
  ASSERT_EQ(up.pitch, pitch);
  ASSERT_GE(up.pixels.size(), size_t(pitch) * c.height);
  for (int y = 0; y < c.height; ++y)
    for (int x = 0; x < c.width; ++x) {
      const unsigned char* p = &up.pixels[size_t(y) * pitch + size_t(x) * channels];
      ASSERT_EQ(p[0], x * 10 + 1) << x << "," << y;
      ASSERT_EQ(p[1], y * 10 + 2) << x << "," << y;
      ASSERT_EQ(p[2], 3);
      if (channels == 4) ASSERT_EQ(p[3], c.fileChannels == 4 ? 4 + x : 255) << x << "," << y;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Files, TextureLayout,
    ::testing::Values(LayoutCase{"SheetAsSaved", 4, true, 8, 4},
                      LayoutCase{"PictureAsSaved", 3, false, 8, 4},
                      LayoutCase{"OddWidthSheet", 4, true, 3, 5},
                      LayoutCase{"OddWidthPictureRowsPadded", 3, false, 3, 5},
                      LayoutCase{"OpaqueFileAsSheetGetsFullAlpha", 3, true, 5, 2},
                      LayoutCase{"SheetFileAsPictureLosesAlpha", 4, false, 5, 2}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(TextureReload, DescribesOnlyTheSecondImageAndDropsTheFirst) {
  useNullPlatform(true);
  Texture t{};
  loadTextureRGBA(writePng("first.png", 16, 8, 4), t);
  const uint32_t first = t.glName;
  nullDeletedTextures.clear();
  loadTextureRGBA(writePng("second.png", 6, 10, 4), t);
  EXPECT_EQ(t.width, 6);
  EXPECT_EQ(t.height, 10);
  EXPECT_NE(t.glName, first);
  EXPECT_EQ(nullDeletedTextures, std::vector<uint32_t>{first});
}

TEST(TextureBackslashPath, OpensTheSameFile) {
  useNullPlatform(true);
  std::string path = writePng("backslash.png", 2, 2, 4);
  for (char& c : path)
    if (c == '/') c = '\\';
  Texture t{};
  loadTextureRGBA(path, t);
  EXPECT_EQ(t.width, 2);
}

struct SizeCase {
  const char* name;
  ImageSize size;
  int maxTextureSide;  // 0: the driver's limit is not known
  bool accepted;
};

class ImageSizeLimit : public ::testing::TestWithParam<SizeCase> {};

TEST_P(ImageSizeLimit, RefusesWhatCouldNeverBeATexture) {
  const SizeCase& c = GetParam();
  const std::string problem = imageSizeProblem(c.size, c.maxTextureSide);
  EXPECT_EQ(problem.empty(), c.accepted) << problem;
}

INSTANTIATE_TEST_SUITE_P(
    Sizes, ImageSizeLimit,
    ::testing::Values(SizeCase{"OrdinarySheet", {1024, 512}, 8192, true},
                      SizeCase{"ExactlyTheLargestSide", {8192, 1}, 8192, true},
                      SizeCase{"OnePixelPastTheLargestSide", {1, 8193}, 8192, false},
                      SizeCase{"LongStripWhenTheLimitIsUnknown", {100000, 1}, 0, true},
                      SizeCase{"ExactlyTheDecodedBound", {8192, 4096}, 0, true},
                      SizeCase{"OneRowPastTheDecodedBound", {8192, 4097}, 0, false},
                      SizeCase{"AGigabyteOfPixels", {16383, 16383}, 16384, false},
                      SizeCase{"ProductPastThirtyTwoBits", {0xFFFFFFFFu, 0xFFFFFFFFu}, 0, false},
                      SizeCase{"NoPixels", {0, 64}, 0, false}),
    [](const auto& info) { return std::string(info.param.name); });

// A small file may claim any size: the claim alone must stop the load, before any decoding,
// as an unreadable picture does. So must a file that is not a PNG at all.
TEST(TextureFromHeader, RefusedBeforeDecodingWithTheLoadMessage) {
  std::string header("\x89PNG\r\n\x1a\n\0\0\0\x0dIHDR\0\0\x3f\xff\0\0\x3f\xff\x08\x06\0\0\0", 29);
  const std::string big = ::testing::TempDir() + "claims_a_gigabyte.png";
  std::ofstream(big, std::ios::binary) << header << std::string(1000, '\0');
  const std::string bitmap = ::testing::TempDir() + "bitmap.png";
  std::ofstream(bitmap, std::ios::binary) << "BM" << std::string(100, '\0');
  for (const std::string& path : {big, bitmap}) {
    const std::string out = ::testing::TempDir() + "texture_header_message.txt";
    EXPECT_EXIT(
        {
          if (!std::freopen(out.c_str(), "w", stdout)) std::abort();
          useNullPlatform(true);
          Texture t{};
          loadTextureRGBA(path, t);
          std::abort();  // never reached
        },
        ::testing::ExitedWithCode(kImageFailureStatus), "");
    EXPECT_EQ(readWhole(out), "Error loading " + path + ".\n");
  }
}

}  // namespace
