// The arcade's online switches: what each asks for, and what is left for the arcade's own.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "arcade/arcade_online.h"

namespace {

struct SwitchCase {
  const char* name;
  std::vector<std::string> args;
  bool readable;
  bool hosting, joining;
  std::string host;
  uint16_t port;
  int32_t delay;
  size_t left;  // switches left for readArcadeArguments, the program's name included
};

class OnlineSwitches : public ::testing::TestWithParam<SwitchCase> {};

TEST_P(OnlineSwitches, ReadAsTheyAsk) {
  const SwitchCase& c = GetParam();
  std::vector<std::string> words = {"brawler-arcade"};
  words.insert(words.end(), c.args.begin(), c.args.end());
  std::vector<char*> argv;
  for (std::string& w : words) argv.push_back(w.data());
  OnlineRequest request;
  std::vector<char*> rest;
  std::string error;
  ASSERT_EQ(readOnlineArguments(static_cast<int>(argv.size()), argv.data(), &request, &rest, &error), c.readable)
      << error;
  if (!c.readable) return;
  EXPECT_EQ(request.hosting, c.hosting);
  EXPECT_EQ(request.joining, c.joining);
  EXPECT_EQ(request.host, c.host);
  EXPECT_EQ(request.port, c.port);
  EXPECT_EQ(request.delay, c.delay);
  EXPECT_EQ(rest.size(), c.left);
  if (c.args.size() > 1 && c.args[0] == "--lobby") EXPECT_EQ(request.lobby, c.args[1]);
}

INSTANTIATE_TEST_SUITE_P(
    Arcade, OnlineSwitches,
    ::testing::Values(
        SwitchCase{"NoneIsTheArcadeAlone", {"--scores", "s.txt"}, true, false, false, "", 7707, 2, 3},
        SwitchCase{"HostOnTheDefaultPort", {"--host"}, true, true, false, "", 7707, 2, 1},
        SwitchCase{"HostOnAPortGiven", {"--host", "9000", "--delay", "4"}, true, true, false, "", 9000, 4, 1},
        // A word after --host that is not a number is the arcade's next switch.
        SwitchCase{"HostThenASwitch", {"--host", "--settings", "f"}, true, true, false, "", 7707, 2, 3},
        SwitchCase{"JoinOnTheDefaultPort", {"--join", "box.lan"}, true, false, true, "box.lan", 7707, 2, 1},
        SwitchCase{"JoinOnAPortGiven", {"--join", "127.0.0.1:7800"}, true, false, true, "127.0.0.1", 7800, 2, 1},
        SwitchCase{"JoinWithABadPort", {"--join", "127.0.0.1:77x"}, false},
        SwitchCase{"JoinWithNoName", {"--join", ":7707"}, false},
        SwitchCase{"DelayPastFour", {"--host", "--delay", "5"}, false},
        SwitchCase{"BothSides", {"--host", "--join", "a"}, false},
        // --lobby names the ONLINE screens' lobby; the arcade's own switches are left.
        SwitchCase{"ALobbyAlone", {"--lobby", "lobby.lan:7800", "--scores", "s"}, true, false, false, "", 7707, 2, 3},
        SwitchCase{"ALobbyWithABadPort", {"--lobby", "lobby.lan:0"}, false},
        SwitchCase{"ALobbyThatIsNoName", {"--lobby", "a b"}, false}),
    [](const ::testing::TestParamInfo<SwitchCase>& info) { return std::string(info.param.name); });

}  // namespace

namespace {

// A page reaches a lobby named without a scheme by WebSocket, on the lobby's WebSocket port
// unless the name gives one; the desktop takes every name as it is.
struct LobbyAddressCase {
  const char* name;
  const char* scheme;  // the page's; "" on the desktop
  const char* named;
  const char* address;
};

class PageLobbyAddress : public ::testing::TestWithParam<LobbyAddressCase> {};

TEST_P(PageLobbyAddress, IsTheOneTheClientIsGiven) {
  const LobbyAddressCase& c = GetParam();
  onlineLobbyScheme = c.scheme;
  EXPECT_EQ(onlineLobbyAddress(c.named), c.address);
  onlineLobbyScheme.clear();
}

INSTANTIATE_TEST_SUITE_P(
    Arcade, PageLobbyAddress,
    ::testing::Values(
        LobbyAddressCase{"TheDesktopKeepsAName", "", "lobby.lan", "lobby.lan"},
        LobbyAddressCase{"TheDesktopKeepsAPort", "", "lobby.lan:7800", "lobby.lan:7800"},
        LobbyAddressCase{"APageAddsTheWebSocketPort", "ws://", "lobby.lan", "ws://lobby.lan:7709"},
        LobbyAddressCase{"APageKeepsAPortGiven", "ws://", "127.0.0.1:8000", "ws://127.0.0.1:8000"},
        LobbyAddressCase{"APageServedSecurelyUsesWss", "wss://", "lobby.lan", "wss://lobby.lan:7709"},
        LobbyAddressCase{"AnIpv6AddressIsNotTakenForAPort", "ws://", "[::1]", "ws://[::1]:7709"},
        LobbyAddressCase{"AnIpv6AddressWithAPort", "ws://", "[::1]:8000", "ws://[::1]:8000"},
        LobbyAddressCase{"AWholeAddressStaysWhole", "ws://", "wss://lobby.lan:443", "wss://lobby.lan:443"},
        LobbyAddressCase{"NoNameStaysNone", "ws://", "", ""}),
    [](const ::testing::TestParamInfo<LobbyAddressCase>& info) { return info.param.name; });

}  // namespace
