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

bool isTopLevelList(const std::string& name) {
  return name.size() > 4 && name.compare(name.size() - 4, 4, kPackTopLevelEnding) == 0;
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
  // Only the pack's own folders are walked: whatever else shares the folder (a player's files,
  // or in a page the whole file system's /dev and /proc) is none of the pack's business.
  std::error_code error;
  for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
    const std::string name = it->path().filename().generic_string();
    if (it->is_regular_file(error) && isTopLevelList(name)) paths.push_back(name);
  }
  for (const char* packFolder : kPackFolders) {
    error.clear();
    for (fs::recursive_directory_iterator it(folder + "/" + packFolder, error), end; !error && it != end;
         it.increment(error))
      if (it->is_regular_file(error)) paths.push_back(it->path().lexically_relative(folder).generic_string());
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
