// Where the 1024x768 picture lies in a window of another size, and the pointer mapped back.
#include <gtest/gtest.h>

#include <string>

#include "platform/picture_fit.h"

namespace {

struct FitCase {
  const char* name;
  int32_t windowWidth, windowHeight, wholeMultiples;
  PictureRect picture;
};

class PictureFit : public ::testing::TestWithParam<FitCase> {};

TEST_P(PictureFit, CentredAtItsOwnAspect) {
  const FitCase& c = GetParam();
  const PictureRect p = fitPicture(c.windowWidth, c.windowHeight, c.wholeMultiples);
  EXPECT_EQ(p.x, c.picture.x);
  EXPECT_EQ(p.y, c.picture.y);
  EXPECT_EQ(p.width, c.picture.width);
  EXPECT_EQ(p.height, c.picture.height);
}

INSTANTIATE_TEST_SUITE_P(
    Windows, PictureFit,
    ::testing::Values(FitCase{"OwnSizeFillsTheWindow", 1024, 768, 0, {0, 0, 1024, 768}},
                      FitCase{"WideScreenGetsBarsAtTheSides", 1920, 1080, 0, {240, 0, 1440, 1080}},
                      FitCase{"TallWindowGetsBarsAboveAndBelow", 1024, 1000, 0, {0, 116, 1024, 768}},
                      FitCase{"WholeMultiplesStayAtOneUnderTwice", 1920, 1080, 1, {448, 156, 1024, 768}},
                      FitCase{"WholeMultiplesDoubleAtTwice", 2100, 1600, 1, {26, 32, 2048, 1536}},
                      FitCase{"SmallWindowShrinksEvenInWholeMultiples", 800, 600, 1, {0, 0, 800, 600}},
                      FitCase{"OddSizeRounds", 1000, 1000, 0, {0, 125, 1000, 750}}),
    [](const ::testing::TestParamInfo<FitCase>& info) { return std::string(info.param.name); });

struct PointerCase {
  const char* name;
  int32_t windowX, windowY;
  int32_t x, y;
};

class PointerThroughTheScale : public ::testing::TestWithParam<PointerCase> {};

TEST_P(PointerThroughTheScale, LandsOnThePicturePixelUnderIt) {
  const PointerCase& c = GetParam();
  const PictureRect wide = fitPicture(1920, 1080, 0);
  int32_t x = 0, y = 0;
  windowToPicture(wide, c.windowX, c.windowY, &x, &y);
  EXPECT_EQ(x, c.x);
  EXPECT_EQ(y, c.y);
}

INSTANTIATE_TEST_SUITE_P(
    Pointer, PointerThroughTheScale,
    ::testing::Values(PointerCase{"PictureCorner", 240, 0, 0, 0}, PointerCase{"PictureCentre", 960, 540, 512, 384},
                      PointerCase{"LastPixel", 1679, 1079, 1023, 767}, PointerCase{"LeftBarIsOutside", 100, 10, -100, 7}),
    [](const ::testing::TestParamInfo<PointerCase>& info) { return std::string(info.param.name); });

TEST(PictureSpan, BoxesThatMeetStillMeetAtAnyScale) {
  for (int32_t window : {768, 1080, 1000, 1536})
    for (int32_t edge = 0; edge <= 768; ++edge) {
      const int32_t at = pictureToWindowSpan(edge, 768, window);
      EXPECT_LE(at, pictureToWindowSpan(edge + 1, 768, window));
      if (edge == 768) EXPECT_EQ(at, window);
    }
}

}  // namespace
