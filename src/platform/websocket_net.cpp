// WebSocket endpoints through libwebsockets (net.h): a lobby's listener for pages and desktops,
// and a desktop's connection to such a lobby. libwebsockets does the HTTP handshake, the
// framing, the pings and the timeouts; this file keeps each connection's packets and hands them
// to the game as the UDP endpoints do, as events polled one at a time.
//
// Each endpoint is a libwebsockets context of its own, sized for its peers and no more. Its
// callbacks only record: a connection, a message, a goodbye become events in the endpoint's
// queue, which netPoll hands out after servicing the context without waiting. A listener
// accepts on a socket of its own and hands each connection it admits to libwebsockets, so that
// it knows every socket to wait on (netWaitAny sleeps on a lobby's UDP and TCP sockets at once)
// and turns an address past its share away before any of its bytes are read.
#include <arpa/inet.h>
#include <libwebsockets.h>
#include <netdb.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <unordered_map>

#include "platform/line_random.h"
#include "platform/websocket_frame.h"
#include "platform/websocket_endpoints.h"

namespace {

constexpr int kWebSocketEndpoints = kNetEndpoints;
constexpr int kMostWebSocketPeers = 4095;
// A connection has this long to finish its handshake (and every other exchange libwebsockets
// waits on) before it is closed: a caller that opens a socket and says nothing holds its slot
// no longer.
constexpr unsigned kHandshakeSeconds = 5;
// An open connection that has been quiet this long is pinged, and one that has not answered
// (nor sent anything) this long is closed.
constexpr uint16_t kPingAfterSeconds = 5;
constexpr uint16_t kHangUpAfterSeconds = 15;
const lws_retry_bo_t kIdlePolicy = {nullptr, 0, 0, kPingAfterSeconds, kHangUpAfterSeconds, 0};
// Handshakes in progress at once, each holding a header buffer of kMostHeaderBytes.
constexpr unsigned short kMostHandshakes = 256;
constexpr unsigned short kMostHeaderBytes = 2048;
// What libwebsockets reads in one go; a longer message comes in pieces.
constexpr size_t kReadChunkBytes = 4096;
// Sockets a context uses besides its peers' (its wake-up pipe and the like).
constexpr unsigned kSpareSockets = 8;
// What may wait to be written to all the peers together: past it, a peer this far behind is
// let go at its next packet, so that many slow readers at once cannot hold the lobby's memory.
constexpr size_t kMostQueuedInAll = 64u << 20;
constexpr size_t kBehindWhenFull = 16u << 10;
// How long netClose lets the goodbyes and the last queued messages go out.
constexpr uint64_t kCloseGraceMs = 300;
// Connections waiting to be accepted, and how many one service takes at most (the rest wait
// for the next, so that a flood of them does not hold up the packets of the others).
constexpr int kListenBacklog = 128;
constexpr int kAcceptsPerService = 64;

enum PeerState {
  kPeerFree,
  kPeerHandshaking,  // accepted (or dialled), the handshake not done
  kPeerOpen,
  kPeerClosing,  // netDisconnect: closes once what is queued has gone
  kPeerGone,     // closed; its goodbye waits in the queue, the slot is not reused until it is polled
  kPeerDropped,  // netDropPeer: libwebsockets has still to let go of it, and nobody hears of it
};

// One connection. The callbacks write it; netSend adds to `outgoing`.
struct Peer {
  int state = kPeerFree;
  lws* wsi = nullptr;
  NetAddress address;
  uint32_t generation = 0;  // counts the slot's connections, so an event outlived by its own is dropped
  std::deque<std::vector<uint8_t>> outgoing;  // each: libwebsockets' headroom, the channel, the bytes
  size_t queued = 0;                          // bytes in `outgoing`
  std::vector<uint8_t> incoming;              // the message coming in, as far as it is kept
  size_t incomingSize = 0;                    // its length so far, kept or not
  bool assembling = false;                    // a message has begun and not ended
  bool binary = false;
};

// A packet the line's conditions hold back, to be queued for its peer when it is due.
struct HeldPacket {
  uint64_t dueMs = 0;
  int peer = 0;
  uint32_t generation = 0;  // of the peer's connection it was meant for
  int channel = 0;
  std::vector<uint8_t> bytes;
};

struct PeerEvent {
  int type = kNetNothing;
  int peer = -1;
  uint32_t generation = 0;
  int channel = 0;
  bool oversized = false;
  size_t size = 0;
  std::vector<uint8_t> bytes;
};

// One slot of the table: netListenWebSocket or netConnectWebSocket fill it, netClose empties it.
struct Endpoint {
  lws_context* context = nullptr;
  lws_vhost* vhost = nullptr;
  int listener = -1;  // the listening socket, -1 on a client
  bool listening = false;
  bool closing = false;  // netClose: the callbacks only let go from here on
  std::vector<Peer> peers;
  int peersPerAddress = 1;
  size_t mostMessageBytes = kNetMostBytes;
  std::unordered_map<uint32_t, int> connectionsFrom;  // by IPv4 address, handshakes included
  std::deque<PeerEvent> events;
  std::vector<uint8_t> delivered;          // the bytes of the event netPoll last gave
  NetCounters counters;
  uint16_t port = 0;
  bool batched = false;
  // The line this side plays (net.h): a stream keeps its order, so what is held back leaves in
  // the order it was sent, whatever its channel.
  NetConditions conditions;
  uint32_t randomState = 1;
  uint64_t lastDueMs = 0;
  std::deque<HeldPacket> held;
  size_t queuedInAll = 0;  // every peer's `queued` together
  std::string host;  // the connection's, kept while libwebsockets holds pointers into them
  std::string path;
};

Endpoint endpoints[kWebSocketEndpoints];

Endpoint* endpointOf(int endpoint) {
  const int e = endpoint - kWebSocketEndpointBase;
  if (e < 0 || e >= kWebSocketEndpoints || endpoints[e].context == nullptr) return nullptr;
  return &endpoints[e];
}

Peer* peerOf(int endpoint, int peer) {
  Endpoint* ep = endpointOf(endpoint);
  if (ep == nullptr || peer < 0 || peer >= static_cast<int>(ep->peers.size())) return nullptr;
  return &ep->peers[static_cast<size_t>(peer)];
}

uint32_t ipOf(const NetAddress& a) {
  uint32_t ip = 0;
  std::memcpy(&ip, a.ip, sizeof ip);
  return ip;
}

NetAddress addressOf(const sockaddr_storage& s) {
  NetAddress a;
  if (s.ss_family != AF_INET) return a;
  const auto* in = reinterpret_cast<const sockaddr_in*>(&s);
  std::memcpy(a.ip, &in->sin_addr, sizeof a.ip);
  a.port = ntohs(in->sin_port);
  return a;
}

NetAddress addressOfSocket(int fd) {
  sockaddr_storage s{};
  socklen_t size = sizeof s;
  if (getpeername(fd, reinterpret_cast<sockaddr*>(&s), &size) != 0) return NetAddress{};
  return addressOf(s);
}

// The slot a connection's callbacks are about: kept in the connection as its number plus one.
int slotOf(lws* wsi) { return static_cast<int>(reinterpret_cast<intptr_t>(lws_get_opaque_user_data(wsi))) - 1; }

void push(Endpoint& ep, int type, int peer, PeerEvent event = PeerEvent{}) {
  event.type = type;
  event.peer = peer;
  event.generation = ep.peers[static_cast<size_t>(peer)].generation;
  ep.events.push_back(std::move(event));
}

// ---- the peers' lives -----------------------------------------------------------------------

void dropQueue(Endpoint& ep, Peer& p) {
  ep.queuedInAll -= p.queued;
  p.queued = 0;
  p.outgoing.clear();
}

void forgetAddress(Endpoint& ep, const NetAddress& a) {
  auto found = ep.connectionsFrom.find(ipOf(a));
  if (found != ep.connectionsFrom.end() && --found->second <= 0) ep.connectionsFrom.erase(found);
}

void claim(Endpoint& ep, int slot, lws* wsi, const NetAddress& address) {
  Peer& p = ep.peers[static_cast<size_t>(slot)];
  const uint32_t generation = p.generation + 1;
  p = Peer{};
  p.generation = generation;
  p.state = kPeerHandshaking;
  p.wsi = wsi;
  p.address = address;
  lws_set_opaque_user_data(wsi, reinterpret_cast<void*>(static_cast<intptr_t>(slot + 1)));
  if (ep.listening) ++ep.connectionsFrom[ipOf(address)];
}

// The connection is over, however it ended. Its owner hears of it if it ever heard of the
// connection (or, on a client, of its attempt); the slot is reused once that has been polled.
void letGo(Endpoint& ep, int slot) {
  if (slot < 0 || slot >= static_cast<int>(ep.peers.size())) return;
  Peer& p = ep.peers[static_cast<size_t>(slot)];
  if (p.state == kPeerFree || p.state == kPeerGone) return;
  const bool told = p.state == kPeerOpen || p.state == kPeerClosing || (!ep.listening && p.state == kPeerHandshaking);
  if (ep.listening) forgetAddress(ep, p.address);
  p.wsi = nullptr;
  dropQueue(ep, p);
  std::vector<uint8_t>().swap(p.incoming);
  if (told && !ep.closing) {
    p.state = kPeerGone;
    push(ep, kNetDisconnected, slot);
    return;
  }
  p.state = kPeerFree;
}

// Closes a connection from outside its callbacks: libwebsockets does it on its next service.
void killSoon(Peer& p, lws_close_status status) {
  if (p.wsi == nullptr) return;
  lws_close_reason(p.wsi, status, nullptr, 0);
  lws_set_timeout(p.wsi, PENDING_TIMEOUT_USER_OK, LWS_TO_KILL_ASYNC);
}

// A free slot and the address's allowance, for a connection accepted a moment ago.
bool admit(const Endpoint& ep, const sockaddr_storage& from) {
  if (ep.closing || from.ss_family != AF_INET) return false;
  const auto found = ep.connectionsFrom.find(ipOf(addressOf(from)));
  if (found != ep.connectionsFrom.end() && found->second >= ep.peersPerAddress) return false;
  for (const Peer& p : ep.peers)
    if (p.state == kPeerFree) return true;
  return false;
}

int freePeer(const Endpoint& ep) {
  for (size_t i = 0; i < ep.peers.size(); ++i)
    if (ep.peers[i].state == kPeerFree) return static_cast<int>(i);
  return -1;
}

// Whether the handshake names this game's subprotocol among those it offers.
bool offersOurProtocol(lws* wsi) {
  char offered[256] = {};
  if (lws_hdr_copy(wsi, offered, sizeof offered, WSI_TOKEN_PROTOCOL) <= 0) return false;
  for (char* name = std::strtok(offered, ", "); name != nullptr; name = std::strtok(nullptr, ", "))
    if (std::strcmp(name, kNetWebSocketProtocol) == 0) return true;
  return false;
}

// ---- messages -------------------------------------------------------------------------------

// A piece of a message. The whole of it becomes an event; one past the largest message is
// told as oversized and closes the connection, and so does one that is not a channel's packet
// (text, empty, or a first byte that names no channel). Nonzero closes the connection.
int takePiece(Endpoint& ep, int slot, lws* wsi, const void* in, size_t len) {
  Peer& p = ep.peers[static_cast<size_t>(slot)];
  if (p.state != kPeerOpen && p.state != kPeerClosing) return 0;
  if (!p.assembling) {
    p.incoming.clear();
    p.incomingSize = 0;
    p.assembling = true;
    p.binary = lws_frame_is_binary(wsi) != 0;
  }
  const size_t most = ep.mostMessageBytes + 1;  // the channel's byte and the packet
  p.incomingSize += len;
  if (p.incomingSize <= most) {
    const uint8_t* bytes = static_cast<const uint8_t*>(in);
    p.incoming.insert(p.incoming.end(), bytes, bytes + len);
  }
  const bool ended = lws_is_final_fragment(wsi) && lws_remaining_packet_payload(wsi) == 0;
  if (p.incomingSize > most) {
    PeerEvent oversized;
    oversized.oversized = true;
    oversized.size = p.incomingSize - 1;
    push(ep, kNetReceived, slot, std::move(oversized));
    lws_close_reason(wsi, LWS_CLOSE_STATUS_MESSAGE_TOO_LARGE, nullptr, 0);
    return -1;
  }
  if (!ended) return 0;
  p.assembling = false;
  if (!p.binary || p.incoming.empty() || p.incoming[0] >= kNetChannels) {
    lws_close_reason(wsi, LWS_CLOSE_STATUS_PROTOCOL_ERR, nullptr, 0);
    return -1;
  }
  PeerEvent received;
  received.channel = p.incoming[0];
  received.size = p.incoming.size() - 1;
  received.bytes.assign(p.incoming.begin() + 1, p.incoming.end());
  ep.counters.bytesReceived += received.size;
  ++ep.counters.packetsReceived;
  push(ep, kNetReceived, slot, std::move(received));
  return 0;
}

// One queued message goes out each time the connection can take one. Nonzero closes it.
int writeNext(Endpoint& ep, int slot, lws* wsi) {
  Peer& p = ep.peers[static_cast<size_t>(slot)];
  if (p.outgoing.empty()) {
    if (p.state != kPeerClosing) return 0;
    lws_close_reason(wsi, LWS_CLOSE_STATUS_NORMAL, nullptr, 0);
    return -1;
  }
  std::vector<uint8_t>& m = p.outgoing.front();
  const size_t size = m.size() - LWS_PRE;
  if (lws_write(wsi, m.data() + LWS_PRE, size, LWS_WRITE_BINARY) < static_cast<int>(size)) return -1;
  ep.counters.datagramBytesSent += size + webSocketFrameHeaderBytes(size, !ep.listening);
  ++ep.counters.datagramsSent;
  p.queued -= size;
  ep.queuedInAll -= size;
  p.outgoing.pop_front();
  if (!p.outgoing.empty() || p.state == kPeerClosing) lws_callback_on_writable(wsi);
  return 0;
}

int callback(lws* wsi, lws_callback_reasons reason, void* user, void* in, size_t len) {
  lws_context* context = wsi != nullptr ? lws_get_context(wsi) : nullptr;
  Endpoint* ep = context != nullptr ? static_cast<Endpoint*>(lws_context_user(context)) : nullptr;
  if (ep == nullptr) return lws_callback_http_dummy(wsi, reason, user, in, len);
  const int slot = slotOf(wsi);
  switch (reason) {
    case LWS_CALLBACK_SERVER_NEW_CLIENT_INSTANTIATED: {
      // libwebsockets tells a client's own connection so too: only a listener takes it in.
      if (!ep->listening) return 0;
      const int free = freePeer(*ep);
      if (free < 0 || ep->closing) {
        lws_set_timeout(wsi, PENDING_TIMEOUT_USER_OK, LWS_TO_KILL_ASYNC);
        return 0;
      }
      claim(*ep, free, wsi, addressOfSocket(lws_get_socket_fd(wsi)));
      return 0;
    }
    case LWS_CALLBACK_FILTER_PROTOCOL_CONNECTION: return offersOurProtocol(wsi) ? 0 : -1;
    case LWS_CALLBACK_ESTABLISHED:
    case LWS_CALLBACK_CLIENT_ESTABLISHED:
      if (slot < 0 || ep->peers[static_cast<size_t>(slot)].state != kPeerHandshaking) return -1;
      ep->peers[static_cast<size_t>(slot)].state = kPeerOpen;
      ep->peers[static_cast<size_t>(slot)].address = addressOfSocket(lws_get_socket_fd(wsi));
      push(*ep, kNetConnected, slot);
      return 0;
    case LWS_CALLBACK_RECEIVE:
    case LWS_CALLBACK_CLIENT_RECEIVE: return slot < 0 ? -1 : takePiece(*ep, slot, wsi, in, len);
    case LWS_CALLBACK_SERVER_WRITEABLE:
    case LWS_CALLBACK_CLIENT_WRITEABLE: return slot < 0 ? -1 : writeNext(*ep, slot, wsi);
    case LWS_CALLBACK_CLOSED:
    case LWS_CALLBACK_CLIENT_CLOSED:
    case LWS_CALLBACK_CLIENT_CONNECTION_ERROR:
    case LWS_CALLBACK_WSI_DESTROY:
      if (slot >= 0 && ep->peers[static_cast<size_t>(slot)].wsi == wsi) letGo(*ep, slot);
      if (slot >= 0) lws_set_opaque_user_data(wsi, nullptr);
      return 0;
    default: return lws_callback_http_dummy(wsi, reason, user, in, len);
  }
}

const lws_protocols kProtocols[] = {
    {kNetWebSocketProtocol, callback, 0, kReadChunkBytes, 0, nullptr, 0},
    {nullptr, nullptr, 0, 0, 0, nullptr, 0},
};

// ---- endpoints ----------------------------------------------------------------------------

// libwebsockets says only its errors, on standard error, unless BRAWLER_WEBSOCKET_LOG gives
// its log mask (a number: 1 errors, 2 warnings, 4 notices, 8 information, 16 debugging...).
void setLibraryLog() {
  static bool done = false;
  if (done) return;
  const char* mask = std::getenv("BRAWLER_WEBSOCKET_LOG");
  lws_set_log_level(mask != nullptr ? static_cast<int>(std::strtol(mask, nullptr, 10)) : LLL_ERR, nullptr);
  done = true;
}

int freeSlot(std::string* error) {
  for (int e = 0; e < kWebSocketEndpoints; ++e)
    if (endpoints[e].context == nullptr) return e;
  *error = "no free network endpoint";
  return -1;
}

void resetEndpoint(Endpoint& ep, int peers) {
  ep = Endpoint{};
  ep.peers.assign(static_cast<size_t>(peers), Peer{});
}

// The connections waiting on the listener: each admitted is handed to libwebsockets (which
// tells the callback, which claims it a slot), the others are closed unread.
void acceptWaiting(Endpoint& ep) {
  for (int i = 0; ep.listener >= 0 && i < kAcceptsPerService; ++i) {
    sockaddr_storage from{};
    socklen_t size = sizeof from;
    const int fd = accept4(ep.listener, reinterpret_cast<sockaddr*>(&from), &size, SOCK_NONBLOCK | SOCK_CLOEXEC);
    if (fd < 0) return;
    if (!admit(ep, from)) {
      close(fd);
      continue;
    }
    lws_adopt_socket_vhost(ep.vhost, fd);  // closes it itself when it cannot take it
  }
}

void queueFor(Endpoint& ep, Peer& p, int channel, const void* data, size_t size);

// What the line held back and is due by `nowMs` goes to its peers' queues, in order; a packet
// for a connection that has gone since is dropped with it.
void releaseHeld(Endpoint& ep, uint64_t nowMs) {
  while (!ep.held.empty() && ep.held.front().dueMs <= nowMs) {
    HeldPacket h = std::move(ep.held.front());
    ep.held.pop_front();
    Peer& p = ep.peers[static_cast<size_t>(h.peer)];
    if (p.generation == h.generation) queueFor(ep, p, h.channel, h.bytes.data(), h.bytes.size());
  }
}

// Services the context once without waiting: accepts, lets out what the line held back, reads,
// writes and runs its timers.
void service(Endpoint& ep) {
  acceptWaiting(ep);
  releaseHeld(ep, netClockMs());
  lws_service(ep.context, -1);
}

// The listening socket on bindHost ("" for every address) and port, -1 with the reason.
int openListener(const std::string& bindHost, uint16_t port, std::string* error) {
  sockaddr_in a{};
  a.sin_family = AF_INET;
  a.sin_port = htons(port);
  a.sin_addr.s_addr = htonl(INADDR_ANY);
  if (!bindHost.empty() && inet_pton(AF_INET, bindHost.c_str(), &a.sin_addr) != 1) {
    addrinfo hints{};
    hints.ai_family = AF_INET;
    addrinfo* found = nullptr;
    if (getaddrinfo(bindHost.c_str(), nullptr, &hints, &found) != 0 || found == nullptr) {
      *error = "cannot find the address " + bindHost;
      return -1;
    }
    a.sin_addr = reinterpret_cast<const sockaddr_in*>(found->ai_addr)->sin_addr;
    freeaddrinfo(found);
  }
  const int fd = socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
  const int yes = 1;
  if (fd >= 0) setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
  if (fd < 0 || bind(fd, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0 || listen(fd, kListenBacklog) != 0) {
    if (fd >= 0) close(fd);
    *error = "cannot listen on TCP port " + std::to_string(port) + " (in use?)";
    return -1;
  }
  return fd;
}

uint16_t boundPort(int fd) {
  sockaddr_in a{};
  socklen_t size = sizeof a;
  return getsockname(fd, reinterpret_cast<sockaddr*>(&a), &size) == 0 ? ntohs(a.sin_port) : 0;
}

// Whether libwebsockets has something to write on the connection: its queue, its goodbye, or
// (a client) the connection itself still being made.
bool wantsToWrite(const Endpoint& ep, const Peer& p) {
  return !p.outgoing.empty() || p.state == kPeerClosing || (!ep.listening && p.state == kPeerHandshaking);
}

}  // namespace

int netListenWebSocket(const std::string& bindHost, uint16_t port, int peers, int peersPerAddress,
                       size_t mostMessageBytes, std::string* error) {
  setLibraryLog();
  const int e = freeSlot(error);
  if (e < 0) return -1;
  Endpoint& ep = endpoints[e];
  const int peerCount = std::clamp(peers, 1, kMostWebSocketPeers);
  resetEndpoint(ep, peerCount);
  ep.listening = true;
  ep.peersPerAddress = std::max(peersPerAddress, 1);
  ep.mostMessageBytes = std::min(mostMessageBytes, kNetMostBytes);
  ep.listener = openListener(bindHost, port, error);
  if (ep.listener < 0) {
    ep = Endpoint{};
    return -1;
  }
  lws_context_creation_info info{};
  info.port = CONTEXT_PORT_NO_LISTEN_SERVER;
  info.protocols = kProtocols;
  info.user = &ep;
  info.options = LWS_SERVER_OPTION_DISABLE_IPV6;
  info.gid = -1;
  info.uid = -1;
  info.fd_limit_per_thread = static_cast<unsigned>(peerCount) + kSpareSockets;
  info.timeout_secs = kHandshakeSeconds;
  info.timeout_secs_ah_idle = kHandshakeSeconds;
  info.max_http_header_pool = kMostHandshakes;
  info.max_http_header_data = kMostHeaderBytes;
  info.retry_and_idle_policy = &kIdlePolicy;
  ep.context = lws_create_context(&info);
  ep.vhost = ep.context != nullptr ? lws_get_vhost_by_name(ep.context, "default") : nullptr;
  if (ep.vhost == nullptr) {
    if (ep.context != nullptr) lws_context_destroy(ep.context);
    close(ep.listener);
    ep = Endpoint{};
    *error = "the network library did not start";
    return -1;
  }
  ep.port = boundPort(ep.listener);
  return kWebSocketEndpointBase + e;
}

int netConnectWebSocket(const std::string& url, std::string* error) {
  setLibraryLog();
  WebSocketUrl u;
  if (!netParseWebSocketUrl(url, &u)) {
    *error = "cannot read the address " + url;
    return -1;
  }
  const int e = freeSlot(error);
  if (e < 0) return -1;
  Endpoint& ep = endpoints[e];
  resetEndpoint(ep, 1);
  ep.host = u.host;
  ep.path = u.path;
  lws_context_creation_info info{};
  info.port = CONTEXT_PORT_NO_LISTEN;
  info.protocols = kProtocols;
  info.user = &ep;
  info.options = LWS_SERVER_OPTION_DISABLE_IPV6 | (u.secure ? LWS_SERVER_OPTION_DO_SSL_GLOBAL_INIT : 0);
  info.gid = -1;
  info.uid = -1;
  info.fd_limit_per_thread = kSpareSockets;
  info.timeout_secs = kHandshakeSeconds;
  info.connect_timeout_secs = kHandshakeSeconds;
  ep.context = lws_create_context(&info);
  if (ep.context == nullptr) {
    ep = Endpoint{};
    *error = "the network library did not start";
    return -1;
  }
  ep.peers[0].state = kPeerHandshaking;
  ep.peers[0].generation = 1;
  lws_client_connect_info c{};
  c.context = ep.context;
  c.address = ep.host.c_str();
  c.port = u.port;
  c.path = ep.path.c_str();
  c.host = ep.host.c_str();
  c.origin = ep.host.c_str();
  c.protocol = kNetWebSocketProtocol;
  c.ssl_connection = u.secure ? LCCSCF_USE_SSL : 0;
  c.opaque_user_data = reinterpret_cast<void*>(intptr_t{1});
  c.retry_and_idle_policy = &kIdlePolicy;
  c.pwsi = &ep.peers[0].wsi;
  if (lws_client_connect_via_info(&c) == nullptr && ep.peers[0].state == kPeerHandshaking) {
    webSocketClose(kWebSocketEndpointBase + e);
    *error = "cannot start a connection to " + url;
    return -1;
  }
  return kWebSocketEndpointBase + e;
}

bool isWebSocketEndpoint(int endpoint) { return endpointOf(endpoint) != nullptr; }

bool webSocketPoll(int endpoint, NetEvent* event) {
  *event = NetEvent{};
  Endpoint* ep = endpointOf(endpoint);
  if (ep == nullptr) return false;
  if (ep->events.empty()) service(*ep);
  while (!ep->events.empty()) {
    PeerEvent e = std::move(ep->events.front());
    ep->events.pop_front();
    Peer& p = ep->peers[static_cast<size_t>(e.peer)];
    if (p.generation != e.generation || p.state == kPeerDropped) continue;
    if (e.type == kNetDisconnected && p.state == kPeerGone) p.state = kPeerFree;
    event->type = e.type;
    event->peer = e.peer;
    event->channel = e.channel;
    event->size = e.size;
    ep->delivered = std::move(e.bytes);
    // An empty packet still arrives, as zero bytes somewhere, for the receiver to turn away.
    static const uint8_t kNoBytes[1] = {};
    if (e.type == kNetReceived && !e.oversized) event->data = ep->delivered.empty() ? kNoBytes : ep->delivered.data();
    return true;
  }
  return false;
}

void webSocketSend(int endpoint, int peer, int channel, const void* data, size_t size) {
  Endpoint* ep = endpointOf(endpoint);
  Peer* p = peerOf(endpoint, peer);
  if (p == nullptr || p->state != kPeerOpen || channel < 0 || channel >= kNetChannels) return;
  if (lineLoses(ep->conditions, &ep->randomState, channel)) {
    ++ep->counters.packetsLostOnPurpose;
    return;
  }
  const int64_t delay = lineDelayMs(ep->conditions, &ep->randomState);
  if (delay > 0 || !ep->held.empty()) {
    HeldPacket h;
    h.dueMs = std::max(netClockMs() + static_cast<uint64_t>(std::max<int64_t>(delay, 0)), ep->lastDueMs);
    ep->lastDueMs = h.dueMs;
    h.peer = peer;
    h.generation = p->generation;
    h.channel = channel;
    const uint8_t* bytes = static_cast<const uint8_t*>(data);
    h.bytes.assign(bytes, bytes + size);
    ep->held.push_back(std::move(h));
    return;
  }
  queueFor(*ep, *p, channel, data, size);
}

namespace {

// The packet goes into the peer's queue, for libwebsockets to write when the socket takes it.
void queueFor(Endpoint& ep, Peer& p, int channel, const void* data, size_t size) {
  if (p.state != kPeerOpen) return;
  const bool full = ep.queuedInAll + size + 1 > kMostQueuedInAll && p.queued >= kBehindWhenFull;
  if (p.queued + size + 1 > kNetWebSocketMostQueuedBytes || full) {
    // A reader this far behind is not coming back in time for a fight: it is let go.
    killSoon(p, LWS_CLOSE_STATUS_POLICY_VIOLATION);
    p.state = kPeerClosing;
    dropQueue(ep, p);
    return;
  }
  std::vector<uint8_t> m(LWS_PRE + 1 + size);
  m[LWS_PRE] = static_cast<uint8_t>(channel);
  if (size > 0) std::memcpy(m.data() + LWS_PRE + 1, data, size);
  p.outgoing.push_back(std::move(m));
  p.queued += size + 1;
  ep.queuedInAll += size + 1;
  ep.counters.bytesSent += size;
  ++ep.counters.packetsSent;
  lws_callback_on_writable(p.wsi);
  if (!ep.batched) service(ep);
}

}  // namespace

void webSocketDisconnect(int endpoint, int peer) {
  Peer* p = peerOf(endpoint, peer);
  if (p == nullptr) return;
  if (p->state == kPeerHandshaking) return killSoon(*p, LWS_CLOSE_STATUS_NORMAL);
  if (p->state != kPeerOpen) return;
  p->state = kPeerClosing;
  lws_callback_on_writable(p->wsi);
}

void webSocketDropPeer(int endpoint, int peer) {
  Peer* p = peerOf(endpoint, peer);
  if (p == nullptr || p->state == kPeerFree || p->state == kPeerDropped) return;
  if (p->state == kPeerGone) {
    p->state = kPeerFree;
    ++p->generation;
    return;
  }
  killSoon(*p, LWS_CLOSE_STATUS_POLICY_VIOLATION);
  p->state = kPeerDropped;
  ++p->generation;
  dropQueue(*endpointOf(endpoint), *p);
}

void webSocketClose(int endpoint) {
  Endpoint* ep = endpointOf(endpoint);
  if (ep == nullptr) return;
  releaseHeld(*ep, UINT64_MAX);
  for (size_t i = 0; i < ep->peers.size(); ++i) webSocketDisconnect(endpoint, static_cast<int>(i));
  const uint64_t until = netClockMs() + kCloseGraceMs;
  auto busy = [&] {
    for (const Peer& p : ep->peers)
      if (p.state == kPeerClosing || p.state == kPeerHandshaking) return true;
    return false;
  };
  ep->closing = true;  // and takes no one new
  while (busy() && netClockMs() < until) {
    std::vector<pollfd> fds;
    webSocketWaitFds(endpoint, &fds);
    poll(fds.data(), fds.size(), 10);
    service(*ep);
  }
  lws_context_destroy(ep->context);
  if (ep->listener >= 0) close(ep->listener);
  *ep = Endpoint{};
}

NetCounters webSocketCounters(int endpoint) {
  const Endpoint* ep = endpointOf(endpoint);
  if (ep == nullptr) return NetCounters{};
  NetCounters c = ep->counters;
  c.stream = true;
  return c;
}

NetAddress webSocketPeerAddress(int endpoint, int peer) {
  const Peer* p = peerOf(endpoint, peer);
  if (p == nullptr || (p->state != kPeerOpen && p->state != kPeerClosing)) return NetAddress{};
  return p->address;
}

size_t webSocketQueuedBytes(int endpoint, int peer) {
  const Endpoint* ep = endpointOf(endpoint);
  const Peer* p = peerOf(endpoint, peer);
  if (p == nullptr) return 0;
  size_t queued = p->queued;
  for (const HeldPacket& h : ep->held)
    if (h.peer == peer && h.generation == p->generation) queued += h.bytes.size() + 1;
  return queued;
}

uint16_t webSocketLocalPort(int endpoint) {
  const Endpoint* ep = endpointOf(endpoint);
  return ep != nullptr ? ep->port : 0;
}

void webSocketFlush(int endpoint) {
  Endpoint* ep = endpointOf(endpoint);
  if (ep != nullptr) service(*ep);
}

void webSocketSetBatched(int endpoint, bool batched) {
  Endpoint* ep = endpointOf(endpoint);
  if (ep != nullptr) ep->batched = batched;
}

bool webSocketWaitFds(int endpoint, std::vector<pollfd>* fds) {
  const Endpoint* ep = endpointOf(endpoint);
  if (ep == nullptr) return false;
  if (ep->listener >= 0) fds->push_back(pollfd{ep->listener, POLLIN, 0});
  for (const Peer& p : ep->peers) {
    const int fd = p.wsi != nullptr ? lws_get_socket_fd(p.wsi) : -1;
    if (fd >= 0) fds->push_back(pollfd{fd, static_cast<short>(POLLIN | (wantsToWrite(*ep, p) ? POLLOUT : 0)), 0});
  }
  return !ep->events.empty();
}

void webSocketSetConditions(int endpoint, const NetConditions& conditions) {
  Endpoint* ep = endpointOf(endpoint);
  if (ep == nullptr) return;
  ep->conditions = conditions;
  ep->randomState = conditions.seed != 0 ? conditions.seed : 1;
}
