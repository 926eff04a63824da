// The high-score table: its order, its file read back as written, every damaged line passed
// over with a warning naming it, a write cut short leaving the old file whole, and a folder
// that cannot be written keeping the table for the session.
#include <gtest/gtest.h>
#include <sys/resource.h>

#include <csignal>
#include <fstream>
#include <string>

#include "arcade/high_scores.h"
#include "base/player_files.h"
#include "base/whole_file.h"
#include "process_helpers.h"

namespace {

HighScore run(int32_t score, const char* initials, int32_t continued = 0, int32_t difficulty = kDifficultyNormal) {
  return HighScore{score, initials, "world1/stage2", "kestor", continued, difficulty};
}

HighScoreTable tableOf(std::initializer_list<HighScore> runs) {
  HighScoreTable table{};
  for (const HighScore& r : runs) insertHighScore(&table, r);
  return table;
}

void writeText(const std::string& path, const std::string& text) { std::ofstream(path) << text; }

std::string textOf(const std::string& path) {
  std::string text;
  readWholeFile(path, &text);
  return text;
}

TEST(HighScoreTable, KeepsTheTenBestInOrderAndEarlierRunsAboveEqualOnes) {
  HighScoreTable table{};
  for (int k = 1; k <= kHighScoreCount; ++k) EXPECT_GE(insertHighScore(&table, run(k * 100, "AAA")), 0);
  EXPECT_EQ(insertHighScore(&table, run(100, "LOW")), -1) << "equal to the last is not better";
  EXPECT_EQ(insertHighScore(&table, run(0, "NIL")), -1);
  EXPECT_EQ(insertHighScore(&table, run(500, "TIE")), 6) << "below the earlier 500";
  EXPECT_EQ(table.count, kHighScoreCount);
  EXPECT_EQ(table.runs[0].score, 1000);
  EXPECT_EQ(table.runs[5].initials, "AAA");
  EXPECT_EQ(table.runs[6].initials, "TIE");
  EXPECT_EQ(table.runs[kHighScoreCount - 1].score, 200) << "the old last fell off";
  EXPECT_FALSE(makesHighScores(table, 200));
  EXPECT_TRUE(makesHighScores(table, 201));
  EXPECT_TRUE(makesHighScores(HighScoreTable{}, 1));
}

TEST(HighScoreFile, ReadsBackAsWritten) {
  const HighScoreTable table =
      tableOf({run(12450, "ABC", 0, kDifficultyEasy), run(300, "ZZZ", 1), run(999999, "KES", 0, kDifficultyHard)});
  HighScoreTable back{};
  EXPECT_EQ(parseHighScores(formatHighScores(table), "scores.txt", &back), 0);
  ASSERT_EQ(back.count, 3);
  for (int i = 0; i < back.count; ++i) {
    EXPECT_EQ(back.runs[i].score, table.runs[i].score);
    EXPECT_EQ(back.runs[i].initials, table.runs[i].initials);
    EXPECT_EQ(back.runs[i].stage, table.runs[i].stage);
    EXPECT_EQ(back.runs[i].fighter, table.runs[i].fighter);
    EXPECT_EQ(back.runs[i].continued, table.runs[i].continued);
    EXPECT_EQ(back.runs[i].difficulty, table.runs[i].difficulty);
  }
  EXPECT_EQ(back.runs[2].continued, 1);
}

struct DamagedLine {
  const char* name;
  const char* line;
  const char* warning;  // part of the one line on standard error
};

class HighScoreDamage : public ::testing::TestWithParam<DamagedLine> {};

TEST_P(HighScoreDamage, SkipsTheLineWithOneWarningAndKeepsTheRest) {
  const DamagedLine& c = GetParam();
  const std::string text = std::string("# comment\n500 ABC world1/stage1 kestor first\n") + c.line +
                           "\n\n400 DEF world1/stage3 brick continued\n";
  HighScoreTable table{};
  ::testing::internal::CaptureStderr();
  const int skipped = parseHighScores(text, "/some/scores.txt", &table);
  const std::string warnings = ::testing::internal::GetCapturedStderr();
  EXPECT_EQ(skipped, 1);
  EXPECT_EQ(table.count, 2);
  EXPECT_EQ(table.runs[1].initials, "DEF");
  EXPECT_EQ(warnings.find("/some/scores.txt:3: warning: "), 0u) << warnings;
  EXPECT_NE(warnings.find(c.warning), std::string::npos) << warnings;
  EXPECT_EQ(warnings.find('\n'), warnings.size() - 1) << "one line: " << warnings;
}

INSTANTIATE_TEST_SUITE_P(
    Lines, HighScoreDamage,
    ::testing::Values(DamagedLine{"NegativeScore", "-5 ABC world1/stage1 kestor first", "score"},
                      DamagedLine{"ScoreTooLong", "12345678901 ABC world1/stage1 kestor first", "score"},
                      DamagedLine{"LowerCaseInitials", "10 abc world1/stage1 kestor first", "initials"},
                      DamagedLine{"FourInitials", "10 ABCD world1/stage1 kestor first", "initials"},
                      DamagedLine{"NoFighter", "10 ABC world1/stage1", "expected"},
                      DamagedLine{"UnknownFlag", "10 ABC world1/stage1 kestor maybe", "continued"},
                      DamagedLine{"UnknownDifficulty", "10 ABC world1/stage1 kestor first extra", "difficulty"},
                      DamagedLine{"TextAfterTheDifficulty", "10 ABC world1/stage1 kestor first hard extra", "after"},
                      DamagedLine{"CutShortMidLine", "10 AB", "initials"}),
    [](const auto& info) { return std::string(info.param.name); });

// A file written before there was a difficulty to choose reads as runs on normal, and the next
// write gives every line its difficulty.
TEST(HighScoreFile, AnOldFileWithoutDifficultiesReadsAsNormal) {
  const std::string old = "# brawler-arcade high scores: score initials stage fighter continued|first\n"
                          "24810 KES world1/stage2 kestor first\n9300 ZBA world1/stage1 rider continued\n";
  HighScoreTable table{};
  EXPECT_EQ(parseHighScores(old, "scores.txt", &table), 0);
  ASSERT_EQ(table.count, 2);
  EXPECT_EQ(table.runs[0].difficulty, kDifficultyNormal);
  EXPECT_EQ(table.runs[1].continued, 1);
  EXPECT_NE(formatHighScores(table).find("9300 ZBA world1/stage1 rider continued normal\n"), std::string::npos);
}

class HighScoreFolder : public ::testing::Test {
 protected:
  void SetUp() override { dir_ = makeEmptyDir(); }
  std::string dir_;
};

TEST_F(HighScoreFolder, SavesIntoAFolderItMakesAndLoadsItBack) {
  loadHighScores(dir_ + "/share/brawler/scores.txt");
  EXPECT_EQ(highScores.count, 0) << "a missing file is an empty table";
  insertHighScore(&highScores, run(700, "NEW"));
  ASSERT_TRUE(saveHighScores());
  loadHighScores(dir_ + "/share/brawler/scores.txt");
  ASSERT_EQ(highScores.count, 1);
  EXPECT_EQ(highScores.runs[0].initials, "NEW");
}

TEST_F(HighScoreFolder, AWriteCutShortLeavesTheOldFileWhole) {
  const std::string path = dir_ + "/scores.txt";
  const HighScoreTable old = tableOf({run(100, "OLD")});
  writeText(path, formatHighScores(old));
  // The child is stopped by the system in the middle of writing: a file may grow no further
  // than a few bytes, and going past that ends the process as a power cut would.
  const ChildResult cut = runInFork(
      [&] {
        highScores = tableOf({run(900, "CUT"), run(800, "CUT"), run(700, "CUT")});
        highScores.path = path;
        const rlimit small{16, 16};
        setrlimit(RLIMIT_FSIZE, &small);
        saveHighScores();
      },
      20000);
  EXPECT_EQ(cut.signal, SIGXFSZ) << "the write was not cut short";
  EXPECT_EQ(textOf(path), formatHighScores(old));
}

TEST_F(HighScoreFolder, AnUnwritableFolderKeepsTheTableForTheSessionWithOneWarning) {
  writeText(dir_ + "/not-a-folder", "a file where the folder should be\n");
  loadHighScores(dir_ + "/not-a-folder/brawler/scores.txt");
  insertHighScore(&highScores, run(700, "KEP"));
  ::testing::internal::CaptureStderr();
  EXPECT_FALSE(saveHighScores());
  const std::string warning = ::testing::internal::GetCapturedStderr();
  EXPECT_NE(warning.find("not-a-folder/brawler/scores.txt: warning: "), std::string::npos) << warning;
  EXPECT_EQ(warning.find('\n'), warning.size() - 1) << warning;
  EXPECT_EQ(highScores.count, 1);
  EXPECT_EQ(highScores.runs[0].initials, "KEP");
}

TEST_F(HighScoreFolder, AFileThatCannotBeReadIsAnEmptyTableWithOneWarningAndIsNotWrittenOver) {
  const std::string path = dir_ + "/scores.txt";
  ASSERT_TRUE(makeFolders(path + "/kept"));  // a folder where the file should be, with something in it
  ::testing::internal::CaptureStderr();
  loadHighScores(path);
  insertHighScore(&highScores, run(700, "NEW"));
  EXPECT_FALSE(saveHighScores());
  const std::string warning = ::testing::internal::GetCapturedStderr();
  EXPECT_EQ(highScores.count, 1);
  EXPECT_EQ(warning, path + ": warning: cannot be read (Is a directory); the high scores start empty and are kept "
                            "for this session only\n");
  EXPECT_TRUE(fileExists(path + "/kept")) << "what stood there was replaced";
}

struct DataFolderCase {
  const char* name;
  const char* xdgDataHome;  // nullptr: unset
  const char* home;
  const char* expected;
};

class PlayerDataFile : public ::testing::TestWithParam<DataFolderCase> {};

TEST_P(PlayerDataFile, FollowsTheFreedesktopRules) {
  const DataFolderCase& c = GetParam();
  const ChildResult result = runInFork(
      [&] {
        c.xdgDataHome ? setenv("XDG_DATA_HOME", c.xdgDataHome, 1) : unsetenv("XDG_DATA_HOME");
        c.home ? setenv("HOME", c.home, 1) : unsetenv("HOME");
        std::printf("%s", playerDataFile("scores.txt").c_str());
      },
      20000);
  EXPECT_EQ(result.out, c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Environments, PlayerDataFile,
    ::testing::Values(DataFolderCase{"DataHomeSet", "/data", "/home/p", "/data/brawler/scores.txt"},
                      DataFolderCase{"DataHomeUnset", nullptr, "/home/p", "/home/p/.local/share/brawler/scores.txt"},
                      DataFolderCase{"DataHomeRelativeIsPassedOver", "data", "/home/p",
                                     "/home/p/.local/share/brawler/scores.txt"},
                      DataFolderCase{"NeitherSet", nullptr, nullptr, ""}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
