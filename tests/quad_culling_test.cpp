// Which parts of a frame's quads are drawn, decided before GL sees them: the plans must never
// leave out a pixel that shows, and should leave out what cannot.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/platform.h"
#include "platform/quad_culling.h"
#include "platform/texel_opacity.h"

namespace {

constexpr OpaqueBand kWholeTexture{0.0, 1.0};
constexpr OpaqueBand kNoBand{};

// A frame's quad at (left, top) sized w by h showing a whole texture, opaque over `band`.
CullQuad quadAt(double left, double top, double w, double h, OpaqueBand band) {
  const QuadVertex corners[4] = {
      {left, top, 0, 0}, {left + w, top, 1, 0}, {left + w, top + h, 1, 1}, {left, top + h, 0, 1}};
  return cullQuadOf(corners, band);
}

struct PlanCase {
  const char* name;
  std::vector<CullQuad> quads;     // in drawing order
  std::vector<GridBox> firstBoxes;  // what the first quad is drawn within; none: left out
};

TEST(QuadCulling, FirstQuadIsDrawnWithinWhatStillShows) {
  const PlanCase cases[] = {
      {"alone on the screen", {quadAt(10, 10, 20, 20, kNoBand)}, {{10, 10, 30, 30}}},
      {"reaching off the left edge", {quadAt(-5, 0, 20, 8, kNoBand)}, {{0, 0, 15, 8}}},
      {"wholly off the screen", {quadAt(1024, 0, 50, 50, kNoBand)}, {}},
      {"zero wide", {quadAt(40, 0, 0, 50, kNoBand)}, {}},
      {"under a later opaque quad", {quadAt(10, 10, 20, 20, kNoBand), quadAt(0, 0, 40, 40, kWholeTexture)}, {}},
      {"under a later see-through quad",
       {quadAt(10, 10, 20, 20, kNoBand), quadAt(0, 0, 40, 40, kNoBand)},
       {{10, 10, 30, 30}}},
      {"top rows showing above a later quad's opaque lower half",
       {quadAt(0, 0, 100, 100, kNoBand), quadAt(0, 0, 100, 100, OpaqueBand{0.5, 1.0})},
       {{0, 0, 100, 50}}},
      {"showing through a gap between two later quads",
       {quadAt(0, 0, 100, 100, kNoBand), quadAt(0, 10, 100, 20, kWholeTexture),
        quadAt(0, 60, 100, 20, kWholeTexture)},
       {{0, 0, 100, 10}, {0, 30, 100, 60}, {0, 80, 100, 100}}},
      {"half a pixel short of covering a row",
       {quadAt(0, 0, 10, 10, kNoBand), quadAt(0, 0.5, 10, 9.5, kWholeTexture)},
       {{0, 0, 10, 1}}},
      {"mirrored later quad covers the same pixels",
       {quadAt(10, 10, 20, 20, kNoBand), quadAt(40, 0, -40, 40, kWholeTexture)},
       {}},
      {"more gaps than boxes: the last box takes in the rest",
       {quadAt(0, 0, 10, 100, kNoBand), quadAt(0, 10, 10, 10, kWholeTexture), quadAt(0, 30, 10, 10, kWholeTexture),
        quadAt(0, 50, 10, 10, kWholeTexture), quadAt(0, 70, 10, 10, kWholeTexture)},
       {{0, 0, 10, 10}, {0, 20, 10, 30}, {0, 40, 10, 50}, {0, 60, 10, 100}}},
  };
  for (const PlanCase& c : cases) {
    std::vector<QuadPlan> plans;
    planFrame(c.quads, &plans);
    ASSERT_EQ(plans[0].boxCount, static_cast<int>(c.firstBoxes.size())) << c.name;
    for (int b = 0; b < plans[0].boxCount; ++b) {
      const GridBox& got = plans[0].boxes[b];
      const GridBox& want = c.firstBoxes[b];
      EXPECT_TRUE(got.left == want.left && got.top == want.top && got.right == want.right && got.bottom == want.bottom)
          << c.name << ", box " << b << ": " << got.left << "," << got.top << " to " << got.right << "," << got.bottom;
    }
  }
}

struct BandCase {
  const char* name;
  bool rgba;
  double u1, v1, u2, v2;
  OpaqueBand expected;
};

// A 4x4 texture: row 0 see-through, row 2 with one see-through texel in column 3.
TEST(TexelOpacity, OpaqueBandIsTheLongestRunOfRowsOpaqueAllAcross) {
  const BandCase cases[] = {
      {"three channels are opaque everywhere", false, 0, 0, 1, 1, {0, 1}},
      {"rows below the see-through one", true, 0, 0, 1, 0.5, {0.25, 0.5}},
      {"of equal runs, the upper one", true, 0, 0, 1, 1, {0.25, 0.5}},
      {"columns clear of the see-through texel", true, 0, 0.25, 0.75, 1, {0.25, 1}},
      {"part-way into a texel keeps to the quad", true, 0, 0.3, 0.5, 0.9, {0.3, 0.9}},
      {"mirrored coordinates", true, 0.75, 1, 0, 0.25, {0.25, 1}},
      {"wrapping past the edge", true, 0, 0.25, 1.5, 1, {}},
      {"no change across the quad", true, 0.5, 0.5, 0.5, 0.5, {}},
  };
  for (const BandCase& c : cases) {
    DecodedImage image;
    image.width = image.height = 4;
    image.bytesPerPixel = c.rgba ? 4 : 3;
    image.pitch = c.rgba ? 16 : 12;
    image.pixels.assign(static_cast<size_t>(image.pitch) * 4, 255);
    if (c.rgba) {
      for (int x = 0; x < 4; ++x) image.pixels[x * 4 + 3] = 0;
      image.pixels[2 * 16 + 3 * 4 + 3] = 128;
    }
    TexelOpacity opacity = measureOpacity(image, c.rgba);
    const OpaqueBand band = opaqueBand(opacity, c.u1, c.v1, c.u2, c.v2);
    if (bandEmpty(c.expected)) {
      EXPECT_TRUE(bandEmpty(band)) << c.name;
      continue;
    }
    EXPECT_DOUBLE_EQ(band.from, c.expected.from) << c.name;
    EXPECT_DOUBLE_EQ(band.to, c.expected.to) << c.name;
  }
}

}  // namespace
