// A lobby served inside the test process on the loopback, on a clock the test moves, and
// clients that speak to it through the same network seam as the game: each step serves the
// lobby once and looks at the clients, so a test waits for a message in bounded steps.
#pragma once
#include <cstring>
#include <string>
#include <vector>

#include "net/lobby/lobby.h"
#include "net/lobby_message.h"
#include "platform/net.h"

// The most steps a test waits for one message: about five seconds on any machine.
constexpr int kLobbyDriverSteps = 5000;

struct LobbyDriver {
  Lobby lobby;
  uint64_t clockMs = 0;  // the lobby's clock: the real one plus whatever the test moved it on
  uint64_t movedMs = 0;
  std::vector<int> clients;

  bool start(const LobbyLimits& limits) {
    std::string error;
    return lobbyStart(lobby, "127.0.0.1", 0, 0, limits, getenv("LOBBYLOG") ? stderr : nullptr, &error);
  }
  ~LobbyDriver() {
    for (int c : clients) netClose(c);
    lobbyStop(lobby);
  }
  void step() {
    clockMs = netClockMs() + movedMs;
    lobbyServe(lobby, clockMs);
    lobbyWait(lobby, 1);
  }
  // A client connected to the lobby (its one peer is 0) over UDP or a WebSocket, or -1.
  int connect(bool webSocket = false) {
    std::string error;
    const int c = webSocket ? netConnectWebSocket("ws://127.0.0.1:" + std::to_string(lobbyWebSocketPort(lobby)), &error)
                            : netConnect("127.0.0.1", lobbyPort(lobby), &error);
    if (c < 0) return -1;
    clients.push_back(c);
    for (int i = 0; i < kLobbyDriverSteps; ++i) {
      step();
      NetEvent e;
      if (netPoll(c, &e) && e.type == kNetConnected) {
        // The client's acknowledgement goes out on its next poll: only then has the lobby
        // its connection too.
        for (int k = 0; k < 20; ++k) {
          step();
          netPoll(c, &e);
        }
        return c;
      }
    }
    return -1;
  }
  void send(int client, const uint8_t* data, size_t size, int channel = kNetChannelSetup) {
    netSend(client, 0, channel, data, size);
  }
  // The next message the client receives (its bytes, and its channel in *channel), or empty
  // after the bound or a goodbye.
  std::vector<uint8_t> receive(int client, int* channel = nullptr) {
    for (int i = 0; i < kLobbyDriverSteps; ++i) {
      step();
      NetEvent e;
      while (netPoll(client, &e)) {
        if (e.type == kNetDisconnected) return {};
        if (channel != nullptr) *channel = e.channel;
        if (e.type == kNetReceived && e.data != nullptr) return std::vector<uint8_t>(e.data, e.data + e.size);
      }
    }
    return {};
  }
  // The next lobby message, decoded; kind 0 when none came.
  LobbyMessage receiveMessage(int client) {
    LobbyMessage m;
    const std::vector<uint8_t> bytes = receive(client);
    if (bytes.empty() || decodeLobbyMessage(bytes.data(), bytes.size(), &m) != kLobbyDecoded) m.kind = 0;
    return m;
  }
  // Serves the lobby for `steps` steps, leaving whatever the clients receive unread.
  void serveFor(int steps) {
    for (int i = 0; i < steps; ++i) step();
  }
  // Whether the client's connection closes within the bound.
  bool closes(int client) {
    for (int i = 0; i < kLobbyDriverSteps; ++i) {
      step();
      NetEvent e;
      while (netPoll(client, &e))
        if (e.type == kNetDisconnected) return true;
    }
    return false;
  }
};
