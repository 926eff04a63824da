#include "base/whole_file.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <system_error>

namespace {

constexpr mode_t kFolderMode = 0755;

std::string temporaryBeside(const std::string& path) { return path + ".partial-" + std::to_string(getpid()); }

}  // namespace

bool readWholeFile(const std::string& path, std::string* text) {
  FILE* file = std::fopen(path.c_str(), "rb");
  if (!file) return false;
  text->clear();
  char buffer[65536];
  size_t got;
  while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) text->append(buffer, got);
  const bool failed = std::ferror(file) != 0;
  std::fclose(file);
  return !failed;
}

bool canWriteAtomically(const std::string& path, std::string* error) {
  const std::string temporary = temporaryBeside(path);
  FILE* file = std::fopen(temporary.c_str(), "wb");
  if (!file) {
    *error = "cannot write " + temporary + ": " + std::strerror(errno);
    return false;
  }
  std::fclose(file);
  std::remove(temporary.c_str());
  return true;
}

bool writeBeside(const std::string& path, const std::string& text, std::string* error) {
  const std::string temporary = temporaryBeside(path);
  FILE* file = std::fopen(temporary.c_str(), "wb");
  if (!file) {
    *error = "cannot write " + temporary + ": " + std::strerror(errno);
    return false;
  }
  const bool written = std::fwrite(text.data(), 1, text.size(), file) == text.size();
  const bool flushed = std::fflush(file) == 0 && fsync(fileno(file)) == 0;
  const bool closed = std::fclose(file) == 0;
  if (!written || !flushed || !closed) {
    *error = "cannot write " + temporary + ": " + std::strerror(errno);
    std::remove(temporary.c_str());
    return false;
  }
  return true;
}

bool writeFileAtomically(const std::string& path, const std::string& text, std::string* error) {
  if (!writeBeside(path, text, error)) return false;
  const std::string temporary = temporaryBeside(path);
  if (std::rename(temporary.c_str(), path.c_str()) != 0) {
    *error = "cannot write " + path + ": " + std::strerror(errno);
    std::remove(temporary.c_str());
    return false;
  }
  return true;
}

bool fileExists(const std::string& path) {
  std::error_code failed;
  return std::filesystem::exists(path, failed);
}

void warnAboutFile(const std::string& path, int line, const std::string& what) {
  if (line > 0)
    std::fprintf(stderr, "%s:%d: warning: %s\n", path.c_str(), line, what.c_str());
  else
    std::fprintf(stderr, "%s: warning: %s\n", path.c_str(), what.c_str());
}

PlayerFileRead readPlayerFile(const std::string& path, std::string* text, const std::string& instead) {
  errno = 0;
  if (readWholeFile(path, text)) return kPlayerFileRead;
  const int reason = errno;
  if (!fileExists(path)) return kPlayerFileMissing;
  warnAboutFile(path, 0, std::string("cannot be read (") + std::strerror(reason) + "); " + instead);
  return kPlayerFileUnreadable;
}

bool makeFolders(const std::string& folder) {
  for (size_t slash = folder.find('/', 1);; slash = folder.find('/', slash + 1)) {
    const std::string part = folder.substr(0, slash);
    if (!part.empty() && mkdir(part.c_str(), kFolderMode) != 0 && errno != EEXIST) return false;
    if (slash == std::string::npos) break;
  }
  struct stat info;
  return stat(folder.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}
