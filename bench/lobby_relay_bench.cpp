// The lobby's relay on the loopback: the delay it adds to a game packet (a ping through the
// relay against the same ping sent directly), with a crowd of other relayed sessions sending
// at the game's packet rate; and the lobby's memory, in all and per room and watcher.
//
// The lobby runs in a process of its own (one core); the crowd, the ping and the direct pair
// run in this one. Both share the machine, so past a few thousand packets a second the crowd's
// own cost is in the figures too.
#include <benchmark/benchmark.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "net/lobby/lobby.h"
#include "net/lobby_message.h"
#include "platform/net.h"

namespace {

using Clock = std::chrono::steady_clock;

// Each side of a quiet session sends an inputs packet every other frame: 30 a second.
constexpr int kPacketsPerSecondPerSide = 30;
constexpr size_t kGamePacketBytes = 24;
constexpr int kPings = 1000;
constexpr auto kPingEvery = std::chrono::microseconds(2000);

struct LobbyProcess {
  pid_t pid = -1;
  uint16_t port = 0;
};

// A lobby in a child process, limits opened up for one machine playing every client.
LobbyProcess startLobbyProcess() {
  LobbyProcess lobby;
  int fds[2];
  if (pipe(fds) != 0) return lobby;
  lobby.pid = fork();
  if (lobby.pid == 0) {
    close(fds[0]);
    static Lobby served;
    LobbyLimits limits;
    limits.rooms = 2100;
    limits.roomsPerAddress = 2100;
    limits.requestsPerSecond = 100000;
    limits.requestBurst = 100000;
    limits.peersPerAddress = kLobbyPeers;
    std::string error;
    if (!lobbyStart(served, "127.0.0.1", 0, 0, limits, nullptr, &error)) _exit(1);
    const uint16_t port = lobbyPort(served);
    if (write(fds[1], &port, sizeof port) != sizeof port) _exit(1);
    close(fds[1]);
    for (;;) {
      lobbyServe(served, netClockMs());
      lobbyWait(served, 5);
    }
  }
  close(fds[1]);
  if (read(fds[0], &lobby.port, sizeof lobby.port) != sizeof lobby.port) lobby.port = 0;
  close(fds[0]);
  return lobby;
}

void stopLobbyProcess(const LobbyProcess& lobby) {
  if (lobby.pid <= 0) return;
  kill(lobby.pid, SIGKILL);
  waitpid(lobby.pid, nullptr, 0);
}

long residentKb(pid_t pid) {
  std::ifstream status("/proc/" + std::to_string(pid) + "/status");
  for (std::string line; std::getline(status, line);)
    if (line.rfind("VmRSS:", 0) == 0) return std::strtol(line.c_str() + 6, nullptr, 10);
  return 0;
}

// Every connected peer of one endpoint, and what each last received.
struct Crowd {
  int endpoint = -1;
  std::vector<int> peers;
  std::vector<uint8_t> connected;
  std::vector<std::vector<uint8_t>> lastMessage;  // lobby messages only
  int64_t received = 0;
  Clock::time_point pingArrived;  // when the probe's packet last came back
  int pingPeer = -1;
};

void pollCrowd(Crowd& c) {
  NetEvent e;
  while (netPoll(c.endpoint, &e)) {
    if (e.peer < 0 || e.peer >= static_cast<int>(c.connected.size())) continue;
    if (e.type == kNetConnected) c.connected[e.peer] = 1;
    if (e.type != kNetReceived || e.data == nullptr) continue;
    if (isLobbyMessage(e.data, e.size)) c.lastMessage[e.peer].assign(e.data, e.data + e.size);
    if (!isGamePacket(e.data, e.size)) continue;
    ++c.received;
    if (e.peer == c.pingPeer) c.pingArrived = Clock::now();
  }
  netFlush(c.endpoint);
}

// Polls until `done` or the bound; false at the bound.
template <typename Done>
bool pollUntil(Crowd& c, Done done) {
  const auto until = Clock::now() + std::chrono::seconds(30);
  while (!done()) {
    if (Clock::now() > until) return false;
    pollCrowd(c);
    netWait(c.endpoint, 1);
  }
  return true;
}

LobbyMessage messageOf(const Crowd& c, int peer) {
  LobbyMessage m;
  const std::vector<uint8_t>& bytes = c.lastMessage[peer];
  if (bytes.empty() || decodeLobbyMessage(bytes.data(), bytes.size(), &m) != kLobbyDecoded) m.kind = 0;
  return m;
}

// `sessions` relayed rooms on one endpoint: peers 2i host, 2i + 1 join.
bool openSessions(Crowd& c, uint16_t port, int sessions) {
  std::string error;
  c.endpoint = netOpen("127.0.0.1", 0, 2 * sessions + 1, kLobbyPeers, kNetMostBytes, &error);
  if (c.endpoint < 0) return false;
  netSetBatched(c.endpoint, true);
  NetAddress lobby;
  netResolve("127.0.0.1", port, &lobby);
  c.connected.assign(static_cast<size_t>(2 * sessions), 0);
  c.lastMessage.assign(static_cast<size_t>(2 * sessions), {});
  for (int i = 0; i < 2 * sessions; ++i) c.peers.push_back(netConnectTo(c.endpoint, lobby));
  if (!pollUntil(c, [&] { return std::count(c.connected.begin(), c.connected.end(), 1) == 2 * sessions; }))
    return false;
  uint8_t out[kMostLobbyMessageBytes];
  for (int s = 0; s < sessions; ++s)
    netSend(c.endpoint, c.peers[2 * s], kNetChannelSetup, out, encodeLobbyHostRoom(out, kNetProtocolVersion, 1, nullptr, 0));
  if (!pollUntil(c, [&] {
        for (int s = 0; s < sessions; ++s)
          if (messageOf(c, c.peers[2 * s]).kind != kLobbyRoom) return false;
        return true;
      }))
    return false;
  for (int s = 0; s < sessions; ++s) {
    const LobbyMessage room = messageOf(c, c.peers[2 * s]);
    netSend(c.endpoint, c.peers[2 * s + 1], kNetChannelSetup, out,
            encodeLobbyJoinRoom(out, room.code, kNetProtocolVersion, 1, nullptr, 0));
  }
  return pollUntil(c, [&] {
    for (int p = 0; p < 2 * sessions; ++p)
      if (messageOf(c, c.peers[p]).kind != kLobbyIntroduce) return false;
    return true;
  });
}

// A game packet as the relay sees it: the game's header and some bytes.
std::vector<uint8_t> gamePacket() {
  std::vector<uint8_t> bytes(kMostPacketBytes);
  bytes.resize(encodeBye(bytes.data(), 1));
  bytes.resize(kGamePacketBytes, 0);
  return bytes;
}

// Every crowd peer whose turn has come sends one packet to its partner through the relay.
void sendCrowd(Crowd& c, int firstPeer, Clock::time_point start, int64_t* sent) {
  static const std::vector<uint8_t> packet = gamePacket();
  const int peers = static_cast<int>(c.peers.size()) - firstPeer;
  if (peers <= 0) return;
  const double elapsed = std::chrono::duration<double>(Clock::now() - start).count();
  const int64_t due = static_cast<int64_t>(elapsed * kPacketsPerSecondPerSide * peers);
  for (; *sent < due; ++*sent)
    netSend(c.endpoint, c.peers[firstPeer + (*sent % peers)], kNetChannelInputs, packet.data(), packet.size());
}

// Round trips of one packet between `from` and its partner (which answers at once), in
// microseconds, while the crowd keeps sending.
std::vector<double> pingTimes(Crowd& c, int from, int to, int echoEndpoint, int echoPeer, int crowdFirst) {
  const std::vector<uint8_t> packet = gamePacket();
  std::vector<double> times;
  int64_t crowdSent = 0;
  const auto start = Clock::now();
  for (int i = 0; i < kPings; ++i) {
    const auto sentAt = Clock::now();
    c.pingPeer = from;
    c.pingArrived = Clock::time_point{};
    netSend(c.endpoint, from, kNetChannelInputs, packet.data(), packet.size());
    netFlush(c.endpoint);
    bool echoed = false;
    while (c.pingArrived == Clock::time_point{} && Clock::now() - sentAt < std::chrono::milliseconds(100)) {
      NetEvent e;
      // The echo: the partner (on the crowd or on its own endpoint) sends it straight back.
      const int endpoint = echoEndpoint >= 0 ? echoEndpoint : c.endpoint;
      if (!echoed && echoEndpoint >= 0) {
        while (netPoll(endpoint, &e))
          if (e.type == kNetReceived && e.peer == echoPeer && !echoed) {
            netSend(endpoint, echoPeer, kNetChannelInputs, packet.data(), packet.size());
            netFlush(endpoint);
            echoed = true;
          }
      }
      NetEvent got;
      while (netPoll(c.endpoint, &got)) {
        if (got.type != kNetReceived) continue;
        if (got.peer == to && !echoed) {
          netSend(c.endpoint, to, kNetChannelInputs, packet.data(), packet.size());
          echoed = true;
        }
        if (got.peer == from && echoed) c.pingArrived = Clock::now();
      }
      netFlush(c.endpoint);
      sendCrowd(c, crowdFirst, start, &crowdSent);
    }
    if (c.pingArrived != Clock::time_point{})
      times.push_back(std::chrono::duration<double, std::micro>(c.pingArrived - sentAt).count());
    while (Clock::now() - sentAt < kPingEvery) {
      pollCrowd(c);
      sendCrowd(c, crowdFirst, start, &crowdSent);
    }
  }
  std::sort(times.begin(), times.end());
  return times;
}

double percentile(const std::vector<double>& sorted, double p) {
  if (sorted.empty()) return 0;
  return sorted[std::min(sorted.size() - 1, static_cast<size_t>(p * static_cast<double>(sorted.size())))];
}

// The relay's added delay per hop with `state.range(0)` other sessions relaying at once: half
// of (the ping through the relay, there and back) less (the same ping sent directly).
void BM_LobbyRelayAddedDelay(benchmark::State& state) {
  const int crowd = static_cast<int>(state.range(0));
  const LobbyProcess lobby = startLobbyProcess();
  if (lobby.port == 0) return state.SkipWithError("the lobby did not start");
  Crowd c;
  if (!openSessions(c, lobby.port, crowd + 1)) {
    stopLobbyProcess(lobby);
    netClose(c.endpoint);
    return state.SkipWithError("the sessions did not open");
  }
  // The direct pair: a listening endpoint and one that connects to it.
  std::string error;
  const int listener = netOpen("127.0.0.1", 0, 1, 1, kNetMostBytes, &error);
  NetAddress direct;
  netResolve("127.0.0.1", netLocalPort(listener), &direct);
  const int caller = netConnectTo(c.endpoint, direct);
  c.connected.resize(c.peers.size() + 1, 0);
  c.lastMessage.resize(c.peers.size() + 1);
  int listenerPeer = -1;
  pollUntil(c, [&] {
    NetEvent e;
    while (netPoll(listener, &e))
      if (e.type == kNetConnected) listenerPeer = e.peer;
    return listenerPeer >= 0 && c.connected[caller];
  });
  std::vector<double> relayed, straight;
  for (auto _ : state) {
    relayed = pingTimes(c, c.peers[0], c.peers[1], -1, -1, 2);
    straight = pingTimes(c, caller, -1, listener, listenerPeer, 2);
  }
  state.counters["relay_rtt_p50_us"] = percentile(relayed, 0.5);
  state.counters["relay_rtt_p99_us"] = percentile(relayed, 0.99);
  state.counters["direct_rtt_p50_us"] = percentile(straight, 0.5);
  state.counters["added_p50_us"] = (percentile(relayed, 0.5) - percentile(straight, 0.5)) / 2;
  state.counters["added_p99_us"] = (percentile(relayed, 0.99) - percentile(straight, 0.99)) / 2;
  state.counters["lobby_rss_kb"] = static_cast<double>(residentKb(lobby.pid));
  state.counters["pings_answered"] = static_cast<double>(relayed.size());
  netClose(listener);
  netClose(c.endpoint);
  stopLobbyProcess(lobby);
}
BENCHMARK(BM_LobbyRelayAddedDelay)->Arg(0)->Arg(100)->Arg(300)->Arg(1000)->Iterations(1)->UseRealTime()
    ->Unit(benchmark::kMillisecond);

// What the lobby holds per room and per watcher: its fixed tables, and a room's store of
// controls when full.
void BM_LobbyMemoryPerRoom(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(sizeof(LobbyRoom));
  state.counters["room_record_bytes"] = sizeof(LobbyRoom);
  state.counters["room_feed_full_bytes"] = static_cast<double>(kRoomFeedTicks * sizeof(FeedTick));
  state.counters["peer_record_bytes"] = sizeof(LobbyPeer);
  state.counters["address_slot_bytes"] = sizeof(LobbyAddress);
}
BENCHMARK(BM_LobbyMemoryPerRoom);

}  // namespace
