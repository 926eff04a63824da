// Program start and the screen-state loop.
#pragma once
#include <string>

int brawlerMain();
