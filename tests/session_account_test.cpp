// A side's account of an online session: what it writes reads back the same, and anything
// else is turned down with the line at fault rather than replayed wrongly.
#include <gtest/gtest.h>

#include <string>

#include "arcade/session_account.h"

namespace {

TEST(SessionAccount, WrittenAccountReadsBackTheSame) {
  SessionAccount written;
  written.difficulty = 2;
  written.lives = 5;
  written.escapes = {{412, 1}, {412, 0}, {900, 0}};
  written.checks = {0x0123456789abcdefull, 0, 0xffffffffffffffffull};
  SessionAccount read;
  std::string error;
  ASSERT_TRUE(parseSessionAccount(formatSessionAccount(written), &read, &error)) << error;
  EXPECT_EQ(read.difficulty, 2);
  EXPECT_EQ(read.lives, 5);
  ASSERT_EQ(read.escapes.size(), 3u);
  EXPECT_EQ(read.escapes[0].tick, 412);
  EXPECT_EQ(read.escapes[0].player, 1);
  EXPECT_EQ(read.escapes[2].tick, 900);
  EXPECT_EQ(read.checks, written.checks);
}

TEST(SessionAccount, AnythingElseIsTurnedDownNamingTheLine) {
  struct Case {
    const char* shows;
    const char* text;
    const char* line;  // in the error
  };
  const Case cases[] = {
      {"the run's choices missing", "net tick 60 digest 00000000000000aa\n", "difficulty"},
      {"a check out of its place", "difficulty 1\nlives 3\nnet tick 120 digest 00000000000000aa\n", "line 3"},
      {"a player past the two", "difficulty 1\nlives 3\nescape 40 3\n", "line 3"},
      {"Escapes out of tick order", "difficulty 1\nlives 3\nescape 40 1\nescape 39 2\n", "line 4"},
      {"an Escape after the checks began", "difficulty 1\nlives 3\nnet tick 60 digest 0a\nescape 70 1\n", "line 4"},
      {"something after a number", "difficulty 1x\nlives 3\n", "line 1"},
      {"a line of something else", "difficulty 1\nlives 3\nseed 5\n", "line 3"},
  };
  for (const Case& c : cases) {
    SessionAccount read;
    std::string error;
    EXPECT_FALSE(parseSessionAccount(c.text, &read, &error)) << c.shows;
    EXPECT_NE(error.find(c.line), std::string::npos) << c.shows << ": " << error;
  }
}

}  // namespace
