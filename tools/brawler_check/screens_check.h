// The front-end screens' sheets and data: main menu, character select with its roster, overworld.
#pragma once
#include <string>

void checkMainMenu();
void checkCharacterSelect();
// `firstWorld` true for the world the game plays, whose overworld the front end would open;
// another world's overworld is checked when the pack ships its data.
void checkOverworld(const std::string& world, bool firstWorld);
