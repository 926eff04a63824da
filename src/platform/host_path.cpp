#include "platform/host_path.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

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

// Opened without blocking, so that a named pipe with no writer cannot stall the game before
// its first frame; anything that is not a regular file is closed again unread.
std::FILE* openRegularFile(const std::string& contentPath) {
  const int fd = open(hostPath(contentPath).c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return nullptr;
  struct stat info;
  if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    close(fd);
    return nullptr;
  }
  std::FILE* file = fdopen(fd, "rb");
  if (!file) close(fd);
  return file;
}
