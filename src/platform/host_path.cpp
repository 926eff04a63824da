#include "platform/host_path.h"

#include <unordered_set>

namespace {
std::unordered_set<std::string> pathsSeen;
std::vector<std::string> pathsInOrder;
}  // namespace

std::string hostPath(const std::string& contentPath) {
  std::string path = contentPath;
  for (char& c : path)
    if (c == '\\') c = '/';
  if (pathsSeen.insert(path).second) pathsInOrder.push_back(path);
  return path;
}

const std::vector<std::string>& hostPathsUsed() { return pathsInOrder; }
