// Player control and computer opponents.
#pragma once

void updatePlayers();
void updateOpponents();
// Escape held: the platform is shut down and the program ends with status 0. The player step
// makes this check once per player, after the tap timers and before the state handlers.
void quitIfEscapeHeld();
