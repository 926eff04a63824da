// brawler-lobby: the server that pairs players by room code and relays for them; this is only
// the entry point. It plays no content, so it looks for none.
#include "net/lobby/lobby_program.h"
#include "shell/program_start.h"

int main(int argc, char** argv) {
  if (answeredVersion("brawler-lobby", kLobbyServer, argc, argv)) return 0;
  return lobbyMain(argc, argv);
}
