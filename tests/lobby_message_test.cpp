// The lobby's messages: every kind reads back as written, room codes take only the letters
// a player cannot misread, and every message that is not exactly one of them is turned away.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "net/lobby_message.h"

namespace {

using Bytes = std::vector<uint8_t>;

NetAddress address(uint8_t a, uint8_t b, uint8_t c, uint8_t d, uint16_t port) {
  NetAddress n;
  n.ip[0] = a, n.ip[1] = b, n.ip[2] = c, n.ip[3] = d;
  n.port = port;
  return n;
}

template <typename Encode>
Bytes encoded(Encode encode) {
  Bytes out(kMostLobbyMessageBytes);
  out.resize(encode(out.data()));
  return out;
}

LobbyMessage decoded(const Bytes& bytes) {
  LobbyMessage m;
  EXPECT_EQ(decodeLobbyMessage(bytes.data(), bytes.size(), &m), kLobbyDecoded);
  return m;
}

TEST(LobbyMessage, EveryKindReadsBackAsWritten) {
  const NetAddress self[2] = {address(192, 0, 2, 20, 5000), address(198, 51, 100, 7, 61000)};
  LobbyMessage m = decoded(encoded([&](uint8_t* o) { return encodeLobbyJoinRoom(o, "KXZQ", 2, 0xfeed, self, 2); }));
  EXPECT_EQ(m.kind, kLobbyJoinRoom);
  EXPECT_STREQ(m.code, "KXZQ");
  EXPECT_EQ(m.gameVersion, 2);
  EXPECT_EQ(m.packDigest, 0xfeedu);
  ASSERT_EQ(m.selfCount, 2);
  EXPECT_EQ(m.self[1], self[1]);

  m = decoded(encoded([&](uint8_t* o) { return encodeLobbyIntroduce(o, 1, self[0], self + 1, 1); }));
  EXPECT_EQ(m.seat, 1);
  EXPECT_EQ(m.seen, self[0]);
  EXPECT_EQ(m.self[0], self[1]);
  // A player on a WebSocket is introduced with no UDP port at all.
  m = decoded(encoded([&](uint8_t* o) { return encodeLobbyIntroduce(o, 0, address(203, 0, 113, 9, 0), nullptr, 0); }));
  EXPECT_EQ(m.seen, address(203, 0, 113, 9, 0));

  m = decoded(encoded([](uint8_t* o) { return encodeLobbyRefuse(o, kLobbyRefuseRoomFull, "ABCD"); }));
  EXPECT_EQ(m.reason, kLobbyRefuseRoomFull);
  EXPECT_STREQ(m.code, "ABCD");
  m = decoded(encoded([](uint8_t* o) { return encodeLobbyRefuse(o, kLobbyRefuseTooFast, ""); }));
  EXPECT_STREQ(m.code, "");

  Bytes welcome(kMostPacketBytes);
  welcome.resize(encodeWelcome(welcome.data(), 9, 1234, 600, 2, "world1", "stage3"));
  // The decoded welcome points into the message's bytes, so they must outlive the check.
  const Bytes plan = encoded([&](uint8_t* o) { return encodeLobbyPlan(o, welcome.data(), welcome.size()); });
  m = decoded(plan);
  EXPECT_EQ(Bytes(m.welcome, m.welcome + m.welcomeSize), welcome);

  std::vector<FeedTick> ticks(kMostFeedTicks);
  for (size_t t = 0; t < ticks.size(); ++t) ticks[t].player[t % 2] = NetCommand{static_cast<uint8_t>(t & 0x3f), 0};
  ticks[5].player[1].pressed = 0x80;  // Escape rides in the press's top bit
  m = decoded(encoded([&](uint8_t* o) { return encodeLobbyFeed(o, 1000, ticks.data(), kMostFeedTicks); }));
  EXPECT_EQ(m.first, 1000u);
  ASSERT_EQ(m.count, kMostFeedTicks);
  for (int t = 0; t < kMostFeedTicks; ++t)
    for (int p = 0; p < 2; ++p) ASSERT_EQ(m.ticks[t].player[p], ticks[t].player[p]) << t;
}

struct CodeCase {
  const char* name;
  const char* typed;
  const char* code;  // "" when it is no code
};

TEST(LobbyMessage, RoomCodesAreFourLettersNoneALookAlike) {
  const CodeCase cases[] = {
      {"upper case as given", "KXZQ", "KXZQ"},
      {"lower case as typed", "kxzq", "KXZQ"},
      {"an I looks like a one", "KIZQ", ""},
      {"an O looks like a nought", "KOZQ", ""},
      {"digits are no letters", "K0Z1", ""},
      {"three letters", "KXZ", ""},
      {"five letters", "KXZQA", ""},
      {"a space", "KX Q", ""},
  };
  for (const CodeCase& c : cases) {
    char code[kRoomCodeLetters + 1] = {};
    const bool taken = normalizeRoomCode(c.typed, code);
    EXPECT_EQ(taken, c.code[0] != '\0') << c.name;
    if (taken) EXPECT_STREQ(code, c.code) << c.name;
  }
  for (int i = 0; i < kRoomCodeAlphabetSize; ++i) {
    const char letter = kRoomCodeAlphabet[i];
    EXPECT_TRUE(letter >= 'A' && letter <= 'Z' && letter != 'I' && letter != 'O') << letter;
  }
}

struct BadCase {
  const char* name;
  Bytes bytes;
  LobbyDecodeResult expected;
};

Bytes with(Bytes b, size_t at, uint8_t value) {
  b[at] = value;
  return b;
}

Bytes cut(Bytes b, size_t size) {
  b.resize(size);
  return b;
}

Bytes plus(Bytes b, uint8_t extra) {
  b.push_back(extra);
  return b;
}

TEST(LobbyMessage, AnythingButExactlyAMessageIsTurnedAway) {
  const NetAddress self = address(192, 0, 2, 20, 5000);
  const Bytes join = encoded([&](uint8_t* o) { return encodeLobbyJoinRoom(o, "KXZQ", 2, 1, &self, 1); });
  const FeedTick tick{};
  const Bytes feed = encoded([&](uint8_t* o) { return encodeLobbyFeed(o, 0, &tick, 1); });
  const Bytes path = encoded([](uint8_t* o) { return encodeLobbyPath(o, kPathRelay); });
  Bytes bye(kMostPacketBytes);
  bye.resize(encodeBye(bye.data(), 9));
  const size_t code = kLobbyHeaderBytes, selfCount = code + 4 + 1 + 8, selfPort = selfCount + 1 + 4;
  const size_t feedCount = kLobbyHeaderBytes + 4, feedHeld = feedCount + 2;
  const BadCase cases[] = {
      {"nothing", Bytes{}, kLobbyMalformed},
      {"a game packet", bye, kLobbyMalformed},
      {"another lobby version", with(join, 4, kLobbyProtocolVersion + 1), kLobbyOtherVersion},
      {"an unknown kind", with(path, 5, kLobbyKindsEnd), kLobbyMalformed},
      {"cut short", cut(join, join.size() - 1), kLobbyMalformed},
      {"a byte too many", plus(join, 0), kLobbyMalformed},
      {"a code with an O", with(join, code + 1, 'O'), kLobbyMalformed},
      {"a code in lower case", with(join, code, 'k'), kLobbyMalformed},
      {"more own addresses than a machine reports", with(join, selfCount, kMostSelfAddresses + 1), kLobbyMalformed},
      {"an address on port 0", with(with(join, selfPort, 0), selfPort + 1, 0), kLobbyMalformed},
      {"a path neither direct nor relayed", with(path, kLobbyHeaderBytes, kPathKindsEnd), kLobbyMalformed},
      {"a feed of no ticks", with(feed, feedCount, 0), kLobbyMalformed},
      {"a feed saying more ticks than it has", with(feed, feedCount, 2), kLobbyMalformed},
      {"a feed with an action that does not exist", with(feed, feedHeld, 0x80), kLobbyMalformed},
      {"a plan that is no welcome", encoded([&](uint8_t* o) { return encodeLobbyPlan(o, bye.data(), bye.size()); }),
       kLobbyMalformed},
      {"longer than any message", Bytes(kMostLobbyMessageBytes + 1, 'B'), kLobbyOversized},
  };
  for (const BadCase& c : cases) {
    LobbyMessage m;
    EXPECT_EQ(decodeLobbyMessage(c.bytes.data(), c.bytes.size(), &m), c.expected) << c.name;
  }
}

}  // namespace
