// The arcade's flow: which screen runs, and the change from one screen to the next.
#include <cstdio>

#include "arcade/arcade.h"
#include "arcade/high_scores.h"
#include "base/content_folder.h"
#include "base/player_files.h"
#include "platform/platform.h"
#include "screens/screens.h"
#include "shell/game_start.h"
#include "shell/input.h"
#include "shell/screen_state.h"
#include "shell/settings.h"
#include "sim/game_state.h"

ArcadeState arcade;

namespace {

constexpr const char* kScoresFileName = "scores.txt";
const char* const kUsage =
    "usage: brawler-arcade [--data DIR] [--settings FILE] [--scores FILE] [--host [PORT] | --join HOST[:PORT]]\n"
    "                      [--delay 0..4] [--lobby HOST[:PORT]]\n"
    "       brawler-arcade --version\n"
    "--data DIR plays the content pack in DIR (when left out: $BRAWLER_DATA, the installed pack,\n"
    "then the current folder);\n"
    "--settings FILE keeps the controls, the window and the volumes (%s when left out);\n"
    "--scores FILE keeps the high scores (%s when left out);\n"
    "--host waits for another machine to join (on UDP port 7707 unless given), --join plays on\n"
    "theirs, --delay sets the ticks this side's controls wait (2 unless given);\n"
    "--lobby names the lobby that ONLINE meets others through (the settings' lobby line otherwise).\n";

// A switch that names a file the player owns, and where the name goes.
struct ArcadeSwitch {
  const char* name;
  std::string* file;
};

std::string shownPath(const std::string& path) { return path.empty() ? "not kept" : path; }

// Where the high scores are kept: from the switches, read by the program's start.
std::string scoresPath;

struct ArcadeScreenSteps {
  int32_t screen;
  std::string (*entry)();
  bool (*frame)();
};
// The online screens' rows are filled by offerArcadeScreen where the build can go online.
ArcadeScreenSteps kScreenSteps[] = {
    {kArcadeTitle, titleEntry, titleFrame},
    {kArcadeSelect, selectEntry, selectFrame},
    {kArcadeMap, mapEntry, mapFrame},
    {kArcadeStage, stageEntry, stageFrame},
    {kArcadeEnd, endEntry, endFrame},
    {kArcadeOptions, optionsEntry, optionsScreenFrame},
    {kArcadeInitials, initialsEntry, initialsFrame},
    {kArcadeHighScores, highScoresEntry, highScoresFrame},
    {kArcadeDemo, demoEntry, demoFrame},
    {kArcadeOnline, nullptr, nullptr},
    {kArcadeRoomCode, nullptr, nullptr},
    {kArcadeRoom, nullptr, nullptr},
};
static_assert(sizeof kScreenSteps / sizeof kScreenSteps[0] == kArcadeScreens, "a screen without steps");

ArcadeScreenSteps* findSteps(int32_t screen) {
  for (ArcadeScreenSteps& s : kScreenSteps)
    if (s.screen == screen) return &s;
  return nullptr;
}

const ArcadeScreenSteps& stepsOf(int32_t screen) {
  const ArcadeScreenSteps* s = findSteps(screen);
  return s != nullptr && s->entry != nullptr ? *s : kScreenSteps[kArcadeTitle];
}

}  // namespace

void offerArcadeScreen(int32_t screen, std::string (*entry)(), bool (*frame)()) {
  ArcadeScreenSteps* s = findSteps(screen);
  if (s == nullptr) return;
  s->entry = entry;
  s->frame = frame;
}

bool arcadeScreenOffered(int32_t screen) {
  const ArcadeScreenSteps* s = findSteps(screen);
  return s != nullptr && s->entry != nullptr;
}

void enterArcadeScreen(int32_t screen) {
  if (!arcadeScreenOffered(screen)) screen = kArcadeTitle;
  arcade.screen = screen;
  arcade.nextScreen = kArcadeNoScreen;
  const std::string announced = stepsOf(screen).entry();
  std::printf("arcade: %s\n", announced.c_str());
  std::fflush(stdout);
}

void enterArcade() {
  prepareArcade();
  enterArcadeScreen(kArcadeTitle);
}

void prepareArcade() {
  arcade = ArcadeState{};
  arcade.worlds = readWorldList();
  applyArcadeHouseRules(gameRules);
  usePlayerSettings();
  answerTap = answerArcadeTap;
  windowCloseRequested = 0;
  resetAttract();
}

bool runArcadeScreen() { return stepsOf(arcade.screen).frame(); }

bool (*arcadeRunInCharge)() = nullptr;

bool arcadeFrame() {
  if (arcadeRunInCharge != nullptr) {
    if (!arcadeRunInCharge()) arcadeRunInCharge = nullptr;
  } else {
    if (!runArcadeScreen()) return false;
    if (arcade.nextScreen != kArcadeNoScreen) enterArcadeScreen(arcade.nextScreen);
  }
  followWindowRequests();
  return windowCloseRequested == 0;
}

bool readArcadeArguments(int argc, char** argv) {
  settingsPath = defaultSettingsPath();
  scoresPath = playerDataFile(kScoresFileName);
  const ArcadeSwitch switches[] = {{"--settings", &settingsPath}, {"--scores", &scoresPath}};
  for (int a = 1; a < argc; ++a) {
    const ArcadeSwitch* known = nullptr;
    for (const ArcadeSwitch& s : switches)
      if (argv[a] == std::string(s.name) && a + 1 < argc) known = &s;
    if (known == nullptr) {
      std::fprintf(stderr, kUsage, shownPath(defaultSettingsPath()).c_str(),
                   shownPath(playerDataFile(kScoresFileName)).c_str());
      return false;
    }
    *known->file = startedPath(argv[++a]);
  }
  return true;
}

bool startArcade(int argc, char** argv) {
  if (!readArcadeArguments(argc, argv)) return false;
  loadHighScores(scoresPath);
  startUp(monotonicSeconds());
  prepareArcade();
  return true;
}

void runArcade() {
  while (arcadeFrame()) {
  }
  endProgram();
}

int arcadeMain(int argc, char** argv) {
  if (!startArcade(argc, argv)) return kArcadeUsageStatus;
  enterArcadeScreen(kArcadeTitle);
  runArcade();
}
