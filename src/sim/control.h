// Player control and computer opponents.
#pragma once

void updatePlayers();
void updateOpponents();
