// brawler-check [--quiet] [DIR | --data DIR]: reads a content folder the way the game does and
// reports, like a compiler, every fault that the game would pass over in silence or stop on.
#include <cstdio>
#include <cstring>
#include <string>

#include "base/content_folder.h"
#include "content_walk.h"
#include "findings.h"
#include "platform/null_platform.h"
#include "shell/program_start.h"

namespace {

const char* const kUsage =
    "usage: brawler-check [--quiet] [DIR | --data DIR]\n"
    "       brawler-check --version\n"
    "\n"
    "Checks the content folder DIR (when left out, the pack the game would play: $BRAWLER_DATA,\n"
    "the installed pack, then the working directory) the way the game loads it:\n"
    "start-up sheets, the players' fighters, every stage under stage/ with the types, scenery,\n"
    "music and sounds it loads, the hit effects, and the front-end screens' files.\n"
    "\n"
    "Each finding is one line, \"path:line: error: message\" (or \"path: error: message\" about\n"
    "a whole file), sorted by path and line, then a count of errors and warnings.\n"
    "Errors are faults the game crashes or stops on, or silently gets wrong; warnings are legal\n"
    "content that is most likely a slip.\n"
    "\n"
    "  --quiet  print only the errors (and the count)\n"
    "  --help   print this text\n"
    "\n"
    "Exit status: 1 when there is an error, 0 otherwise, 2 on a bad command line.\n";

}  // namespace

int main(int argc, char** argv) {
  if (answeredVersion("brawler-check", kOfflineProgram, argc, argv)) return 0;
  bool quiet = false;
  std::string folder, error;
  if (!takeDataSwitch(&argc, argv, &folder, &error)) {
    std::fprintf(stderr, "brawler-check: %s\n", error.c_str());
    return 2;
  }
  int folders = folder.empty() ? 0 : 1;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
      std::fputs(kUsage, stdout);
      return 0;
    }
    if (std::strcmp(argv[i], "--quiet") == 0 || std::strcmp(argv[i], "-q") == 0) {
      quiet = true;
    } else if (argv[i][0] == '-' || ++folders > 1) {
      std::fprintf(stderr, "brawler-check: unexpected argument \"%s\"\n%s", argv[i], kUsage);
      return 2;
    } else {
      folder = argv[i];
    }
  }
  // Content paths are relative to the game's working directory; the checker takes the same view.
  // A folder it is given is checked whatever it holds; without one it checks the pack the game
  // would find.
  if (!folder.empty() && !enterNamedFolder("brawler-check", folder)) return 2;
  if (folder.empty() && !enterContentFolder("brawler-check", "")) return kNoContentStatus;
  useNullPlatform(true);  // decode images without a window
  checkContent();
  return printFindings(quiet) > 0 ? 1 : 0;
}
