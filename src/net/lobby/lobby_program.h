// brawler-lobby's command line and loop: the switches, the lobby served until SIGTERM or
// SIGINT, and the closing counts.
#pragma once

int lobbyMain(int argc, char** argv);
