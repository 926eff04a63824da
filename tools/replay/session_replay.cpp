#include "session_replay.h"

#include <cinttypes>
#include <cstdio>

#include "arcade/arcade.h"
#include "arcade/arcade_online.h"
#include "base/whole_file.h"
#include "net/rollback.h"
#include "platform/null_platform.h"
#include "shell/game_start.h"
#include "sim/recording.h"

namespace {

constexpr int kParted = 1;

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
    SessionAccount side;
    std::vector<uint64_t> replayed;
    const std::string checksFile = checksBeside(file);
    if (!loadRecording(file, ".", &agreed, &error)) {
      std::fprintf(stderr, "brawler-replay: %s\n", error.c_str());
      status = kParted;
      continue;
    }
    std::string text;
    if (!readWholeFile(checksFile, &text)) error = "cannot be read";
    if (!error.empty() || !parseSessionAccount(text, &side, &error)) {
      std::fprintf(stderr, "brawler-replay: %s: %s\n", checksFile.c_str(), error.c_str());
      status = kParted;
      continue;
    }
    replayOnlineSession(agreed, side, &replayed);
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
