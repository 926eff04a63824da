// The front-end screens' sheets and data: main menu, character select with its roster, overworld.
#pragma once
#include <string>

void checkMainMenu();
void checkCharacterSelect();
// `reached` true for the world the game plays, whose overworld data must exist.
void checkOverworld(const std::string& world, bool reached);
