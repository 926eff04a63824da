// The front-end screens the screen-state loop can run besides the stage. Each hands over by
// setting `screenState` (shell/screen_state.h).
#pragma once

#include "render/stage_scene.h"
#include "shell/screen_state.h"

void runOverworld();
void runCharacterSelect();
void runMainMenu();

// Escape on the overworld and Return on the character select screen end the game here.
[[noreturn]] void endProgram();
