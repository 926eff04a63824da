// The front-end screens the screen-state loop can run besides the stage.
#pragma once

void runOverworld();
void runCharacterSelect();
void runMainMenu();
