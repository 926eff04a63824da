#include "render/texture.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <vector>

#define STB_IMAGE_WRITE_STATIC
#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb/stb_image_write.h>

#include "shell/platform.h"

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
  void SetUp() override { platformHeadless = 1; }
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
  platformHeadless = 1;
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
  platformHeadless = 1;
  std::string path = writePng("backslash.png", 2, 2, 4);
  for (char& c : path)
    if (c == '/') c = '\\';
  Texture t{};
  loadTextureRGBA(path, t);
  EXPECT_EQ(t.width, 2);
}

}  // namespace
