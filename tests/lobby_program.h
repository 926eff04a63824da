// brawler-lobby run as a program on the loopback, as its whole-program tests start it.
#pragma once
#include <string>
#include <vector>

#include "process_helpers.h"

// Standard error joined to standard output, so that a refusal's line can be read.
inline ChildOptions lobbyProgram(const std::vector<std::string>& args) {
  ChildOptions options;
  options.program = "/bin/sh";
  options.args = {"-c", "exec \"$0\" \"$@\" 2>&1", BRAWLER_LOBBY_BINARY};
  options.args.insert(options.args.end(), args.begin(), args.end());
  options.setEnv = {{"ASAN_OPTIONS", "detect_leaks=0"}};
  return options;
}

// The number after `said` in what the lobby printed.
inline std::string portSaid(const ChildProcess& lobby, const std::string& said) {
  const size_t at = lobby.out.find(said) + said.size();
  return lobby.out.substr(at, lobby.out.find_first_not_of("0123456789", at) - at);
}

// Starts a lobby on the loopback on ports the system picks; its UDP port, "" when it never
// says, and its WebSocket port in *webSocketPort when asked.
inline std::string startLobby(std::vector<std::string> args, ChildProcess* lobby, std::string* webSocketPort = nullptr) {
  args.insert(args.begin(), {"--bind", "127.0.0.1", "--port", "0", "--ws-port", "0"});
  if (!startChild(lobbyProgram(args), lobby) || !waitForOutput(lobby, " rooms), websocket port ", 30000) ||
      !waitForOutput(lobby, "\n", 30000))
    return "";
  if (webSocketPort != nullptr) *webSocketPort = portSaid(*lobby, "websocket port ");
  return portSaid(*lobby, "lobby listening on port ");
}
