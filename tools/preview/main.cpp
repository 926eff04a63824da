// brawler-preview [SCREEN [STAGE]]
// The game as it starts, but opened on the screen named SCREEN ("Playstage", "Mainmenu",
// "Character Select" or "Overworld"; the stage when left out) and, for the stage screen, on
// stage STAGE of world1 ("stage3" when left out). Run it in a content folder, as the game.
// The game itself always opens on stage3: this is how the other stages and the front-end
// screens are looked at while making content, and how docs/screenshots is taken.
// Holding Escape ends it on every screen.
#include <cstdio>
#include <string>

#include "render/stage_scene.h"
#include "screens/character_select.h"
#include "screens/main_menu.h"
#include "screens/overworld.h"
#include "screens/screens.h"
#include "shell/game_start.h"
#include "shell/input.h"
#include "shell/play_loop.h"
#include "shell/stage_start.h"
#include "sim/entity.h"
#include "sim/game_state.h"

namespace {

constexpr int kUsageStatus = 2;

void enterPlaystage() {
  startStage();
  for (int i = 0; i <= lastEntity; ++i) entities[i].shownHp = entities[i].hp;
  enterStage();
}
bool playstageFrame() {
  stageTick();
  return true;
}

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
    {kScreenPlaystage, enterPlaystage, playstageFrame},
};

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

}  // namespace

int main(int argc, char** argv) {
  const std::string first = argc > 1 ? argv[1] : kScreenPlaystage;
  if (argc > 3 || !screenNamed(first)) {
    std::fprintf(stderr,
                 "usage: brawler-preview [SCREEN [STAGE]]\n"
                 "SCREEN is one of Playstage (the default), Mainmenu, \"Character Select\" and "
                 "Overworld; STAGE names a stage of world1 (stage3 when left out).\n");
    return kUsageStatus;
  }
  startUp(1);  // the same opponents' choices every run
  stageName = argc > 2 ? argv[2] : "stage3";
  screenState = first;
  // The screens hand over by name, as in the game.
  for (;;) {
    const PreviewScreen* screen = screenNamed(screenState);
    if (!screen) return 1;
    screen->enter();
    const std::string entered = screenState;
    while (screenState == entered && screen->frame()) endOnEscape();
  }
}
