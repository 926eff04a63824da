// The arcade in a browser page. The page calls the program once per display refresh and the
// arcade's one-frame steps run at the game's pace within those calls. The page's address picks
// what runs: the arcade; with ?replay=NAME the packed recording replays/NAME.replay, shown tick
// for tick; with ?replay=NAME&headless the same recording as fast as the page goes, drawn
// into the null back end as the replay tool's digest does. A replay ends on its digest line,
// the line the replay tool prints at the end of the same recording.
//
// Online, the page reaches its lobby by WebSocket: the page's own host unless ?lobby=HOST:PORT
// names another, and ?join=CODE or ?watch=CODE go straight to that room. For the tests,
// ?netplay=NAME plays one side of a room headless with the recording NAME's controls as the
// replay tool's netplay does (hosting it, or with &join=CODE joining it; &watch=CODE watches a
// room's fight instead), and ends on the same end line.
#include <emscripten.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "arcade/arcade.h"
#include "arcade/arcade_online.h"
#include "arcade/high_scores.h"
#include "platform/null_platform.h"
#include "platform/platform.h"
#include "screens/screens.h"
#include "shell/game_start.h"
#include "shell/host_frames.h"
#include "shell/bindings.h"
#include "shell/window.h"
#include "sim/entity.h"
#include "sim/recording.h"
#include "netplay.h"
#include "stage_run.h"

namespace {

constexpr const char* kReplayFolder = "replays/";
constexpr const char* kReplayExtension = ".replay";
constexpr int kRefused = 1;
// Headless ticks per call of the page: the page stays responsive between batches.
constexpr int kHeadlessTicksPerCall = 200;
// A netplay's steps per call of the page: each runs a tick when one is due, so a late call
// catches up.
constexpr int kNetplayStepsPerCall = 4;

// What the page's address asked for (index.html turns it into these switches); the rest of the
// switches are the arcade's own.
struct PageRequest {
  std::string replay;   // --replay NAME
  bool headless = false;  // --headless
  std::string netplay;  // --netplay NAME: the test-only side of a room
  std::string join;     // --join CODE
  std::string watch;    // --watch CODE
  std::string lobby;    // --lobby HOST[:PORT]
  std::string lobbyScheme;    // --lobby-scheme ws:// or wss://, as the page was served
  std::string lobbyFallback;  // --lobby-fallback HOST: the page's own host
  std::string latencyMs;      // --latency MS: held on this side's packets (a netplay's far line)
  std::string ticks;          // --ticks N: a hosted netplay's length, when not the whole recording
};

struct PageSwitch {
  const char* name;
  std::string PageRequest::*field;
};
constexpr PageSwitch kPageSwitches[] = {
    {"--replay", &PageRequest::replay},
    {"--netplay", &PageRequest::netplay},
    {"--join", &PageRequest::join},
    {"--watch", &PageRequest::watch},
    {"--lobby", &PageRequest::lobby},
    {"--lobby-scheme", &PageRequest::lobbyScheme},
    {"--lobby-fallback", &PageRequest::lobbyFallback},
    {"--latency", &PageRequest::latencyMs},
    {"--ticks", &PageRequest::ticks},
};

// Takes the page's switches out of argv; the arcade's stay in `rest`.
PageRequest readPageSwitches(int argc, char** argv, std::vector<char*>* rest) {
  PageRequest request;
  rest->push_back(argv[0]);
  for (int a = 1; a < argc; ++a) {
    const PageSwitch* known = nullptr;
    for (const PageSwitch& s : kPageSwitches)
      if (std::strcmp(argv[a], s.name) == 0) known = &s;
    if (std::strcmp(argv[a], "--headless") == 0)
      request.headless = true;
    else if (known != nullptr && a + 1 < argc)
      request.*(known->field) = argv[++a];
    else
      rest->push_back(argv[a]);
  }
  onlineLobbyScheme = request.lobbyScheme;
  onlineLobbyFallback = onlineLobbyAddress(request.lobbyFallback);
  return request;
}

void (*frameStep)() = nullptr;
bool (*tickStep)() = nullptr;

Recording replay;
size_t replayNext = 0;

bool replayEnded() {
  if (replayNext < replay.ticks.size()) return false;
  printDigest("end", replay.ticks.size());
  return true;
}

bool shownReplayTick() {
  if (replayEnded()) return false;
  showRecordedTick(replay.ticks[replayNext++]);
  return true;
}

void headlessReplayFrame() {
  for (int t = 0; t < kHeadlessTicksPerCall; ++t) {
    if (replayEnded()) platformQuit(0);
    headlessTick(replay.ticks[replayNext++]);
  }
}

void pacedFrame() {
  if (runDueTicks(&hostPace, tickStep) < 0) endProgram();
}

void startReplay(const std::string& name, bool headless) {
  std::string message;
  if (!loadRecording(kReplayFolder + name + kReplayExtension, ".", &replay, &message)) {
    std::printf("replay refused: %s\n", message.c_str());
    platformQuit(kRefused);
  }
  useNullPlatform(headless);
  startRecordedStage(replay.seed, replay.world, replay.stage);
  std::printf("replay: %s/%s, %zu ticks\n", replay.world.c_str(), replay.stage.c_str(), replay.ticks.size());
  tickStep = shownReplayTick;
  frameStep = headless ? headlessReplayFrame : pacedFrame;
}

void netplayFrame() {
  int status = 0;
  for (int s = 0; s < kNetplayStepsPerCall; ++s)
    if (!netplayStep(&status)) platformQuit(status);
}

// One side of a room as the replay tool's netplay plays it, the lobby's address made whole.
void startNetplay(const PageRequest& request) {
  std::vector<std::string> args = {"--lobby", onlineLobbyAddress(request.lobby)};
  if (!request.watch.empty()) {
    args.insert(args.end(), {"--watch", request.watch});
  } else {
    args.insert(args.end(), {"--inputs", kReplayFolder + request.netplay + kReplayExtension});
    if (request.join.empty())
      args.push_back("--host-room");
    else
      args.insert(args.end(), {"--join-room", request.join});
  }
  if (!request.latencyMs.empty()) args.insert(args.end(), {"--latency", request.latencyMs});
  if (!request.ticks.empty()) args.insert(args.end(), {"--ticks", request.ticks});
  int status = 0;
  if (!netplayStart(args, &status)) platformQuit(status);
  frameStep = netplayFrame;
}

// The settings and high scores are the player's files in the page's home folder, which the page
// keeps in the browser's storage: the desktop arcade's own start, high scores included. The
// ONLINE screens reach their lobby through the browser's WebSocket; a shared link goes
// straight to its room.
void startWebArcade(const PageRequest& request, int argc, char** argv) {
  offerOnlineScreens();
  if (!request.lobby.empty()) onlineLobby = onlineLobbyAddress(request.lobby);
  if (!startArcade(argc, argv)) platformQuit(kRefused);
  if (!request.join.empty())
    enterRoomByCode(kRoomAsJoiner, request.join);
  else if (!request.watch.empty())
    enterRoomByCode(kRoomAsWatcher, request.watch);
  else
    enterArcadeScreen(kArcadeTitle);
  tickStep = arcadeFrame;
  frameStep = pacedFrame;
}

}  // namespace

// For the page's tests: where player p stands on the stage (its x), 0 for a player not there.
extern "C" EMSCRIPTEN_KEEPALIVE int pagePlayerX(int p) {
  return p >= 0 && p < kBoundPlayers ? static_cast<int>(entities[p].x) : 0;
}

// For the page's tests: where the stage stands (an ArcadePhase: playing, paused...).
extern "C" EMSCRIPTEN_KEEPALIVE int pageArcadePhase() { return arcade.phase; }

// For the page's tests: a run of `score` points named TST, entered and saved the way the
// initials screen ends a run (a real run to a high score takes minutes in a software renderer).
extern "C" EMSCRIPTEN_KEEPALIVE void pageTestHighScore(int score) {
  insertHighScore(&highScores, HighScore{score, "TST", "world1/stage1", "kestor", 0});
  saveHighScores();
}

int main(int argc, char** argv) {
  // From the first frame on, loading screens included: a page that waited would freeze.
  framePacedByHost = 1;
  std::vector<char*> rest;
  const PageRequest request = readPageSwitches(argc, argv, &rest);
  if (!request.replay.empty())
    startReplay(request.replay, request.headless);
  else if (!request.netplay.empty())
    startNetplay(request);
  else
    startWebArcade(request, static_cast<int>(rest.size()), rest.data());
  platformRunFrames(frameStep);
}
