#include "shell/game_start.h"

int brawlerMain() { return 0; }
