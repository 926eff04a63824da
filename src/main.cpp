// The game: everything lives in brawler_core; this is only the entry point.
#include "brawler/screen_loop.h"
#include "shell/program_start.h"

int main(int argc, char** argv) {
  const int started = startProgram("brawler", kOfflineProgram, &argc, argv);
  if (started != kStartedProgram) return started;
  return brawlerMain();
}
