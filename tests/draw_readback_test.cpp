// Sprite drawing checked on real pixels: a GL window under the (virtual) display, a tiny sheet
// made in memory, and the back buffer read before any swap.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <memory>
#include <string>

#include "platform/null_platform.h"
#include "render/draw.h"
#include "shell/window.h"

namespace {

using Rgb = std::array<int, 3>;

// Sheet pixels, left to right: red, green, blue, white in row 0; a transparent texel and three
// greys in row 1.
const Rgb kSheet[2][4] = {{{255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {255, 255, 255}},
                          {{0, 0, 0}, {64, 64, 64}, {128, 128, 128}, {192, 192, 192}}};
const Rgb kBlack{0, 0, 0};

bool openGlWindow(std::string* reason) {
  useNullPlatform(false);
  if (platformOpenWindow(reason)) return true;
  useNullPlatform(true);
  return false;
}

class Readback : public ::testing::Test {
 protected:
  void SetUp() override {
    // Without any display there is nothing to read back; with one, a window must open.
    if (!std::getenv("DISPLAY")) GTEST_SKIP() << "no display";
    std::string reason;
    ASSERT_TRUE(openGlWindow(&reason)) << reason;
    DecodedImage image;
    image.width = 4;
    image.height = 2;
    image.bytesPerPixel = 4;
    image.pitch = 16;
    for (int row = 0; row < 2; ++row)
      for (int col = 0; col < 4; ++col) {
        const Rgb& p = kSheet[row][col];
        const bool clear = row == 1 && col == 0;
        image.pixels.insert(image.pixels.end(),
                            {uint8_t(p[0]), uint8_t(p[1]), uint8_t(p[2]), uint8_t(clear ? 0 : 255)});
      }
    sheet = Texture{4, 2, gfxCreateTexture(image, true)};
    sprite = std::make_unique<SpriteSet>();
    setFrame(0, 0, 0, 4, 1);  // the coloured row
    setFrame(1, 0, 1, 4, 2);  // the transparent texel and the greys
    sprite->autoSize = 1;
    platformClearBuffers();
  }
  // The window stays open to the end of the process: closing it unloads the GL driver, and
  // the leak checker can then no longer tell the driver's own allocations from ours.
  void TearDown() override { useNullPlatform(true); }
  void setFrame(int f, double x1, double y1, double x2, double y2) {
    sprite->frames.frame[f].texture = &sheet;
    sprite->frames.frame[f].x1 = x1;
    sprite->frames.frame[f].y1 = y1;
    sprite->frames.frame[f].x2 = x2;
    sprite->frames.frame[f].y2 = y2;
  }
  Rgb pixel(int x, int y) {
    if (screen.empty()) screen = gfxReadBackBuffer();
    const unsigned char* p = &screen[(static_cast<size_t>(y) * screenWidth + x) * 4];
    return {p[0], p[1], p[2]};
  }
  // One row of screen pixels from x0 to x1 inclusive.
  std::vector<Rgb> row(int y, int x0, int x1) {
    std::vector<Rgb> out;
    for (int x = x0; x <= x1; ++x) out.push_back(pixel(x, y));
    return out;
  }

  Texture sheet{};
  std::unique_ptr<SpriteSet> sprite;
  std::vector<unsigned char> screen;
};

std::vector<Rgb> sheetRow(int r, bool mirrored) {
  std::vector<Rgb> out(kSheet[r], kSheet[r] + 4);
  if (mirrored) std::reverse(out.begin(), out.end());
  return out;
}

struct PlacementCase {
  const char* name;
  int flip;
  double offsetX, offsetY;
  int left, top;  // first screen pixel the frame covers
};

class ReadbackPlacement : public Readback, public ::testing::WithParamInterface<PlacementCase> {};

TEST_P(ReadbackPlacement, PutsSheetPixelsOnScreenPixels) {
  const PlacementCase& c = GetParam();
  sprite->x = 100;
  sprite->y = 200;
  sprite->flip = c.flip;
  sprite->frames.offsetX[0] = c.offsetX;
  sprite->frames.offsetY[0] = c.offsetY;
  drawSprite(*sprite);
  EXPECT_EQ(row(c.top, c.left, c.left + 3), sheetRow(0, c.flip == 1));
  EXPECT_EQ(pixel(c.left - 1, c.top), kBlack);
  EXPECT_EQ(pixel(c.left + 4, c.top), kBlack);
  EXPECT_EQ(pixel(c.left, c.top - 1), kBlack);
  EXPECT_EQ(pixel(c.left, c.top + 1), kBlack);
}

INSTANTIATE_TEST_SUITE_P(
    Sprites, ReadbackPlacement,
    ::testing::Values(PlacementCase{"AtTheAnchor", 0, 0, 0, 100, 200},
                      PlacementCase{"ShiftedByOffsets", 0, -2, -1, 98, 199},
                      // Mirrored, the frame runs from x - dx leftwards: columns 98 down to 95.
                      PlacementCase{"MirroredAboutTheAnchor", 1, 1, 0, 95, 200},
                      // A centring offset keeps the columns and reverses the pixels.
                      PlacementCase{"MirroredCentredKeepsItsColumns", 1, -2, 3, 98, 203}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(Readback, StretchKeepsTexelsSquareEdged) {
  sprite->autoSize = 0;
  sprite->width = 40;
  sprite->height = 3;
  sprite->x = 10;
  sprite->y = 10;
  drawSprite(*sprite);
  for (int texel = 0; texel < 4; ++texel) {
    EXPECT_EQ(pixel(10 + texel * 10, 11), kSheet[0][texel]) << "first column of texel " << texel;
    EXPECT_EQ(pixel(19 + texel * 10, 11), kSheet[0][texel]) << "last column of texel " << texel;
  }
  EXPECT_EQ(pixel(50, 11), kBlack);
}

TEST_F(Readback, TransparencyScalesEveryTexel) {
  sprite->frame = 1;
  sprite->transparency = 0.5;
  drawSprite(*sprite);
  // Over black, half alpha gives half the colour; the clear texel leaves the background.
  EXPECT_EQ(pixel(0, 0), kBlack);
  for (int texel = 1; texel < 4; ++texel) {
    const Rgb got = pixel(texel, 0);
    EXPECT_NEAR(got[0], kSheet[1][texel][0] / 2, 1) << "texel " << texel;
  }
}

TEST_F(Readback, FullTransparencyShowsNothing) {
  sprite->transparency = 1;
  drawSprite(*sprite);
  EXPECT_EQ(row(0, 0, 4), std::vector<Rgb>(5, kBlack));
}

TEST_F(Readback, LaterDrawCoversEarlier) {
  setFrame(2, 0, 0, 1, 1);  // red
  setFrame(3, 2, 0, 3, 1);  // blue
  sprite->autoSize = 0;
  sprite->width = sprite->height = 8;
  sprite->frame = 2;
  drawSprite(*sprite);
  sprite->frame = 3;
  sprite->x = 4;
  drawSprite(*sprite);
  EXPECT_EQ(pixel(2, 2), kSheet[0][0]);
  EXPECT_EQ(pixel(5, 5), kSheet[0][2]) << "the overlap shows the later quad";
  EXPECT_EQ(pixel(11, 2), kSheet[0][2]);
}

TEST_F(Readback, FrameCoverFillsTheScreenAndLeavesTexturingOff) {
  setFrame(2, 3, 0, 4, 1);  // white
  drawParams = DrawParams{};
  drawParams.frame = 2;
  drawParams.width = screenWidth;
  drawParams.height = screenHeight;
  drawFrame(sprite->frames);
  const Rgb white = kSheet[0][3];
  EXPECT_EQ(pixel(0, 0), white);
  EXPECT_EQ(pixel(screenWidth - 1, screenHeight - 1), white);
  EXPECT_EQ(pixel(512, 384), white);
}

}  // namespace
