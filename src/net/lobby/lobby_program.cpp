#include "net/lobby/lobby_program.h"

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "net/lobby/lobby.h"
#include "platform/net.h"

namespace {

constexpr int kRefused = 1;
// The loop's longest sleep while nothing comes: the clocks (expiry, quiet peers, feeds) run
// at least this often.
constexpr uint32_t kIdleWaitMs = 5;

volatile std::sig_atomic_t stopAsked = 0;

void askStop(int) { stopAsked = 1; }

// The switches' values, each a whole number; limits() turns them into the lobby's limits.
struct LobbyOptions {
  std::string bind;
  long port = kLobbyDefaultPort;
  long webSocketPort = kLobbyWebSocketPort;
  long rooms = LobbyLimits{}.rooms;
  long roomsPerAddress = LobbyLimits{}.roomsPerAddress;
  long requestsPerSecond = LobbyLimits{}.requestsPerSecond;
  long requestBurst = LobbyLimits{}.requestBurst;
  long connectionsPerAddress = LobbyLimits{}.peersPerAddress;
  long watchers = LobbyLimits{}.watchersPerRoom;
  long roomWaitSeconds = static_cast<long>(LobbyLimits{}.roomWaitMs / 1000);
};

struct NumberSwitch {
  const char* name;
  long LobbyOptions::*field;
  long most;
  const char* help;
};

const NumberSwitch kSwitches[] = {
    {"--port", &LobbyOptions::port, 65535, "UDP port to listen on (0: one the system picks)"},
    {"--ws-port", &LobbyOptions::webSocketPort, 65535, "TCP port for WebSocket clients (0: one the system picks)"},
    {"--rooms", &LobbyOptions::rooms, 100000, "rooms open at once, in all"},
    {"--rooms-per-address", &LobbyOptions::roomsPerAddress, 1000, "rooms one IP address may hold"},
    {"--requests-per-second", &LobbyOptions::requestsPerSecond, 1000,
     "room, join and watch requests per IP address and second"},
    {"--request-burst", &LobbyOptions::requestBurst, 1000, "requests one IP address may make at once"},
    {"--connections-per-address", &LobbyOptions::connectionsPerAddress, kLobbyPeers,
     "connections from one IP address at once"},
    {"--watchers", &LobbyOptions::watchers, kMostWatchersPerRoom, "watchers a room takes"},
    {"--room-wait", &LobbyOptions::roomWaitSeconds, 24 * 3600, "seconds a room waits for its joiner"},
};

LobbyLimits limits(const LobbyOptions& o) {
  LobbyLimits l;
  l.rooms = static_cast<int32_t>(o.rooms);
  l.roomsPerAddress = static_cast<int32_t>(o.roomsPerAddress);
  l.requestsPerSecond = static_cast<int32_t>(o.requestsPerSecond);
  l.requestBurst = static_cast<int32_t>(o.requestBurst);
  l.peersPerAddress = static_cast<int32_t>(o.connectionsPerAddress);
  l.watchersPerRoom = static_cast<int32_t>(o.watchers);
  l.roomWaitMs = static_cast<uint64_t>(o.roomWaitSeconds) * 1000;
  return l;
}

void printHelp() {
  const LobbyOptions d;
  std::printf(
      "brawler-lobby: pairs players by a four-letter room code, introduces them so that they can play\n"
      "directly, relays their packets when they cannot, and feeds watchers. Desktops meet it over UDP;\n"
      "pages (and desktops given a ws:// address) over WebSocket, always through the relay.\n"
      "Usage: brawler-lobby [--port PORT] [--ws-port PORT] [--bind ADDRESS] [LIMITS]\n"
      "  %-30s listen on this address only (default: every address)\n",
      "--bind ADDRESS");
  for (const NumberSwitch& s : kSwitches)
    std::printf("  %-30s %s (default %ld)\n", (std::string(s.name) + " N").c_str(), s.help, d.*s.field);
  std::printf(
      "It prints one line per room event and, when stopped (SIGTERM, SIGINT), its counts of what it\n"
      "relayed, refused and dropped.\n");
}

int refuse(const std::string& message) {
  std::fprintf(stderr, "brawler-lobby: %s\n", message.c_str());
  return kRefused;
}

bool parseWhole(const char* text, long most, long* value) {
  char* end = nullptr;
  *value = std::strtol(text, &end, 10);
  return *text != '\0' && *end == '\0' && *value >= 0 && *value <= most;
}

// False with a line for the player when a switch is unknown or its value out of range.
bool parseSwitches(int argc, char** argv, LobbyOptions* o, std::string* error) {
  for (int i = 1; i < argc; i += 2) {
    const std::string name = argv[i];
    if (i + 1 >= argc) {
      *error = name + " takes a value (see --help)";
      return false;
    }
    if (name == "--bind") {
      o->bind = argv[i + 1];
      continue;
    }
    const NumberSwitch* found = nullptr;
    for (const NumberSwitch& s : kSwitches)
      if (name == s.name) found = &s;
    long value = 0;
    if (found == nullptr) {
      *error = "no switch " + name + " (see --help)";
      return false;
    }
    if (!parseWhole(argv[i + 1], found->most, &value)) {
      *error = name + " takes a whole number from 0 to " + std::to_string(found->most);
      return false;
    }
    o->*found->field = value;
  }
  return true;
}

}  // namespace

int lobbyMain(int argc, char** argv) {
  for (int i = 1; i < argc; ++i)
    if (std::string(argv[i]) == "--help") {
      printHelp();
      return 0;
    }
  LobbyOptions o;
  std::string error;
  if (!parseSwitches(argc, argv, &o, &error)) return refuse(error);
  std::signal(SIGTERM, askStop);
  std::signal(SIGINT, askStop);
  static Lobby lobby;
  if (!lobbyStart(lobby, o.bind, static_cast<uint16_t>(o.port), static_cast<uint16_t>(o.webSocketPort), limits(o), stdout,
                  &error))
    return refuse(error);
  std::printf("lobby listening on port %u (%d rooms), websocket port %u\n", lobbyPort(lobby), lobby.limits.rooms,
              lobbyWebSocketPort(lobby));
  std::fflush(stdout);
  while (!stopAsked) {
    lobbyServe(lobby, netClockMs());
    lobbyWait(lobby, kIdleWaitMs);
  }
  std::printf("%s\n", lobbyCountsLine(lobby).c_str());
  lobbyStop(lobby);
  return 0;
}
