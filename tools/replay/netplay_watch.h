// brawler-replay netplay --watch: a room's fight as a watcher sees it, headless.
#pragma once
#include <cstdint>
#include <string>

// Watches the room `code` through the lobby at lobbyHost:port: runs at once to about
// two seconds before the newest confirmed tick, then a tick a frame, never past the confirmed
// controls; prints the `end` line and writes both players' controls to `out` (if given).
// 0 when the whole fight was seen, 1 with one line saying why not.
int netplayWatch(const std::string& lobbyHost, uint16_t port, const std::string& code, const std::string& out);
// The same a step at a time, for a program that cannot wait in a loop: false from the start
// when the watch cannot begin, false from a step once it is over, each with the exit status.
bool netplayWatchStart(const std::string& lobbyHost, uint16_t port, const std::string& code, const std::string& out,
                       int* status);
bool netplayWatchStep(int* status);
