// A long online fight, both sides on this machine over loopback, headless: a bad line (latency,
// jitter and loss on each side's outgoing packets), both players on random controls that
// change often enough to make the guesses go wrong. Each side is a forked copy of this program
// running `brawler-replay netplay`'s loop; this one watches their memory.
//
//   brawler-net-soak CONTENT_DIR [MINUTES] [LATENCY_MS JITTER_MS LOSS_PERCENT]
//
// Defaults: 30 minutes at 60 ms, 20 ms of jitter and 5 % loss each way. The exit status is 0
// only when both sides played every tick, ended on the same world, compared fingerprints all
// the way, and neither side's resident memory grew after the first minute beyond allocator
// slack. Both sides' closing counts (rollbacks, waits, bytes) are printed at the end.
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "net/rollback.h"
#include "netplay.h"
#include "sim/recording.h"
#include "soak_report.h"

namespace {

constexpr auto kSampleEvery = std::chrono::seconds(5);
// The session needs a moment past its ticks to say goodbye; past this it is stuck.
constexpr auto kGraceAfterEnd = std::chrono::minutes(2);
// Each player's controls change on average this often: a pressed key now and then, held runs.
constexpr uint32_t kChangeOneIn = 12;
constexpr uint8_t kActionBits = 0x7f;

// The controls: a fixed sequence of a small generator, so a run can be repeated.
struct Generator {
  uint64_t state;
  uint32_t next() {
    state = state * 6364136223846793005ull + 1442695040888963407ull;
    return static_cast<uint32_t>(state >> 33);
  }
};

Recording randomFight(long ticks, uint32_t seed) {
  Recording r;
  r.world = "world1";
  r.stage = "stage1";
  r.seed = seed;
  Generator g{seed};
  uint8_t held[kRecordedPlayers] = {};
  for (long t = 0; t < ticks; ++t) {
    TickInput input{};
    for (int p = 0; p < kRecordedPlayers; ++p) {
      if (g.next() % kChangeOneIn == 0) {
        const uint8_t now = static_cast<uint8_t>(g.next() & kActionBits);
        input.pressed[p] = static_cast<uint8_t>(now & ~held[p]);
        held[p] = now;
      }
      input.held[p] = held[p];
    }
    r.ticks.push_back(input);
  }
  return r;
}

std::string readAll(const std::string& path) {
  std::ifstream in(path);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

// The line of `text` that starts with `prefix`, "" when none does.
std::string lineStarting(const std::string& text, const std::string& prefix) {
  std::istringstream lines(text);
  for (std::string line; std::getline(lines, line);)
    if (line.compare(0, prefix.size(), prefix) == 0) return line;
  return "";
}

// One side: a forked copy running the netplay loop, its output into `outPath`.
int startSide(const std::string& outPath, const std::vector<std::string>& args) {
  std::fflush(stdout);
  const int pid = fork();
  if (pid != 0) return pid;
  if (!std::freopen(outPath.c_str(), "w", stdout)) _exit(3);
  setvbuf(stdout, nullptr, _IOLBF, 0);
  const int status = netplay(args);
  std::fflush(stdout);
  _exit(status);
}

struct Side {
  const char* name;
  int pid = -1;
  std::string outPath;
  long afterMinuteKiB = 0, peakKiB = 0, endKiB = 0;
  int status = -1;
};

void sample(Side& side, bool firstMinuteOver, bool* minuteTaken) {
  const long kib = residentKiB(side.pid);
  if (kib == 0) return;  // gone already
  side.endKiB = kib;
  if (firstMinuteOver && !*minuteTaken) side.afterMinuteKiB = kib;
  if (firstMinuteOver && kib > side.peakKiB) side.peakKiB = kib;
}

}  // namespace

int main(int argc, char** argv) {
  if (!enterContentFolder(argc, argv,
                          "usage: brawler-net-soak CONTENT_DIR [MINUTES] [LATENCY_MS JITTER_MS LOSS_PERCENT]\n"))
    return 2;
  const long minutes = argc > 2 ? std::atol(argv[2]) : 30;
  const std::string latency = argc > 5 ? argv[3] : "60";
  const std::string jitter = argc > 5 ? argv[4] : "20";
  const std::string loss = argc > 5 ? argv[5] : "5";
  const long ticks = minutes * kTicksPerMinute;

  std::string folderName = (std::filesystem::temp_directory_path() / "brawler-net-soak-XXXXXX").string();
  if (!mkdtemp(folderName.data())) {
    std::perror("mkdtemp");
    return 2;
  }
  const std::string folder = folderName;
  const std::string inputs = folder + "/fight.replay";
  std::ofstream(inputs) << formatRecording(randomFight(ticks, 20261208));

  const std::vector<std::string> line = {"--latency", latency, "--jitter", jitter, "--loss", loss};
  Side host{"host"}, joiner{"joiner"};
  host.outPath = folder + "/host.txt";
  joiner.outPath = folder + "/joiner.txt";
  std::vector<std::string> hostArgs = {"--host", "127.0.0.1:0", "--inputs", inputs, "--out", folder + "/host.replay"};
  hostArgs.insert(hostArgs.end(), line.begin(), line.end());
  host.pid = startSide(host.outPath, hostArgs);
  std::string port;
  for (int tries = 0; tries < 100 && port.empty(); ++tries) {
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    const std::string hosting = lineStarting(readAll(host.outPath), "netplay hosting on port ");
    if (!hosting.empty()) port = hosting.substr(hosting.rfind(' ') + 1);
  }
  if (port.empty()) {
    std::fprintf(stderr, "net soak: the host never said its port\n");
    kill(host.pid, SIGKILL);
    return 1;
  }
  std::vector<std::string> joinArgs = {"--join", "127.0.0.1:" + port, "--inputs", inputs, "--out", folder + "/joiner.replay"};
  joinArgs.insert(joinArgs.end(), line.begin(), line.end());
  joiner.pid = startSide(joiner.outPath, joinArgs);
  std::fprintf(stderr, "net soak: %ld minutes (%ld ticks) at %s ms, %s ms jitter, %s %% loss; files in %s\n", minutes,
               ticks, latency.c_str(), jitter.c_str(), loss.c_str(), folder.c_str());

  const auto start = std::chrono::steady_clock::now();
  const auto deadline = start + std::chrono::minutes(minutes) + kGraceAfterEnd;
  bool minuteTaken = false;
  int running = 2;
  long samples = 0;
  while (running > 0) {
    std::this_thread::sleep_for(kSampleEvery);
    const bool firstMinuteOver = std::chrono::steady_clock::now() - start >= std::chrono::minutes(1);
    for (Side* side : {&host, &joiner})
      if (side->status < 0) sample(*side, firstMinuteOver, &minuteTaken);
    if (firstMinuteOver) minuteTaken = true;
    if (++samples % 60 == 0)
      std::fprintf(stderr, "net soak: %ld s, resident host %ld KiB, joiner %ld KiB\n", samples * 5, host.endKiB,
                   joiner.endKiB);
    for (Side* side : {&host, &joiner}) {
      int status = 0;
      if (side->status < 0 && waitpid(side->pid, &status, WNOHANG) == side->pid) {
        side->status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
        --running;
      }
    }
    if (std::chrono::steady_clock::now() > deadline) {
      for (Side* side : {&host, &joiner})
        if (side->status < 0) kill(side->pid, SIGKILL);
    }
  }

  SoakVerdict verdict{"net soak"};
  std::string ends[2];
  int i = 0;
  for (Side* side : {&host, &joiner}) {
    const std::string out = readAll(side->outPath);
    std::printf("--- %s (exit %d): resident after the first minute %ld KiB, peak %ld KiB, last %ld KiB\n%s", side->name,
                side->status, side->afterMinuteKiB, side->peakKiB, side->endKiB, out.c_str());
    verdict.require(side->status == 0, std::string(side->name) + " did not finish the fight");
    verdict.require(side->peakKiB <= side->afterMinuteKiB + kFlatMarginKiB,
            std::string(side->name) + "'s memory grew after the first minute");
    ends[i++] = lineStarting(out, "end ");
    // Every fingerprint due was compared: a minute's worth missing means the checks stopped.
    const std::string sent = lineStarting(out, "netplay sent ");
    const long checks = sent.empty() ? 0 : std::atol(sent.substr(sent.rfind(' ') + 1).c_str());
    verdict.require(checks >= ticks / kCheckEvery - kTicksPerMinute / kCheckEvery,
            std::string(side->name) + " compared only " + std::to_string(checks) + " fingerprints");
  }
  verdict.require(!ends[0].empty() && ends[0] == ends[1], "the two sides ended on different worlds");
  std::printf("net soak: %s\n", verdict.ok ? "passed" : "FAILED");
  return verdict.ok ? 0 : 1;
}
