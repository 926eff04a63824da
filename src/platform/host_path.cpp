#include "platform/host_path.h"

std::string hostPath(const std::string& contentPath) {
  std::string path = contentPath;
  for (char& c : path)
    if (c == '\\') c = '/';
  return path;
}
