#include "render/texture.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>

namespace {

std::string readWhole(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

struct FailureCase {
  const char* name;
  const char* path;
  bool rgba;
};

class TextureLoadFailure : public ::testing::TestWithParam<FailureCase> {};

// The only fatal error: the message quotes the path exactly as the caller wrote it.
TEST_P(TextureLoadFailure, ReportsThePathAndEndsWithStatusZero) {
  const FailureCase& c = GetParam();
  const std::string out = ::testing::TempDir() + "texture_message_" + c.name + ".txt";
  std::remove(out.c_str());
  EXPECT_EXIT(
      {
        if (!std::freopen(out.c_str(), "w", stdout)) std::abort();
        Texture t{};
        if (c.rgba)
          loadTextureRGBA(c.path, t);
        else
          loadTextureRGB(c.path, t);
        std::abort();  // never reached
      },
      ::testing::ExitedWithCode(0), "");
  EXPECT_EQ(readWhole(out), std::string("Error loading ") + c.path + ".\n");
}

INSTANTIATE_TEST_SUITE_P(
    Paths, TextureLoadFailure,
    ::testing::Values(FailureCase{"MissingFont", "gfx/font/mainfont.png", true},
                      FailureCase{"BackslashesKept", "gfx\\interface\\no_such_sheet.png", true},
                      FailureCase{"MissingBackground", "gfx/stage/nothing.png", false}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
