#include "net/pack_list.h"

#include <algorithm>
#include <filesystem>
#include <sstream>
#include <utility>
#include <vector>

#include "base/fingerprint.h"

namespace {

// What of the content folder is game data: its folders, and the lists at its top. Files a player
// owns (settings, scores, recordings) may sit beside them and differ from machine to machine.
constexpr const char* kPackFolders[] = {"bgm", "gfx", "scripts", "sound", "stage"};
constexpr const char* kPackTopLevelEnding = ".dat";

bool inPack(const std::string& path) {
  const size_t slash = path.find('/');
  if (slash == std::string::npos)
    return path.size() > 4 && path.compare(path.size() - 4, 4, kPackTopLevelEnding) == 0;
  for (const char* folder : kPackFolders)
    if (path.compare(0, slash, folder) == 0) return true;
  return false;
}

// (path, digest) pairs of a list's lines, in path order.
std::vector<std::pair<std::string, std::string>> entriesOf(const std::string& lines) {
  std::vector<std::pair<std::string, std::string>> entries;
  std::istringstream in(lines);
  for (std::string line; std::getline(in, line);) {
    const size_t space = line.find(' ');
    if (space == std::string::npos) continue;
    entries.emplace_back(line.substr(space + 1), line.substr(0, space));
  }
  std::sort(entries.begin(), entries.end());
  return entries;
}

}  // namespace

PackList listPack(const std::string& folder) {
  namespace fs = std::filesystem;
  std::vector<std::string> paths;
  std::error_code error;
  for (fs::recursive_directory_iterator it(folder, error), end; !error && it != end; it.increment(error))
    if (it->is_regular_file(error)) {
      std::string path = it->path().lexically_relative(folder).generic_string();
      if (inPack(path)) paths.push_back(std::move(path));
    }
  std::sort(paths.begin(), paths.end());
  PackList pack;
  for (const std::string& path : paths) pack.lines += fileDigest(folder + "/" + path) + " " + path + "\n";
  pack.digest = fnv1a(pack.lines.data(), pack.lines.size(), kFnvStart);
  return pack;
}

std::string firstDifferentFile(const std::string& ours, const std::string& theirs) {
  const auto a = entriesOf(ours), b = entriesOf(theirs);
  size_t i = 0, j = 0;
  while (i < a.size() || j < b.size()) {
    if (j == b.size() || (i < a.size() && a[i].first < b[j].first)) return a[i].first;
    if (i == a.size() || b[j].first < a[i].first) return b[j].first;
    if (a[i].second != b[j].second) return a[i].first;
    ++i;
    ++j;
  }
  return "";
}
