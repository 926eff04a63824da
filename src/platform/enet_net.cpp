// UDP endpoints through ENet (net.h). The conditions hold outgoing packets back in a queue of
// the endpoint's own and hand them to ENet when they are due.
#include <arpa/inet.h>
#include <enet/enet.h>
#include <ifaddrs.h>
#include <netinet/in.h>
#include <poll.h>

#include <algorithm>
#include <cstring>
#include <ctime>

#include "platform/line_random.h"
#include "platform/net.h"
#include "platform/websocket_endpoints.h"

namespace {

// ENet turns a message bigger than this away itself, before it is put together in memory.
constexpr size_t kEnetMostPacket = 1 << 20;
// How long netClose lets the goodbyes and the last queued packets go out.
constexpr uint32_t kCloseGraceMs = 300;

struct DelayedPacket {
  uint64_t dueMs;
  int peer;
  int channel;
  std::vector<uint8_t> bytes;
};

// One slot of the table. netListen and netConnect fill it, netClose empties it; netPoll and
// netSend read and write the rest.
struct Endpoint {
  ENetHost* host = nullptr;
  NetConditions conditions;
  uint32_t randomState = 1;            // the conditions' generator (xorshift32)
  uint64_t lastReliableDueMs = 0;      // reliable packets leave in the order they were sent
  std::vector<DelayedPacket> delayed;  // in the order they were sent
  NetCounters counters;
  bool batched = false;  // sends wait for the next poll or netFlush (a server with many peers)
  uint8_t received[kNetMostBytes];  // the bytes of the event netPoll last gave
};

Endpoint endpoints[kNetEndpoints];
bool enetStarted = false;

bool startEnet(std::string* error) {
  if (!enetStarted && enet_initialize() != 0) {
    *error = "the network library did not start";
    return false;
  }
  enetStarted = true;
  return true;
}

int freeSlot(std::string* error) {
  for (int e = 0; e < kNetEndpoints; ++e)
    if (endpoints[e].host == nullptr) return e;
  *error = "no free network endpoint";
  return -1;
}

bool validEndpoint(int endpoint) {
  return endpoint >= 0 && endpoint < kNetEndpoints && endpoints[endpoint].host != nullptr;
}

int peerIndex(const Endpoint& ep, const ENetPeer* peer) { return static_cast<int>(peer - ep.host->peers); }

uint32_t nextRandom(Endpoint& ep) { return nextLineRandom(&ep.randomState); }

void handToEnet(Endpoint& ep, int peer, int channel, const void* data, size_t size) {
  if (peer < 0 || peer >= static_cast<int>(ep.host->peerCount)) return;
  ENetPeer* p = &ep.host->peers[peer];
  if (p->state != ENET_PEER_STATE_CONNECTED) return;
  const enet_uint32 flags = channel == kNetChannelSetup ? ENET_PACKET_FLAG_RELIABLE : ENET_PACKET_FLAG_UNSEQUENCED;
  ENetPacket* packet = enet_packet_create(data, size, flags);
  if (packet == nullptr) return;
  if (enet_peer_send(p, static_cast<enet_uint8>(channel), packet) != 0) {
    enet_packet_destroy(packet);
    return;
  }
  ep.counters.bytesSent += size;
  ++ep.counters.packetsSent;
}

void sendDue(Endpoint& ep, uint64_t nowMs) {
  size_t kept = 0;
  for (size_t i = 0; i < ep.delayed.size(); ++i) {
    DelayedPacket& d = ep.delayed[i];
    if (d.dueMs <= nowMs)
      handToEnet(ep, d.peer, d.channel, d.bytes.data(), d.bytes.size());
    else if (kept++ != i)
      ep.delayed[kept - 1] = std::move(d);
  }
  ep.delayed.resize(kept);
}

int openEndpoint(const ENetAddress* bind, size_t peers, std::string* error) {
  if (!startEnet(error)) return -1;
  const int e = freeSlot(error);
  if (e < 0) return -1;
  ENetHost* host = enet_host_create(bind, peers, kNetChannels, 0, 0);
  if (host == nullptr) {
    *error = bind ? "cannot listen on port " + std::to_string(bind->port) + " (in use?)" : "cannot open a socket";
    return -1;
  }
  host->maximumPacketSize = kEnetMostPacket;
  Endpoint& ep = endpoints[e];
  ep.host = host;
  ep.conditions = NetConditions{};
  ep.randomState = 1;
  ep.lastReliableDueMs = 0;
  ep.delayed.clear();
  ep.counters = NetCounters{};
  ep.batched = false;
  return e;
}

}  // namespace

uint64_t netClockMs() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  return static_cast<uint64_t>(now.tv_sec) * 1000u + static_cast<uint64_t>(now.tv_nsec) / 1000000u;
}

int netListen(const std::string& bindHost, uint16_t port, std::string* error) {
  return netOpen(bindHost, port, kNetPeersPerEndpoint, ENET_PROTOCOL_MAXIMUM_PEER_ID, kEnetMostPacket, error);
}

int netConnect(const std::string& hostName, uint16_t port, std::string* error) {
  if (!startEnet(error)) return -1;
  ENetAddress address{};
  if (enet_address_set_host(&address, hostName.c_str()) != 0) {
    *error = "cannot find the host " + hostName;
    return -1;
  }
  address.port = port;
  const int e = openEndpoint(nullptr, 1, error);
  if (e < 0) return -1;
  if (enet_host_connect(endpoints[e].host, &address, kNetChannels, 0) == nullptr) {
    netClose(e);
    *error = "cannot start a connection to " + hostName;
    return -1;
  }
  return e;
}

uint16_t netLocalPort(int endpoint) {
  if (isWebSocketEndpoint(endpoint)) return webSocketLocalPort(endpoint);
  if (!validEndpoint(endpoint)) return 0;
  // An endpoint that only connects out was given its port by the system, not by ENet.
  ENetAddress bound{};
  if (endpoints[endpoint].host->address.port == 0 && enet_socket_get_address(endpoints[endpoint].host->socket, &bound) == 0)
    return bound.port;
  return endpoints[endpoint].host->address.port;
}

bool netPoll(int endpoint, NetEvent* event) {
  if (isWebSocketEndpoint(endpoint)) return webSocketPoll(endpoint, event);
  *event = NetEvent{};
  if (!validEndpoint(endpoint)) return false;
  Endpoint& ep = endpoints[endpoint];
  sendDue(ep, netClockMs());
  ENetEvent e{};
  while (enet_host_service(ep.host, &e, 0) > 0) {
    event->peer = peerIndex(ep, e.peer);
    if (e.type == ENET_EVENT_TYPE_CONNECT) {
      event->type = kNetConnected;
      return true;
    }
    if (e.type == ENET_EVENT_TYPE_DISCONNECT) {
      event->type = kNetDisconnected;
      return true;
    }
    if (e.type == ENET_EVENT_TYPE_RECEIVE) {
      event->type = kNetReceived;
      event->channel = e.channelID;
      event->size = e.packet->dataLength;
      ep.counters.bytesReceived += e.packet->dataLength;
      ++ep.counters.packetsReceived;
      // An empty packet has no bytes at all (ENet keeps no buffer for it): it still arrives,
      // as zero bytes, for the receiver to turn away like any other that is too short.
      if (e.packet->dataLength <= kNetMostBytes) {
        if (e.packet->dataLength > 0) std::memcpy(ep.received, e.packet->data, e.packet->dataLength);
        event->data = ep.received;
      }
      enet_packet_destroy(e.packet);
      return true;
    }
  }
  return false;
}

void netSend(int endpoint, int peer, int channel, const void* data, size_t size) {
  if (isWebSocketEndpoint(endpoint)) return webSocketSend(endpoint, peer, channel, data, size);
  if (!validEndpoint(endpoint) || channel < 0 || channel >= kNetChannels) return;
  Endpoint& ep = endpoints[endpoint];
  const NetConditions& c = ep.conditions;
  if (channel == kNetChannelInputs && c.lossPercent > 0 &&
      static_cast<int32_t>(nextRandom(ep) % 100) < c.lossPercent) {
    ++ep.counters.packetsLostOnPurpose;
    return;
  }
  int64_t delay = c.latencyMs;
  if (c.jitterMs > 0) delay += static_cast<int64_t>(nextRandom(ep) % (2u * c.jitterMs + 1)) - c.jitterMs;
  if (delay <= 0 && ep.delayed.empty()) {
    handToEnet(ep, peer, channel, data, size);
    if (!ep.batched) enet_host_flush(ep.host);
    return;
  }
  uint64_t due = netClockMs() + static_cast<uint64_t>(std::max<int64_t>(delay, 0));
  if (channel == kNetChannelSetup) {
    due = std::max(due, ep.lastReliableDueMs);
    ep.lastReliableDueMs = due;
  }
  const uint8_t* bytes = static_cast<const uint8_t*>(data);
  ep.delayed.push_back({due, peer, channel, std::vector<uint8_t>(bytes, bytes + size)});
}

void netDisconnect(int endpoint, int peer) {
  if (isWebSocketEndpoint(endpoint)) return webSocketDisconnect(endpoint, peer);
  if (!validEndpoint(endpoint) || peer < 0 || peer >= static_cast<int>(endpoints[endpoint].host->peerCount)) return;
  enet_peer_disconnect_later(&endpoints[endpoint].host->peers[peer], 0);
  enet_host_flush(endpoints[endpoint].host);
}

void netClose(int endpoint) {
  if (isWebSocketEndpoint(endpoint)) return webSocketClose(endpoint);
  if (!validEndpoint(endpoint)) return;
  Endpoint& ep = endpoints[endpoint];
  sendDue(ep, UINT64_MAX);
  int connected = 0;
  for (size_t p = 0; p < ep.host->peerCount; ++p) {
    ENetPeer* peer = &ep.host->peers[p];
    if (peer->state == ENET_PEER_STATE_DISCONNECTED) continue;
    enet_peer_disconnect_later(peer, 0);
    ++connected;
  }
  const uint64_t until = netClockMs() + kCloseGraceMs;
  ENetEvent e{};
  while (connected > 0 && netClockMs() < until) {
    const int got = enet_host_service(ep.host, &e, 10);
    if (got < 0) break;
    if (got == 0) continue;
    if (e.type == ENET_EVENT_TYPE_RECEIVE) enet_packet_destroy(e.packet);
    if (e.type == ENET_EVENT_TYPE_DISCONNECT) --connected;
  }
  enet_host_destroy(ep.host);
  ep.host = nullptr;
  ep.delayed.clear();
}

void netSetConditions(int endpoint, const NetConditions& conditions) {
  if (!validEndpoint(endpoint)) return;
  Endpoint& ep = endpoints[endpoint];
  ep.conditions = conditions;
  ep.randomState = conditions.seed != 0 ? conditions.seed : 1;
}

NetCounters netCounters(int endpoint) {
  if (isWebSocketEndpoint(endpoint)) return webSocketCounters(endpoint);
  if (!validEndpoint(endpoint)) return NetCounters{};
  NetCounters c = endpoints[endpoint].counters;
  c.datagramBytesSent = endpoints[endpoint].host->totalSentData;
  c.datagramsSent = endpoints[endpoint].host->totalSentPackets;
  return c;
}

std::vector<std::string> netLocalAddresses() {
  std::vector<std::string> found;
  ifaddrs* list = nullptr;
  if (getifaddrs(&list) != 0) return found;
  for (ifaddrs* a = list; a != nullptr; a = a->ifa_next) {
    if (a->ifa_addr == nullptr || a->ifa_addr->sa_family != AF_INET) continue;
    char text[INET_ADDRSTRLEN] = {};
    const auto* in = reinterpret_cast<const sockaddr_in*>(a->ifa_addr);
    if (inet_ntop(AF_INET, &in->sin_addr, text, sizeof text) == nullptr) continue;
    if (std::strncmp(text, "127.", 4) == 0) continue;
    found.push_back(text);
  }
  freeifaddrs(list);
  return found;
}

// ---- for a lobby and the machines that meet through it ----------------------------------------

namespace {

// The first retry of a connection attempt after this long (ENet's own is half a second,
// doubling), so that an attempt through a router that opens late is tried again in time.
constexpr enet_uint32 kQuickRetryMs = 100;

ENetAddress enetAddress(const NetAddress& a) {
  ENetAddress e{};
  std::memcpy(&e.host, a.ip, sizeof a.ip);
  e.port = a.port;
  return e;
}

bool validPeer(int endpoint, int peer) {
  return validEndpoint(endpoint) && peer >= 0 && peer < static_cast<int>(endpoints[endpoint].host->peerCount);
}

}  // namespace

int netOpen(const std::string& bindHost, uint16_t port, int peers, int peersPerAddress, size_t mostPacketBytes,
            std::string* error) {
  if (!startEnet(error)) return -1;
  ENetAddress address{};
  address.host = ENET_HOST_ANY;
  address.port = port;
  if (!bindHost.empty() && enet_address_set_host(&address, bindHost.c_str()) != 0) {
    *error = "cannot find the address " + bindHost;
    return -1;
  }
  const int e = openEndpoint(&address, static_cast<size_t>(std::clamp(peers, 1, static_cast<int>(ENET_PROTOCOL_MAXIMUM_PEER_ID))), error);
  if (e < 0) return -1;
  endpoints[e].host->duplicatePeers = static_cast<size_t>(std::max(peersPerAddress, 1));
  endpoints[e].host->maximumPacketSize = std::min(mostPacketBytes, kEnetMostPacket);
  return e;
}

int netConnectTo(int endpoint, const NetAddress& to) {
  if (!validEndpoint(endpoint)) return -1;
  const ENetAddress address = enetAddress(to);
  ENetPeer* peer = enet_host_connect(endpoints[endpoint].host, &address, kNetChannels, 0);
  if (peer == nullptr) return -1;
  peer->roundTripTime = kQuickRetryMs;
  peer->roundTripTimeVariance = 0;
  return peerIndex(endpoints[endpoint], peer);
}

NetAddress netPeerAddress(int endpoint, int peer) {
  if (isWebSocketEndpoint(endpoint)) return webSocketPeerAddress(endpoint, peer);
  NetAddress a;
  if (!validPeer(endpoint, peer)) return a;
  const ENetPeer& p = endpoints[endpoint].host->peers[peer];
  if (p.state == ENET_PEER_STATE_DISCONNECTED) return a;
  std::memcpy(a.ip, &p.address.host, sizeof a.ip);
  a.port = p.address.port;
  return a;
}

void netPunch(int endpoint, const NetAddress& to) {
  if (!validEndpoint(endpoint) || to.port == 0) return;
  // Shorter than any ENet header, so the far side's ENet drops it unread.
  static const uint8_t kNothing = 0;
  ENetBuffer buffer;
  buffer.data = const_cast<uint8_t*>(&kNothing);
  buffer.dataLength = 1;
  const ENetAddress address = enetAddress(to);
  enet_socket_send(endpoints[endpoint].host->socket, &address, &buffer, 1);
}

void netDropPeer(int endpoint, int peer) {
  if (isWebSocketEndpoint(endpoint)) return webSocketDropPeer(endpoint, peer);
  if (validPeer(endpoint, peer)) enet_peer_reset(&endpoints[endpoint].host->peers[peer]);
}

size_t netQueuedBytes(int endpoint, int peer) {
  if (isWebSocketEndpoint(endpoint)) return webSocketQueuedBytes(endpoint, peer);
  if (!validPeer(endpoint, peer)) return 0;
  ENetPeer& p = endpoints[endpoint].host->peers[peer];
  size_t queued = p.reliableDataInTransit;
  for (ENetListIterator i = enet_list_begin(&p.outgoingCommands); i != enet_list_end(&p.outgoingCommands);
       i = enet_list_next(i))
    queued += reinterpret_cast<ENetOutgoingCommand*>(i)->fragmentLength;
  return queued;
}

uint32_t netRoundTripMs(int endpoint, int peer) {
  if (!validPeer(endpoint, peer)) return 0;
  return endpoints[endpoint].host->peers[peer].roundTripTime;
}

void netWait(int endpoint, uint32_t ms) { netWaitAny(&endpoint, 1, ms); }

void netWaitAny(const int* endpointList, int count, uint32_t ms) {
  std::vector<pollfd> fds;
  for (int i = 0; i < count; ++i) {
    const int endpoint = endpointList[i];
    if (webSocketWaitFds(endpoint, &fds)) return;
    if (validEndpoint(endpoint)) fds.push_back(pollfd{endpoints[endpoint].host->socket, POLLIN, 0});
  }
  if (fds.empty()) return;
  poll(fds.data(), fds.size(), static_cast<int>(ms));
}

bool netResolve(const std::string& host, uint16_t port, NetAddress* out) {
  std::string error;
  if (!startEnet(&error)) return false;
  ENetAddress address{};
  if (enet_address_set_host(&address, host.c_str()) != 0) return false;
  std::memcpy(out->ip, &address.host, sizeof out->ip);
  out->port = port;
  return true;
}

std::string netAddressText(const NetAddress& a) {
  return std::to_string(a.ip[0]) + "." + std::to_string(a.ip[1]) + "." + std::to_string(a.ip[2]) + "." +
         std::to_string(a.ip[3]) + ":" + std::to_string(a.port);
}

void netSetBatched(int endpoint, bool batched) {
  if (isWebSocketEndpoint(endpoint)) return webSocketSetBatched(endpoint, batched);
  if (validEndpoint(endpoint)) endpoints[endpoint].batched = batched;
}

void netFlush(int endpoint) {
  if (isWebSocketEndpoint(endpoint)) return webSocketFlush(endpoint);
  if (validEndpoint(endpoint)) enet_host_flush(endpoints[endpoint].host);
}
