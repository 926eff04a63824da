// brawler-preview [SCREEN] [STAGE]
// The game as it starts, but opened on the screen named SCREEN ("Playstage", "Mainmenu",
// "Character Select" or "Overworld"; the stage when left out) and, for the stage screen, on
// stage STAGE of world1 ("stage3" when left out). Run it in a content folder, as the game.
// The game itself always opens on stage3: this is how the other stages and the front-end
// screens are looked at while making content, and how docs/screenshots is taken.
// On the stage screen the workbench's keys are live (see --help).
#include <cstdio>
#include <cstring>
#include <string>

#include "screens/screens.h"
#include "shell/game_start.h"
#include "sim/game_state.h"
#include "workbench.h"

namespace {

void printHelp() {
  std::printf(
      "usage: brawler-preview [SCREEN] [STAGE]\n"
      "Opens the game on SCREEN (\"Playstage\", \"Mainmenu\", \"Character Select\" or\n"
      "\"Overworld\"; \"Playstage\" when left out) and, on the stage screen, on STAGE of world1\n"
      "(\"stage3\" when left out). Run it in a content folder, as the game. Escape quits.\n"
      "\n"
      "Keys on the stage screen, for looking at what the content does:\n");
  for (int k = 0; k < kWorkbenchKeyCount; ++k) std::printf("  %s\n", kWorkbenchKeys[k].help);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc > 1 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
    printHelp();
    return 0;
  }
  startUp(1);  // the same opponents' choices every run
  stageName = argc > 2 ? argv[2] : "stage3";
  screenState = argc > 1 ? argv[1] : "Playstage";
  // The screens hand over by name, as in the game; the stage screen never returns.
  for (;;) {
    const std::string state = screenState;
    if (state == "Overworld") runOverworld();
    else if (state == "Character Select") runCharacterSelect();
    else if (state == "Mainmenu") runMainMenu();
    else if (state == "Playstage") {
      enterWorkbenchStage();
      while (workbenchStageFrame()) {
      }
    }
    else return 1;
  }
}
