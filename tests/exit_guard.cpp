// Code under test may end the process: with status 0 on Escape or Return on character select,
// with 1 on a missing image. Status 0 inside a test would look like a pass to ctest, which only
// sees the exit status, so a test that ends the process before it finishes fails loudly instead. Death tests
// expect the exit and are left alone.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

namespace {

void failIfInsideATest() {
  if (::testing::internal::InDeathTestChild()) return;
  const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
  if (!test) return;
  std::fflush(stdout);
  std::fprintf(stderr, "\n%s.%s ended the process before it finished\n", test->test_suite_name(),
               test->name());
  std::_Exit(1);
}

const bool registered = [] {
  ::testing::UnitTest::GetInstance();  // built first, so it outlives the handler
  return std::atexit(failIfInsideATest) == 0;
}();

}  // namespace
