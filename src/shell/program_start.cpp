#include "shell/program_start.h"

#include <cstdio>
#include <cstring>

#include "base/content_folder.h"
#include "base/game_version.h"
#include "net/lobby_message.h"
#include "net/packet.h"

namespace {

constexpr const char* kVersionSwitch = "--version";
constexpr const char* kDataSwitch = "--data";

}  // namespace

std::string versionLine(const char* name, ProgramKind kind) {
  std::string line = std::string(name) + " " + gameVersion();
  const std::string online = "online protocol " + std::to_string(kNetProtocolVersion);
  if (kind == kOnlineProgram) line += " (" + online + ")";
  if (kind == kLobbyServer) line += " (" + online + ", lobby protocol " + std::to_string(kLobbyProtocolVersion) + ")";
  return line;
}

bool answeredVersion(const char* name, ProgramKind kind, int argc, char** argv) {
  if (argc < 2 || std::strcmp(argv[1], kVersionSwitch) != 0) return false;
  std::printf("%s\n", versionLine(name, kind).c_str());
  return true;
}

bool takeDataSwitch(int* argc, char** argv, std::string* folder, std::string* error) {
  int kept = 1;
  for (int a = 1; a < *argc; ++a) {
    if (std::strcmp(argv[a], kDataSwitch) != 0) {
      argv[kept++] = argv[a];
      continue;
    }
    if (a + 1 >= *argc || argv[a + 1][0] == '\0') {
      *error = "--data needs the content folder after it";
      return false;
    }
    *folder = argv[++a];
  }
  *argc = kept;
  argv[kept] = nullptr;
  return true;
}

int startProgram(const char* name, ProgramKind kind, int* argc, char** argv) {
  if (answeredVersion(name, kind, *argc, argv)) return 0;
  std::string folder, error;
  if (!takeDataSwitch(argc, argv, &folder, &error)) {
    std::fprintf(stderr, "%s: %s\n", name, error.c_str());
    return kNoContentStatus;
  }
  return enterContentFolder(name, folder) ? kStartedProgram : kNoContentStatus;
}
