// The room: opened under a new code (HOST), or joined or watched by its code, through the
// lobby. The screen shows where the meeting stands, then the path the session took (DIRECT
// or RELAY) and the line's round trip, and hands over to the session.
#include <cstdio>

#include "arcade/arcade.h"
#include "arcade/arcade_online.h"
#include "net/lobby/lobby.h"
#include "net/lobby_client.h"
#include "platform/net.h"
#include "render/font_text.h"
#include "render/stage_scene.h"
#include "screens/menu_moves.h"
#include "screens/screens.h"
#include "shell/input.h"
#include "shell/window.h"

namespace {

// The path and the round trip stay up this long before the session's first screen; both sides
// wait alike, so neither runs ahead into the other's silence.
constexpr int32_t kPathShownTicks = kTicksPerSecond * 3 / 2;
// How the room ended stays long enough to read twice, and a key still down from the menu
// cannot pass it unread.
constexpr int32_t kMessageTicks = 8 * kTicksPerSecond;
constexpr int32_t kMessageUnskippableTicks = kTicksPerSecond / 2;
constexpr int32_t kTitleY = 90;
constexpr int32_t kTitleScale = 2;
constexpr int32_t kCodeY = 220;
constexpr int32_t kCodeScale = 6;
constexpr int32_t kStatusY = 420;
constexpr int32_t kLineStep = 44;
constexpr int32_t kHintY = 680;
constexpr double kHintDim = 0.5;

// Who writes what: the room's entry starts the client and clears the rest; its frame steps the
// client and counts the ticks.
struct RoomState {
  LobbyClient client;
  std::string lobby;     // as the player named it, for the screen
  std::string message;   // why the room ended; empty while it goes on
  int32_t shownTicks = 0;  // frames the path has been on the screen
  int32_t endedTicks = 0;  // frames the message has been on the screen
  bool codeTold = false;   // the lines printed for whoever watches the program from outside
  bool pathTold = false;
};
RoomState room;

bool startClient(std::string* error) {
  std::string host;
  uint16_t port = 0;
  if (!splitLobbyAddress(room.lobby, &host, &port)) {
    *error = "cannot read the lobby's address " + room.lobby;
    return false;
  }
  switch (onlineMenu.role) {
    case kRoomAsHost: return lobbyClientHost(room.client, host, port, hostPlan(kDefaultInputDelay), onlinePack(), error);
    case kRoomAsJoiner: return lobbyClientJoin(room.client, host, port, onlineMenu.code, onlinePack(), error);
    default: return lobbyClientWatch(room.client, host, port, onlineMenu.code, onlinePack(), error);
  }
}

void tell(const std::string& line) {
  std::printf("arcade: online %s\n", line.c_str());
  std::fflush(stdout);
}

uint32_t roundTripMs() {
  const LobbyClient& c = room.client;
  return netRoundTripMs(c.endpoint, c.session.peer);
}

// What is known of the path: DIRECT with the round trip to the other player, or RELAY with the
// round trip to the lobby, which is half of the way the packets go. A WebSocket measures none
// (0): no figure rather than a wrong one.
std::vector<std::string> pathLines() {
  const LobbyClient& c = room.client;
  const std::string ms = std::to_string(roundTripMs()) + " MS";
  if (c.path == kPathDirect) return {"DIRECT", "ROUND TRIP " + ms};
  if (roundTripMs() == 0) return {"RELAY"};
  return {"RELAY", "ROUND TRIP TO THE LOBBY " + ms};
}

std::vector<std::string> statusLines() {
  const LobbyClient& c = room.client;
  switch (c.state) {
    case kClientConnecting: return {"CONNECTING TO THE LOBBY"};
    case kClientAsking: return {"ASKING THE LOBBY"};
    case kClientWaiting: return {"WAITING FOR THE OTHER PLAYER", "READ THE CODE TO A FRIEND: THEY CHOOSE JOIN"};
    case kClientPunching: return {"OPENING A PATH TO THE OTHER PLAYER"};
    case kClientWatching: return {c.planKnown ? "THE FIGHT HAS BEGUN" : "WAITING FOR THE FIGHT TO BEGIN"};
  }
  if (c.session.state == kSessionPlaying) return pathLines();
  return {"GREETING THE OTHER PLAYER"};
}

std::string roomTitle() {
  if (onlineMenu.role == kRoomAsHost) return "YOUR ROOM";
  return onlineMenu.role == kRoomAsWatcher ? "WATCHING A ROOM" : "JOINING A ROOM";
}

void drawRoom() {
  const LobbyClient& c = room.client;
  drawScreenCover(0.0);
  drawFontTextCentred(roomTitle(), screenWidth / 2, kTitleY, kTitleScale, 0.0);
  if (c.code[0] != '\0') drawFontTextCentred(c.code, screenWidth / 2, kCodeY, kCodeScale, 0.0);
  std::vector<std::string> lines = {room.message};
  if (room.message.empty()) lines = statusLines();
  int32_t y = kStatusY;
  for (const std::string& line : lines) {
    drawFontTextCentred(line, screenWidth / 2, y, 1, 0.0);
    y += kLineStep;
  }
  const char* hint = room.message.empty() ? "ESCAPE: BACK" : "ANY KEY: BACK";
  drawFontTextCentred(hint, screenWidth / 2, kHintY, 1, kHintDim);
  presentFrame();
}

void leaveRoom() {
  lobbyClientLeave(room.client);
  arcade.nextScreen = kArcadeOnline;
}

// Whatever ended the room, in words; empty while it goes on.
std::string endOfRoom() {
  const LobbyClient& c = room.client;
  if (c.state == kClientEnded) return c.endMessage;
  if (c.state == kClientPlaying && c.session.state == kSessionEnded) return sessionEndMessage(c.session);
  return "";
}

}  // namespace

const LobbyClient& roomClient() { return room.client; }

std::string roomEntry() {
  room.lobby = onlineLobbyAddress(onlineLobby);
  room.message.clear();
  room.shownTicks = room.endedTicks = 0;
  room.codeTold = room.pathTold = false;
  std::string error;
  if (!startClient(&error)) room.message = error;
  if (onlineMenu.role == kRoomAsHost) return "room hosting through " + room.lobby;
  return std::string(onlineMenu.role == kRoomAsWatcher ? "room watching " : "room joining ") + onlineMenu.code +
         " through " + room.lobby;
}

bool roomFrame() {
  pollInput();
  LobbyClient& c = room.client;
  if (windowCloseRequested != 0) {
    lobbyClientLeave(c);
    return true;
  }
  if (room.message.empty()) {
    lobbyClientStep(c, netClockMs());
    room.message = endOfRoom();
    if (!room.message.empty()) tell(room.message);
  }
  if (!room.message.empty()) {
    ++room.endedTicks;
    const bool read = room.endedTicks > kMessageUnskippableTicks && anyInputPressed();
    if (read || room.endedTicks >= kMessageTicks) leaveRoom();
  } else if (menuBackPressed()) {
    leaveRoom();
  }
  if (arcade.nextScreen != kArcadeNoScreen) return true;
  if (c.state == kClientWaiting && !room.codeTold) {
    tell(std::string("room ") + c.code);
    room.codeTold = true;
  }
  if (c.state == kClientWatching && c.planKnown && room.message.empty()) {
    watchRoomSession(c);
    return true;
  }
  if (c.state == kClientPlaying && c.session.state == kSessionPlaying && room.message.empty()) {
    if (!room.pathTold) tell(std::string("path ") + lobbyPathName(c.path) + " round trip " + std::to_string(roundTripMs()) + " ms");
    room.pathTold = true;
    if (++room.shownTicks >= kPathShownTicks) {
      playRoomSession(c);
      return true;
    }
  }
  drawRoom();
  return true;
}
