// The arcade's ONLINE screens on the shipped pack, driven frame by frame through the null
// platform: the title's entry, the lobby's address typed and kept, the room code typed or
// chosen letter by letter, and rooms met through a lobby served in the test on the loopback.
#include <gtest/gtest.h>

#include <signal.h>

#include <algorithm>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "arcade/arcade.h"
#include "arcade/arcade_online.h"
#include "lobby_driver.h"
#include "lobby_program.h"
#include "net/lobby_client.h"
#include "process_helpers.h"
#include "screen_driver.h"
#include "screens/main_menu.h"
#include "screens/menu_moves.h"
#include "shell/bindings.h"
#include "shell/game_start.h"
#include "shell/settings.h"
#include "shell/settings_text.h"
#include "sim/game_state.h"

using namespace screen_driver;

namespace {

constexpr int kMenuFadeFrames = 110;  // the title's close fades over 100 frames
// A port on the loopback where nothing listens: a room that starts but never meets anyone.
constexpr const char* kSilentLobby = "127.0.0.1:9";

class OnlineScreens : public ::testing::Test {
 protected:
  void SetUp() override {
    ENTER_SHIPPED_PACK();
    nullJoystickCount = 0;
    nullClearEvents();
    settingsPath = makeEmptyDir() + "/settings.txt";
    startUp(1);
    offerOnlineScreens();
    onlineLobby.clear();
    onlineMenu = OnlineMenuState{};
    enterArcade();
  }
  void TearDown() override {
    if (arcade.screen == kArcadeRoom) tap(kKeyEscape);
    for (int screen : {kArcadeOnline, kArcadeRoomCode, kArcadeRoom}) offerArcadeScreen(screen, nullptr, nullptr);
    settingsPath.clear();
    useBoundActions(false);
    defaultSettings(0);
    gameRules = GameRules{};
  }
  // Each key in a frame of its own.
  void tap(int key) {
    tapKey(key);
    ASSERT_TRUE(arcadeFrame());
  }
  void type(const std::string& keys) {
    for (char c : keys) tap(c);
  }
  void openOnline() { enterArcadeScreen(kArcadeOnline); }
  void chooseRow(int32_t row) {
    while (onlineMenu.row != row) tap(kKeyDown);
    tap(kKeyReturn);
  }
  std::string savedText() {
    std::ifstream in(settingsPath);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
  }
};

TEST_F(OnlineScreens, TheTitleReachesOnlineBesideOptions) {
  ASSERT_EQ(mainMenu.addedEntries, 2);
  tap(kKeyUp);
  EXPECT_EQ(mainMenu.cursor, kEntryOnline) << "up from the first entry wraps onto ONLINE";
  tap(kKeyUp);
  EXPECT_EQ(mainMenu.cursor, kEntryOptions) << "OPTIONS comes before it";
  tap(kKeyDown);
  tap(kKeyReturn);
  for (int i = 0; i < kMenuFadeFrames && arcade.screen != kArcadeOnline; ++i) ASSERT_TRUE(arcadeFrame());
  ASSERT_EQ(arcade.screen, kArcadeOnline);
  tap(kKeyEscape);
  EXPECT_EQ(arcade.screen, kArcadeTitle);
}

TEST_F(OnlineScreens, ARoomNeedsALobbyFirst) {
  openOnline();
  for (int32_t row : {kOnlineHost, kOnlineJoin, kOnlineWatch}) {
    onlineMenu.row = row;
    tap(kKeyReturn);
    EXPECT_EQ(arcade.screen, kArcadeOnline) << "row " << row;
    EXPECT_EQ(onlineMenu.row, kOnlineLobby) << "the cursor goes to the row that names the lobby";
    EXPECT_EQ(onlineMenu.notice, "NAME A LOBBY FIRST");
  }
}

// The lobby's address as typed on the screen: what Return keeps, in the settings file too.
TEST_F(OnlineScreens, TheLobbysAddressIsTypedOnTheScreen) {
  struct Case {
    const char* name;
    std::vector<int> keys;  // after the LOBBY row is confirmed
    const char* kept;       // the lobby afterwards
    bool stillEditing;
  };
  const Case cases[] = {
      {"a name and port, kept", {'l', 'o', 'b', 'b', 'y', '.', 'e', 'x', ';', '7', '8', '0', '0', kKeyReturn},
       "lobby.ex:7800", false},
      {"the keypad's digits and point", {256 + 1, 256 + 2, 266, 256 + 7, kKeyReturn}, "12.7", false},
      {"backspace takes the last character back", {'a', 'b', kKeyBackspace, 'c', kKeyReturn}, "ac", false},
      {"a port past 65535 is refused", {'h', ';', '7', '0', '0', '0', '0', kKeyReturn}, "", true},
      {"escape leaves it as it was", {'h', 'o', 's', 't', kKeyEscape}, "", false},
      {"a letter a player moves with types", {'w', 's', 'a', 'd', kKeyReturn}, "wsad", false},
  };
  for (const Case& c : cases) {
    onlineLobby.clear();
    settings.lobby[0] = '\0';
    openOnline();
    chooseRow(kOnlineLobby);
    ASSERT_EQ(onlineMenu.editing, 1) << c.name;
    for (int key : c.keys) tap(key);
    EXPECT_EQ(onlineLobby, c.kept) << c.name;
    EXPECT_EQ(onlineMenu.editing, c.stillEditing ? 1 : 0) << c.name;
    if (c.kept[0] != '\0') EXPECT_NE(savedText().find(std::string("lobby ") + c.kept + "\n"), std::string::npos) << c.name;
    if (c.stillEditing) EXPECT_EQ(onlineMenu.notice, "NOT AN ADDRESS: HOST OR HOST:PORT") << c.name;
  }
}

// The code of a room to join: typed, or chosen with up, down and attack, as the player likes.
TEST_F(OnlineScreens, TheRoomCodeIsTypedOrChosenLetterByLetter) {
  struct Case {
    const char* name;
    std::vector<int> keys;
    const char* code;  // the code the room was entered with; "" when it was not
    int slot;          // the letter being chosen when it was not
  };
  const Case cases[] = {
      {"typed on the keyboard", {'r', 'u', 'n', 'e'}, "RUNE", 0},
      {"player 1's attack key types its letter", {'z', 'z', 'z', 'z'}, "ZZZZ", 0},
      {"down and Return choose the next letter", {kKeyDown, kKeyReturn, 'a', 'a', 'a'}, "BAAA", 0},
      {"up from A goes round to Z", {kKeyUp, kKeyReturn, 'b', 'c', 'd'}, "ZBCD", 0},
      {"backspace takes a letter back", {'a', 'b', kKeyBackspace, 'c', 'd', 'e'}, "ACDE", 0},
      {"I, O, 0 and 1 are in no code", {'i', 'o', '0', '1'}, "", 0},
      {"three letters are not a code yet", {'a', 'b', 'c'}, "", 3},
  };
  onlineLobby = kSilentLobby;
  for (const Case& c : cases) {
    openOnline();
    chooseRow(kOnlineJoin);
    ASSERT_EQ(arcade.screen, kArcadeRoomCode) << c.name;
    for (int key : c.keys) tap(key);
    if (c.code[0] != '\0') {
      EXPECT_EQ(arcade.screen, kArcadeRoom) << c.name;
      EXPECT_STREQ(onlineMenu.code, c.code) << c.name;
      tap(kKeyEscape);
    } else {
      EXPECT_EQ(arcade.screen, kArcadeRoomCode) << c.name;
      EXPECT_EQ(onlineMenu.slot, c.slot) << c.name;
    }
  }
  tap(kKeyEscape);
  EXPECT_EQ(arcade.screen, kArcadeOnline) << "escape goes back from the code";
}

TEST(LobbySetting, TheSettingsFileKeepsTheLobby) {
  struct Case {
    const char* name;
    const char* line;
    const char* lobby;
  };
  const Case cases[] = {
      {"none named", "lobby none\n", ""},
      {"a name alone", "lobby play.example.org\n", "play.example.org"},
      {"an address and port", "lobby 198.51.100.7:7800\n", "198.51.100.7:7800"},
      {"a bad port keeps the default", "lobby host:0\n", ""},
      {"a space in it keeps the default", "lobby two words\n", ""},
  };
  for (const Case& c : cases) {
    defaultSettings(0);
    parseSettings(c.line, "settings.txt");
    EXPECT_STREQ(settings.lobby, c.lobby) << c.name;
    const std::string written = formatSettings();
    EXPECT_NE(written.find(std::string("lobby ") + (c.lobby[0] != '\0' ? c.lobby : "none") + "\n"), std::string::npos)
        << c.name;
  }
  defaultSettings(0);
}

// ---- rooms through a lobby on the loopback --------------------------------------------------

class OnlineRooms : public OnlineScreens {
 protected:
  void SetUp() override {
    OnlineScreens::SetUp();
    ASSERT_TRUE(driver.start(LobbyLimits{}));
    onlineLobby = "127.0.0.1:" + std::to_string(lobbyPort(driver.lobby));
  }
  // A frame of the arcade and a turn of the lobby and of the test's own player, until `done`
  // or the bound.
  template <typename Done>
  bool framesUntil(Done done, LobbyClient* other = nullptr) {
    for (int i = 0; i < kLobbyDriverSteps; ++i) {
      driver.step();
      if (other != nullptr) lobbyClientStep(*other, netClockMs());
      if (!arcadeFrame()) return false;
      if (done()) return true;
    }
    return false;
  }
  static bool sessionPlaying(const LobbyClient& c) {
    return c.state == kClientPlaying && c.session.state == kSessionPlaying;
  }
  LobbyDriver driver;
};

TEST_F(OnlineRooms, AHostedRoomShowsItsCodeAndItsJoinerPlaysDirectly) {
  openOnline();
  chooseRow(kOnlineHost);
  ASSERT_EQ(arcade.screen, kArcadeRoom);
  ASSERT_TRUE(framesUntil([] { return roomClient().state == kClientWaiting; }));
  const std::string code = roomClient().code;
  EXPECT_TRUE(validRoomCode(code.c_str())) << code;

  LobbyClient joiner;
  std::string error;
  ASSERT_TRUE(lobbyClientJoin(joiner, "127.0.0.1", lobbyPort(driver.lobby), code, onlinePack(), &error)) << error;
  // Stopped as soon as both sides play: the room holds its path on the screen for a while first.
  ASSERT_TRUE(framesUntil([&] { return sessionPlaying(roomClient()) && sessionPlaying(joiner); }, &joiner));
  EXPECT_EQ(roomClient().path, kPathDirect);
  EXPECT_EQ(joiner.path, kPathDirect);
  EXPECT_EQ(arcade.screen, kArcadeRoom);

  tap(kKeyEscape);
  EXPECT_EQ(arcade.screen, kArcadeOnline) << "escape leaves the room";
  for (int i = 0; i < kLobbyDriverSteps && joiner.session.state == kSessionPlaying; ++i) {
    driver.step();
    lobbyClientStep(joiner, netClockMs());
  }
  EXPECT_EQ(joiner.session.end, kEndPeerLeft);
  lobbyClientLeave(joiner);
}

TEST_F(OnlineRooms, ACodeTypedJoinsTheRoomOfThatCode) {
  LobbyClient host;
  std::string error;
  ASSERT_TRUE(lobbyClientHost(host, "127.0.0.1", lobbyPort(driver.lobby), hostPlan(kDefaultInputDelay), onlinePack(),
                              &error))
      << error;
  for (int i = 0; i < kLobbyDriverSteps && host.state != kClientWaiting; ++i) {
    driver.step();
    lobbyClientStep(host, netClockMs());
  }
  ASSERT_EQ(host.state, kClientWaiting);
  openOnline();
  chooseRow(kOnlineJoin);
  std::string typed = host.code;
  for (char& c : typed) c = static_cast<char>(c - 'A' + 'a');
  type(typed);
  ASSERT_EQ(arcade.screen, kArcadeRoom);
  ASSERT_TRUE(framesUntil([&] { return sessionPlaying(roomClient()) && sessionPlaying(host); }, &host));
  EXPECT_EQ(roomClient().path, kPathDirect);
  tap(kKeyEscape);
  lobbyClientLeave(host);
}

// The desktop's arcade given the lobby's WebSocket address plays as a page does: through the
// relay, and a desktop joining over UDP is told so and relays at once.
TEST_F(OnlineRooms, AnArcadeThatMeetsTheLobbyOverAWebSocketPlaysThroughTheRelay) {
  onlineLobby = "ws://127.0.0.1:" + std::to_string(lobbyWebSocketPort(driver.lobby));
  openOnline();
  chooseRow(kOnlineHost);
  ASSERT_TRUE(framesUntil([] { return roomClient().state == kClientWaiting; }));
  LobbyClient joiner;
  std::string error;
  ASSERT_TRUE(lobbyClientJoin(joiner, "127.0.0.1", lobbyPort(driver.lobby), roomClient().code, onlinePack(), &error))
      << error;
  ASSERT_TRUE(framesUntil([&] { return sessionPlaying(roomClient()) && sessionPlaying(joiner); }, &joiner));
  EXPECT_EQ(roomClient().path, kPathRelay);
  EXPECT_EQ(joiner.path, kPathRelay);
  tap(kKeyEscape);
  lobbyClientLeave(joiner);
}

TEST_F(OnlineRooms, AWrongCodeSaysSoAndAKeyGoesBack) {
  openOnline();
  chooseRow(kOnlineWatch);
  type("zzzz");
  ASSERT_EQ(arcade.screen, kArcadeRoom);
  ASSERT_TRUE(framesUntil([] { return roomClient().state == kClientEnded; }));
  EXPECT_EQ(roomClient().endMessage, lobbyRefusalText(kLobbyRefuseNoRoom));
  // A key still down from typing cannot pass the message unread; a later one goes back.
  tap('a');
  EXPECT_EQ(arcade.screen, kArcadeRoom);
  for (int i = 0; i < kTicksPerSecond; ++i) ASSERT_TRUE(arcadeFrame());
  tap('a');
  EXPECT_EQ(arcade.screen, kArcadeOnline);
}

// ---- a watcher ----------------------------------------------------------------------------

// A player of a room, speaking the lobby's messages itself, on a lobby in another process.
struct RawPlayer {
  int endpoint = -1;
  bool connect(uint16_t port) {
    std::string error;
    endpoint = netConnect("127.0.0.1", port, &error);
    for (int i = 0; i < kLobbyDriverSteps && endpoint >= 0; ++i) {
      netWait(endpoint, 1);
      NetEvent e;
      if (netPoll(endpoint, &e) && e.type == kNetConnected) return true;
    }
    return false;
  }
  void send(size_t size) { netSend(endpoint, 0, kNetChannelSetup, out, size); }
  LobbyMessage next() {
    static LobbyMessage m;
    m.kind = 0;
    for (int i = 0; i < kLobbyDriverSteps; ++i) {
      netWait(endpoint, 1);
      NetEvent e;
      while (netPoll(endpoint, &e))
        if (e.type == kNetReceived && e.data != nullptr && decodeLobbyMessage(e.data, e.size, &m) == kLobbyDecoded)
          return m;
    }
    return m;
  }
  uint8_t out[kMostLobbyMessageBytes];
};

// The watcher sees the players' fight through the same screens: here the host's Escape on
// character select, which ends the session on its tick for the players and the watcher alike.
TEST_F(OnlineScreens, AWatcherFollowsTheFeedUntilThePlayersLeave) {
  ChildProcess lobby;
  const std::string port = startLobby({}, &lobby);
  ASSERT_FALSE(port.empty()) << lobby.out;
  const uint16_t lobbyAt = static_cast<uint16_t>(std::stoi(port));
  onlineLobby = "127.0.0.1:" + port;
  RawPlayer host, joiner;
  ASSERT_TRUE(host.connect(lobbyAt) && joiner.connect(lobbyAt));
  const uint64_t pack = onlinePack().digest;
  host.send(encodeLobbyHostRoom(host.out, kNetProtocolVersion, pack, nullptr, 0));
  char code[kRoomCodeLetters + 1] = {};
  const LobbyMessage room = host.next();
  ASSERT_EQ(room.kind, kLobbyRoom);
  std::memcpy(code, room.code, sizeof code);
  joiner.send(encodeLobbyJoinRoom(joiner.out, code, kNetProtocolVersion, pack, nullptr, 0));
  ASSERT_EQ(joiner.next().kind, kLobbyIntroduce);
  ASSERT_EQ(host.next().kind, kLobbyIntroduce);
  uint8_t welcome[kMostPacketBytes];
  const SessionPlan plan = hostPlan(kDefaultInputDelay);
  host.send(encodeLobbyPlan(host.out, welcome,
                            encodeWelcome(welcome, 1, plan.seed, 0, static_cast<uint8_t>(plan.delay), plan.world,
                                          plan.stage, static_cast<uint8_t>(plan.difficulty),
                                          static_cast<uint8_t>(plan.lives))));
  // Three seconds of the select screen, the host's Escape at tick 10: the watcher, two
  // seconds behind, reaches it.
  constexpr int32_t kFedTicks = 180, kEscapeTick = 10;
  for (int32_t first = 0; first < kFedTicks; first += kMostFeedTicks / 2) {
    FeedTick ticks[kMostFeedTicks / 2] = {};
    const int32_t count = std::min(kFedTicks - first, kMostFeedTicks / 2);
    if (first <= kEscapeTick && kEscapeTick < first + count) ticks[kEscapeTick - first].player[0].pressed = 1u << kNetPauseBit;
    host.send(encodeLobbyFeed(host.out, static_cast<uint32_t>(first), ticks, count));
  }
  // Out of the host's queue before the watcher's screen takes over this thread.
  for (int i = 0; i < 50; ++i) {
    NetEvent e;
    netWait(host.endpoint, 1);
    while (netPoll(host.endpoint, &e)) {
    }
  }

  openOnline();
  chooseRow(kOnlineWatch);
  std::string keys = code;
  for (char& c : keys) c = static_cast<char>(c - 'A' + 'a');
  type(keys);
  ASSERT_EQ(arcade.screen, kArcadeRoom);
  testing::internal::CaptureStdout();
  // The watch takes the arcade's frames one at a time, as in a page, until it hands them back.
  for (int i = 0; i < kLobbyDriverSteps && (arcade.screen == kArcadeRoom || arcadeRunInCharge != nullptr); ++i)
    ASSERT_TRUE(arcadeFrame());
  const std::string said = testing::internal::GetCapturedStdout();
  EXPECT_EQ(arcade.screen, kArcadeTitle) << said;
  EXPECT_NE(said.find("arcade: select\n"), std::string::npos) << said;
  EXPECT_NE(said.find("arcade: online the players left\n"), std::string::npos) << said;
  EXPECT_GE(roomClient().feed.size(), static_cast<size_t>(kFedTicks)) << said;
  netClose(host.endpoint);
  netClose(joiner.endpoint);
  kill(lobby.pid, SIGTERM);
  finishChild(&lobby, 30000);
}

}  // namespace
