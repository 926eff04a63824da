// Fights through brawler-lobby on the loopback, every side a program of its own: a host and a
// joiner meet by the room's code, directly or through the relay, and a watcher who comes late
// ends on the same world; an honest room under attack from every side ends as it would alone.
#include <gtest/gtest.h>
#include <signal.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "lobby_program.h"
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

// A room opened through the lobby; its code, "" when the host never says it.
std::string hostRoom(const std::string& lobbyPort, const std::vector<std::string>& args, ChildProcess* host) {
  std::vector<std::string> all = {"netplay", "--lobby", "127.0.0.1:" + lobbyPort, "--host-room"};
  all.insert(all.end(), args.begin(), args.end());
  const std::string said = "netplay room ";
  if (!startChild(replayProgram(all), host) || !waitForOutput(host, said, 30000)) return "";
  const size_t at = host->out.find(said) + said.size();
  // The rest of the line, should it come in a read of its own.
  for (int i = 0; i < 100 && host->out.find('\n', at) == std::string::npos; ++i) waitForOutput(host, "\n\n", 50);
  return host->out.substr(at, kRoomCodeLetters);
}

bool startThroughLobby(const std::string& lobbyPort, const std::vector<std::string>& args, ChildProcess* child) {
  std::vector<std::string> all = {"netplay", "--lobby", "127.0.0.1:" + lobbyPort};
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

void startRoom(const std::string& lobbyPort, Room* room) {
  room->dir = makeEmptyDir();
  std::vector<std::string> hostArgs = {"--inputs", fightFile(), "--out", room->dir + "/host.replay"};
  std::vector<std::string> joinerArgs = {"--inputs", fightFile(), "--out", room->dir + "/joiner.replay"};
  hostArgs.insert(hostArgs.end(), room->line.begin(), room->line.end());
  joinerArgs.insert(joinerArgs.end(), room->line.begin(), room->line.end());
  room->code = hostRoom(lobbyPort, hostArgs, &room->host);
  ASSERT_EQ(room->code.size(), size_t{kRoomCodeLetters}) << room->host.out;
  joinerArgs.insert(joinerArgs.begin(), {"--join-room", room->code});
  ASSERT_TRUE(startThroughLobby(lobbyPort, joinerArgs, &room->joiner));
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
  startRoom(port, &direct);
  startRoom(port, &relayed);
  ASSERT_TRUE(waitForOutput(&direct.host, "netplay playing", 30000)) << direct.host.out;
  usleep(kLateWatcherMs * 1000);
  ChildProcess watcher;
  ASSERT_TRUE(startThroughLobby(port, {"--watch", direct.code, "--out", direct.dir + "/watcher.replay"}, &watcher));

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
  startRoom(port, &honest);
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

}  // namespace
