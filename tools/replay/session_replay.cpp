#include "session_replay.h"

#include <cinttypes>
#include <cstdio>
#include <fstream>

#include "arcade/arcade.h"
#include "arcade/arcade_online.h"
#include "net/rollback.h"
#include "platform/null_platform.h"
#include "shell/game_start.h"
#include "sim/recording.h"

namespace {

constexpr int kParted = 1;

// What the side wrote of its session: the run's choices, then its "net tick N digest X" lines
// in order.
struct SideAccount {
  int difficulty = 0;
  int lives = 0;
  std::vector<uint64_t> checks;
};

bool readAccount(const std::string& path, SideAccount* side) {
  std::ifstream in(path);
  std::string line;
  if (!std::getline(in, line) || std::sscanf(line.c_str(), "difficulty %d", &side->difficulty) != 1) return false;
  if (!std::getline(in, line) || std::sscanf(line.c_str(), "lives %d", &side->lives) != 1) return false;
  std::vector<uint64_t>* checks = &side->checks;
  while (std::getline(in, line)) {
    int ticks = 0;
    uint64_t digest = 0;
    if (std::sscanf(line.c_str(), "net tick %d digest %" SCNx64, &ticks, &digest) != 2 ||
        ticks != static_cast<int>(checks->size() + 1) * kCheckEvery)
      return false;
    checks->push_back(digest);
  }
  return true;
}

std::string checksBeside(const std::string& recording) {
  const std::string suffix = ".replay";
  const bool named = recording.size() > suffix.size() && recording.compare(recording.size() - suffix.size(), suffix.size(), suffix) == 0;
  return (named ? recording.substr(0, recording.size() - suffix.size()) : recording) + ".checks";
}

}  // namespace

int sessionReplay(const std::vector<std::string>& files) {
  useNullPlatform(true);
  startUp(1);
  prepareArcade();
  int status = 0;
  for (const std::string& file : files) {
    Recording agreed;
    std::string error;
    SideAccount side;
    std::vector<uint64_t> replayed;
    const std::string checksFile = checksBeside(file);
    if (!loadRecording(file, ".", &agreed, &error)) {
      std::fprintf(stderr, "brawler-replay: %s\n", error.c_str());
      status = kParted;
      continue;
    }
    if (!readAccount(checksFile, &side)) {
      std::fprintf(stderr, "brawler-replay: %s: not a list of the session's fingerprints\n", checksFile.c_str());
      status = kParted;
      continue;
    }
    replayOnlineSession(agreed, side.difficulty, side.lives, &replayed);
    const std::vector<uint64_t>& theirs = side.checks;
    size_t k = 0;
    while (k < theirs.size() && k < replayed.size() && theirs[k] == replayed[k]) ++k;
    if (k < theirs.size() && k < replayed.size()) {
      std::printf("%s: parts from the replay after tick %zu (its side %016" PRIx64 ", the replay %016" PRIx64 ")\n",
                  file.c_str(), (k + 1) * kCheckEvery, theirs[k], replayed[k]);
      status = kParted;
    } else {
      std::printf("%s: the same as the replay at all %zu checks\n", file.c_str(), k);
    }
  }
  return status;
}
