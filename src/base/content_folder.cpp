#include "base/content_folder.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <system_error>
#include <vector>

#include "base/player_files.h"
#include "base/whole_file.h"

namespace fs = std::filesystem;

namespace {

// Where an installed program's content sits, from the folder the program is in (games/ or bin/
// under the same prefix).
constexpr const char* kInstalledContent = "../share/games/brawler";
constexpr const char* kEnvironmentName = "BRAWLER_DATA";
// Every pack has sheets and stages; a folder without both is not a pack, however broken.
constexpr const char* kPackFolders[] = {"gfx", "stage"};

// Written once, by enterContentFolder: the folder the program was started in, when it has
// left it for its content; read by startedPath.
std::string startFolder;
// Written once, by enterContentFolder; read by writtenFilePath.
ContentSource enteredSource = kContentWorkingFolder;

bool isFolder(const std::string& path) {
  std::error_code failed;
  return fs::is_directory(path, failed);
}

// Why `folder` is passed over, or "" when it holds content.
std::string whyNotContent(const std::string& folder) {
  if (!isFolder(folder)) return "no such folder";
  if (!holdsContent(folder)) return "no gfx/ and stage/ folders";
  return "";
}

std::string programFolder() {
  std::error_code failed;
  const fs::path self = fs::read_symlink("/proc/self/exe", failed);
  return failed ? "" : self.parent_path().string();
}

std::string workingFolder() {
  std::error_code failed;
  const fs::path here = fs::current_path(failed);
  return failed ? "." : here.string();
}

}  // namespace

bool holdsContent(const std::string& folder) {
  for (const char* part : kPackFolders)
    if (!isFolder(folder + "/" + part)) return false;
  return true;
}

ContentSearch searchForContent(const std::string& named, const std::string& environment,
                               const std::string& programFolder, const std::string& workingFolder) {
  ContentSearch search;
  struct Place {
    ContentSource source;
    std::string label;   // how the one line names the place
    std::string folder;  // "" when there is none to look at
    const char* unset;   // why there is none
  };
  std::vector<Place> places;
  if (!named.empty()) {
    places.push_back({kContentNamed, "--data " + named, named, ""});
  } else {
    places.push_back({kContentEnvironment, "$" + std::string(kEnvironmentName), environment, "not set"});
    const std::string installed =
        programFolder.empty() ? "" : (fs::path(programFolder) / kInstalledContent).lexically_normal().string();
    places.push_back({kContentInstalled, installed.empty() ? "the installed pack" : installed, installed,
                      "the program's own folder is unknown"});
    places.push_back({kContentWorkingFolder, "the current folder " + workingFolder, workingFolder, ""});
  }
  for (const Place& place : places) {
    const std::string why = place.folder.empty() ? place.unset : whyNotContent(place.folder);
    if (why.empty()) {
      search.source = place.source;
      search.folder = place.folder;
      return search;
    }
    search.looked += (search.looked.empty() ? "" : ", ") + place.label + " (" + why + ")";
  }
  return search;
}

bool enterNamedFolder(const char* program, const std::string& folder) {
  const std::string from = workingFolder();
  if (chdir(folder.c_str()) != 0) {
    std::fprintf(stderr, "%s: cannot enter \"%s\"\n", program, folder.c_str());
    return false;
  }
  if (workingFolder() != from) startFolder = from;
  enteredSource = kContentNamed;
  return true;
}

bool enterContentFolder(const char* program, const std::string& named) {
  const char* environment = std::getenv(kEnvironmentName);
  const std::string from = workingFolder();
  const ContentSearch search = searchForContent(named, environment ? environment : "", programFolder(), from);
  if (search.source == kContentNotFound) {
    std::fprintf(stderr, "%s: no game content: looked in %s%s\n", program, search.looked.c_str(),
                 named.empty() ? "; name its folder with --data DIR" : "");
    return false;
  }
  // Today's way of playing from a clone, started in data/: nothing changes, not even the
  // spelling of the paths in messages.
  if (search.source == kContentWorkingFolder) {
    enteredSource = kContentWorkingFolder;
    return true;
  }
  if (!enterNamedFolder(program, search.folder)) return false;
  enteredSource = search.source;
  return true;
}

std::string startedPath(const std::string& path) {
  if (startFolder.empty() || path.empty() || path[0] == '/') return path;
  return startFolder + "/" + path;
}

std::string writtenFilePath(const std::string& name) {
  if (enteredSource != kContentInstalled && access(".", W_OK) == 0) return name;
  const std::string own = playerDataFile(name);
  if (own.empty()) return name;  // nowhere else to go: the write reports why it failed
  makeFolders(fs::path(own).parent_path().string());
  return own;
}
