#include "platform/picture_fit.h"

#include <algorithm>
#include <cmath>

#include "platform/platform.h"

namespace {

int32_t centredStart(int32_t window, int32_t picture) { return (window - picture) / 2; }

}  // namespace

PictureRect fitPicture(int32_t windowWidth, int32_t windowHeight, int32_t wholeMultiples) {
  const double across = static_cast<double>(windowWidth) / screenWidth;
  const double down = static_cast<double>(windowHeight) / screenHeight;
  double scale = std::min(across, down);
  // A window smaller than the picture shrinks it to fit all the same: a cut-off picture hides
  // the players' panels.
  if (wholeMultiples == 1 && scale >= 1.0) scale = std::floor(scale);
  int32_t width = static_cast<int32_t>(std::lround(screenWidth * scale));
  int32_t height = static_cast<int32_t>(std::lround(screenHeight * scale));
  width = std::clamp(width, 1, std::max(windowWidth, 1));
  height = std::clamp(height, 1, std::max(windowHeight, 1));
  return {centredStart(windowWidth, width), centredStart(windowHeight, height), width, height};
}

void windowToPicture(const PictureRect& picture, int32_t windowX, int32_t windowY, int32_t* x, int32_t* y) {
  *x = static_cast<int32_t>(std::floor(static_cast<double>(windowX - picture.x) * screenWidth / picture.width));
  *y = static_cast<int32_t>(std::floor(static_cast<double>(windowY - picture.y) * screenHeight / picture.height));
}

int32_t pictureToWindowSpan(int32_t pictureEdge, int32_t pictureSide, int32_t windowSide) {
  return static_cast<int32_t>(std::lround(static_cast<double>(pictureEdge) * windowSide / pictureSide));
}
