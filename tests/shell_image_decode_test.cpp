// PNG decoding hands over the pixels exactly as SDL_image decoded them, with or without a window.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/null_platform.h"

namespace {

struct DecodeCase {
  const char* name;
  const char* file;
  int width, height, bytesPerPixel, pitch;
  std::vector<unsigned char> firstRow;  // the pixel bytes of row 0 (padding not compared)
};

class ImageDecode : public ::testing::TestWithParam<DecodeCase> {};

TEST_P(ImageDecode, KeepsSizeLayoutAndBytes) {
  const DecodeCase& c = GetParam();
  for (int headless : {1, 0}) {
    useNullPlatform(headless);
    DecodedImage image;
    ASSERT_TRUE(platformDecodeImage(std::string(BRAWLER_TEST_DATA) + "/shell/" + c.file, &image));
    EXPECT_EQ(image.width, c.width);
    EXPECT_EQ(image.height, c.height);
    EXPECT_EQ(image.bytesPerPixel, c.bytesPerPixel);
    EXPECT_EQ(image.pitch, c.pitch);
    ASSERT_EQ(image.pixels.size(), static_cast<size_t>(c.pitch * c.height));
    EXPECT_EQ(std::vector<unsigned char>(image.pixels.begin(), image.pixels.begin() + c.firstRow.size()),
              c.firstRow);
  }
  useNullPlatform(true);
}

INSTANTIATE_TEST_SUITE_P(
    Files, ImageDecode,
    ::testing::Values(
        DecodeCase{"RgbaRowsAreFourBytesAPixel", "rgba_3x2.png", 3, 2, 4, 12,
                   {10, 20, 30, 255, 40, 50, 60, 128, 70, 80, 90, 0}},
        DecodeCase{"RgbRowsArePaddedToFourBytes", "rgb_3x1.png", 3, 1, 3, 12,
                   {200, 100, 50, 0, 255, 0, 7, 8, 9}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ImageDecodeFailure, MissingOrNonImageFileLeavesTheRecordAlone) {
  for (const char* file : {"/shell/no_such.png", "/shell"}) {
    DecodedImage image;
    image.width = 7;
    EXPECT_FALSE(platformDecodeImage(std::string(BRAWLER_TEST_DATA) + file, &image)) << file;
    EXPECT_EQ(image.width, 7);
  }
}

}  // namespace
