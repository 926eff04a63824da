// Sessions over the loopback: the greetings, and every way a session ends or shrugs off what it
// cannot use. Each waits for its outcome up to a bound, so a fault fails rather than hangs.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "base/fingerprint.h"
#include "net/session.h"
#include "platform/net.h"

namespace {

constexpr int kBoundMs = 10000;

void saveNothing(int32_t) {}
void tickNothing(const NetCommand*, bool) {}
uint64_t noDigest() { return 0; }
const RollbackWorld noWorld = {saveNothing, saveNothing, tickNothing, noDigest};

PackList packOf(const std::string& lines) {
  PackList pack;
  pack.lines = lines;
  pack.digest = fnv1a(lines.data(), lines.size(), kFnvStart);
  return pack;
}

const PackList ourPack = packOf("00000000000000aa gfx/a.png\n00000000000000bb stage/world1/stage1.lev\n");

SessionPlan plan() {
  SessionPlan p;
  p.seed = 9;
  p.ticks = 0;
  std::snprintf(p.world, sizeof p.world, "world1");
  std::snprintf(p.stage, sizeof p.stage, "stage1");
  p.difficulty = kDifficultyEasy;
  p.lives = 5;
  return p;
}

uint64_t otherDigest() { return 1; }
const RollbackWorld otherWorld = {saveNothing, saveNothing, tickNothing, otherDigest};

// One frame of a side: its packets, and while it plays, its commands and a tick.
void tend(NetSession& s, const RollbackWorld& world = noWorld) {
  if (s.endpoint < 0) return;
  sessionPoll(s, netClockMs());
  if (s.state != kSessionPlaying) return;
  Rollback& r = s.rollback;
  while (r.knownEnd[r.localPlayer] <= r.tick + r.delay) rollbackAddLocal(r, NetCommand{});
  sessionStep(s, world);
}

// Tends the sessions (and runs `also`) until `done` holds; false at the bound. The joiner of
// a pair may run a world of its own.
bool until(const std::function<bool()>& done, std::vector<NetSession*> sessions,
           const std::function<void()>& also = [] {}, const RollbackWorld& secondWorld = noWorld) {
  const uint64_t bound = netClockMs() + kBoundMs;
  while (!done()) {
    if (netClockMs() > bound) return false;
    for (size_t i = 0; i < sessions.size(); ++i) tend(*sessions[i], i == 1 ? secondWorld : noWorld);
    also();
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  return true;
}

bool ended(const NetSession& s) { return s.state == kSessionEnded; }
bool playing(const NetSession& s) { return s.state == kSessionPlaying; }

struct Pair {
  NetSession host, joiner;
  ~Pair() {
    sessionLeave(joiner, kEndLeft);
    sessionLeave(host, kEndLeft);
  }
};

// Host on an ephemeral loopback port, joiner connected to it.
void startPair(Pair& p, const PackList& hostPack, const PackList& joinerPack) {
  std::string error;
  ASSERT_TRUE(sessionHost(p.host, "127.0.0.1", 0, plan(), hostPack, &error)) << error;
  ASSERT_TRUE(sessionJoin(p.joiner, "127.0.0.1", netLocalPort(p.host.endpoint), joinerPack, &error)) << error;
}

void startPlaying(Pair& p) {
  startPair(p, ourPack, ourPack);
  ASSERT_TRUE(until([&] { return playing(p.host) && playing(p.joiner) && p.host.rollback.tick > 10; },
                    {&p.host, &p.joiner}));
}

// A bare endpoint that speaks whatever bytes a test gives it.
struct Raw {
  int endpoint = -1;
  std::vector<std::vector<uint8_t>> received;
  ~Raw() { netClose(endpoint); }
  void take() {
    NetEvent e;
    while (netPoll(endpoint, &e))
      if (e.type == kNetReceived && e.data) received.emplace_back(e.data, e.data + e.size);
  }
  void send(const std::vector<uint8_t>& bytes, int channel = kNetChannelSetup) {
    netSend(endpoint, 0, channel, bytes.data(), bytes.size());
  }
};

std::vector<uint8_t> encoded(const std::function<size_t(uint8_t*)>& encode) {
  std::vector<uint8_t> out(kMostPacketBytes);
  out.resize(encode(out.data()));
  return out;
}

std::vector<uint8_t> inputsPacket(uint32_t session, const InputsHeader& h) {
  const NetCommand commands[2] = {};
  return encoded([&](uint8_t* out) { return encodeInputs(out, session, h, commands, 2); });
}

std::vector<uint8_t> helloFor(const PackList& pack) {
  return encoded([&](uint8_t* out) { return encodeHello(out, pack.digest, pack.lines.data(), pack.lines.size()); });
}

TEST(NetSession, GreetingsAgreeOnThePlanAndEachSidesPlayer) {
  Pair p;
  startPlaying(p);
  EXPECT_EQ(p.joiner.plan.seed, 9u);
  EXPECT_STREQ(p.joiner.plan.stage, "stage1");
  EXPECT_EQ(p.joiner.plan.delay, kDefaultInputDelay);
  EXPECT_EQ(p.joiner.plan.difficulty, kDifficultyEasy) << "the host's choices hold for both";
  EXPECT_EQ(p.joiner.plan.lives, 5);
  EXPECT_EQ(p.joiner.sessionId, p.host.sessionId);
  EXPECT_EQ(p.host.rollback.localPlayer, 0);
  EXPECT_EQ(p.joiner.rollback.localPlayer, 1);
}

TEST(NetSession, OtherGameDataIsRefusedOnBothSidesNamingTheFile) {
  Pair p;
  const PackList theirs = packOf("00000000000000aa gfx/a.png\n0000000000000bad stage/world1/stage1.lev\n");
  startPair(p, ourPack, theirs);
  ASSERT_TRUE(until([&] { return ended(p.host) && ended(p.joiner); }, {&p.host, &p.joiner}));
  for (const NetSession* s : {&p.host, &p.joiner}) {
    EXPECT_EQ(s->end, kEndOtherContent);
    EXPECT_EQ(sessionEndMessage(*s), "the other player's game data differs: data/stage/world1/stage1.lev");
  }
}

TEST(NetSession, AnotherProtocolVersionIsRefusedOnBothSides) {
  // A joiner of another version meets this host.
  NetSession host;
  std::string error;
  ASSERT_TRUE(sessionHost(host, "127.0.0.1", 0, plan(), ourPack, &error)) << error;
  Raw other;
  other.endpoint = netConnect("127.0.0.1", netLocalPort(host.endpoint), &error);
  std::vector<uint8_t> hello = helloFor(ourPack);
  hello[4] = kNetProtocolVersion + 1;
  bool sent = false;
  ASSERT_TRUE(until([&] { return ended(host) && !other.received.empty(); }, {&host}, [&] {
    NetEvent e;
    while (netPoll(other.endpoint, &e)) {
      if (e.type == kNetConnected && !sent) other.send(hello), sent = true;
      if (e.type == kNetReceived && e.data) other.received.emplace_back(e.data, e.data + e.size);
    }
  }));
  EXPECT_EQ(host.end, kEndOtherVersion);
  Packet refusal;
  ASSERT_EQ(decodePacket(other.received[0].data(), other.received[0].size(), 0, &refusal), kDecoded);
  EXPECT_EQ(refusal.reason, kRefuseVersion);
  sessionLeave(host, kEndLeft);

  // This joiner meets a host of another version.
  Raw otherHost;
  otherHost.endpoint = netListen("127.0.0.1", 0, &error);
  NetSession joiner;
  ASSERT_TRUE(sessionJoin(joiner, "127.0.0.1", netLocalPort(otherHost.endpoint), ourPack, &error)) << error;
  std::vector<uint8_t> welcome = encoded([](uint8_t* out) { return encodeWelcome(out, 5, 1, 0, 2, "world1", "stage1"); });
  welcome[4] = kNetProtocolVersion + 1;
  bool answered = false;
  ASSERT_TRUE(until([&] { return ended(joiner); }, {&joiner}, [&] {
    otherHost.take();
    if (!otherHost.received.empty() && !answered) otherHost.send(welcome), answered = true;
  }));
  EXPECT_EQ(joiner.end, kEndOtherVersion);
  sessionLeave(joiner, kEndLeft);
}

TEST(NetSession, AThirdPeerIsToldTheSessionIsFullAndTheFightGoesOn) {
  Pair p;
  startPlaying(p);
  NetSession third;
  std::string error;
  ASSERT_TRUE(sessionJoin(third, "127.0.0.1", netLocalPort(p.host.endpoint), ourPack, &error)) << error;
  ASSERT_TRUE(until([&] { return ended(third); }, {&p.host, &p.joiner, &third}));
  EXPECT_EQ(sessionEndMessage(third), "session full");
  sessionLeave(third, kEndLeft);
  const int32_t tickThen = p.host.rollback.tick;
  ASSERT_TRUE(until([&] { return p.host.rollback.tick > tickThen + 30; }, {&p.host, &p.joiner}));
  EXPECT_TRUE(playing(p.host));
  EXPECT_TRUE(playing(p.joiner));
  EXPECT_EQ(p.host.peersTurnedAway, 1);
}

// A host playing with a bare endpoint in the joiner's seat, which greeted it properly.
void hostWithRawPeer(NetSession& host, Raw& peer) {
  std::string error;
  ASSERT_TRUE(sessionHost(host, "127.0.0.1", 0, plan(), ourPack, &error)) << error;
  peer.endpoint = netConnect("127.0.0.1", netLocalPort(host.endpoint), &error);
  bool greeted = false;
  ASSERT_TRUE(until([&] { return playing(host) && !peer.received.empty(); }, {&host}, [&] {
    NetEvent e;
    while (netPoll(peer.endpoint, &e)) {
      if (e.type == kNetConnected && !greeted) peer.send(helloFor(ourPack)), greeted = true;
      if (e.type == kNetReceived && e.data) peer.received.emplace_back(e.data, e.data + e.size);
    }
  }));
}

bool anyCaller(const NetSession& host) {
  for (bool c : host.caller)
    if (c) return true;
  return false;
}

TEST(NetSession, PacketsItCannotUseAreDroppedAndCountedByWhy) {
  NetSession host;
  Raw peer;
  hostWithRawPeer(host, peer);
  const uint32_t id = host.sessionId;
  const NetCommand commands[2] = {};
  const std::vector<uint8_t> inputs =
      encoded([&](uint8_t* out) { return encodeInputs(out, id, InputsHeader{1, 0, 0, 0, kDefaultInputDelay}, commands, 2); });
  std::vector<uint8_t> foreign = inputs;
  foreign[6] ^= 0xff;
  std::vector<uint8_t> inputsAfterAGap =
      encoded([&](uint8_t* out) { return encodeInputs(out, id, InputsHeader{2, 0, 0, 0, 40}, commands, 2); });
  std::vector<uint8_t> ackingWhatWasNeverSent =
      encoded([&](uint8_t* out) { return encodeInputs(out, id, InputsHeader{3, 1000, 0, 0, 0}, commands, 2); });
  struct Garbage {
    std::vector<uint8_t> bytes;
    int channel;
  };
  const std::vector<Garbage> garbage = {
      {{'n', 'o', 'i', 's', 'e'}, kNetChannelInputs},
      {{}, kNetChannelInputs},  // no bytes at all
      {std::vector<uint8_t>(kNetMostBytes + 1, 7), kNetChannelSetup},
      {foreign, kNetChannelInputs},
      {inputs, kNetChannelInputs},
      {inputs, kNetChannelInputs},  // the same again
      {inputsAfterAGap, kNetChannelInputs},
      {ackingWhatWasNeverSent, kNetChannelInputs},
  };
  for (const Garbage& g : garbage) peer.send(g.bytes, g.channel);
  ASSERT_TRUE(until([&] { return sessionDropped(host) >= 7; }, {&host}, [&] { peer.take(); }));
  EXPECT_EQ(host.dropped[kDropMalformed], 3);  // the noise, the empty one, the acknowledgement of nothing
  EXPECT_EQ(host.dropped[kDropOversized], 1);
  EXPECT_EQ(host.dropped[kDropForeign], 1);
  EXPECT_EQ(host.dropped[kDropDuplicate], 1);
  EXPECT_EQ(host.dropped[kDropGap], 1);
  EXPECT_TRUE(playing(host));
  EXPECT_EQ(host.rollback.knownEnd[1], kDefaultInputDelay + 2);  // the one good packet
  sessionLeave(host, kEndLeft);
}

// What a caller does before it greets, or instead: whatever it is, the host waits on and seats
// the real joiner that comes next.
TEST(NetSession, ACallerThatDoesNotGreetNeverKeepsTheSeat) {
  enum Conduct { kHangsUp, kSendsNoise, kSaysNothing, kSendsAnEmptyPacket };
  struct CallerCase {
    const char* name;
    Conduct conduct;
    int64_t drops;  // what the host counts of it while it is a caller
  };
  const CallerCase cases[] = {
      {"HangsUpBeforeItsHello", kHangsUp, 0},
      {"KeepsSendingPacketsThatAreNotAHello", kSendsNoise, 3},
      {"SaysNothing", kSaysNothing, 0},
      {"SendsAPacketOfNoBytes", kSendsAnEmptyPacket, 1},
  };
  const std::vector<uint8_t> noise =
      encoded([](uint8_t* out) { return encodeCheck(out, 0, static_cast<uint32_t>(kCheckEvery), 1); });
  for (const CallerCase& c : cases) {
    SCOPED_TRACE(c.name);
    NetSession host;
    std::string error;
    ASSERT_TRUE(sessionHost(host, "127.0.0.1", 0, plan(), ourPack, &error)) << error;
    Raw caller;
    caller.endpoint = netConnect("127.0.0.1", netLocalPort(host.endpoint), &error);
    bool connected = false, sentEmpty = false, letGo = false;
    ASSERT_TRUE(until([&] { return anyCaller(host) && connected && sessionDropped(host) >= c.drops; }, {&host}, [&] {
      NetEvent e;
      while (netPoll(caller.endpoint, &e)) connected = connected || e.type == kNetConnected;
      if (connected && c.conduct == kSendsNoise) caller.send(noise);
      if (connected && c.conduct == kSendsAnEmptyPacket && !sentEmpty) caller.send({}), sentEmpty = true;
    }));
    EXPECT_EQ(host.dropped[kDropMalformed], c.drops);
    if (c.conduct == kHangsUp) {
      netClose(caller.endpoint);
      caller.endpoint = -1;
    }
    // Its time runs out however busy it keeps the host.
    const uint64_t afterItsTime = netClockMs() + kGreetingMs + 1;
    ASSERT_TRUE(until([&] { return letGo || ended(host); }, {}, [&] {
      sessionPoll(host, c.conduct == kHangsUp ? netClockMs() : afterItsTime);
      NetEvent e;
      while (netPoll(caller.endpoint, &e)) letGo = letGo || e.type == kNetDisconnected;
      if (c.conduct == kSendsNoise) caller.send(noise);
      if (c.conduct == kHangsUp) letGo = !anyCaller(host);
    }));
    EXPECT_EQ(host.state, kSessionWaiting);
    NetSession joiner;
    ASSERT_TRUE(sessionJoin(joiner, "127.0.0.1", netLocalPort(host.endpoint), ourPack, &error)) << error;
    ASSERT_TRUE(until([&] { return playing(host) && playing(joiner); }, {&host, &joiner}));
    sessionLeave(joiner, kEndLeft);
    sessionLeave(host, kEndLeft);
  }
}

// A caller that holds on without greeting does not make the real joiner "session full": the
// first good hello takes the seat, and the one still silent is told the session is full.
TEST(NetSession, TheFirstHelloTakesTheSeatWhileAnotherCallerWaitsSilent) {
  NetSession host;
  std::string error;
  ASSERT_TRUE(sessionHost(host, "127.0.0.1", 0, plan(), ourPack, &error)) << error;
  Raw silent;
  silent.endpoint = netConnect("127.0.0.1", netLocalPort(host.endpoint), &error);
  ASSERT_TRUE(until([&] { return anyCaller(host); }, {&host}, [&] { silent.take(); }));
  NetSession joiner;
  ASSERT_TRUE(sessionJoin(joiner, "127.0.0.1", netLocalPort(host.endpoint), ourPack, &error)) << error;
  ASSERT_TRUE(until([&] { return playing(host) && playing(joiner) && !silent.received.empty(); }, {&host, &joiner},
                    [&] { silent.take(); }));
  Packet told;
  ASSERT_EQ(decodePacket(silent.received[0].data(), silent.received[0].size(), 0, &told), kDecoded);
  EXPECT_EQ(told.reason, kRefuseFull);
  EXPECT_EQ(host.peersTurnedAway, 1);
  sessionLeave(joiner, kEndLeft);
  sessionLeave(host, kEndLeft);
}

// Only news counts as hearing from the other side: a peer that sends nothing new, however
// often, is lost after the silence as one that sends nothing at all.
TEST(NetSession, APeerThatOnlyRepeatsItselfIsLost) {
  struct RepeatCase {
    const char* name;
    bool check;  // its fingerprint again, else its inputs packet again
  };
  const RepeatCase cases[] = {
      {"TheSameInputsPacket", false},
      {"TheSameFingerprint", true},
  };
  for (const RepeatCase& c : cases) {
    SCOPED_TRACE(c.name);
    NetSession host;
    Raw peer;
    hostWithRawPeer(host, peer);
    const uint32_t id = host.sessionId;
    const std::vector<uint8_t> fresh = inputsPacket(id, InputsHeader{1, 0, 0, 0, kDefaultInputDelay});
    const std::vector<uint8_t> check =
        encoded([&](uint8_t* out) { return encodeCheck(out, id, static_cast<uint32_t>(kCheckEvery), 7); });
    const std::vector<uint8_t>& again = c.check ? check : fresh;
    const int channel = c.check ? kNetChannelSetup : kNetChannelInputs;
    peer.send(fresh, kNetChannelInputs);
    if (c.check) peer.send(check, channel);
    ASSERT_TRUE(until([&] { return host.heardSequence == 1 && (!c.check || host.peerCheckTicks[1] != 0); }, {&host},
                      [&] { peer.take(); }));
    // A second a step on the host's clock, a repeat arriving in each.
    uint64_t now = netClockMs();
    for (int step = 0; step < 10 && playing(host); ++step) {
      const int64_t before = host.dropped[kDropDuplicate];
      peer.send(again, channel);
      const uint64_t bound = netClockMs() + kBoundMs;
      while (host.dropped[kDropDuplicate] == before && playing(host) && netClockMs() < bound) {
        sessionPoll(host, now);
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
      }
      now += 1000;
      sessionPoll(host, now);
    }
    EXPECT_EQ(host.end, kEndLost);
    sessionLeave(host, kEndLeft);
  }
}

// The other side's tick in an inputs packet is never further ahead of this side's commands it
// has than its prediction: a claim past that (up to the field's limit, or below zero read as
// unsigned) is dropped, and neither the leads nor the felt delay take it.
TEST(NetSession, AnInputsPacketClaimingATickTheSenderCannotHaveRunIsDropped) {
  struct TickCase {
    const char* name;
    uint32_t senderTick;
    bool used;
  };
  const TickCase cases[] = {
      {"AtThePredictionLimit", static_cast<uint32_t>(kMostPrediction), true},
      {"JustPastIt", static_cast<uint32_t>(kMostPrediction) + 1, false},
      {"FarAhead", 50000, false},
      {"AtTheTopOfTheField", UINT32_MAX, false},
      {"BelowZero", static_cast<uint32_t>(-5), false},
      {"NearTheSignedLimit", static_cast<uint32_t>(INT32_MAX) - 3, false},
  };
  for (const TickCase& c : cases) {
    SCOPED_TRACE(c.name);
    NetSession host;
    Raw peer;
    hostWithRawPeer(host, peer);
    const NetCommand press[1] = {NetCommand{1u << 3, 1u << 3}};
    peer.send(encoded([&](uint8_t* out) {
                return encodeInputs(out, host.sessionId, InputsHeader{1, 0, c.senderTick, 0, kDefaultInputDelay}, press, 1);
              }),
              kNetChannelInputs);
    ASSERT_TRUE(until([&] { return host.heardSequence != 0 || sessionDropped(host) > 0; }, {&host}, [&] { peer.take(); }));
    EXPECT_EQ(host.rollback.knownEnd[1] > kDefaultInputDelay, c.used);
    EXPECT_EQ(host.dropped[kDropMalformed], c.used ? 0 : 1);
    EXPECT_LE(host.rollback.feltTicksMost, kMostPrediction + kMostInputDelay);
    EXPECT_LE(std::abs(rollbackLead(host.rollback)), kMostPrediction + kMostInputDelay);
    sessionLeave(host, kEndLeft);
  }
}

TEST(NetSession, WorldsThatDisagreeAtACheckStopTheFightOnBothSides) {
  Pair p;
  startPair(p, ourPack, ourPack);
  ASSERT_TRUE(until([&] { return ended(p.host) && ended(p.joiner); }, {&p.host, &p.joiner}, [] {}, otherWorld));
  for (const NetSession* s : {&p.host, &p.joiner}) {
    EXPECT_EQ(s->end, kEndDesync);
    EXPECT_EQ(sessionEndMessage(*s), "DESYNC after tick 60");
  }
}

TEST(NetSession, APeerSilentForThreeSecondsIsLost) {
  Pair p;
  startPlaying(p);
  // The joiner is no longer tended: what it sent already is taken, then nothing more comes.
  for (int frame = 0; frame < 20; ++frame) {
    sessionPoll(p.host, netClockMs());
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  EXPECT_TRUE(playing(p.host));
  sessionPoll(p.host, netClockMs() + kSilenceMs + 1);
  EXPECT_EQ(p.host.end, kEndLost);
  EXPECT_EQ(sessionEndMessage(p.host), "CONNECTION LOST");
}

TEST(NetSession, APeerThatLeavesSaysSo) {
  Pair p;
  startPlaying(p);
  sessionLeave(p.joiner, kEndLeft);
  ASSERT_TRUE(until([&] { return ended(p.host); }, {&p.host}));
  EXPECT_EQ(sessionEndMessage(p.host), "the other player left");
}

// Which frames send an inputs packet, by what this side's controls do: news (a command the
// other side would guess wrong) goes at once and once more, else every other frame; in
// lockstep every frame.
struct SendingCase {
  const char* name;
  const char* controls;  // a frame each: '.' nothing, 'p' right pressed, 'h' right held
  const char* sends;     // a frame each: '1' an inputs packet went
  int32_t prediction = kMostPrediction;
};

TEST(NetSession, InputsGoWhenThereIsNewsAndEveryOtherFrameElse) {
  constexpr uint8_t kRight = 1u << 3;
  const SendingCase cases[] = {
      {"NothingNew", "......", "010101"},
      {"APressAndItsHold", "..phhhh", "0111010"},
      {"ARelease", "phhh...", "1101110"},
      {"LockstepWaitsForEveryCommand", "......", "111111", 0},
  };
  for (const SendingCase& c : cases) {
    SCOPED_TRACE(c.name);
    NetSession s;  // no endpoint: what goes out is counted by the sequence only
    s.state = kSessionPlaying;
    rollbackStart(s.rollback, 0, kDefaultInputDelay, c.prediction);
    std::string sends;
    for (const char* f = c.controls; *f; ++f) {
      const uint32_t before = s.sentSequence;
      const NetCommand command{*f == '.' ? uint8_t{0} : kRight, *f == 'p' ? kRight : uint8_t{0}};
      rollbackAddLocal(s.rollback, command);
      sessionStep(s, noWorld);
      sends += s.sentSequence != before ? '1' : '0';
    }
    EXPECT_EQ(sends, c.sends);
  }
}

}  // namespace
