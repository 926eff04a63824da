// brawler-lobby as a program: its help, a switch it does not know, a room's events one line
// each, and a clean stop on either signal with its counts.
#include <gtest/gtest.h>
#include <signal.h>

#include <string>
#include <vector>

#include "lobby_program.h"
#include "net/lobby_message.h"
#include "platform/net.h"

namespace {

constexpr int kBoundMs = 30000;

TEST(LobbyProgram, HelpAndUnknownSwitches) {
  struct Case {
    const char* name;
    std::vector<std::string> args;
    int exitCode;
    const char* says;
  };
  const Case cases[] = {
      {"help lists the port and every limit", {"--help"}, 0, "--rooms-per-address N"},
      {"an unknown switch", {"--roms", "3"}, 1, "brawler-lobby: no switch --roms (see --help)"},
      {"a number out of range", {"--watchers", "9"}, 1, "brawler-lobby: --watchers takes a whole number from 0 to 8"},
      {"a switch without its value", {"--port"}, 1, "brawler-lobby: --port takes a value"},
  };
  for (const Case& c : cases) {
    const ChildResult r = runChild(lobbyProgram(c.args), kBoundMs);
    EXPECT_EQ(r.exitCode, c.exitCode) << c.name << "\n" << r.out;
    EXPECT_NE(r.out.find(c.says), std::string::npos) << c.name << "\n" << r.out;
  }
}

// A room opened and left shows as two lines; either signal stops the lobby with status 0.
TEST(LobbyProgram, ARoomsEventsAreLinesAndASignalStopsItCleanly) {
  for (int signal : {SIGTERM, SIGINT}) {
    ChildProcess lobby;
    const std::string port = startLobby({}, &lobby);
    ASSERT_FALSE(port.empty()) << lobby.out;
    std::string error;
    const int host = netConnect("127.0.0.1", static_cast<uint16_t>(std::stoi(port)), &error);
    ASSERT_GE(host, 0) << error;
    uint8_t request[kMostLobbyMessageBytes];
    bool sent = false;
    NetEvent e;
    const uint64_t until = netClockMs() + kBoundMs;
    while (!sent && netClockMs() < until) {
      netWait(host, 1);
      while (netPoll(host, &e))
        if (e.type == kNetConnected && !sent) {
          netSend(host, 0, kNetChannelSetup, request, encodeLobbyHostRoom(request, kNetProtocolVersion, 1, nullptr, 0));
          sent = true;
        }
    }
    ASSERT_TRUE(sent) << lobby.out;
    netClose(host);
    EXPECT_TRUE(waitForOutput(&lobby, "closed: the host left before anyone joined\n", kBoundMs)) << lobby.out;
    kill(lobby.pid, signal);
    const ChildResult end = finishChild(&lobby, kBoundMs);
    EXPECT_EQ(end.exitCode, 0) << end.out;
    EXPECT_NE(end.out.find(" opened by 127.0.0.1:"), std::string::npos) << end.out;
    EXPECT_NE(end.out.find("lobby counts rooms 1 "), std::string::npos) << end.out;
  }
}

}  // namespace
