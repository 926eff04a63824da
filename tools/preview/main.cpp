// brawler-preview [--settings FILE] [--arcade] [SCREEN [STAGE]]
// The game as it starts, but opened on the screen named SCREEN ("Playstage", "Mainmenu",
// "Character Select" or "Overworld"; the stage when left out) and, for the stage screen, on
// stage STAGE of world1 ("stage3" when left out), on the content the game would find.
// The game itself always opens on stage3: this is how the other stages and the front-end
// screens are looked at while making content, and how docs/screenshots is taken.
// With --arcade the stage plays under the arcade's house rules (grabs, items, the special).
// Holding Escape ends it on every screen. On the stage screen the workbench's keys are live
// (see --help).
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "base/content_folder.h"
#include "content/pack_layout.h"
#include "screens/character_select.h"
#include "screens/main_menu.h"
#include "screens/overworld.h"
#include "screens/screens.h"
#include "shell/game_start.h"
#include "shell/input.h"
#include "shell/program_start.h"
#include "shell/screen_state.h"
#include "shell/settings.h"
#include "sim/entity.h"
#include "sim/game_state.h"
#include "workbench.h"

namespace {

constexpr int kUsageStatus = 2;

// Each screen as its entry step and its one-iteration step, which returns false when the
// screen is done (the main menu has faded out).
struct PreviewScreen {
  const char* name;
  void (*enter)();
  bool (*frame)();
};
constexpr PreviewScreen kScreens[] = {
    {kScreenOverworld, enterOverworld, overworldFrame},
    {kScreenCharacterSelect, enterCharacterSelect, characterSelectFrame},
    {kScreenMainMenu, enterMainMenu, mainMenuFrame},
    {kScreenPlaystage, enterWorkbenchStage, workbenchStageFrame},
};

// Where --at puts the players on the stage, -1 for where the game does.
int startX = -1;
constexpr int kSecondPlayerBeside = 60;

void placePlayersAt(int x) {
  entities[0].x = static_cast<int16_t>(x);
  entities[1].x = static_cast<int16_t>(x + kSecondPlayerBeside);
}

const PreviewScreen* screenNamed(const std::string& name) {
  for (const PreviewScreen& s : kScreens)
    if (name == s.name) return &s;
  return nullptr;
}

// The stage and the overworld end on Escape as in the game; the menus have no way out of their
// own, and an author looking at them should never have to kill the process.
void endOnEscape() {
  if (isHeld(kKeyEscape)) endProgram();
}

const char* const kUsage =
    "usage: brawler-preview [--data DIR] [--settings FILE] [--at X] [--arcade] [SCREEN [STAGE]]\n"
    "       brawler-preview --version\n"
    "SCREEN is one of Playstage (the default), Mainmenu, \"Character Select\" and Overworld;\n"
    "STAGE names a stage of world1 (stage3 when left out), or WORLD/STAGE one of another world\n"
    "(world2/stage1; for the Overworld, WORLD/ alone shows that world's map). --at X puts the\n"
    "players at stage x X, to look at a stage's far end. --arcade plays the stage under the\n"
    "arcade's house rules: grabs and throws, food and weapons, the special. DIR is the content\n"
    "pack (when left out, found as the game finds it). Hold Escape to leave it on every screen.\n"
    "F11 or Alt+Return switches fullscreen.\n"
    "FILE keeps the controls, the window and the volumes, as the arcade's (the player's own\n"
    "settings file when left out).\n";

void printHelp() {
  std::printf("%s\nKeys on the stage screen, for looking at what the content does:\n", kUsage);
  for (int k = 0; k < kWorkbenchKeyCount; ++k) std::printf("  %s\n", kWorkbenchKeys[k].help);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc > 1 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
    printHelp();
    return 0;
  }
  const int started = startProgram("brawler-preview", kOfflineProgram, &argc, argv);
  if (started != kStartedProgram) return started;
  settingsPath = defaultSettingsPath();
  std::vector<std::string> args;
  bool arcadeRules = false;
  for (int a = 1; a < argc; ++a) {
    if (std::strcmp(argv[a], "--settings") == 0 && a + 1 < argc)
      settingsPath = startedPath(argv[++a]);
    else if (std::strcmp(argv[a], "--at") == 0 && a + 1 < argc)
      startX = std::atoi(argv[++a]);
    else if (std::strcmp(argv[a], "--arcade") == 0)
      arcadeRules = true;
    else
      args.push_back(argv[a]);
  }
  const std::string first = args.empty() ? kScreenPlaystage : args[0];
  if (args.size() > 2 || !screenNamed(first)) {
    std::fputs(kUsage, stderr);
    return kUsageStatus;
  }
  startUp(1);  // the same opponents' choices every run
  if (arcadeRules) applyArcadeHouseRules(gameRules);
  usePlayerSettings();
  const std::string stage = args.size() > 1 ? args[1] : kStartStage;
  const size_t slash = stage.find('/');
  if (slash != std::string::npos) worldName = stage.substr(0, slash);
  stageName = slash != std::string::npos ? stage.substr(slash + 1) : stage;
  screenState = first;
  // The screens hand over by name, as in the game.
  for (;;) {
    const PreviewScreen* screen = screenNamed(screenState);
    if (!screen) return 1;
    screen->enter();
    if (startX >= 0 && screenState == kScreenPlaystage) placePlayersAt(startX);
    const std::string entered = screenState;
    while (screenState == entered && screen->frame()) {
      endOnEscape();
      followWindowRequests();
    }
  }
}
