// Hostile machines against a host while an honest fight runs: whatever a third party sends,
// however many times it connects, the fight ends as it would have without it. Loopback only;
// every attack is a bounded number of packets.
#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <regex>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "net/pack_list.h"
#include "net/packet.h"
#include "net/session.h"
#include "platform/net.h"
#include "replay_program.h"
#include "sim/recording.h"

namespace {

constexpr int kRunBoundMs = 90000;
constexpr int kConnectBoundMs = 3000;
constexpr int kTicks = 600;

std::string lineStartingWith(const std::string& out, const std::string& start) {
  std::istringstream in(out);
  for (std::string line; std::getline(in, line);)
    if (line.rfind(start, 0) == 0) return line;
  return "";
}

// A connection of the attacker's own to the host; closed when it goes.
struct Attacker {
  int endpoint = -1;
  bool connected = false;
  Attacker(uint16_t port) {
    std::string error;
    endpoint = netConnect("127.0.0.1", port, &error);
    const auto bound = std::chrono::steady_clock::now() + std::chrono::milliseconds(kConnectBoundMs);
    while (endpoint >= 0 && !connected && std::chrono::steady_clock::now() < bound) {
      take();
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
  }
  ~Attacker() { netClose(endpoint); }
  void take() {
    NetEvent e;
    while (netPoll(endpoint, &e)) connected = connected || e.type == kNetConnected;
  }
  void send(const std::vector<uint8_t>& bytes, int channel = kNetChannelInputs) {
    netSend(endpoint, 0, channel, bytes.data(), bytes.size());
  }
};

std::vector<uint8_t> encoded(const std::function<size_t(uint8_t*)>& encode) {
  std::vector<uint8_t> out(kMostPacketBytes);
  out.resize(encode(out.data()));
  return out;
}

// A packet of the game's header with any body, for what no encoder would write.
std::vector<uint8_t> headed(uint8_t kind, uint32_t session, const std::vector<uint8_t>& body) {
  std::vector<uint8_t> out = {'B', 'R', 'W', 'N', kNetProtocolVersion, kind};
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(session >> (8 * i)));
  out.insert(out.end(), body.begin(), body.end());
  return out;
}

std::vector<uint8_t> inputsFrom(uint32_t session, uint32_t sequence, uint32_t first, uint32_t senderTick) {
  const NetCommand commands[3] = {{1u << 3, 1u << 3}, {1u << 3, 0}, {1u << 4, 1u << 4}};
  return encoded([&](uint8_t* out) {
    return encodeInputs(out, session, InputsHeader{sequence, first, senderTick, 0, first}, commands, 3);
  });
}

// Noise of a fixed generator: the same attack every run.
std::vector<uint8_t> noise(uint32_t* state, size_t size) {
  std::vector<uint8_t> out(size);
  for (uint8_t& b : out) {
    *state = *state * 1664525u + 1013904223u;
    b = static_cast<uint8_t>(*state >> 24);
  }
  return out;
}

// Each kind of hostile traffic, sent at the host from connections of its own. Before the fight
// a caller's packets reach the session, which must drop them; once the seat is taken, callers
// are turned away at once, so few of their packets get that far. Either way the fight is the
// same. A hello with the right content takes the seat before the fight: that one is only sent
// during it.
struct Attack {
  const char* name;
  bool beforeTheFightToo;
  std::function<void(uint16_t port)> run;
};

const std::vector<Attack>& attacks() {
  static const std::vector<Attack> all = {
      {"Garbage", true,
       [](uint16_t port) {
         Attacker a(port);
         uint32_t state = 7;
         for (int i = 0; i < 40; ++i) a.send(noise(&state, 1 + state % 300), i % 2);
         a.send({});
         a.send(std::vector<uint8_t>(kNetMostBytes + 1, 0xee), kNetChannelSetup);
         a.send(headed(0, 0, {}));
         a.send(headed(kPacketKindsEnd, 0, {1, 2, 3}));
       }},
      {"ForgedSessionIds", true,
       [](uint16_t port) {
         Attacker a(port);
         for (uint32_t id = 1; id < 40; ++id) {
           a.send(inputsFrom(id * 2654435761u, id, 0, 0));
           a.send(encoded([&](uint8_t* out) { return encodeBye(out, id * 2654435761u); }), kNetChannelSetup);
           a.send(encoded([&](uint8_t* out) { return encodeCheck(out, id * 2654435761u, kCheckEvery, id); }),
                  kNetChannelSetup);
         }
       }},
      {"AThirdPartyClaimingASeat", false,
       [](uint16_t port) {
         const PackList pack = listPack(BRAWLER_CONTENT_DIR);
         Attacker a(port);
         a.send(encoded([&](uint8_t* out) { return encodeHello(out, pack.digest, pack.lines.data(), pack.lines.size()); }),
                kNetChannelSetup);
         a.send(encoded([](uint8_t* out) { return encodeWelcome(out, 1, 2, 3, 4, "world1", "stage1"); }),
                kNetChannelSetup);
         a.send(encoded([](uint8_t* out) { return encodeRefuse(out, 0, kRefuseFull, "", 0); }), kNetChannelSetup);
         for (uint32_t s = 1; s < 20; ++s) a.send(inputsFrom(0, s, kDefaultInputDelay, 0));
         a.send(encoded([](uint8_t* out) { return encodeBye(out, 0); }), kNetChannelSetup);
       }},
      {"Replayed", true,
       [](uint16_t port) {
         Attacker a(port);
         const std::vector<uint8_t> once = inputsFrom(0, 1, kDefaultInputDelay, 0);
         const std::vector<uint8_t> check = encoded([](uint8_t* out) { return encodeCheck(out, 0, kCheckEvery, 1); });
         for (int i = 0; i < 60; ++i) a.send(i % 3 == 0 ? check : once, i % 3 == 0 ? kNetChannelSetup : kNetChannelInputs);
       }},
      {"FarFutureTicks", true,
       [](uint16_t port) {
         Attacker a(port);
         for (uint32_t far : {1u << 20, 1u << 31, UINT32_MAX - 3}) {
           a.send(inputsFrom(0, far & 0xffff, far, far));
           a.send(inputsFrom(0, 2, 0, far));
           a.send(encoded([&](uint8_t* out) { return encodeCheck(out, 0, far / kCheckEvery * kCheckEvery, 1); }),
                  kNetChannelSetup);
         }
       }},
      {"CountsPastTheirLimits", true,
       [](uint16_t port) {
         Attacker a(port);
         // Inputs runs adding up past a packet's most, a content list longer than any, a name
         // longer than any, a refusal of no known reason.
         std::vector<uint8_t> runs = {1, 0, 0, 0, 0, 0};
         for (int i = 0; i < 3; ++i) runs.insert(runs.end(), {40, 1});
         a.send(headed(kPacketInputs, 0, runs));
         a.send(headed(kPacketHello, 0, {0, 0, 0, 0, 0, 0, 0, 0, 0xff, 0xff, 0xff, 0x7f}), kNetChannelSetup);
         std::vector<uint8_t> longName = {0, 0, 0, 0, 0, 0, 0, 0, 2, 200};
         longName.resize(longName.size() + 200, 'a');
         a.send(headed(kPacketWelcome, 0, longName), kNetChannelSetup);
         a.send(headed(kPacketRefuse, 0, {kRefuseReasonsEnd, 0, 0, 0, 0}), kNetChannelSetup);
       }},
      {"AFloodOfConnections", true,
       [](uint16_t port) {
         // More at once than the host has room for, then one after another.
         {
           Attacker a(port), b(port), c(port);
         }
         for (int i = 0; i < 12; ++i) Attacker one(port);
       }},
  };
  return all;
}

// The honest pair's controls are the recording's; a third party must change none of them.
TEST(HostilePeers, AFightUnderEveryKindOfHostileTrafficEndsAsAnUnattackedOneDoes) {
  const std::string fight = std::string(BRAWLER_REPLAYS) + "/stage1.replay";
  const std::string dir = makeEmptyDir();
  const std::vector<std::string> common = {"--inputs", fight, "--ticks", std::to_string(kTicks)};
  std::vector<std::string> hostArgs = {"netplay", "--host", "127.0.0.1:0", "--out", dir + "/host.replay"};
  std::vector<std::string> joinerArgs = {"--out", dir + "/joiner.replay"};
  hostArgs.insert(hostArgs.end(), common.begin(), common.end());
  joinerArgs.insert(joinerArgs.end(), common.begin(), common.end());
  ChildProcess host, joiner;
  ASSERT_TRUE(startChild(replayProgram(hostArgs), &host));
  std::smatch port;
  ASSERT_TRUE(waitForOutput(&host, "netplay hosting on port ", 30000) && waitForOutput(&host, "\n", 5000));
  ASSERT_TRUE(std::regex_search(host.out, port, std::regex("hosting on port ([0-9]+)\n"))) << host.out;
  const uint16_t hostPort = static_cast<uint16_t>(std::stoi(port[1].str()));
  for (const Attack& attack : attacks()) {
    SCOPED_TRACE(std::string("before the fight: ") + attack.name);
    if (attack.beforeTheFightToo) attack.run(hostPort);
    ASSERT_TRUE(stillRunningAfter(&host, 0)) << host.out;
  }
  joinerArgs.insert(joinerArgs.begin(), {"netplay", "--join", "127.0.0.1:" + port[1].str()});
  ASSERT_TRUE(startChild(replayProgram(joinerArgs), &joiner));
  ASSERT_TRUE(waitForOutput(&host, "netplay playing", 30000)) << host.out;
  for (const Attack& attack : attacks()) {
    SCOPED_TRACE(std::string("during the fight: ") + attack.name);
    attack.run(hostPort);
    EXPECT_TRUE(stillRunningAfter(&host, 0)) << host.out;
  }

  const ChildResult hostEnd = finishChild(&host, kRunBoundMs);
  const ChildResult joinerEnd = finishChild(&joiner, kRunBoundMs);
  ASSERT_EQ(hostEnd.exitCode, 0) << hostEnd.out;
  ASSERT_EQ(joinerEnd.exitCode, 0) << joinerEnd.out;
  // The attacks reached the session, which dropped what it could not use.
  std::smatch dropped;
  ASSERT_TRUE(std::regex_search(hostEnd.out, dropped, std::regex("dropped ([0-9]+);"))) << hostEnd.out;
  EXPECT_GT(std::stol(dropped[1].str()), 0) << hostEnd.out;
  const std::string agreedText = fileText(dir + "/host.replay");
  EXPECT_EQ(agreedText, fileText(dir + "/joiner.replay"));
  // Every agreed command is the recording's (none before the input delay has gone by), and the
  // worlds end where a plain replay does.
  Recording recorded, agreed;
  std::string error;
  ASSERT_TRUE(loadRecording(fight, BRAWLER_CONTENT_DIR, &recorded, &error)) << error;
  ASSERT_TRUE(parseRecording(agreedText, &agreed, &error)) << error;
  ASSERT_EQ(agreed.ticks.size(), static_cast<size_t>(kTicks));
  for (int t = 0; t < kTicks; ++t)
    for (int p = 0; p < 2; ++p) {
      const bool pressable = t >= kDefaultInputDelay;
      ASSERT_EQ(agreed.ticks[t].held[p], pressable ? recorded.ticks[t].held[p] : 0) << "tick " << t << " player " << p + 1;
      ASSERT_EQ(agreed.ticks[t].pressed[p], pressable ? recorded.ticks[t].pressed[p] : 0)
          << "tick " << t << " player " << p + 1;
    }
  const std::string end = lineStartingWith(hostEnd.out, "end ");
  EXPECT_EQ(lineStartingWith(joinerEnd.out, "end "), end);
  const ChildResult replayed = runChild(replayProgram({"digest", dir + "/host.replay"}), kRunBoundMs);
  EXPECT_EQ(lineStartingWith(replayed.out, "end "), end) << replayed.out;
  std::remove((dir + "/host.replay").c_str());
  std::remove((dir + "/joiner.replay").c_str());
  std::remove(dir.c_str());
}

// The arcade waiting for its other player: a caller that hangs up before its hello is
// forgotten, and the next one, greeting properly, is seated.
TEST(HostilePeers, TheArcadeStillWaitsAfterACallerHangsUpAndSeatsTheNext) {
  if (testDisplay().empty()) GTEST_SKIP() << "no X display";
  ChildOptions options;
  options.program = BRAWLER_ARCADE_BINARY;
  options.workDir = BRAWLER_CONTENT_DIR;
  const std::string own = makeEmptyDir();
  options.setEnv = {{"SDL_AUDIODRIVER", "dummy"}, {"ASAN_OPTIONS", "detect_leaks=0"}, {"XDG_DATA_HOME", own}};
  options.args = {"--settings", own + "/settings.txt", "--scores", own + "/scores.txt", "--host", "0"};
  ChildProcess host;
  ASSERT_TRUE(startWhenReady(options, "arcade: online waiting on port ", &host)) << host.out;
  std::smatch port;
  ASSERT_TRUE(waitForOutput(&host, "\n", 30000) &&
              std::regex_search(host.out, port, std::regex("waiting on port ([0-9]+)\n")))
      << host.out;
  const uint16_t hostPort = static_cast<uint16_t>(std::stoi(port[1].str()));
  {
    Attacker hangsUp(hostPort);
    EXPECT_TRUE(hangsUp.connected);
  }
  const PackList pack = listPack(BRAWLER_CONTENT_DIR);
  NetSession joiner;
  std::string error;
  ASSERT_TRUE(sessionJoin(joiner, "127.0.0.1", hostPort, pack, &error)) << error;
  const auto bound = std::chrono::steady_clock::now() + std::chrono::milliseconds(kRunBoundMs);
  while (joiner.state != kSessionPlaying && joiner.state != kSessionEnded && std::chrono::steady_clock::now() < bound) {
    sessionPoll(joiner, netClockMs());
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
  EXPECT_EQ(joiner.state, kSessionPlaying) << sessionEndMessage(joiner);
  EXPECT_TRUE(waitForOutput(&host, "arcade: select\n", 60000)) << host.out;
  EXPECT_EQ(host.out.find("CONNECTION LOST"), std::string::npos) << host.out;
  sessionLeave(joiner, kEndLeft);
  if (stillRunningAfter(&host, 0)) closeWindowOf(host.pid);
  EXPECT_FALSE(finishChild(&host, 20000).timedOut) << host.out;
}

}  // namespace
