#include "content/sprite_set.h"

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <memory>
#include <vector>

namespace {

const std::string kFrames = std::string(BRAWLER_TEST_DATA) + "/frames/";
constexpr double kUntouched = -7;

// A frame list that already holds something everywhere, so that writes (and their absence)
// show up.
std::unique_ptr<FrameList> usedFrameList(const Texture* old) {
  auto frames = std::make_unique<FrameList>();
  for (int k = 0; k < kFrameCount; ++k) {
    frames->frame[k].texture = old;
    frames->frame[k].x1 = frames->frame[k].y1 = frames->frame[k].x2 = frames->frame[k].y2 = kUntouched;
  }
  for (int k = 0; k < kOffsetCount; ++k) frames->offsetX[k] = frames->offsetY[k] = kUntouched;
  frames->count = 99;
  return frames;
}

struct Rect4 {
  double x1, y1, x2, y2;
};

struct FrameExpect {
  int frame;
  bool defined;  // refers to the new sheet; otherwise keeps the old values
  Rect4 rect;
};

struct FrameFileCase {
  const char* name;
  const char* file;
  int count;
  std::vector<FrameExpect> frames;
};

class LoadFrameList : public ::testing::TestWithParam<FrameFileCase> {};

TEST_P(LoadFrameList, DefinesFramesByLineNumber) {
  const FrameFileCase& c = GetParam();
  Texture old{}, sheet{};
  auto frames = usedFrameList(&old);
  loadFrameList(*frames, sheet, kFrames + c.file);
  EXPECT_EQ(frames->count, c.count);
  for (const FrameExpect& e : c.frames) {
    SCOPED_TRACE("frame " + std::to_string(e.frame));
    if (e.defined) {
      EXPECT_EQ(frames->frame[e.frame].texture, &sheet);
      EXPECT_EQ(frames->frame[e.frame].x1, e.rect.x1);
      EXPECT_EQ(frames->frame[e.frame].y1, e.rect.y1);
      EXPECT_EQ(frames->frame[e.frame].x2, e.rect.x2);
      EXPECT_EQ(frames->frame[e.frame].y2, e.rect.y2);
    } else {
      EXPECT_EQ(frames->frame[e.frame].texture, &old);
      EXPECT_EQ(frames->frame[e.frame].x1, kUntouched);
    }
  }
  EXPECT_EQ(frames->offsetX[0], kUntouched) << "offsets belong to the .off file";
}

const Rect4 kR1234{1, 2, 3, 4};
const Rect4 kR5678{5, 6, 7, 8};
const Rect4 kNone{};

INSTANTIATE_TEST_SUITE_P(
    Files, LoadFrameList,
    ::testing::Values(
        FrameFileCase{"EmptyLineStillUsesItsFrameNumber", "blank_then_frame.spr", 2,
                      {{0, false, kNone}, {1, true, kR1234}}},
        FrameFileCase{"LowerCaseKeywordDefinesNothing", "lower_case_keyword.spr", 2,
                      {{0, false, kNone}, {1, true, kR5678}}},
        FrameFileCase{"CarriageReturnLineFeeds", "crlf.spr", 2, {{0, true, kR1234}, {1, true, kR5678}}},
        FrameFileCase{"LoneCarriageReturnAndNoFinalEnd", "lone_cr_no_final_end.spr", 2,
                      {{0, true, kR1234}, {1, true, kR5678}, {2, false, kNone}}},
        FrameFileCase{"FieldsPastTheFifthIgnored", "extra_fields.spr", 1, {{0, true, kR1234}}},
        FrameFileCase{"MissingNumbersReadAsZero", "missing_numbers.spr", 1, {{0, true, {5, 0, 0, 0}}}},
        FrameFileCase{"DoubleSpaceShiftsTheNumbers", "double_space.spr", 1, {{0, true, {0, 1, 2, 3}}}},
        FrameFileCase{"OnlyAnExactFrameKeywordCounts", "not_frame_lines.spr", 5,
                      {{0, false, kNone}, {1, false, kNone}, {2, false, kNone}, {3, false, kNone},
                       {4, true, {9, 9, 9, 9}}}},
        FrameFileCase{"NumbersInEveryForm", "number_forms.spr", 2,
                      {{0, true, {0, 0, 32, 48}}, {1, true, {16, 1.5, -2, 10}}}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(LoadFrameListMissingFile, LeavesTheRecordAsItWas) {
  Texture old{}, sheet{};
  auto frames = usedFrameList(&old);
  loadFrameList(*frames, sheet, kFrames + "no_such_sheet.spr");
  EXPECT_EQ(frames->count, 99);
  EXPECT_EQ(frames->frame[0].texture, &old);
  EXPECT_EQ(frames->frame[0].x1, kUntouched);
}

TEST(LoadFrameListTwice, GivesTheSameFramesAndCount) {
  Texture sheet{};
  auto once = std::make_unique<FrameList>();
  auto twice = std::make_unique<FrameList>();
  loadFrameList(*once, sheet, kFrames + "not_frame_lines.spr");
  loadFrameList(*twice, sheet, kFrames + "not_frame_lines.spr");
  loadFrameList(*twice, sheet, kFrames + "not_frame_lines.spr");
  EXPECT_EQ(twice->count, once->count);
  EXPECT_EQ(twice->frame[4].x1, once->frame[4].x1);
  EXPECT_EQ(twice->frame[4].texture, once->frame[4].texture);
}

TEST(LoadFrameListBackslashes, ReachTheSameFile) {
  Texture sheet{};
  auto frames = std::make_unique<FrameList>();
  std::string path = kFrames + "crlf.spr";
  for (char& c : path)
    if (c == '/') c = '\\';
  loadFrameList(*frames, sheet, path);
  EXPECT_EQ(frames->count, 2);
  EXPECT_EQ(frames->frame[1].x1, 5);
}

// A sheet list longer than the frame table stops at frame 500; the arrays that follow each
// other in the record (texture, x1, x2, y1, y2, offsets) must not receive the extra lines.
TEST(LoadFrameListTooLong, StopsAtTheLastFrame) {
  const std::string path = ::testing::TempDir() + "too_long.spr";
  {
    std::ofstream out(path);
    for (int n = 0; n < 600; ++n) out << "FRAME " << n << " 77 88 99\n";
  }
  Texture old{}, sheet{};
  auto frames = usedFrameList(&old);
  loadFrameList(*frames, sheet, path);
  EXPECT_EQ(frames->count, kFrameCount);
  EXPECT_EQ(frames->frame[500].x1, 500);
  EXPECT_EQ(frames->frame[0].x1, 0);
  EXPECT_EQ(frames->frame[0].x2, 88);
  EXPECT_EQ(frames->offsetX[0], kUntouched);
}

struct OffsetCase {
  const char* name;
  int frame;
  const char* line;
  bool applies;
  double dx, dy;
};

class ApplyOffsetLine : public ::testing::TestWithParam<OffsetCase> {};

TEST_P(ApplyOffsetLine, ChangesOnlyItsOwnFrame) {
  const OffsetCase& c = GetParam();
  Texture old{};
  auto frames = usedFrameList(&old);
  applyOffsetLine(*frames, c.frame, c.line);
  for (int k = 0; k < kOffsetCount; ++k) {
    const bool mine = c.applies && k == c.frame;
    ASSERT_EQ(frames->offsetX[k], mine ? c.dx : kUntouched) << "offsetX " << k;
    ASSERT_EQ(frames->offsetY[k], mine ? c.dy : kUntouched) << "offsetY " << k;
  }
  EXPECT_EQ(frames->frame[500].y2, kUntouched);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, ApplyOffsetLine,
    ::testing::Values(OffsetCase{"FrameThreeOnly", 3, "OFFSET 3 -4", true, 3, -4},
                      OffsetCase{"FractionsKept", 0, "OFFSET -16.5 -48", true, -16.5, -48},
                      OffsetCase{"MissingNumbersReadAsZero", 7, "OFFSET", true, 0, 0},
                      OffsetCase{"LowerCaseKeywordIgnored", 3, "offset 3 -4", false, 0, 0},
                      OffsetCase{"EmptyLineIgnored", 3, "", false, 0, 0},
                      OffsetCase{"LastOffsetIndex", 1000, "OFFSET 1 2", true, 1, 2},
                      OffsetCase{"PastTheTableIgnored", 1001, "OFFSET 1 2", false, 0, 0},
                      OffsetCase{"NegativeIndexIgnored", -1, "OFFSET 1 2", false, 0, 0}),
    [](const auto& info) { return std::string(info.param.name); });

// Assigning a frame list (as a spawn copies its type's sprite set) must leave exactly what a
// byte-for-byte copy leaves, whatever either side held before.
TEST(FrameListAssignment, LeavesWhatAPlainCopyLeaves) {
  const Texture sheet{}, old{};
  auto zero = std::make_unique<FrameList>();
  auto used = usedFrameList(&old);
  auto loaded = std::make_unique<FrameList>();
  loaded->frame[3] = {&sheet, 1, 2, 3, 4};
  loaded->offsetX[1000] = -0.0;  // differs from 0 only in its bits
  loaded->offsetY[0] = 12;
  loaded->count = 4;
  const FrameList* sources[] = {zero.get(), used.get(), loaded.get()};
  for (const FrameList* from : sources)
    for (const FrameList* before : sources) {
      auto to = std::make_unique<FrameList>();
      std::memcpy(static_cast<void*>(to.get()), before, sizeof(FrameList));
      *to = *from;
      EXPECT_EQ(std::memcmp(to.get(), from, sizeof(FrameList)), 0);
    }
}

}  // namespace
