// brawler-replay: records a stage as the game plays it, and plays the recording back exactly.
//   brawler-replay record FILE [WORLD STAGE]
//   brawler-replay play FILE [--headless]
//   brawler-replay digest FILE [--every N]
//   brawler-replay restamp FILE
//   brawler-replay synctest FILE [--rollback N]
//   brawler-replay pilot FILE WORLD STAGE TICKS [--arcade | --show MOVE]
//   brawler-replay netplay --host [ADDRESS:]PORT | --join HOST[:PORT] --inputs FILE [...]
//   brawler-replay netplay --lobby HOST[:PORT] --host-room | --join-room CODE --inputs FILE [...]
//   brawler-replay netplay --lobby HOST[:PORT] --watch CODE [--out FILE]
//   brawler-replay session FILE...
//   brawler-replay --version
// Each takes --data DIR too; without it the content is found as the game finds it.
#include <chrono>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "base/content_folder.h"
#include "base/whole_file.h"
#include "content/pack_layout.h"
#include "platform/null_platform.h"
#include "platform/platform.h"
#include "shell/input.h"
#include "shell/play_loop.h"
#include "shell/program_start.h"
#include "shell/window.h"
#include "sim/recording.h"
#include "sim/tick_input.h"
#include "netplay.h"
#include "pilot.h"
#include "sim/game_state.h"
#include "session_replay.h"
#include "stage_run.h"
#include "sync_test.h"

namespace {

constexpr int kRefused = 1;
constexpr long kTicksAfterTheMove = 60;  // a shown move's fight ends a second after it

const char* const kUsage =
    "usage: brawler-replay record FILE [WORLD STAGE]\n"
    "       brawler-replay play FILE [--headless]\n"
    "       brawler-replay digest FILE [--every N]\n"
    "       brawler-replay restamp FILE\n"
    "       brawler-replay synctest FILE [--rollback N]\n"
    "       brawler-replay pilot FILE WORLD STAGE TICKS [--arcade | --show MOVE]\n"
    "       brawler-replay netplay --host [ADDRESS:]PORT | --join HOST[:PORT] --inputs FILE\n"
    "                [--delay N] [--latency MS] [--jitter MS] [--loss PERCENT] [--ticks N] [--out FILE]\n"
    "       brawler-replay netplay --lobby HOST[:PORT] --host-room | --join-room CODE --inputs FILE\n"
    "                [--relay] [...as above]\n"
    "       brawler-replay netplay --lobby HOST[:PORT] --watch CODE [--out FILE]\n"
    "       brawler-replay session FILE...\n"
    "       brawler-replay --version\n"
    "Every command takes --data DIR, the content pack (when left out: $BRAWLER_DATA, the\n"
    "installed pack, then the current folder). record plays WORLD/STAGE (world1 stage3 when left out) in the\n"
    "window and writes FILE when Escape is held; play shows FILE again at the game's pace, or\n"
    "with --headless as fast as the machine allows; digest replays headless and prints a\n"
    "fingerprint of the world every N ticks and at the end; restamp takes FILE's content\n"
    "fingerprints anew from the folder, keeping its controls (after an intended change);\n"
    "synctest replays headless, and after every tick goes back N ticks (1 to 16, 8 when left\n"
    "out) and runs them again: the world must come out the same, else it names the tick and\n"
    "the first field that differs and exits with status 1.\n"
    "pilot records TICKS ticks of WORLD/STAGE headless with both players played by the program\n"
    "(the arcade's attract fights); --arcade plays it under the arcade's rules, player 1 with\n"
    "the genre's moves (grabs, throws, the special, food and weapons). --show MOVE (grab, knees,\n"
    "throw, food, pipe, knife, special, breakfree) plays under the arcade's rules too, with player 1\n"
    "going straight for that one move, and ends a second after the move has happened (TICKS at\n"
    "most); when the move never happened it says so, keeping the fight to be looked at.\n"
    "netplay plays FILE's stage online against another netplay, headless at the game's pace: the\n"
    "host with FILE's player 1 controls, the joiner with its player 2 controls; the host's seed,\n"
    "stage and length (--ticks) hold for both. --latency, --jitter and --loss act on this side's\n"
    "outgoing packets. It prints the end line as digest does and writes both players' confirmed\n"
    "controls to --out. With --lobby the two meet by a room code: --host-room prints it, --join-room\n"
    "gives it; they play directly where their routers let them (else through the lobby's relay, or\n"
    "always with --relay). --watch CODE watches a room's fight from the start, about 2 s behind.\n"
    "session runs an online arcade session's controls again (netplay-host.replay or\n"
    "netplay-joiner.replay, as a DESYNC writes them) and holds the fingerprints against the ones\n"
    "that side wrote beside it (.checks): it names the first check where that side went its own\n"
    "way, and exits with status 1 when one did.\n";

int refuse(const std::string& message) {
  std::fprintf(stderr, "brawler-replay: %s\n", message.c_str());
  return kRefused;
}

uint32_t seedFromClock() {
  const auto now = std::chrono::system_clock::now().time_since_epoch();
  return static_cast<uint32_t>(std::chrono::duration_cast<std::chrono::seconds>(now).count());
}

void drawAndShowFrame() {
  drawStageFrame();
  presentFrame();
}

// ---- record ---------------------------------------------------------------------------------

Recording recording;
std::string recordingPath;

[[noreturn]] void finishRecording() {
  fingerprintContentUsed(&recording);
  std::string error;
  const bool saved = writeFileAtomically(recordingPath, formatRecording(recording), &error);
  if (!saved) {
    std::fprintf(stderr, "brawler-replay: %s\n", error.c_str());
    platformQuit(kRefused);
  }
  std::printf("recorded %zu ticks of %s/%s to %s\n", recording.ticks.size(), recording.world.c_str(),
              recording.stage.c_str(), recordingPath.c_str());
  // The same line that digest prints at the end of the replay: the two must agree.
  printDigest("end", recording.ticks.size());
  platformQuit(0);
}

int record(const std::vector<std::string>& args) {
  if (args.size() != 1 && args.size() != 3) return refuse("record takes FILE [WORLD STAGE]");
  recordingPath = args[0];
  std::string error;
  if (!canWriteAtomically(recordingPath, &error)) return refuse(error);
  recording.world = args.size() == 3 ? args[1] : kStartWorld;
  recording.stage = args.size() == 3 ? args[2] : kStartStage;
  recording.seed = seedFromClock();
  startRecordedStage(recording.seed, recording.world, recording.stage);
  for (;;) {
    pollInput();
    buildPlayerCommands();
    // Taken here rather than in the player step, where the game would end without a word.
    if (playerCommands[0].escapeHeld == 1) finishRecording();
    recording.ticks.push_back(captureTickInput());
    simulateTick();
    drawAndShowFrame();
  }
}

// ---- play and digest ------------------------------------------------------------------------

int play(const std::vector<std::string>& args) {
  const bool headless = args.size() == 2 && args[1] == "--headless";
  if (args.size() != 1 && !headless) return refuse("play takes FILE [--headless]");
  Recording r;
  std::string message;
  if (!loadRecording(args[0], ".", &r, &message)) return refuse(message);
  useNullPlatform(headless);
  useRecordedRules(r);
  startRecordedStage(r.seed, r.world, r.stage);
  const auto start = std::chrono::steady_clock::now();
  for (const TickInput& input : r.ticks) {
    if (headless) {
      headlessTick(input);
      continue;
    }
    showRecordedTick(input);
  }
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  std::printf("replayed %zu ticks in %.3f s (%.0f ticks per second)\n", r.ticks.size(), seconds,
              seconds > 0 ? r.ticks.size() / seconds : 0.0);
  platformShutdown();
  return 0;
}

// FILE with an optional "FLAG N", N a whole number from `least` to `most`, into *r with the
// stage started headless; false with the refusal in *message.
bool startWithCount(const std::vector<std::string>& args, const char* usage, const char* flag,
                    long least, long most, long* count, Recording* r, std::string* message) {
  if (args.size() == 3 && args[1] == flag) {
    char* end = nullptr;
    *count = std::strtol(args[2].c_str(), &end, 10);
    if (*end != '\0' || *count < least || *count > most) {
      const std::string range = most == LONG_MAX ? "above " + std::to_string(least - 1)
                                                 : "from " + std::to_string(least) + " to " + std::to_string(most);
      *message = std::string(flag) + " takes a whole number of ticks " + range;
      return false;
    }
  } else if (args.size() != 1) {
    *message = usage;
    return false;
  }
  if (!loadRecording(args[0], ".", r, message)) return false;
  useNullPlatform(true);
  useRecordedRules(*r);
  startRecordedStage(r->seed, r->world, r->stage);
  return true;
}

int digest(const std::vector<std::string>& args) {
  long every = 0;
  Recording r;
  std::string message;
  if (!startWithCount(args, "digest takes FILE [--every N]", "--every", 1, LONG_MAX, &every, &r, &message))
    return refuse(message);
  for (size_t t = 0; t < r.ticks.size(); ++t) {
    headlessTick(r.ticks[t]);
    if (every > 0 && (t + 1) % static_cast<size_t>(every) == 0) printDigest("tick", t + 1);
  }
  printDigest("end", r.ticks.size());
  return 0;
}

// Rewrites FILE's content fingerprints from the folder as it is now, keeping its stage, seed
// and controls: after an intended change of content, the same fight on the new content.
int restamp(const std::vector<std::string>& args) {
  if (args.size() != 1) return refuse("restamp takes FILE");
  std::string text, error;
  Recording r;
  if (!readWholeFile(args[0], &text)) return refuse("cannot read " + args[0]);
  if (!parseRecording(text, &r, &error)) return refuse(args[0] + ": " + error);
  useNullPlatform(true);
  useRecordedRules(r);
  startRecordedStage(r.seed, r.world, r.stage);
  for (const TickInput& input : r.ticks) headlessTick(input);
  r.content.clear();
  fingerprintContentUsed(&r);
  if (!writeFileAtomically(args[0], formatRecording(r), &error)) return refuse(error);
  return 0;
}

int synctest(const std::vector<std::string>& args) {
  long rollback = kDefaultRollbackTicks;
  Recording r;
  std::string message;
  if (!startWithCount(args, "synctest takes FILE [--rollback N]", "--rollback", kFewestRollbackTicks,
                      kMostRollbackTicks, &rollback, &r, &message))
    return refuse(message);
  const auto start = std::chrono::steady_clock::now();
  const SyncResult result = runSyncTest(r.ticks, static_cast<int>(rollback));
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  if (!result.same) {
    std::printf("tick %zu: %s differs after going back %ld ticks\n", result.tick, result.field.c_str(), rollback);
    return kRefused;
  }
  std::printf("synctest %zu ticks, going back %ld after each: the same world every time (%.0f recorded ticks per second)\n",
              result.tick, rollback, seconds > 0 ? result.tick / seconds : 0.0);
  return 0;
}

// A fight with nobody at the keys: the pilot plays both players headless, and the controls it
// chose are kept as a recording like any other.
int pilotCommand(const std::vector<std::string>& args) {
  const bool showing = args.size() == 6 && args[4] == "--show";
  const int show = showing ? pilotShowNamed(args[5]) : kShowWholeFight;
  const bool arcadeRules = (args.size() == 5 && args[4] == "--arcade") || showing;
  if ((args.size() != 4 && !arcadeRules) || show < 0)
    return refuse("pilot takes FILE WORLD STAGE TICKS [--arcade | --show grab|knees|throw|food|pipe|knife|special|breakfree]");
  char* end = nullptr;
  const long ticks = std::strtol(args[3].c_str(), &end, 10);
  if (*end != '\0' || ticks <= 0) return refuse("TICKS must be a whole number above 0");
  std::string error;
  if (!canWriteAtomically(args[0], &error)) return refuse(error);
  Recording r;
  r.world = args[1];
  r.stage = args[2];
  r.seed = static_cast<uint32_t>(ticks);  // fixed, so that the same command makes the same fight
  if (arcadeRules) r.rules = kArcadeRulesName;
  useNullPlatform(true);
  useRecordedRules(r);
  startRecordedStage(r.seed, r.world, r.stage);
  resetPilot(arcadeRules, show);
  long shownAt = -1;
  for (long t = 0; t < ticks && (shownAt < 0 || t < shownAt + kTicksAfterTheMove); ++t) {
    r.ticks.push_back(pilotTick());
    headlessTick(r.ticks.back());
    if (showing && shownAt < 0 && pilotShowDone()) shownAt = t;
  }
  fingerprintContentUsed(&r);
  if (!writeFileAtomically(args[0], formatRecording(r), &error)) return refuse(error);
  printDigest("end", r.ticks.size());
  // Kept all the same, to be replayed and looked at.
  if (showing && shownAt < 0) return refuse(args[5] + " never happened in " + args[3] + " ticks of " + r.stage);
  return 0;
}

struct Command {
  const char* name;
  int (*run)(const std::vector<std::string>& args);
};
constexpr Command kCommands[] = {
    {"record", record},
    {"play", play},
    {"digest", digest},
    {"restamp", restamp},
    {"synctest", synctest},
    {"pilot", pilotCommand},
    {"netplay", netplay},
    {"session", sessionReplay},
};

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2 || std::strcmp(argv[1], "--help") == 0) {
    std::fputs(kUsage, argc < 2 ? stderr : stdout);
    return argc < 2 ? kRefused : 0;
  }
  const int started = startProgram("brawler-replay", kOnlineProgram, &argc, argv);
  if (started != kStartedProgram) return started;
  if (argc < 2) return refuse("--data alone names no command; try --help");
  std::vector<std::string> args(argv + 2, argv + argc);
  // The files named are meant from where the program was started: every command but netplay
  // and session names its recording first, netplay names its files after two of its switches,
  // session names nothing but files.
  const bool netplayCommand = std::strcmp(argv[1], "netplay") == 0;
  const bool sessionCommand = std::strcmp(argv[1], "session") == 0;
  for (size_t i = 0; i < args.size(); ++i) {
    const bool file = netplayCommand ? i > 0 && (args[i - 1] == "--inputs" || args[i - 1] == "--out")
                                     : sessionCommand || i == 0;
    if (file) args[i] = startedPath(args[i]);
  }
  for (const Command& c : kCommands)
    if (std::strcmp(argv[1], c.name) == 0) return args.empty() ? refuse(std::string(c.name) + " needs FILE") : c.run(args);
  return refuse(std::string("no command \"") + argv[1] + "\"; try --help");
}
