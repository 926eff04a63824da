#include "sim/recording.h"

#include <cstdlib>
#include <sstream>

#include "base/fingerprint.h"
#include "sim/game_state.h"
#include "base/whole_file.h"

namespace {

constexpr const char* kMagic = "brawler-replay";
constexpr int64_t kMostTicksInOneRun = int64_t{1} << 30;

bool splitTwo(const std::string& line, const std::string& keyword, std::string* rest) {
  if (line.compare(0, keyword.size() + 1, keyword + " ") != 0) return false;
  *rest = line.substr(keyword.size() + 1);
  return !rest->empty();
}

// A whole decimal number in [0, most], nothing else on it. 64 bits wide: a seed goes up to
// 2^32 - 1, past what a long holds where it is 32 bits (WebAssembly).
bool parseCount(const std::string& text, int64_t most, int64_t* value) {
  if (text.empty() || text.size() > 10) return false;
  for (char c : text)
    if (c < '0' || c > '9') return false;
  *value = std::strtoll(text.c_str(), nullptr, 10);
  return *value <= most;
}

bool parseTickLine(const std::string& line, std::vector<TickInput>* ticks) {
  std::istringstream fields(line);
  std::string count, players[kRecordedPlayers], extra;
  fields >> count;
  for (std::string& p : players) fields >> p;
  if (fields >> extra) return false;
  int64_t run = 0;
  if (!parseCount(count, kMostTicksInOneRun, &run) || run == 0) return false;
  TickInput input{};
  for (int p = 0; p < kRecordedPlayers; ++p)
    if (!parsePlayerInput(players[p], &input.held[p], &input.pressed[p])) return false;
  ticks->insert(ticks->end(), static_cast<size_t>(run), input);
  return true;
}

struct Reader {
  std::istringstream lines;
  int number = 0;
  std::string line;
  bool next() {
    ++number;
    return static_cast<bool>(std::getline(lines, line));
  }
  bool fail(std::string* error, const std::string& what) const {
    *error = "line " + std::to_string(number) + ": " + what;
    return false;
  }
};

}  // namespace

std::string firstChangedContent(const Recording& recording, const std::string& folder) {
  for (const ContentFingerprint& f : recording.content)
    if (fileDigest(folder + "/" + f.path) != f.digest) return f.path;
  return "";
}

std::string formatRecording(const Recording& r) {
  std::string text = std::string(kMagic) + " " + std::to_string(kRecordingFormatVersion) + "\n";
  text += "world " + r.world + "\nstage " + r.stage + "\nseed " + std::to_string(r.seed) + "\n";
  if (!r.rules.empty()) text += "rules " + r.rules + "\n";
  for (const ContentFingerprint& f : r.content) text += "content " + f.digest + " " + f.path + "\n";
  text += "ticks " + std::to_string(r.ticks.size()) + "\n";
  for (size_t t = 0; t < r.ticks.size();) {
    size_t run = 1;
    while (t + run < r.ticks.size() && r.ticks[t + run] == r.ticks[t]) ++run;
    text += std::to_string(run);
    for (int p = 0; p < kRecordedPlayers; ++p)
      text += " " + formatPlayerInput(r.ticks[t].held[p], r.ticks[t].pressed[p]);
    text += "\n";
    t += run;
  }
  return text + "end\n";
}

bool parseRecording(const std::string& text, Recording* r, std::string* error) {
  *r = Recording{};
  Reader in;
  in.lines.str(text);
  std::string rest;
  int64_t number = 0;
  if (!in.next() || !splitTwo(in.line, kMagic, &rest)) return in.fail(error, "not a brawler recording");
  if (rest != std::to_string(kRecordingFormatVersion))
    return in.fail(error, "format version " + rest + ", this program reads version " +
                              std::to_string(kRecordingFormatVersion));
  if (!in.next() || !splitTwo(in.line, "world", &r->world)) return in.fail(error, "expected \"world NAME\"");
  if (!in.next() || !splitTwo(in.line, "stage", &r->stage)) return in.fail(error, "expected \"stage NAME\"");
  if (!in.next() || !splitTwo(in.line, "seed", &rest) || !parseCount(rest, UINT32_MAX, &number))
    return in.fail(error, "expected \"seed NUMBER\"");
  r->seed = static_cast<uint32_t>(number);
  bool more = in.next();
  if (more && splitTwo(in.line, "rules", &r->rules)) {
    if (r->rules != kArcadeRulesName) return in.fail(error, "expected \"rules arcade\"");
    more = in.next();
  }
  for (; more && splitTwo(in.line, "content", &rest); more = in.next()) {
    const size_t space = rest.find(' ');
    if (space == std::string::npos || space + 1 == rest.size())
      return in.fail(error, "expected \"content DIGEST PATH\"");
    r->content.push_back({rest.substr(space + 1), rest.substr(0, space)});
  }
  int64_t expected = 0;
  if (!splitTwo(in.line, "ticks", &rest) || !parseCount(rest, kMostTicksInOneRun, &expected))
    return in.fail(error, "expected \"ticks COUNT\"");
  for (;;) {
    if (!in.next()) return in.fail(error, "the recording ends without \"end\"");
    if (in.line == "end") break;
    if (!parseTickLine(in.line, &r->ticks) || static_cast<long>(r->ticks.size()) > expected)
      return in.fail(error, "malformed tick line \"" + in.line + "\"");
  }
  if (static_cast<long>(r->ticks.size()) != expected)
    return in.fail(error, "the tick lines hold " + std::to_string(r->ticks.size()) + " ticks, the header says " +
                              std::to_string(expected));
  if (in.next()) return in.fail(error, "text after \"end\"");
  return true;
}

bool loadRecording(const std::string& path, const std::string& folder, Recording* r, std::string* message) {
  std::string text;
  if (!readWholeFile(path, &text)) {
    *message = "cannot read " + path;
    return false;
  }
  std::string error;
  if (!parseRecording(text, r, &error)) {
    *message = path + ": " + error;
    return false;
  }
  const std::string changed = firstChangedContent(*r, folder);
  if (!changed.empty()) {
    *message = path + ": " + changed + " differs from the content it was recorded on";
    return false;
  }
  return true;
}
