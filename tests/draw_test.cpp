// Sprite and frame drawing seen through the null quad recorder.
#include "render/draw.h"

#include <gtest/gtest.h>

#include <memory>

#include "platform/null_platform.h"

namespace {

struct Corners {
  double left, top, right, bottom;
};

// The four vertices go (L,T) (R,T) (R,B) (L,B); the left texture edge always sits at L.
void expectQuad(const RecordedQuad& q, const Corners& c) {
  EXPECT_EQ(q.corners[0].x, c.left);
  EXPECT_EQ(q.corners[0].y, c.top);
  EXPECT_EQ(q.corners[1].x, c.right);
  EXPECT_EQ(q.corners[1].y, c.top);
  EXPECT_EQ(q.corners[2].x, c.right);
  EXPECT_EQ(q.corners[2].y, c.bottom);
  EXPECT_EQ(q.corners[3].x, c.left);
  EXPECT_EQ(q.corners[3].y, c.bottom);
}

// Every case starts with the null platform and an empty quad record.
template <class Case>
class RecordedDraw : public ::testing::TestWithParam<Case> {
 protected:
  void SetUp() override {
    useNullPlatform(true);
    nullQuads.clear();
  }
};

constexpr int kFrame = 7;

struct SpriteCase {
  const char* name;
  double x, y;
  double offsetX, offsetY;
  double frameWidth, frameHeight;  // of the rectangle in the sheet
  int autoSize;
  double width, height;  // as the caller left them
  int flip;
  double transparency;
  Corners expected;
  double alpha;
};

using DrawSprite = RecordedDraw<SpriteCase>;

TEST_P(DrawSprite, PlacesTheCornersAndAlpha) {
  const SpriteCase& c = GetParam();
  Texture sheet{64, 128, 5};
  auto sprite = std::make_unique<SpriteSet>();
  sprite->frames.frame[kFrame].texture = &sheet;
  sprite->frames.frame[kFrame].x1 = 8;
  sprite->frames.frame[kFrame].y1 = 16;
  sprite->frames.frame[kFrame].x2 = 8 + c.frameWidth;
  sprite->frames.frame[kFrame].y2 = 16 + c.frameHeight;
  sprite->frames.offsetX[kFrame] = c.offsetX;
  sprite->frames.offsetY[kFrame] = c.offsetY;
  sprite->frame = kFrame;
  sprite->x = c.x;
  sprite->y = c.y;
  sprite->autoSize = c.autoSize;
  sprite->width = c.width;
  sprite->height = c.height;
  sprite->flip = c.flip;
  sprite->transparency = c.transparency;

  drawSprite(*sprite);

  ASSERT_EQ(nullQuads.size(), 1u);
  const RecordedQuad& q = nullQuads[0];
  EXPECT_EQ(q.glName, 5u);
  EXPECT_DOUBLE_EQ(q.alpha, c.alpha);
  expectQuad(q, c.expected);
  // Texture coordinates are sheet pixels over the sheet size, whatever the placement.
  EXPECT_DOUBLE_EQ(q.corners[0].u, 8.0 / 64);
  EXPECT_DOUBLE_EQ(q.corners[0].v, 16.0 / 128);
  EXPECT_DOUBLE_EQ(q.corners[2].u, (8 + c.frameWidth) / 64);
  EXPECT_DOUBLE_EQ(q.corners[2].v, (16 + c.frameHeight) / 128);
  if (c.autoSize == 1) {
    EXPECT_EQ(sprite->width, c.frameWidth) << "the frame size is written back";
    EXPECT_EQ(sprite->height, c.frameHeight);
  } else {
    EXPECT_EQ(sprite->width, c.width) << "the caller's size is kept";
  }
}

INSTANTIATE_TEST_SUITE_P(
    Sprites, DrawSprite,
    ::testing::Values(
        SpriteCase{"AnchoredByOffsets", 100, 200, -16, -48, 32, 48, 1, 0, 0, 0, 0, {84, 152, 116, 200}, 1},
        SpriteCase{"MirroredSpansTheSameColumnsReversed", 100, 200, -16, -48, 32, 48, 1, 0, 0, 1, 0,
                   {116, 152, 84, 200}, 1},
        SpriteCase{"MirroredOffsetExtendsLeftOfTheAnchor", 100, 50, -10, 0, 5, 5, 0, 30, 5, 1, 0,
                   {110, 50, 80, 55}, 1},
        SpriteCase{"StretchedWhenNotAutoSized", 10, 20, 0, 0, 20, 10, 0, 400, 30, 0, 0, {10, 20, 410, 50}, 1},
        SpriteCase{"AutoSizeOverridesTheCallersSize", 10, 20, 0, 0, 20, 10, 1, 400, 30, 0, 0, {10, 20, 30, 30}, 1},
        SpriteCase{"HalfRoundsDownToEven", 100.5, 0, 0, 0, 3, 3, 1, 0, 0, 0, 0, {100, 0, 104, 3}, 1},
        SpriteCase{"HalfRoundsUpToEven", 101.5, 2.5, 0, 0, 3, 3, 1, 0, 0, 0, 0, {102, 2, 104, 6}, 1},
        SpriteCase{"EachCornerRoundedOnItsOwn", 0, 0, 0.25, 0.25, 2.5, 2.5, 1, 0, 0, 0, 0, {0, 0, 3, 3}, 1},
        SpriteCase{"NegativeHalvesToEven", -0.5, -1.5, 0, 0, 1, 1, 1, 0, 0, 0, 0, {0, -2, 0, 0}, 1},
        SpriteCase{"OtherFlipValuesDrawUnmirrored", 100, 200, -16, -48, 32, 48, 1, 0, 0, 2, 0,
                   {84, 152, 116, 200}, 1},
        SpriteCase{"TransparencyLowersAlpha", 0, 0, 0, 0, 4, 4, 1, 0, 0, 0, 0.25, {0, 0, 4, 4}, 0.75},
        SpriteCase{"FullTransparencyIsAlphaZero", 0, 0, 0, 0, 4, 4, 1, 0, 0, 0, 1, {0, 0, 4, 4}, 0}),
    [](const auto& info) { return std::string(info.param.name); });

struct BadFrameCase {
  const char* name;
  int frame;
  bool sheetLoaded;
};

using DrawNothing = RecordedDraw<BadFrameCase>;

// Frames outside the table, and frames no ".spr" line defined, show nothing and read nothing
// past the table.
TEST_P(DrawNothing, ForFramesWithoutPixels) {
  const BadFrameCase& c = GetParam();
  Texture sheet{64, 64, 3};
  auto sprite = std::make_unique<SpriteSet>();
  for (int k = 0; k < kFrameCount; ++k) {
    sprite->frames.frame[k].texture = c.sheetLoaded ? &sheet : nullptr;
    sprite->frames.frame[k].x2 = sprite->frames.frame[k].y2 = 8;
  }
  sprite->frame = c.frame;
  sprite->autoSize = 1;
  drawSprite(*sprite);
  drawParams = DrawParams{};
  drawParams.frame = c.frame;
  drawParams.autoSize = 1;
  drawFrame(sprite->frames);
  EXPECT_TRUE(nullQuads.empty());
}

INSTANTIATE_TEST_SUITE_P(Frames, DrawNothing,
                         ::testing::Values(BadFrameCase{"NegativeFrame", -1, true},
                                           BadFrameCase{"PastTheTable", kFrameCount, true},
                                           BadFrameCase{"FarPastTheTable", 1000000, true},
                                           BadFrameCase{"FrameNeverDefined", 0, false},
                                           BadFrameCase{"LastFrameNeverDefined", kFrameCount - 1, false}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(DrawSpriteLastFrame, IsDrawn) {
  useNullPlatform(true);
  nullQuads.clear();
  Texture sheet{8, 8, 3};
  auto sprite = std::make_unique<SpriteSet>();
  sprite->frames.frame[kFrameCount - 1].texture = &sheet;
  sprite->frames.frame[kFrameCount - 1].x2 = 8;
  sprite->frame = kFrameCount - 1;
  sprite->autoSize = 1;
  drawSprite(*sprite);
  EXPECT_EQ(nullQuads.size(), 1u);
}

struct FrameCase {
  const char* name;
  DrawParams params;
  double offsetX, offsetY;
  double frameWidth, frameHeight;
  Corners expected;
  double alpha;
};

using DrawFrame = RecordedDraw<FrameCase>;

TEST_P(DrawFrame, UsesTheParameterBlock) {
  const FrameCase& c = GetParam();
  Texture sheet{32, 32, 9};
  auto frames = std::make_unique<FrameList>();
  frames->frame[2].texture = &sheet;
  frames->frame[2].x1 = 0;
  frames->frame[2].y1 = 0;
  frames->frame[2].x2 = c.frameWidth;
  frames->frame[2].y2 = c.frameHeight;
  frames->offsetX[2] = c.offsetX;
  frames->offsetY[2] = c.offsetY;
  drawParams = c.params;
  drawParams.frame = 2;
  drawFrame(*frames);
  ASSERT_EQ(nullQuads.size(), 1u);
  expectQuad(nullQuads[0], c.expected);
  EXPECT_DOUBLE_EQ(nullQuads[0].alpha, c.alpha);
}

DrawParams params(int x, int y, double transparency, int autoSize, int width, int height) {
  DrawParams p;
  p.x = x;
  p.y = y;
  p.transparency = transparency;
  p.autoSize = autoSize;
  p.width = width;
  p.height = height;
  return p;
}

INSTANTIATE_TEST_SUITE_P(
    Frames, DrawFrame,
    ::testing::Values(
        FrameCase{"FullScreenCover", params(0, 0, 0, 0, 1024, 768), 0, 0, 1, 1, {0, 0, 1024, 768}, 1},
        FrameCase{"AutoSizeRoundsTheFrameSizeFirst", params(10, 10, 0, 1, 0, 0), 0, 0, 10.5, 11.5,
                  {10, 10, 20, 22}, 1},
        FrameCase{"OffsetsRoundedWithTheCorner", params(0, 0, 0, 0, 4, 4), 0.5, 1.5, 1, 1, {0, 2, 4, 6}, 1},
        FrameCase{"NeverMirrored", params(50, 60, 0, 0, 8, 8), -4, -4, 1, 1, {46, 56, 54, 64}, 1},
        FrameCase{"FadeCover", params(0, 0, 0.75, 0, 1024, 768), 0, 0, 1, 1, {0, 0, 1024, 768}, 0.25}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
