// The arcade in a browser page. The page calls the program once per display refresh and the
// arcade's one-frame steps run at the game's pace within those calls. The page's address picks
// what runs: the arcade; with ?replay=NAME the packed recording replays/NAME.replay, shown tick
// for tick; with ?replay=NAME&headless the same recording as fast as the page goes, drawn
// into the null back end as the replay tool's digest does. A replay ends on its digest line,
// the line the replay tool prints at the end of the same recording.
#include <emscripten.h>

#include <cstdio>
#include <string>

#include "arcade/arcade.h"
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
#include "stage_run.h"

namespace {

constexpr const char* kReplayOption = "--replay";
constexpr const char* kHeadlessOption = "--headless";
constexpr const char* kReplayFolder = "replays/";
constexpr const char* kReplayExtension = ".replay";
constexpr int kRefused = 1;
// Headless ticks per call of the page: the page stays responsive between batches.
constexpr int kHeadlessTicksPerCall = 200;

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

// The settings and high scores are the player's files in the page's home folder, which the page
// keeps in the browser's storage: the desktop arcade's own start, high scores included.
void startWebArcade(int argc, char** argv) {
  if (!startArcade(argc, argv)) platformQuit(kRefused);
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
  const std::string option = argc >= 3 ? argv[1] : "";
  if (option == kReplayOption)
    startReplay(argv[2], argc == 4 && std::string(argv[3]) == kHeadlessOption);
  else
    startWebArcade(argc, argv);
  platformRunFrames(frameStep);
}
