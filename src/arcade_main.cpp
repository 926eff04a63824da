// The arcade: the same game from the title to the end of the world, alone or with a second
// machine (--host, --join); this is only the entry point.
#include "arcade/arcade_online.h"
#include "shell/program_start.h"

int main(int argc, char** argv) {
  const int started = startProgram("brawler-arcade", kOnlineProgram, &argc, argv);
  if (started != kStartedProgram) return started;
  return arcadeOnlineMain(argc, argv);
}
