// brawler-lobby: the server that pairs players by room code and relays for them; this is only
// the entry point.
#include "net/lobby/lobby_program.h"

int main(int argc, char** argv) { return lobbyMain(argc, argv); }
