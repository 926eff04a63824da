// brawler-preview [SCREEN] [STAGE]
// The game as it starts, but opened on the screen named SCREEN ("Playstage", "Mainmenu",
// "Character Select" or "Overworld"; the stage when left out) and, for the stage screen, on
// stage STAGE of world1 ("stage3" when left out). Run it in a content folder, as the game.
// The game itself always opens on stage3: this is how the other stages and the front-end
// screens are looked at while making content, and how docs/screenshots is taken.
#include <string>

#include "render/stage_scene.h"
#include "screens/screens.h"
#include "shell/game_start.h"
#include "sim/game_state.h"
#include "shell/input.h"
#include "shell/play_loop.h"
#include "shell/stage_start.h"
#include "shell/window.h"
#include "sim/entity.h"
#include "sim/random.h"

namespace {

void playStage() {
  startStage();
  for (int i = 0; i <= lastEntity; ++i) entities[i].shownHp = entities[i].hp;
  runStage();
}

}  // namespace

int main(int argc, char** argv) {
  startUp(1);  // the same opponents' choices every run
  stageName = argc > 2 ? argv[2] : "stage3";
  screenState = argc > 1 ? argv[1] : "Playstage";
  // The screens hand over by name, as in the game; the stage screen never returns.
  for (;;) {
    const std::string state = screenState;
    if (state == "Overworld") runOverworld();
    else if (state == "Character Select") runCharacterSelect();
    else if (state == "Mainmenu") runMainMenu();
    else if (state == "Playstage") playStage();
    else return 1;
  }
}
