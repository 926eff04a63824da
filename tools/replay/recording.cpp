#include "recording.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sstream>

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

uint64_t fnv1a(const void* bytes, size_t count, uint64_t hash) {
  const unsigned char* b = static_cast<const unsigned char*>(bytes);
  for (size_t i = 0; i < count; ++i) {
    hash ^= b[i];
    hash *= 1099511628211ull;
  }
  return hash;
}

std::string hex64(uint64_t value) {
  char text[17];
  std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(value));
  return text;
}

std::string fileDigest(const std::string& path) {
  FILE* file = std::fopen(path.c_str(), "rb");
  if (!file) return "missing";
  uint64_t hash = kFnvStart;
  char buffer[65536];
  size_t got;
  while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) hash = fnv1a(buffer, got, hash);
  std::fclose(file);
  return hex64(hash);
}

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

std::string firstChangedContent(const Recording& recording, const std::string& folder) {
  for (const ContentFingerprint& f : recording.content)
    if (fileDigest(folder + "/" + f.path) != f.digest) return f.path;
  return "";
}

std::string formatRecording(const Recording& r) {
  std::string text = std::string(kMagic) + " " + std::to_string(kRecordingFormatVersion) + "\n";
  text += "world " + r.world + "\nstage " + r.stage + "\nseed " + std::to_string(r.seed) + "\n";
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
  while (in.next() && splitTwo(in.line, "content", &rest)) {
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

namespace {
std::string temporaryBeside(const std::string& path) { return path + ".partial-" + std::to_string(getpid()); }
}  // namespace

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

bool writeFileAtomically(const std::string& path, const std::string& text, std::string* error) {
  const std::string temporary = temporaryBeside(path);
  FILE* file = std::fopen(temporary.c_str(), "wb");
  if (!file) {
    *error = "cannot write " + temporary + ": " + std::strerror(errno);
    return false;
  }
  const bool written = std::fwrite(text.data(), 1, text.size(), file) == text.size();
  const bool flushed = std::fflush(file) == 0 && fsync(fileno(file)) == 0;
  const bool closed = std::fclose(file) == 0;
  if (!written || !flushed || !closed || std::rename(temporary.c_str(), path.c_str()) != 0) {
    *error = "cannot write " + path + ": " + std::strerror(errno);
    std::remove(temporary.c_str());
    return false;
  }
  return true;
}
