// Which folder a program reads its content from. The game opens every content file by a path
// relative to its working folder, so finding the content means entering its folder once at
// start-up; everything after that reads as it would in a clone's data/ folder.
#pragma once
#include <string>

// Where the content was found. Read by writtenFilePath (an installed pack is never written
// into) and by the tests.
enum ContentSource {
  kContentNotFound,
  kContentNamed,        // --data DIR
  kContentEnvironment,  // $BRAWLER_DATA
  kContentInstalled,    // ../share/games/brawler beside the program's own folder
  kContentWorkingFolder,
};

// The places looked at, in order, and what was found. `named` is --data's folder ("" without
// it): when given it is the only place looked at. `environment` is $BRAWLER_DATA's value,
// `programFolder` the folder the executable is in, `workingFolder` the current one.
struct ContentSearch {
  ContentSource source = kContentNotFound;
  std::string folder;   // where the content is, when found
  std::string looked;   // every place looked at and why it was passed over, for the one line
};
ContentSearch searchForContent(const std::string& named, const std::string& environment,
                               const std::string& programFolder, const std::string& workingFolder);

// Whether a folder looks like a content pack at all: it has the sheets' and the stages'
// folders. A pack missing a file is still one; the game reports that file when it loads it.
bool holdsContent(const std::string& folder);

// searchForContent on this process, then enters the folder found. False, with the one line
// ("PROGRAM: no game content: looked in ...") already written to standard error, when there
// was none.
bool enterContentFolder(const char* program, const std::string& named);
// Enters a folder the command line named, without asking whether it holds content (the
// content checker's folder: a broken pack is what it is there to report). False with the one
// line when the folder cannot be entered.
bool enterNamedFolder(const char* program, const std::string& folder);

// A path from the command line, as meant from the folder the program was started in: the
// same path while the program is still there, made absolute once it has entered its content
// folder elsewhere.
std::string startedPath(const std::string& path);

// Where a file the game writes for the player goes (a recording of an online game): into the
// content folder beside the pack when that can be written, else into the player's data folder,
// which is made when missing. An installed pack belongs to the system's package manager and is
// never written into.
std::string writtenFilePath(const std::string& name);
