// Where the 1024x768 picture lies in a window of any size: as large as fits at its own
// aspect, or by whole multiples, centred with black bars, never stretched out of shape.
#pragma once
#include <cstdint>

struct PictureRect {
  int32_t x, y;           // top-left corner in window pixels
  int32_t width, height;
};

PictureRect fitPicture(int32_t windowWidth, int32_t windowHeight, int32_t wholeMultiples);
// A window pixel as a picture pixel (the pointer over a scaled picture); outside the picture
// the result lies outside 0..1023 x 0..767.
void windowToPicture(const PictureRect& picture, int32_t windowX, int32_t windowY, int32_t* x, int32_t* y);
// A column or row of the picture (0..1024 or 0..768, edges included) in window pixels from the
// picture's corner: the same edge always maps to the same pixel, so boxes that meet still meet.
int32_t pictureToWindowSpan(int32_t pictureEdge, int32_t pictureSide, int32_t windowSide);
