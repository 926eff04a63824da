// The arcade: the same game from the title to the end of the world, alone or with a second
// machine (--host, --join); this is only the entry point.
#include "arcade/arcade_online.h"

int main(int argc, char** argv) { return arcadeOnlineMain(argc, argv); }
