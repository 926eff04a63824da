// The WebSocket endpoints on the loopback: packets cross unchanged on their channels, and
// every way a client can break the framing, the handshake or the limits closes that client
// and no other.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "platform/net.h"
#include "raw_websocket.h"

namespace {

constexpr size_t kLargest = 1200;

// ---- addresses ---------------------------------------------------------------------------

struct UrlCase {
  const char* name;
  const char* url;
  bool valid;
  bool secure;
  const char* host;
  uint16_t port;
  const char* path;
};

TEST(WebSocketUrl, AnAddressIsTakenApartOrTurnedAway) {
  const UrlCase cases[] = {
      {"host and port", "ws://127.0.0.1:7709", true, false, "127.0.0.1", 7709, "/"},
      {"no port is the web's own", "ws://lobby.example.org", true, false, "lobby.example.org", 80, "/"},
      {"secure without a port", "wss://lobby.example.org", true, true, "lobby.example.org", 443, "/"},
      {"a path is kept", "wss://example.org:8443/brawler/lobby", true, true, "example.org", 8443, "/brawler/lobby"},
      {"IPv6 in brackets keeps its colons", "ws://[::1]:7709", true, false, "[::1]", 7709, "/"},
      {"UDP lobby address", "127.0.0.1:7708", false},
      {"other scheme", "http://example.org", false},
      {"no host", "ws://:7709", false},
      {"port zero", "ws://example.org:0", false},
      {"port past 65535", "ws://example.org:65536", false},
      {"port not a number", "ws://example.org:77o9", false},
      {"empty port", "ws://example.org:", false},
      {"credentials", "ws://user@example.org", false},
  };
  for (const UrlCase& c : cases) {
    SCOPED_TRACE(c.name);
    WebSocketUrl u;
    ASSERT_EQ(netParseWebSocketUrl(c.url, &u), c.valid);
    if (!c.valid) continue;
    EXPECT_EQ(u.secure, c.secure);
    EXPECT_EQ(u.host, c.host);
    EXPECT_EQ(u.port, c.port);
    EXPECT_EQ(u.path, c.path);
  }
}

// ---- a listener and its clients ------------------------------------------------------------

struct Listener {
  int endpoint = -1;
  uint16_t port = 0;
  std::vector<NetEvent> events;  // every event, bytes dropped
  std::vector<std::vector<uint8_t>> packets;
  std::vector<int> channels;
  int connected = 0, disconnected = 0, oversized = 0;

  explicit Listener(int peersPerAddress = 8) {
    std::string error;
    endpoint = netListenWebSocket("127.0.0.1", 0, 16, peersPerAddress, kLargest, &error);
    port = netLocalPort(endpoint);
  }
  ~Listener() { netClose(endpoint); }
  void serve() {
    NetEvent e;
    netWait(endpoint, 1);
    while (netPoll(endpoint, &e)) {
      connected += e.type == kNetConnected;
      disconnected += e.type == kNetDisconnected;
      if (e.type == kNetReceived && e.data == nullptr) ++oversized;
      if (e.type == kNetReceived && e.data != nullptr) {
        packets.emplace_back(e.data, e.data + e.size);
        channels.push_back(e.channel);
      }
      e.data = nullptr;
      events.push_back(e);
    }
  }
};

// A client of this game's own, connected; -1 when it never is.
int connectClient(Listener& l) {
  std::string error;
  const int c = netConnectWebSocket("ws://127.0.0.1:" + std::to_string(l.port), &error);
  NetEvent e;
  for (int i = 0; c >= 0 && i < kRawWaitPolls; ++i) {
    l.serve();
    while (netPoll(c, &e))
      if (e.type == kNetConnected) return c;
  }
  return -1;
}

TEST(WebSocketNet, PacketsCrossEachWayOnTheirChannelsUnchanged) {
  Listener l;
  ASSERT_GE(l.endpoint, 0);
  const int c = connectClient(l);
  ASSERT_GE(c, 0);
  const std::vector<uint8_t> largest(kLargest, 0xab);
  const std::vector<uint8_t> small = {'B', 'R', 'W', 'N', 0, 1};
  netSend(c, 0, kNetChannelInputs, small.data(), small.size());
  netSend(c, 0, kNetChannelSetup, largest.data(), largest.size());
  netSend(c, 0, kNetChannelSetup, nullptr, 0);
  RawWebSocket none;
  ASSERT_TRUE(none.waitFor([&] { l.serve(); }, [&] { return l.packets.size() == 3; }));
  EXPECT_EQ(l.packets[0], small);
  EXPECT_EQ(l.channels[0], kNetChannelInputs);
  EXPECT_EQ(l.packets[1], largest);
  EXPECT_EQ(l.channels[1], kNetChannelSetup);
  EXPECT_TRUE(l.packets[2].empty());
  EXPECT_EQ(l.oversized, 0);

  // And back, to the client's one peer.
  netSend(l.endpoint, 0, kNetChannelInputs, small.data(), small.size());
  std::vector<uint8_t> got;
  int channel = -1;
  ASSERT_TRUE(none.waitFor([&] { l.serve(); },
                           [&] {
                             NetEvent e;
                             while (netPoll(c, &e))
                               if (e.type == kNetReceived && e.data) {
                                 got.assign(e.data, e.data + e.size);
                                 channel = e.channel;
                               }
                             return !got.empty();
                           }));
  EXPECT_EQ(got, small);
  EXPECT_EQ(channel, kNetChannelInputs);
  const NetCounters counters = netCounters(c);
  EXPECT_EQ(counters.packetsSent, 3u);
  EXPECT_EQ(counters.bytesSent, small.size() + largest.size());
  netClose(c);
  EXPECT_TRUE(none.waitFor([&] { l.serve(); }, [&] { return l.disconnected == 1; }));
}

// What a client that has finished its handshake sends, and whether the listener keeps it.
struct FrameCase {
  const char* name;
  std::vector<std::pair<int, std::vector<uint8_t>>> frames;  // opcode and payload; opcode | 0x100: not final
  bool kept;
  size_t packets;  // the listener receives
  int oversized;
};

TEST(WebSocketNet, FramesThatAreNotAChannelsPacketCloseTheirConnection) {
  const std::vector<uint8_t> tooBig(kLargest + 2, 0);  // the channel's byte and one past the largest
  const std::vector<uint8_t> justFits(kLargest + 1, 0);
  const FrameCase cases[] = {
      {"a packet on each channel", {{2, {0, 'a'}}, {2, {1, 'b'}}}, true, 2, 0},
      {"the largest packet", {{2, justFits}}, true, 1, 0},
      {"a packet in two frames", {{0x102, {1, 'a'}}, {0, {'b'}}}, true, 1, 0},
      {"a ping between packets", {{2, {0}}, {9, {}}, {2, {1}}}, true, 2, 0},
      {"a byte past the largest", {{2, tooBig}}, false, 0, 1},
      {"text", {{1, {0, 'a'}}}, false, 0, 0},
      {"an empty message", {{2, {}}}, false, 0, 0},
      {"no such channel", {{2, {2, 'a'}}}, false, 0, 0},
  };
  for (const FrameCase& c : cases) {
    SCOPED_TRACE(c.name);
    Listener l;
    RawWebSocket raw;
    ASSERT_TRUE(raw.connectTo(l.port));
    ASSERT_TRUE(raw.handshake([&] { l.serve(); })) << raw.received;
    for (const auto& f : c.frames) raw.sendFrame(f.first & 0xff, f.second, (f.first & 0x100) == 0);
    // A packet of its own after them shows the connection still open once it arrives.
    if (c.kept) raw.sendFrame(2, {0, 'z'});
    if (c.kept)
      EXPECT_TRUE(raw.waitFor([&] { l.serve(); }, [&] { return l.packets.size() == c.packets + 1; }));
    else
      EXPECT_TRUE(raw.waitFor([&] { l.serve(); }, [&] { return raw.closed && l.disconnected == 1; }));
    EXPECT_EQ(l.packets.size(), c.packets + (c.kept ? 1 : 0));
    EXPECT_EQ(l.oversized, c.oversized);
    EXPECT_EQ(l.disconnected, c.kept ? 0 : 1);
  }
}

struct HandshakeCase {
  const char* name;
  std::string request;  // "" sends nothing at all
  bool accepted;
};

TEST(WebSocketNet, OnlyAFinishedHandshakeNamingTheGamesProtocolIsTakenIn) {
  const HandshakeCase cases[] = {
      {"ours among others", RawWebSocket::upgrade("chat, brawler"), true},
      {"no subprotocol", RawWebSocket::upgrade(""), false},
      {"another subprotocol", RawWebSocket::upgrade("chat"), false},
      {"a plain web request", "GET / HTTP/1.1\r\nHost: 127.0.0.1\r\n\r\n", false},
      {"headers never finished", "GET / HTTP/1.1\r\nHost: 127.0.0.1\r\nUpgrade: websocket\r\n", false},
      {"silence", "", false},
  };
  for (const HandshakeCase& c : cases) {
    SCOPED_TRACE(c.name);
    Listener l;
    RawWebSocket raw;
    ASSERT_TRUE(raw.connectTo(l.port));
    raw.sendText(c.request);
    if (c.accepted) {
      EXPECT_TRUE(raw.waitFor([&] { l.serve(); }, [&] { return l.connected == 1; }));
      EXPECT_EQ(raw.received.rfind("HTTP/1.1 101", 0), 0u) << raw.received;
      continue;
    }
    // Turned away or timed out: closed either way, and the game never heard of it.
    EXPECT_TRUE(raw.waitForClose([&] { l.serve(); }));
    EXPECT_EQ(l.connected, 0);
    EXPECT_EQ(l.disconnected, 0);
  }
}

TEST(WebSocketNet, AnAddressHoldsNoMoreConnectionsThanItMay) {
  Listener l(2);
  RawWebSocket first, second, third;
  for (RawWebSocket* raw : {&first, &second}) {
    ASSERT_TRUE(raw->connectTo(l.port));
    ASSERT_TRUE(raw->handshake([&] { l.serve(); }));
  }
  ASSERT_TRUE(third.connectTo(l.port));
  third.sendText(RawWebSocket::upgrade("brawler"));
  EXPECT_TRUE(third.waitForClose([&] { l.serve(); }));
  EXPECT_EQ(l.connected, 2);
  // One goes, and its place is free again.
  close(first.fd);
  first.fd = -1;
  ASSERT_TRUE(third.waitFor([&] { l.serve(); }, [&] { return l.disconnected == 1; }));
  RawWebSocket fourth;
  ASSERT_TRUE(fourth.connectTo(l.port));
  EXPECT_TRUE(fourth.handshake([&] { l.serve(); }));
}

TEST(WebSocketNet, AReaderThatFallsTooFarBehindIsLetGo) {
  Listener l;
  RawWebSocket raw;
  ASSERT_TRUE(raw.connectTo(l.port, 4096));
  ASSERT_TRUE(raw.handshake([&] { l.serve(); }));
  // It never reads again: the socket's buffers fill, then the queue, then it is let go.
  const std::vector<uint8_t> packet(kLargest, 7);
  int sent = 0;
  for (; sent < 20000 && l.disconnected == 0; ++sent) {
    netSend(l.endpoint, 0, kNetChannelInputs, packet.data(), packet.size());
    EXPECT_LE(netQueuedBytes(l.endpoint, 0), kNetWebSocketMostQueuedBytes);
    l.serve();
  }
  EXPECT_EQ(l.disconnected, 1) << sent << " packets sent";
  // Not before its queue had passed the bound.
  EXPECT_GT(static_cast<size_t>(sent), kNetWebSocketMostQueuedBytes / packet.size());
}

}  // namespace
