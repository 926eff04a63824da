#include "base/numbers.h"
#include "content/text_file.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <fstream>
#include <functional>
#include <memory>

#include "content/sprite_set.h"

namespace {

struct FieldCase {
  const char* name;
  const char* line;
  int n;
  const char* expected;
};

class GetField : public ::testing::TestWithParam<FieldCase> {};

TEST_P(GetField, SplitsAtEverySingleSpace) {
  const FieldCase& c = GetParam();
  EXPECT_EQ(getField(c.line, c.n), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Fields, GetField,
    ::testing::Values(
        FieldCase{"KeywordIsFieldOne", "OFFSET 3 -4", 1, "OFFSET"},
        FieldCase{"SecondField", "OFFSET 3 -4", 2, "3"},
        FieldCase{"ThirdField", "OFFSET 3 -4", 3, "-4"},
        FieldCase{"PastTheLastFieldIsEmpty", "OFFSET 3 -4", 4, ""},
        FieldCase{"FieldZeroIsEmpty", "OFFSET 3 -4", 0, ""},
        FieldCase{"DoubleSpaceMakesEmptyField", "OFFSET  3 -4", 2, ""},
        FieldCase{"DoubleSpaceShiftsLaterFields", "OFFSET  3 -4", 4, "-4"},
        FieldCase{"LeadingSpaceEmptiesFieldOne", " WIDTH 40", 1, ""},
        FieldCase{"LeadingSpaceShiftsKeyword", " WIDTH 40", 2, "WIDTH"},
        FieldCase{"TrailingSpaceAddsEmptyField", "WIDTH 40 ", 3, ""},
        FieldCase{"TabIsPartOfTheField", "WIDTH\t40", 1, "WIDTH\t40"},
        FieldCase{"EmptyLineHasEmptyFields", "", 1, ""},
        FieldCase{"FieldThirtyNineExists",
                  "a b c d e f g h i j k l m n o p q r s t u v w x y z 1 2 3 4 5 6 7 8 9 10 11 12 13 14",
                  39, "13"},
        FieldCase{"FieldsPastThirtyNineAreCut",
                  "a b c d e f g h i j k l m n o p q r s t u v w x y z 1 2 3 4 5 6 7 8 9 10 11 12 13 14",
                  40, ""}),
    [](const auto& info) { return std::string(info.param.name); });

struct NumberCase {
  const char* name;
  const char* text;
  double expected;
};

class ToNumber : public ::testing::TestWithParam<NumberCase> {};

TEST_P(ToNumber, ReadsTheLeadingNumber) {
  EXPECT_DOUBLE_EQ(toNumber(GetParam().text), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Numbers, ToNumber,
    ::testing::Values(NumberCase{"TrailingLettersIgnored", "12abc", 12},
                      NumberCase{"EmptyIsZero", "", 0},
                      NumberCase{"LeadingSpacesSkipped", "  7", 7},
                      NumberCase{"NegativeFraction", "-2.5", -2.5},
                      NumberCase{"LettersAloneAreZero", "abc", 0},
                      NumberCase{"Hexadecimal", "&H10", 16},
                      NumberCase{"HexadecimalLowerCase", "&hff", 255},
                      NumberCase{"Octal", "&O17", 15},
                      NumberCase{"Binary", "&B101", 5},
                      NumberCase{"Exponent", "1.5e2", 150},
                      NumberCase{"ExponentWithoutDigitsIgnored", "3e", 3},
                      NumberCase{"TabBeforeNumberSkipped", "\t4", 4},
                      NumberCase{"PlusSign", "+8", 8},
                      NumberCase{"BareSignIsZero", "-", 0},
                      NumberCase{"InfinityIsNotANumber", "inf", 0}),
    [](const auto& info) { return std::string(info.param.name); });

// Hundreds of digits pass the largest double in every radix; both the decimal and the & paths
// must read that as 0, never as infinity.
TEST(ToNumberOverflow, EndlessDigitsReadAsZeroInEveryRadix) {
  const std::string ones(1100, '1');
  for (const char* prefix : {"", "&H", "&O", "&B", "&h"})
    EXPECT_EQ(toNumber(prefix + ones), 0.0) << "prefix '" << prefix << "'";
  EXPECT_EQ(toNumber("&B" + std::string(1000, '1')), std::ldexp(1.0, 1000) - 1) << "still finite";
}

struct RoundCase {
  const char* name;
  double value;
  int expected;
};

class RoundHalfEven : public ::testing::TestWithParam<RoundCase> {};

TEST_P(RoundHalfEven, RoundsHalvesToTheEvenNeighbour) {
  EXPECT_EQ(roundToInt(GetParam().value), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Rounding, RoundHalfEven,
    ::testing::Values(RoundCase{"TwoAndAHalfGivesTwo", 2.5, 2}, RoundCase{"ThreeAndAHalfGivesFour", 3.5, 4},
                      RoundCase{"FourAndAHalfGivesFour", 4.5, 4}, RoundCase{"FiveAndAHalfGivesSix", 5.5, 6},
                      RoundCase{"NegativeHalfGivesZero", -0.5, 0}, RoundCase{"NegativeOneAndAHalf", -1.5, -2},
                      RoundCase{"OrdinaryFraction", 7.4, 7}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(RoundToInt16, KeepsTheLowSixteenBits) {
  EXPECT_EQ(roundToInt16(32768), -32768);
  EXPECT_EQ(roundToInt16(-32769), 32767);
  EXPECT_EQ(wrap16(32767 + 1), -32768);
}

std::string writeTemp(const std::string& name, const std::string& bytes) {
  std::string path = ::testing::TempDir() + name;
  std::ofstream(path, std::ios::binary) << bytes;
  return path;
}

struct LinesCase {
  const char* name;
  const char* bytes;
  size_t size;
  std::vector<std::string> expected;
};

class ReadLines : public ::testing::TestWithParam<LinesCase> {};

TEST_P(ReadLines, SplitsAtEveryLineEnding) {
  const LinesCase& c = GetParam();
  std::string path = writeTemp(std::string("lines_") + c.name, std::string(c.bytes, c.size));
  std::array<std::string, 6> lines{"old0", "old1", "old2", "old3", "old4", "old5"};
  readLines(path, lines);
  for (size_t i = 0; i < c.expected.size(); ++i) EXPECT_EQ(lines[i], c.expected[i]) << "entry " << i;
}

#define BYTES(s) s, sizeof(s) - 1
INSTANTIATE_TEST_SUITE_P(
    Endings, ReadLines,
    ::testing::Values(
        LinesCase{"LineFeeds", BYTES("a\nb\nc\n"), {"a", "b", "c", "old3"}},
        LinesCase{"CarriageReturnLineFeeds", BYTES("a\r\nb\r\nc\r\n"), {"a", "b", "c", "old3"}},
        LinesCase{"LoneCarriageReturns", BYTES("a\rb\rc\r"), {"a", "b", "c", "old3"}},
        LinesCase{"LastLineWithoutTerminator", BYTES("a\nb"), {"a", "b", "old2"}},
        LinesCase{"EmptyLineInside", BYTES("a\n\nb\n"), {"a", "", "b", "old3"}},
        LinesCase{"ByteTwentySixEndsTheFile", BYTES("a\nb\x1a" "c\nd\n"), {"a", "b", "old2"}},
        LinesCase{"SpacesKept", BYTES(" a \n"), {" a ", "old1"}},
        LinesCase{"MoreLinesThanCapacityAreCut", BYTES("1\n2\n3\n4\n5\n6\n7\n8\n"),
                  {"1", "2", "3", "4", "5", "6"}}),
    [](const auto& info) { return std::string(info.param.name); });
#undef BYTES

TEST(ReadLinesMissingFile, LeavesTheListUntouched) {
  std::array<std::string, 3> lines{"x", "y", "z"};
  readLines(::testing::TempDir() + "no_such_file.txt", lines);
  EXPECT_EQ(lines[0], "x");
  EXPECT_EQ(lines[2], "z");
}

// A path that names something that is not a regular file must neither block (a pipe with no
// writer), nor read for ever (a device), nor fail oddly (a directory): it reads as missing.
struct NonFileCase {
  const char* name;
  std::function<std::string()> make;
};

class ReadLinesNonFile : public ::testing::TestWithParam<NonFileCase> {};

TEST_P(ReadLinesNonFile, ReadsAsAMissingFile) {
  const std::string path = GetParam().make();
  std::array<std::string, 2> lines{"x", "y"};
  EXPECT_EQ(readLines(path, lines), 0);
  EXPECT_EQ(lines[0], "x");
  auto frames = std::make_unique<FrameList>();
  frames->count = 7;
  Texture texture;
  loadFrameList(*frames, texture, path);
  EXPECT_EQ(frames->count, 7) << "the frame list kept too";
}

std::string freshPath(const std::string& name) {
  const std::string path = ::testing::TempDir() + name;
  std::remove(path.c_str());
  return path;
}

INSTANTIATE_TEST_SUITE_P(
    Paths, ReadLinesNonFile,
    ::testing::Values(
        NonFileCase{"Directory", [] { return ::testing::TempDir(); }},
        NonFileCase{"NamedPipeWithNoWriter",
                    [] {
                      const std::string path = freshPath("script_pipe");
                      EXPECT_EQ(mkfifo(path.c_str(), 0600), 0);
                      return path;
                    }},
        NonFileCase{"LinkToAnEndlessDevice",
                    [] {
                      const std::string path = freshPath("script_zero");
                      EXPECT_EQ(symlink("/dev/zero", path.c_str()), 0);
                      return path;
                    }}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ReadLinesLongLine, IsCutAndTheNextLineStillReads) {
  const std::string path = writeTemp("long_line.txt", std::string(3 * kMaxLineBytes, 'A') + "\r\nnext\n");
  std::array<std::string, 3> lines{};
  EXPECT_EQ(readLines(path, lines), 2);
  EXPECT_EQ(lines[0], std::string(kMaxLineBytes, 'A'));
  EXPECT_EQ(lines[1], "next");
}

TEST(ReadLinesBackslashPath, ReachesTheSameFile) {
  std::string dir = ::testing::TempDir();
  std::string path = writeTemp("backslash.txt", "hello\n");
  std::string withBackslashes = path;
  for (char& c : withBackslashes)
    if (c == '/') c = '\\';
  std::array<std::string, 1> lines{};
  readLines(withBackslashes, lines);
  EXPECT_EQ(lines[0], "hello");
}

}  // namespace
