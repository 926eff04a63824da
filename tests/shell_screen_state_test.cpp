// The screen-state loop: only the four exact names run a screen; anything else stops the
// program with status 1 instead of spinning.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "brawler/screen_loop.h"
#include "platform/null_platform.h"
#include "process_helpers.h"
#include "shell/screen_state.h"

namespace {

constexpr int kChildTimeoutMs = 10000;

struct StateCase {
  const char* name;
  const char* state;
};

class UnknownScreenState : public ::testing::TestWithParam<StateCase> {};

TEST_P(UnknownScreenState, EndsWithStatusOneNamingTheState) {
  std::string state = GetParam().state;
  ChildResult r = runInFork(
      [&] {
        useNullPlatform(true);
        screenState = state;
        std::exit(runScreenLoop());
      },
      kChildTimeoutMs);
  ASSERT_FALSE(r.timedOut) << "the loop spun";
  ASSERT_TRUE(r.exited);
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_NE(r.out.find("\"" + state + "\""), std::string::npos) << r.out;
}

INSTANTIATE_TEST_SUITE_P(
    States, UnknownScreenState,
    ::testing::Values(StateCase{"LowerCasePlaystage", "playstage"},
                      StateCase{"UpperCaseMainmenu", "MAINMENU"},
                      StateCase{"TrailingSpace", "Overworld "},
                      StateCase{"LeadingSpace", " Playstage"},
                      StateCase{"CharacterSelectWithoutCapital", "Character select"},
                      StateCase{"MainMenuWithSpace", "Main menu"},
                      StateCase{"Empty", ""}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
