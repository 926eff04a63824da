// Fights through brawler-lobby on the loopback, every side a program of its own: a host and a
// joiner meet by the room's code, directly or through the relay, and a watcher who comes late
// ends on the same world; an honest room under attack from every side ends as it would alone.
#include <gtest/gtest.h>
#include <signal.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "lobby_program.h"
#include "raw_websocket.h"
#include "net/lobby_message.h"
#include "net/pack_list.h"
#include "net/rollback.h"
#include "platform/net.h"
#include "replay_program.h"
#include "sim/recording.h"

namespace {

constexpr int kRunBoundMs = 120000;
// About when a watcher comes into a fight that started this long ago: a thousand ticks in.
constexpr int kLateWatcherMs = 1000 * 17;

std::string lineStartingWith(const std::string& out, const std::string& start) {
  std::istringstream in(out);
  for (std::string line; std::getline(in, line);)
    if (line.rfind(start, 0) == 0) return line;
  return "";
}

std::string fightFile() { return std::string(BRAWLER_REPLAYS) + "/stage3.replay"; }

// The lobby's addresses for its two kinds of client.
std::string udpLobby(const std::string& port) { return "127.0.0.1:" + port; }
std::string webSocketLobby(const std::string& port) { return "ws://127.0.0.1:" + port; }

// A room opened through the lobby at `lobby`; its code, "" when the host never says it.
std::string hostRoom(const std::string& lobby, const std::vector<std::string>& args, ChildProcess* host) {
  std::vector<std::string> all = {"netplay", "--lobby", lobby, "--host-room"};
  all.insert(all.end(), args.begin(), args.end());
  const std::string said = "netplay room ";
  if (!startChild(replayProgram(all), host) || !waitForOutput(host, said, 30000)) return "";
  const size_t at = host->out.find(said) + said.size();
  // The rest of the line, should it come in a read of its own.
  for (int i = 0; i < 100 && host->out.find('\n', at) == std::string::npos; ++i) waitForOutput(host, "\n\n", 50);
  return host->out.substr(at, kRoomCodeLetters);
}

bool startThroughLobby(const std::string& lobby, const std::vector<std::string>& args, ChildProcess* child) {
  std::vector<std::string> all = {"netplay", "--lobby", lobby};
  all.insert(all.end(), args.begin(), args.end());
  return startChild(replayProgram(all), child);
}

// Ticks [from, ticks) of a recording's controls, as text, to compare what two runs agreed.
std::string ticksOf(const std::string& path, size_t ticks, size_t from = 0) {
  Recording r;
  std::string error;
  if (!parseRecording(fileText(path), &r, &error)) return error;
  std::ostringstream text;
  for (size_t t = from; t < std::min(ticks, r.ticks.size()); ++t)
    text << int(r.ticks[t].held[0]) << ',' << int(r.ticks[t].pressed[0]) << ',' << int(r.ticks[t].held[1]) << ','
         << int(r.ticks[t].pressed[1]) << '\n';
  return text.str();
}

// The lobby's resident memory now, in kB (0 when it cannot be read).
long residentKb(int pid) {
  std::ifstream status("/proc/" + std::to_string(pid) + "/status");
  for (std::string line; std::getline(status, line);)
    if (line.rfind("VmRSS:", 0) == 0) return std::strtol(line.c_str() + 6, nullptr, 10);
  return 0;
}

// The content fingerprint of the shipped pack, which the honest room plays on: a watcher with
// any other is turned away before it is ever fed.
uint64_t listPackDigestForTests() { return listPack(BRAWLER_CONTENT_DIR).digest; }

struct Room {
  const char* name;
  std::vector<std::string> line;  // the switches both players add
  const char* path;               // what both sides say they play over
  std::string dir, code;
  ChildProcess host, joiner;
  ChildResult hostEnd, joinerEnd;
};

// The host meets the lobby at `hostLobby`, the joiner at `joinerLobby` (the same lobby, over
// UDP or a WebSocket).
void startRoom(const std::string& hostLobby, const std::string& joinerLobby, Room* room) {
  room->dir = makeEmptyDir();
  std::vector<std::string> hostArgs = {"--inputs", fightFile(), "--out", room->dir + "/host.replay"};
  std::vector<std::string> joinerArgs = {"--inputs", fightFile(), "--out", room->dir + "/joiner.replay"};
  hostArgs.insert(hostArgs.end(), room->line.begin(), room->line.end());
  joinerArgs.insert(joinerArgs.end(), room->line.begin(), room->line.end());
  room->code = hostRoom(hostLobby, hostArgs, &room->host);
  ASSERT_EQ(room->code.size(), size_t{kRoomCodeLetters}) << room->host.out;
  joinerArgs.insert(joinerArgs.begin(), {"--join-room", room->code});
  ASSERT_TRUE(startThroughLobby(joinerLobby, joinerArgs, &room->joiner));
}

// Both sides finished, on one world, the one a plain replay of what they agreed reaches.
std::string checkRoom(Room* room) {
  SCOPED_TRACE(room->name);
  room->hostEnd = finishChild(&room->host, kRunBoundMs);
  room->joinerEnd = finishChild(&room->joiner, kRunBoundMs);
  EXPECT_EQ(room->hostEnd.exitCode, 0) << room->hostEnd.out;
  EXPECT_EQ(room->joinerEnd.exitCode, 0) << room->joinerEnd.out;
  EXPECT_NE(room->hostEnd.out.find(std::string("netplay path ") + room->path + "\n"), std::string::npos)
      << room->hostEnd.out;
  EXPECT_NE(room->joinerEnd.out.find(std::string("netplay path ") + room->path + "\n"), std::string::npos)
      << room->joinerEnd.out;
  const std::string end = lineStartingWith(room->hostEnd.out, "end ");
  EXPECT_FALSE(end.empty()) << room->hostEnd.out;
  EXPECT_EQ(lineStartingWith(room->joinerEnd.out, "end "), end);
  EXPECT_EQ(fileText(room->dir + "/host.replay"), fileText(room->dir + "/joiner.replay"));
  const ChildResult replayed = runChild(replayProgram({"digest", room->dir + "/host.replay"}), kRunBoundMs);
  EXPECT_EQ(lineStartingWith(replayed.out, "end "), end) << replayed.out;
  return end;
}

void removeRoom(const Room& room) {
  for (const char* file : {"/host.replay", "/joiner.replay", "/watcher.replay"}) std::remove((room.dir + file).c_str());
  std::remove(room.dir.c_str());
}

// Two rooms in one lobby at once: one plays directly with a watcher who comes about a thousand
// ticks in, one through the relay over a bad line.
TEST(LobbyNetplay, HostJoinerAndALateWatcherEndOnOneWorldDirectlyOrThroughTheRelay) {
  ChildProcess lobby;
  const std::string port = startLobby({}, &lobby);
  ASSERT_FALSE(port.empty()) << lobby.out;
  Room direct{"direct", {"--ticks", "1500"}, "DIRECT"};
  Room relayed{"relayed", {"--ticks", "600", "--relay", "--latency", "30", "--jitter", "10", "--loss", "5"}, "RELAY"};
  startRoom(udpLobby(port), udpLobby(port), &direct);
  startRoom(udpLobby(port), udpLobby(port), &relayed);
  ASSERT_TRUE(waitForOutput(&direct.host, "netplay playing", 30000)) << direct.host.out;
  usleep(kLateWatcherMs * 1000);
  ChildProcess watcher;
  ASSERT_TRUE(
      startThroughLobby(udpLobby(port), {"--watch", direct.code, "--out", direct.dir + "/watcher.replay"}, &watcher));

  const std::string end = checkRoom(&direct);
  checkRoom(&relayed);
  const ChildResult watched = finishChild(&watcher, kRunBoundMs);
  EXPECT_EQ(watched.exitCode, 0) << watched.out;
  EXPECT_NE(watched.out.find("caught up to tick "), std::string::npos) << watched.out;
  EXPECT_EQ(lineStartingWith(watched.out, "end "), end) << watched.out;
  EXPECT_TRUE(ticksOf(direct.dir + "/watcher.replay", 1500) == ticksOf(direct.dir + "/host.replay", 1500));

  kill(lobby.pid, SIGTERM);
  const ChildResult lobbyEnd = finishChild(&lobby, kRunBoundMs);
  EXPECT_EQ(lobbyEnd.exitCode, 0);
  for (const Room* room : {&direct, &relayed}) {
    EXPECT_NE(lobbyEnd.out.find("room " + room->code + " plays " + room->path), std::string::npos) << lobbyEnd.out;
    EXPECT_NE(lobbyEnd.out.find("room " + room->code + " closed: the fight is over"), std::string::npos) << lobbyEnd.out;
  }
  removeRoom(direct);
  removeRoom(relayed);
}

// ---- an honest room among hostile clients ------------------------------------------------------

// One attacker: a connection of its own to the lobby and what it does every turn.
struct Attacker {
  const char* name;
  int endpoint = -1;
  bool connected = false;
  bool reads = true;  // false: after its first request it never looks at the network again
  int sent = 0;
  int most = 0;  // messages in all
};

uint32_t nextRandom(uint32_t* state) {
  *state ^= *state << 13;
  *state ^= *state >> 17;
  *state ^= *state << 5;
  return *state;
}

// What each kind of attacker sends in one turn, up to its `most`.
void attack(Attacker* a, const std::string& code, uint32_t* random) {
  uint8_t bytes[40000];
  const std::string name = a->name;
  for (int burst = 0; burst < 50 && a->sent < a->most; ++burst, ++a->sent) {
    size_t size = 0;
    int channel = kNetChannelInputs;
    if (name == "garbage") {
      size = 1 + nextRandom(random) % 600;
      for (size_t i = 0; i < size; ++i) bytes[i] = static_cast<uint8_t>(nextRandom(random));
      if (a->sent % 2 == 0) std::memcpy(bytes, "BRWL\x01", std::min<size_t>(size, 5));
    } else if (name == "flood") {
      size = encodeLobbyHostRoom(bytes, kNetProtocolVersion, 1, nullptr, 0);
    } else if (name == "oversized") {
      size = a->sent % 2 == 0 ? kMostLobbyMessageBytes + 100 : sizeof bytes;
      std::memset(bytes, 'x', size);
      std::memcpy(bytes, a->sent % 2 == 0 ? "BRWL\x01\x06" : "BRWN\x02\x04", 6);
      channel = kNetChannelSetup;
    } else if (name == "forged seat") {
      // Asks for the honest room's seat, then sends game packets as if it had one.
      if (a->sent == 0)
        size = encodeLobbyJoinRoom(bytes, code.c_str(), kNetProtocolVersion, 1, nullptr, 0);
      else
        size = encodeBye(bytes, nextRandom(random));
    } else if (name == "silent watcher") {
      size = encodeLobbyWatchRoom(bytes, code.c_str(), kNetProtocolVersion, listPackDigestForTests());
      channel = kNetChannelSetup;
    }
    netSend(a->endpoint, 0, channel, bytes, size);
  }
}

TEST(LobbyNetplay, AnHonestRoomAmongHostileClientsEndsAsItWouldAlone) {
  ChildProcess lobby;
  const std::string port = startLobby({}, &lobby);
  ASSERT_FALSE(port.empty()) << lobby.out;
  Room honest{"honest", {"--ticks", "600", "--relay"}, "RELAY"};
  startRoom(udpLobby(port), udpLobby(port), &honest);
  ASSERT_TRUE(waitForOutput(&honest.host, "netplay playing", 30000)) << honest.host.out;

  Attacker attackers[] = {{"garbage"}, {"flood"}, {"oversized"}, {"forged seat"}, {"silent watcher"}};
  const int mosts[] = {2000, 10000, 200, 500, 1};
  std::string error;
  for (int i = 0; i < 5; ++i) {
    attackers[i].most = mosts[i];
    attackers[i].reads = std::string(attackers[i].name) != "silent watcher";
    attackers[i].endpoint = netConnect("127.0.0.1", static_cast<uint16_t>(std::stoi(port)), &error);
    ASSERT_GE(attackers[i].endpoint, 0) << error;
  }
  NetAddress lobbyAddress;
  ASSERT_TRUE(netResolve("127.0.0.1", static_cast<uint16_t>(std::stoi(port)), &lobbyAddress));
  uint32_t random = 12345;
  long mostRssKb = 0;
  // Until the honest room is over: every turn each attacker that reads takes what came and
  // sends its next burst, and a stray datagram that is not even ENet's goes to the lobby's port.
  while (stillRunningAfter(&honest.host, 5) && stillRunningAfter(&honest.joiner, 0)) {
    for (Attacker& a : attackers) {
      if (!a.reads && a.sent > 0) continue;
      NetEvent e;
      while (netPoll(a.endpoint, &e))
        if (e.type == kNetConnected) a.connected = true;
      if (a.connected) attack(&a, honest.code, &random);
    }
    netPunch(attackers[0].endpoint, lobbyAddress);
    mostRssKb = std::max(mostRssKb, residentKb(lobby.pid));
  }
  checkRoom(&honest);
  // What the two agreed is what the recording they played from says, tick for tick from the
  // first the input delay lets a player act in: the attacks moved nothing.
  const size_t firstActed = kDefaultInputDelay;
  EXPECT_TRUE(ticksOf(honest.dir + "/host.replay", 600, firstActed) == ticksOf(fightFile(), 600, firstActed));
  for (Attacker& a : attackers) EXPECT_EQ(a.sent, a.most) << a.name;

  kill(lobby.pid, SIGTERM);
  const ChildResult lobbyEnd = finishChild(&lobby, kRunBoundMs);
  EXPECT_EQ(lobbyEnd.exitCode, 0) << lobbyEnd.out;
  const std::string counts = lineStartingWith(lobbyEnd.out, "lobby counts ");
  for (const char* dropped : {" garbage 0 ", " oversized 0 ", " out-of-place 0 ", " unseated 0 ", " struck-out 0 "})
    EXPECT_EQ(counts.find(dropped), std::string::npos) << dropped << " in " << counts;
  std::printf("%s\nlobby's most resident memory under attack: %ld kB\n", counts.c_str(), mostRssKb);
  for (Attacker& a : attackers) netClose(a.endpoint);
  removeRoom(honest);
}

// ---- desktops and WebSocket clients at one table -------------------------------------------

// A player on a WebSocket (as a page is) shares rooms with desktops through one lobby: hosting,
// joining, and watching a room of two desktops. Every pairing plays through the relay and ends
// on the world a plain replay of what its players agreed reaches.
TEST(LobbyNetplay, DesktopsAndWebSocketPlayersShareRoomsThroughTheRelay) {
  ChildProcess lobby;
  std::string webSocketPort;
  const std::string port = startLobby({}, &lobby, &webSocketPort);
  ASSERT_FALSE(port.empty() || webSocketPort.empty()) << lobby.out;
  const std::string udp = udpLobby(port);
  const std::string ws = webSocketLobby(webSocketPort);
  Room udpHost{"UDP host, WebSocket joiner", {"--ticks", "600"}, "RELAY"};
  Room wsHost{"WebSocket host, UDP joiner", {"--ticks", "600"}, "RELAY"};
  Room watched{"two desktops, a WebSocket watcher", {"--ticks", "600", "--relay"}, "RELAY"};
  startRoom(udp, ws, &udpHost);
  startRoom(ws, udp, &wsHost);
  startRoom(udp, udp, &watched);
  ChildProcess watcher;
  ASSERT_TRUE(startThroughLobby(ws, {"--watch", watched.code, "--out", watched.dir + "/watcher.replay"}, &watcher));

  checkRoom(&udpHost);
  checkRoom(&wsHost);
  const std::string end = checkRoom(&watched);
  const ChildResult watchedEnd = finishChild(&watcher, kRunBoundMs);
  EXPECT_EQ(watchedEnd.exitCode, 0) << watchedEnd.out;
  EXPECT_EQ(lineStartingWith(watchedEnd.out, "end "), end) << watchedEnd.out;
  EXPECT_TRUE(ticksOf(watched.dir + "/watcher.replay", 600) == ticksOf(watched.dir + "/host.replay", 600));

  kill(lobby.pid, SIGTERM);
  const ChildResult lobbyEnd = finishChild(&lobby, kRunBoundMs);
  EXPECT_EQ(lobbyEnd.exitCode, 0);
  for (const Room* room : {&udpHost, &wsHost, &watched}) {
    EXPECT_NE(lobbyEnd.out.find("room " + room->code + " plays RELAY"), std::string::npos) << lobbyEnd.out;
    EXPECT_NE(lobbyEnd.out.find("room " + room->code + " closed: the fight is over"), std::string::npos) << lobbyEnd.out;
  }
  for (const Room* room : {&udpHost, &wsHost, &watched}) removeRoom(*room);
}

// One hostile WebSocket client: what it sends once its handshake is done, over as many
// connections as it takes, each opened when the lobby has closed the one before.
struct RawAttacker {
  const char* name;
  int connections;  // it is taken in at most this many times, one connection after another
  std::unique_ptr<RawWebSocket> socket;
  int opened = 0;     // connections taken in
  int tries = 0;      // connections attempted, taken in or turned away
  bool open = false;  // the present one's handshake answered
};

// Attempts past this many, turned away while the address had all its connections, end it.
constexpr int kMostAttempts = 2000;

void rawAttack(RawAttacker* a, uint16_t port, const std::string& code, uint32_t* random) {
  if (a->socket == nullptr || a->socket->closed) {
    if (a->opened == a->connections || a->tries == kMostAttempts) return;
    a->socket = std::make_unique<RawWebSocket>();
    ++a->tries;
    a->open = false;
    if (!a->socket->connectTo(port)) return;
    a->socket->sendText(RawWebSocket::upgrade("brawler"));
  }
  RawWebSocket& w = *a->socket;
  w.readSome();
  if (!a->open) {
    a->open = w.received.rfind("HTTP/1.1 101", 0) == 0 && w.received.find("\r\n\r\n") != std::string::npos;
    if (!a->open) return;
    ++a->opened;
  }
  const std::string name = a->name;
  std::vector<uint8_t> bytes;
  if (name == "garbage") {
    // Packets of a channel whose bytes are nothing (struck), then ones of no channel (closed).
    bytes.resize(1 + nextRandom(random) % 300);
    for (uint8_t& b : bytes) b = static_cast<uint8_t>(nextRandom(random));
    bytes[0] = static_cast<uint8_t>(nextRandom(random) % 3);
    w.sendFrame(nextRandom(random) % 8 == 0 ? 1 : 2, bytes);
  } else if (name == "oversized") {
    bytes.assign(kNetMostBytes + 10, 'x');
    bytes[0] = kNetChannelSetup;
    w.sendFrame(2, bytes);
  } else if (name == "forged seat") {
    bytes.resize(1 + kMostPacketBytes);
    bytes[0] = kNetChannelInputs;
    bytes.resize(1 + encodeBye(bytes.data() + 1, nextRandom(random)));
    w.sendFrame(2, bytes);
  }
}

// Pages' sockets at their worst while a desktop and a WebSocket player finish a fight through
// the relay: frames of garbage, frames too big, game packets from no seat, sockets that never
// finish their handshake, a watcher that never reads, and more connections than an address may
// hold. The fight ends as it would alone, and every socket that broke a rule was closed.
TEST(LobbyNetplay, AnHonestCrossPlayRoomAmongHostileWebSocketClientsEndsAsItWouldAlone) {
  ChildProcess lobby;
  std::string webSocketPort;
  const std::string port = startLobby({"--connections-per-address", "12"}, &lobby, &webSocketPort);
  ASSERT_FALSE(port.empty() || webSocketPort.empty()) << lobby.out;
  const uint16_t ws = static_cast<uint16_t>(std::stoi(webSocketPort));
  Room honest{"honest", {"--ticks", "600"}, "RELAY"};
  startRoom(udpLobby(port), webSocketLobby(webSocketPort), &honest);
  ASSERT_TRUE(waitForOutput(&honest.host, "netplay playing", 30000)) << honest.host.out;

  const auto nothing = [] {};
  // Sockets that open and never say a word, or never finish their request.
  std::vector<std::unique_ptr<RawWebSocket>> halfOpen;
  for (int i = 0; i < 4; ++i) {
    halfOpen.push_back(std::make_unique<RawWebSocket>());
    ASSERT_TRUE(halfOpen.back()->connectTo(ws));
    if (i % 2 == 1) halfOpen.back()->sendText("GET / HTTP/1.1\r\nHost: 127.0.0.1\r\n");
  }
  // A watcher of the honest room that never reads what it is fed.
  RawWebSocket silentWatcher;
  ASSERT_TRUE(silentWatcher.connectTo(ws, 4096));
  ASSERT_TRUE(silentWatcher.handshake(nothing));
  std::vector<uint8_t> watch(1 + kMostLobbyMessageBytes);
  watch[0] = kNetChannelSetup;
  watch.resize(1 + encodeLobbyWatchRoom(watch.data() + 1, honest.code.c_str(), kNetProtocolVersion,
                                        listPackDigestForTests()));
  silentWatcher.sendFrame(2, watch);
  // More connections than the address may hold: the lobby closes those past its share, and
  // once they are gone the address's other clients get in again.
  std::vector<std::unique_ptr<RawWebSocket>> crowd;
  for (int i = 0; i < 16; ++i) {
    crowd.push_back(std::make_unique<RawWebSocket>());
    ASSERT_TRUE(crowd.back()->connectTo(ws));
    crowd.back()->sendText(RawWebSocket::upgrade("brawler"));
  }
  int crowdClosed = 0;
  crowd.back()->waitFor(nothing, [&] {
    crowdClosed = 0;
    for (auto& c : crowd) crowdClosed += !c->readSome();
    return crowdClosed > 0;
  });
  EXPECT_GT(crowdClosed, 0);
  crowd.clear();

  RawAttacker attackers[] = {{"garbage", 40}, {"oversized", 10}, {"forged seat", 5}};
  uint32_t random = 777;
  long mostRssKb = 0;
  while (stillRunningAfter(&honest.host, 5) && stillRunningAfter(&honest.joiner, 0)) {
    for (RawAttacker& a : attackers) rawAttack(&a, ws, honest.code, &random);
    mostRssKb = std::max(mostRssKb, residentKb(lobby.pid));
  }
  checkRoom(&honest);
  const size_t firstActed = kDefaultInputDelay;
  EXPECT_TRUE(ticksOf(honest.dir + "/host.replay", 600, firstActed) == ticksOf(fightFile(), 600, firstActed));
  EXPECT_EQ(attackers[0].opened, attackers[0].connections);
  EXPECT_EQ(attackers[1].opened, attackers[1].connections);
  for (auto& h : halfOpen) EXPECT_TRUE(h->waitForClose(nothing));

  kill(lobby.pid, SIGTERM);
  const ChildResult lobbyEnd = finishChild(&lobby, kRunBoundMs);
  EXPECT_EQ(lobbyEnd.exitCode, 0) << lobbyEnd.out;
  const std::string counts = lineStartingWith(lobbyEnd.out, "lobby counts ");
  for (const char* dropped : {" garbage 0 ", " oversized 0 ", " unseated 0 "})
    EXPECT_EQ(counts.find(dropped), std::string::npos) << dropped << " in " << counts;
  std::printf("%s\nlobby's most resident memory under WebSocket attack: %ld kB\n", counts.c_str(), mostRssKb);
  removeRoom(honest);
}

}  // namespace
