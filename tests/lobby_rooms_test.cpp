// The lobby's rooms: a host gets a code, a joiner with it is paired and both are introduced;
// every way a request can fail says why; a game packet reaches the other seat of the sender's
// own room unchanged and nowhere else.
#include <gtest/gtest.h>

#include <functional>

#include "lobby_driver.h"

namespace {

constexpr uint64_t kOurPack = 0x1234;
constexpr uint64_t kOtherPack = 0x9999;

std::vector<uint8_t> hostRequest(uint8_t version = kNetProtocolVersion, uint64_t pack = kOurPack) {
  std::vector<uint8_t> out(kMostLobbyMessageBytes);
  NetAddress self;
  self.ip[0] = 192, self.ip[1] = 168, self.ip[2] = 1, self.ip[3] = 20;
  self.port = 5000;
  out.resize(encodeLobbyHostRoom(out.data(), version, pack, &self, 1));
  return out;
}

std::vector<uint8_t> joinRequest(const char* code, uint8_t version = kNetProtocolVersion, uint64_t pack = kOurPack) {
  std::vector<uint8_t> out(kMostLobbyMessageBytes);
  out.resize(encodeLobbyJoinRoom(out.data(), code, version, pack, nullptr, 0));
  return out;
}

std::vector<uint8_t> watchRequest(const char* code, uint64_t pack = kOurPack) {
  std::vector<uint8_t> out(kMostLobbyMessageBytes);
  out.resize(encodeLobbyWatchRoom(out.data(), code, kNetProtocolVersion, pack));
  return out;
}

// A host that asked for a room; its code in `code`.
int openRoom(LobbyDriver& d, char* code) {
  const int host = d.connect();
  const std::vector<uint8_t> asked = hostRequest();
  d.send(host, asked.data(), asked.size());
  const LobbyMessage m = d.receiveMessage(host);
  EXPECT_EQ(m.kind, kLobbyRoom);
  std::memcpy(code, m.code, kRoomCodeLetters + 1);
  return host;
}

// What a client is told after sending `request`: the refusal's reason, 0 for none.
uint8_t answerTo(LobbyDriver& d, int client, const std::vector<uint8_t>& request) {
  d.send(client, request.data(), request.size());
  const LobbyMessage m = d.receiveMessage(client);
  return m.kind == kLobbyRefuse ? m.reason : 0;
}

TEST(LobbyRooms, AJoinerWithTheCodeIsPairedAndBothAreIntroduced) {
  LobbyDriver d;
  ASSERT_TRUE(d.start(LobbyLimits{}));
  char code[kRoomCodeLetters + 1];
  const int host = openRoom(d, code);
  EXPECT_TRUE(validRoomCode(code)) << code;
  const int joiner = d.connect();
  const std::vector<uint8_t> join = joinRequest(code);
  d.send(joiner, join.data(), join.size());

  const LobbyMessage toJoiner = d.receiveMessage(joiner);
  ASSERT_EQ(toJoiner.kind, kLobbyIntroduce);
  EXPECT_EQ(toJoiner.seat, 1);
  EXPECT_EQ(toJoiner.seen.port, netLocalPort(host));  // the host as the lobby sees it
  ASSERT_EQ(toJoiner.selfCount, 1);                    // and as it reported itself
  EXPECT_EQ(toJoiner.self[0].port, 5000);
  const LobbyMessage toHost = d.receiveMessage(host);
  ASSERT_EQ(toHost.kind, kLobbyIntroduce);
  EXPECT_EQ(toHost.seat, 0);
  EXPECT_EQ(toHost.seen.port, netLocalPort(joiner));
  EXPECT_EQ(toHost.selfCount, 0);
}

struct RefusalCase {
  const char* name;
  LobbyLimits limits;
  // Sets the room up and returns the refusal the last client got.
  std::function<uint8_t(LobbyDriver&)> run;
  uint8_t expected;
};

LobbyLimits withLimit(int32_t LobbyLimits::*field, int32_t value) {
  LobbyLimits l;
  l.*field = value;
  return l;
}

TEST(LobbyRooms, EveryRequestThatCannotBeMetSaysWhy) {
  const RefusalCase cases[] = {
      {"a code no room has", LobbyLimits{},
       [](LobbyDriver& d) {
         char code[kRoomCodeLetters + 1];
         openRoom(d, code);
         const char* other = code[0] == 'A' ? "BBBB" : "AAAA";
         return answerTo(d, d.connect(), joinRequest(other));
       },
       kLobbyRefuseNoRoom},
      {"the code of a room whose host left", LobbyLimits{},
       [](LobbyDriver& d) {
         char code[kRoomCodeLetters + 1];
         const int host = openRoom(d, code);
         netClose(host);
         d.clients.erase(d.clients.begin());
         d.serveFor(200);
         return answerTo(d, d.connect(), joinRequest(code));
       },
       kLobbyRefuseExpired},
      {"a room that waited ten minutes", LobbyLimits{},
       [](LobbyDriver& d) {
         char code[kRoomCodeLetters + 1];
         const int host = openRoom(d, code);
         d.movedMs += LobbyLimits{}.roomWaitMs;
         const LobbyMessage told = d.receiveMessage(host);
         EXPECT_EQ(told.kind, kLobbyRefuse);
         EXPECT_EQ(told.reason, kLobbyRefuseExpired);
         return answerTo(d, d.connect(), joinRequest(code));
       },
       kLobbyRefuseExpired},
      {"another protocol version", LobbyLimits{},
       [](LobbyDriver& d) {
         char code[kRoomCodeLetters + 1];
         openRoom(d, code);
         return answerTo(d, d.connect(), joinRequest(code, kNetProtocolVersion + 1));
       },
       kLobbyRefuseOtherVersion},
      {"other game data", LobbyLimits{},
       [](LobbyDriver& d) {
         char code[kRoomCodeLetters + 1];
         openRoom(d, code);
         return answerTo(d, d.connect(), joinRequest(code, kNetProtocolVersion, kOtherPack));
       },
       kLobbyRefuseOtherContent},
      {"a third player", LobbyLimits{},
       [](LobbyDriver& d) {
         char code[kRoomCodeLetters + 1];
         openRoom(d, code);
         EXPECT_EQ(answerTo(d, d.connect(), joinRequest(code)), 0);
         return answerTo(d, d.connect(), joinRequest(code));
       },
       kLobbyRefuseRoomFull},
      {"a watcher past the room's last", withLimit(&LobbyLimits::watchersPerRoom, 2),
       [](LobbyDriver& d) {
         char code[kRoomCodeLetters + 1];
         openRoom(d, code);
         for (int w = 0; w < 2; ++w) EXPECT_EQ(answerTo(d, d.connect(), watchRequest(code)), 0);
         return answerTo(d, d.connect(), watchRequest(code));
       },
       kLobbyRefuseWatchersFull},
      {"a watcher with other game data", LobbyLimits{},
       [](LobbyDriver& d) {
         char code[kRoomCodeLetters + 1];
         openRoom(d, code);
         return answerTo(d, d.connect(), watchRequest(code, kOtherPack));
       },
       kLobbyRefuseOtherContent},
      {"one room too many from one address", withLimit(&LobbyLimits::roomsPerAddress, 2),
       [](LobbyDriver& d) {
         char code[kRoomCodeLetters + 1];
         openRoom(d, code);
         openRoom(d, code);
         return answerTo(d, d.connect(), hostRequest());
       },
       kLobbyRefuseTooManyRooms},
      {"one room too many in the lobby", withLimit(&LobbyLimits::rooms, 2),
       [](LobbyDriver& d) {
         char code[kRoomCodeLetters + 1];
         openRoom(d, code);
         openRoom(d, code);
         return answerTo(d, d.connect(), hostRequest());
       },
       kLobbyRefuseLobbyFull},
      {"requests faster than an address may ask", withLimit(&LobbyLimits::requestBurst, 2),
       [](LobbyDriver& d) {
         const char* code = "ZZZZ";
         EXPECT_EQ(answerTo(d, d.connect(), joinRequest(code)), kLobbyRefuseNoRoom);
         EXPECT_EQ(answerTo(d, d.connect(), joinRequest(code)), kLobbyRefuseNoRoom);
         return answerTo(d, d.connect(), joinRequest(code));
       },
       kLobbyRefuseTooFast},
  };
  for (const RefusalCase& c : cases) {
    SCOPED_TRACE(c.name);
    LobbyDriver d;
    LobbyLimits limits = c.limits;
    limits.requestsPerSecond = 0;  // no refill: the burst is all an address has in a test
    if (c.expected != kLobbyRefuseTooFast) limits.requestBurst = 100;
    ASSERT_TRUE(d.start(limits));
    EXPECT_EQ(c.run(d), c.expected);
  }
}

// The lobby routes by its own record: a game packet from the host reaches the joiner with its
// bytes and its channel as sent, and one from anybody without a seat goes nowhere.
TEST(LobbyRooms, AGamePacketReachesOnlyTheOtherSeatOfItsSendersRoom) {
  LobbyDriver d;
  ASSERT_TRUE(d.start(LobbyLimits{}));
  char code[kRoomCodeLetters + 1];
  const int host = openRoom(d, code);
  const int joiner = d.connect();
  const std::vector<uint8_t> join = joinRequest(code);
  d.send(joiner, join.data(), join.size());
  ASSERT_EQ(d.receiveMessage(joiner).kind, kLobbyIntroduce);
  ASSERT_EQ(d.receiveMessage(host).kind, kLobbyIntroduce);

  std::vector<uint8_t> bye(kMostPacketBytes);
  bye.resize(encodeBye(bye.data(), 0xabcdef));
  // A stranger with no seat, and a watcher of the room, send the same packet first.
  const int stranger = d.connect();
  const int watcher = d.connect();
  const std::vector<uint8_t> watch = watchRequest(code);
  d.send(watcher, watch.data(), watch.size());
  ASSERT_EQ(d.receiveMessage(watcher).kind, kLobbyWatching);
  d.send(stranger, bye.data(), bye.size());
  d.send(watcher, bye.data(), bye.size());
  d.serveFor(100);
  EXPECT_EQ(d.lobby.counts.unseatedGame, 2);
  EXPECT_EQ(d.lobby.counts.relayedPackets, 0);

  d.send(host, bye.data(), bye.size(), kNetChannelInputs);
  EXPECT_EQ(d.receive(joiner), bye);
  d.send(joiner, bye.data(), bye.size());
  EXPECT_EQ(d.receive(host), bye);
  EXPECT_EQ(d.lobby.counts.relayedPackets, 2);
}

// A connection that asks for nothing is let go after its time; one that sends nothing but
// garbage is let go after its strikes.
TEST(LobbyRooms, QuietAndGarbageConnectionsAreLetGoAndCounted) {
  LobbyDriver d;
  LobbyLimits limits;
  limits.strikes = 3;
  ASSERT_TRUE(d.start(limits));
  d.connect();
  const int noisy = d.connect();
  const uint8_t garbage[] = {'B', 'R', 'W', 'L', kLobbyProtocolVersion, 99, 7};
  for (int i = 0; i < 3; ++i) d.send(noisy, garbage, sizeof garbage);
  d.serveFor(100);
  EXPECT_EQ(d.lobby.counts.garbage, 3);
  EXPECT_EQ(d.lobby.counts.struckOut, 1);
  d.movedMs += limits.quietPeerMs;
  d.serveFor(100);
  EXPECT_EQ(d.lobby.counts.quietLetGo, 1) << lobbyCountsLine(d.lobby);
}

// ---- WebSocket clients ---------------------------------------------------------------------

struct KindsCase {
  const char* name;
  bool hostOnWebSocket;
  bool joinerOnWebSocket;
};

// A player on a WebSocket has no UDP path: the other is told so (port 0, no addresses of its
// own, whatever it claimed) and relays at once; the relay carries each packet between the two
// kinds with its bytes and channel as sent.
TEST(LobbyRooms, EveryPairingOfUdpAndWebSocketPlayersIsIntroducedAndRelayed) {
  const KindsCase cases[] = {
      {"UDP host, WebSocket joiner", false, true},
      {"WebSocket host, UDP joiner", true, false},
      {"both on WebSockets", true, true},
  };
  for (const KindsCase& c : cases) {
    SCOPED_TRACE(c.name);
    LobbyDriver d;
    ASSERT_TRUE(d.start(LobbyLimits{}));
    const int host = d.connect(c.hostOnWebSocket);
    const int joiner = d.connect(c.joinerOnWebSocket);
    ASSERT_GE(host, 0);
    ASSERT_GE(joiner, 0);
    const std::vector<uint8_t> asked = hostRequest();
    d.send(host, asked.data(), asked.size());
    const LobbyMessage room = d.receiveMessage(host);
    ASSERT_EQ(room.kind, kLobbyRoom);
    const std::vector<uint8_t> join = joinRequest(room.code);
    d.send(joiner, join.data(), join.size());

    const LobbyMessage toJoiner = d.receiveMessage(joiner);
    ASSERT_EQ(toJoiner.kind, kLobbyIntroduce);
    EXPECT_EQ(toJoiner.seen.port, c.hostOnWebSocket ? 0 : netLocalPort(host));
    EXPECT_EQ(toJoiner.selfCount, c.hostOnWebSocket ? 0 : 1);
    const LobbyMessage toHost = d.receiveMessage(host);
    ASSERT_EQ(toHost.kind, kLobbyIntroduce);
    EXPECT_EQ(toHost.seen.port, c.joinerOnWebSocket ? 0 : netLocalPort(joiner));

    std::vector<uint8_t> bye(kMostPacketBytes);
    bye.resize(encodeBye(bye.data(), 0x5eed));
    for (int channel : {kNetChannelInputs, kNetChannelSetup}) {
      int got = -1;
      d.send(host, bye.data(), bye.size(), channel);
      EXPECT_EQ(d.receive(joiner, &got), bye);
      EXPECT_EQ(got, channel);
      d.send(joiner, bye.data(), bye.size(), channel);
      EXPECT_EQ(d.receive(host, &got), bye);
      EXPECT_EQ(got, channel);
    }
    EXPECT_EQ(d.lobby.counts.relayedPackets, 4);
  }
}

// One address cannot hold twice its share of connections by using both kinds.
TEST(LobbyRooms, AnAddressesConnectionsAreCountedAcrossBothKinds) {
  LobbyDriver d;
  LobbyLimits limits;
  limits.peersPerAddress = 2;
  ASSERT_TRUE(d.start(limits));
  ASSERT_GE(d.connect(false), 0);
  ASSERT_GE(d.connect(true), 0);
  std::string error;
  const int moreUdp = netConnect("127.0.0.1", lobbyPort(d.lobby), &error);
  const int moreWebSocket = netConnectWebSocket("ws://127.0.0.1:" + std::to_string(lobbyWebSocketPort(d.lobby)), &error);
  d.clients.push_back(moreUdp);
  d.clients.push_back(moreWebSocket);
  bool webSocketClosed = false;
  for (int i = 0; i < kLobbyDriverSteps && !(webSocketClosed && d.lobby.counts.crowded == 2); ++i) {
    d.step();
    NetEvent e;
    while (netPoll(moreUdp, &e)) {
    }
    while (netPoll(moreWebSocket, &e)) webSocketClosed = webSocketClosed || e.type == kNetDisconnected;
  }
  EXPECT_TRUE(webSocketClosed);
  EXPECT_EQ(d.lobby.counts.crowded, 2) << lobbyCountsLine(d.lobby);
}

}  // namespace
