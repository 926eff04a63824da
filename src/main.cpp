// The game: everything lives in brawler_core; this is only the entry point.
#include "brawler/screen_loop.h"

int main() { return brawlerMain(); }
