// The generator's own rules: music that loops without a seam, figures whose feet meet the
// ground, and the text lines the game's loaders read.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <iterator>

#include "canvas.h"
#include "fighter_looks.h"
#include "fighter_poses.h"
#include "music_timing.h"
#include "script_writer.h"
#include "sheet.h"
#include "wav.h"

namespace {

class MusicTiming : public ::testing::TestWithParam<int> {};

TEST_P(MusicTiming, IntroEndsExactlyWhereTheLoopStarts) {
  Timing t(GetParam());
  EXPECT_NEAR(t.introStart + t.introBars * t.bar, kLoopStart, 1e-9);
  EXPECT_GE(t.introStart, 0.0);
  EXPECT_LT(t.introStart, t.bar);
}

TEST_P(MusicTiming, LoopIsAWholeNumberOfBarsBetweenTheJumpPoints) {
  Timing t(GetParam());
  EXPECT_NEAR(kLoopStart + t.loopBars * t.bar, kLoopEnd, 1e-9);
}

INSTANTIATE_TEST_SUITE_P(LoopLengths, MusicTiming, ::testing::Values(56, 60, 64),
                         [](const auto& info) { return std::to_string(info.param) + "Bars"; });

const int kGround = 200;

// Lowest and highest rows the painted figure reaches.
struct Extent {
  int top = -1, bottom = -1;
};

Extent painted(const Look& look, const Pose& pose) {
  Canvas c(300, 260);
  paintFigure(c, look, pose, 150, kGround);
  Extent e;
  for (int y = 0; y < c.height(); ++y)
    for (int x = 0; x < c.width(); ++x)
      if (c.get(x, y).a) {
        if (e.top < 0) e.top = y;
        e.bottom = y;
      }
  return e;
}

struct PoseCase {
  std::string fighter, pose;
};

class GroundedPose : public ::testing::TestWithParam<PoseCase> {};

TEST_P(GroundedPose, LowestPointTouchesTheGround) {
  const Pose& pose = fighterPoses()[fighterFrame(GetParam().pose)].pose;
  Extent e = painted(lookOf(GetParam().fighter), pose);
  // The thrown body turns head over heels about its hip and is shown only while it flies, so
  // it may reach past the frame's ground line; it leaves for FALLLAND as it lands.
  const bool spinsInFlight = GetParam().pose == "thrown";
  if (pose.grounded)
    EXPECT_EQ(e.bottom, kGround - 1);
  else if (!spinsInFlight)
    EXPECT_LE(e.bottom, kGround - 1) << "an airborne pose never reaches below the ground";
}

std::vector<PoseCase> poseCases() {
  std::vector<PoseCase> cases;
  for (const char* fighter : {"kestor", "bruiser"})
    for (const NamedPose& p : fighterPoses()) cases.push_back({fighter, p.name});
  return cases;
}

INSTANTIATE_TEST_SUITE_P(Poses, GroundedPose, ::testing::ValuesIn(poseCases()),
                         [](const auto& info) { return info.param.fighter + "_" + info.param.pose; });

TEST(Figure, StandingHeightIsTheHeightPainted) {
  for (const FighterLook& f : castLooks()) {
    Extent e = painted(f.look, Pose());
    EXPECT_EQ(kGround - e.top, standingHeight(f.look)) << f.name;
  }
}

TEST(ScriptWriter, HeldFrameRunsItsCommandsOnEveryTick) {
  ScriptWriter w;
  w.show(7, 3, {"MOVEFORWARD 4"});
  EXPECT_EQ(w.lines(), (std::vector<std::string>{"FRAMESET 7", "LOOPSTART 3", "MOVEFORWARD 4", "LOOPEND"}));
}

TEST(ScriptWriter, StatisticsEndAtTheFirstEmptyLineAndBlocksAreSeparated) {
  ScriptWriter w;
  w.stat("WIDTH", 70);
  w.stat("HEIGHT", 152.5);
  w.endStats();
  w.begin("STAND");
  w.end();
  w.begin("WALK");
  EXPECT_EQ(w.lines(), (std::vector<std::string>{"WIDTH 70", "HEIGHT 152.500", "", "BEGIN STAND", "END", "",
                                                 "BEGIN WALK"}));
}

struct AttackCase {
  const char* name;
  const char* keyword;
  const char* expected;
};

class AttackLine : public ::testing::TestWithParam<AttackCase> {};

TEST_P(AttackLine, KnockDownsAloneCarryALaunch) {
  EXPECT_EQ(attackLine(GetParam().keyword, 30, 1, 8, 6, 9), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Kinds, AttackLine,
                         ::testing::Values(AttackCase{"Mid", "ATTACKMID", "ATTACKMID 30 1 8"},
                                           AttackCase{"Low", "ATTACKLOW", "ATTACKLOW 30 1 8"},
                                           AttackCase{"KnockHigh", "ATTACKKNOCKHIGH", "ATTACKKNOCKHIGH 30 1 8 6 9"},
                                           AttackCase{"KnockLow", "ATTACKKNOCKLOW", "ATTACKKNOCKLOW 30 1 8 6 9"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(GridSheet, FrameNSitsInCellNRowByRow) {
  GridSheet sheet(40, 30, 3, 5);
  sheet.setOffsets(-20, -25);
  EXPECT_EQ(sheet.frameLines()[4], "FRAME 40 30 80 60");
  EXPECT_EQ(sheet.offsetLines()[4], "OFFSET -20 -25");
  EXPECT_EQ(sheet.canvas().height(), 60);
}

// A trimmed frame must land on screen exactly where its whole cell would have: its offset grows
// by where the painted box starts, and an empty cell takes no room on the sheet.
TEST(PackedSheet, FramesKeepOnlyTheirPaintedBoxAndLandWhereTheirCellDid) {
  std::vector<Canvas> cells{Canvas(40, 30), Canvas(0, 0), Canvas(40, 30)};
  cells[0].fillRect(10, 5, 4, 20, rgb(200, 0, 0));
  cells[2].fillRect(0, 28, 40, 2, rgb(0, 200, 0));
  PackedSheet sheet = packTrimmed(cells, -20, -25);
  ASSERT_EQ(sheet.frames.size(), 3u);
  const FrameRect& tall = sheet.frames[0];
  EXPECT_EQ(tall.w, 4);
  EXPECT_EQ(tall.h, 20);
  EXPECT_EQ(tall.dx, -20 + 10);
  EXPECT_EQ(tall.dy, -25 + 5);
  EXPECT_EQ(sheet.canvas.get(tall.x, tall.y).r, 200);
  EXPECT_EQ(sheet.frames[1].w * sheet.frames[1].h, 0);
  const FrameRect& flat = sheet.frames[2];
  EXPECT_EQ(flat.w, 40);
  EXPECT_EQ(flat.h, 2);
  EXPECT_EQ(flat.dx, -20);
  EXPECT_EQ(flat.dy, -25 + 28);
  EXPECT_EQ(sheet.canvas.get(flat.x + 39, flat.y + 1).g, 200);
  // Neither frame overlaps the other, and the sheet is no larger than the two stacked.
  const bool apart = flat.x >= tall.x + tall.w || tall.x >= flat.x + flat.w || flat.y >= tall.y + tall.h ||
                     tall.y >= flat.y + flat.h;
  EXPECT_TRUE(apart);
  EXPECT_LE(sheet.canvas.width() * sheet.canvas.height(), 40 * (20 + 1 + 2));
}

TEST(Wav, HeaderDescribesSixteenBitMonoAt22050Hz) {
  std::string path = ::testing::TempDir() + "/generator_test.wav";
  writeWav(path, std::vector<float>(100, 2.0f));  // out of range: clipped
  std::ifstream in(path, std::ios::binary);
  std::vector<unsigned char> b((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  ASSERT_EQ(b.size(), 44u + 200u);
  EXPECT_EQ(b[24] | b[25] << 8, 22050);
  EXPECT_EQ(b[34], 16);
  EXPECT_EQ(b[40] | b[41] << 8, 200);
  EXPECT_EQ(b[44] | b[45] << 8, 32767);
  std::remove(path.c_str());
}

TEST(Canvas, OutlineRingsOpaquePixelsOnTheirTransparentSides) {
  Canvas c(5, 5);
  c.set(2, 2, rgb(255, 255, 255));
  c.outline(rgb(0, 0, 0));
  for (auto [x, y] : std::vector<std::pair<int, int>>{{1, 2}, {3, 2}, {2, 1}, {2, 3}}) EXPECT_EQ(c.get(x, y).a, 255);
  EXPECT_EQ(c.get(1, 1).a, 0);
  EXPECT_EQ(c.get(2, 2).r, 255);
}

}  // namespace

// The icons are one master averaged down to each size of the icon theme, steps of a whole
// number of pixels or not.
TEST(AveragedDown, KeepsColourAndCoverageAtEverySize) {
  struct Case {
    const char* shows;
    int size;
  };
  const Case cases[] = {{"a whole step", 32}, {"a step of a pixel and a part", 22}, {"almost two", 48}};
  const int n = 512;
  Canvas half(n, n);
  half.fillRect(0, 0, n / 2, n, rgb(200, 40, 20));  // the left half painted, the right empty
  for (const Case& c : cases) {
    SCOPED_TRACE(c.shows);
    const Canvas small = averagedDown(half, c.size);
    ASSERT_EQ(small.width(), c.size);
    ASSERT_EQ(small.height(), c.size);
    double coverage = 0;
    for (int y = 0; y < c.size; ++y)
      for (int x = 0; x < c.size; ++x) {
        const Color p = small.get(x, y);
        coverage += p.a / 255.0;
        // An edge pixel half covered is the same red, half opaque: never darkened by the empty
        // half next to it.
        if (p.a > 0) EXPECT_EQ(p.r, 200) << x << "," << y;
      }
    EXPECT_NEAR(coverage, c.size * c.size / 2.0, c.size * 0.5);
  }
}
