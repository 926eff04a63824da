#include "content/script_lines.h"

#include <gtest/gtest.h>

namespace {

struct ParseCase {
  const char* line;
  ScriptKeyword keyword;
  double lastArg;  // the keyword's last numeric argument
  const char* name;
};

class ParseScriptLine : public ::testing::TestWithParam<ParseCase> {};

TEST_P(ParseScriptLine, SplitsOnce) {
  const ScriptCommand c = parseScriptLine(GetParam().line);
  EXPECT_EQ(c.keyword, GetParam().keyword);
  EXPECT_DOUBLE_EQ(c.arg[0] + c.arg[4], GetParam().lastArg);
  EXPECT_EQ(c.name, GetParam().name);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, ParseScriptLine,
    ::testing::Values(ParseCase{"ATTACKKNOCKHIGH 20 0 40 6 12", kScriptAttackKnockHigh, 32, ""},
                      ParseCase{"SETPHYSICSCONTROLANIM 1 FALLLAND", kScriptSetPhysicsControlAnim, 1,
                                "FALLLAND"},
                      ParseCase{"BEGIN Stand", kScriptBegin, 0, "Stand"},
                      ParseCase{" WIDTH 40", kScriptBlank, 0, ""},
                      ParseCase{"WIDTH\t40", kScriptOther, 0, ""},
                      ParseCase{"WIDTH x", kScriptWidth, 0, ""}));

TEST(ScriptBlocks, SameResultIsSharedAndOldLinesStay) {
  ScriptRef a, b, longer;
  writeScript({"BEGIN STAND", "STOP"}, a);
  writeScript({"BEGIN STAND", "STOP"}, b);
  EXPECT_EQ(a.get(), b.get());
  writeScript({"X", "Y", "FRAMESET 4"}, longer);
  writeScript({"BEGIN STAND", "STOP"}, longer);
  EXPECT_NE(longer.get(), a.get());
  EXPECT_EQ(scriptCommand(longer, 2).keyword, kScriptFrameSet);  // past the new text's end
  EXPECT_EQ(scriptCommand(longer, 0).keyword, kScriptBegin);
}

}  // namespace
