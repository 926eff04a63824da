// The simulation stands on the base and the content alone: whatever runs a tick (the game, a
// tool, a test, the other machine in an online fight) runs the same one, with no window,
// mixer or settings behind it.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace {

TEST(SourceFloors, TheSimulationIncludesOnlyTheBaseTheContentAndItself) {
  const std::string allowed[] = {"base/", "content/", "sim/"};
  int files = 0;
  for (const auto& entry : std::filesystem::directory_iterator(std::string(BRAWLER_SOURCE_DIR) + "/src/sim")) {
    std::ifstream in(entry.path());
    ++files;
    int number = 0;
    for (std::string line; std::getline(in, line);) {
      ++number;
      if (line.rfind("#include \"", 0) != 0) continue;
      const std::string target = line.substr(10);
      bool fine = false;
      for (const std::string& floor : allowed) fine = fine || target.rfind(floor, 0) == 0;
      EXPECT_TRUE(fine) << entry.path().filename().string() << ":" << number << ": " << line;
    }
  }
  EXPECT_GT(files, 0);
}

}  // namespace
