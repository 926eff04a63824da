// The front-end screens the screen-state loop can run besides the stage.
#pragma once

#include "render/stage_scene.h"

// The values of `screenState`, compared exactly.
constexpr const char* kScreenOverworld = "Overworld";
constexpr const char* kScreenCharacterSelect = "Character Select";
constexpr const char* kScreenMainMenu = "Mainmenu";
constexpr const char* kScreenPlaystage = "Playstage";

void runOverworld();
void runCharacterSelect();
void runMainMenu();

// Escape on the overworld and Return on the character select screen end the game here.
[[noreturn]] void endProgram();
