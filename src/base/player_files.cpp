#include "base/player_files.h"

#include <cstdlib>

namespace {

constexpr const char* kFolder = "/brawler/";

bool isAbsolute(const char* path) { return path != nullptr && path[0] == '/'; }

}  // namespace

std::string playerDataFile(const std::string& name) {
  const char* data = std::getenv("XDG_DATA_HOME");
  if (isAbsolute(data)) return data + std::string(kFolder) + name;
  const char* home = std::getenv("HOME");
  if (isAbsolute(home)) return home + std::string("/.local/share") + kFolder + name;
  return "";
}
