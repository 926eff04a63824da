#include "base/game_version.h"

// The build passes the number to this file alone, so that a new release rebuilds one file.
#ifndef BRAWLER_VERSION
#error "the build passes BRAWLER_VERSION to this file"
#endif

const char* gameVersion() { return BRAWLER_VERSION; }
