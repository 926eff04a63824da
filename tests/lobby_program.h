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

// Starts a lobby on the loopback on a port the system picks; that port, "" when it never says.
inline std::string startLobby(std::vector<std::string> args, ChildProcess* lobby) {
  args.insert(args.begin(), {"--bind", "127.0.0.1", "--port", "0"});
  const std::string said = "lobby listening on port ";
  if (!startChild(lobbyProgram(args), lobby) || !waitForOutput(lobby, " rooms)\n", 30000)) return "";
  const size_t at = lobby->out.find(said) + said.size();
  return lobby->out.substr(at, lobby->out.find(' ', at) - at);
}
