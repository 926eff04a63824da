#include "content/script_lines.h"

#include <gtest/gtest.h>

namespace {

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
