// The network half of the platform seam in a browser page: the browser's own WebSocket, to a
// lobby that relays the game's packets. A page has no UDP, so the seam's UDP calls refuse
// politely and a page always plays through the lobby's relay.
//
// The browser calls back between frames; the callbacks only queue what happened, and netPoll
// hands it out in order, so the game reads a WebSocket exactly as it reads an ENet endpoint.
// Each packet is one binary message: the channel's number in its first byte, then the game's
// bytes as they are. A WebSocket is reliable and in order, so the inputs' channel never loses
// one of its own accord; the conditions can still hold packets back and drop inputs.
#include <emscripten/emscripten.h>
#include <emscripten/websocket.h>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <deque>

#include "platform/line_random.h"
#include "platform/websocket_frame.h"
#include "platform/net.h"

namespace {

constexpr const char* kNoUdp = "no UDP in a browser: a page plays through a lobby's WebSocket";
constexpr unsigned short kNormalClosure = 1000;

struct QueuedEvent {
  int type = kNetNothing;
  int channel = 0;
  size_t size = 0;
  bool oversized = false;
  std::vector<uint8_t> bytes;
};

struct DelayedMessage {
  uint64_t dueMs;
  std::vector<uint8_t> frame;  // the channel's byte, then the packet
};

// One slot of the table. netConnectWebSocket fills it, netClose empties it; the browser's
// callbacks append to `events`, netPoll takes them off and keeps the one it gave in `given`.
struct Socket {
  bool used = false;
  EMSCRIPTEN_WEBSOCKET_T socket = 0;
  bool open = false;
  bool gone = false;  // closed or failed: the one kNetDisconnected is queued
  std::deque<QueuedEvent> events;
  QueuedEvent given;
  NetConditions conditions;
  uint32_t randomState = 1;
  uint64_t lastDueMs = 0;  // a WebSocket keeps its order, so held-back messages do too
  std::deque<DelayedMessage> delayed;
  NetCounters counters;
};

Socket sockets[kNetEndpoints];

bool validEndpoint(int endpoint) { return endpoint >= 0 && endpoint < kNetEndpoints && sockets[endpoint].used; }

void queueGone(Socket& s) {
  if (s.gone) return;
  s.gone = true;
  s.open = false;
  QueuedEvent e;
  e.type = kNetDisconnected;
  s.events.push_back(std::move(e));
}

Socket* socketOf(void* userData) {
  Socket* s = static_cast<Socket*>(userData);
  return s != nullptr && s->used ? s : nullptr;
}

EM_BOOL opened(int, const EmscriptenWebSocketOpenEvent*, void* userData) {
  Socket* s = socketOf(userData);
  if (s == nullptr || s->gone) return EM_TRUE;
  s->open = true;
  QueuedEvent e;
  e.type = kNetConnected;
  s->events.push_back(std::move(e));
  return EM_TRUE;
}

// A text message, an empty one or one on a channel the game has not are not the game's: the
// lobby never sends them, and they are dropped unseen.
EM_BOOL received(int, const EmscriptenWebSocketMessageEvent* m, void* userData) {
  Socket* s = socketOf(userData);
  if (s == nullptr || s->gone || m->isText || m->numBytes < 1 || m->data[0] >= kNetChannels) return EM_TRUE;
  QueuedEvent e;
  e.type = kNetReceived;
  e.channel = m->data[0];
  e.size = m->numBytes - 1;
  e.oversized = e.size > kNetMostBytes;
  if (!e.oversized) e.bytes.assign(m->data + 1, m->data + m->numBytes);
  s->counters.bytesReceived += e.size;
  ++s->counters.packetsReceived;
  s->events.push_back(std::move(e));
  return EM_TRUE;
}

EM_BOOL closed(int, const EmscriptenWebSocketCloseEvent*, void* userData) {
  if (Socket* s = socketOf(userData)) queueGone(*s);
  return EM_TRUE;
}

EM_BOOL failed(int, const EmscriptenWebSocketErrorEvent*, void* userData) {
  if (Socket* s = socketOf(userData)) queueGone(*s);
  return EM_TRUE;
}

void handToBrowser(Socket& s, std::vector<uint8_t>& frame) {
  if (!s.open) return;
  if (emscripten_websocket_send_binary(s.socket, frame.data(), static_cast<uint32_t>(frame.size())) !=
      EMSCRIPTEN_RESULT_SUCCESS)
    return;
  s.counters.bytesSent += frame.size() - 1;
  ++s.counters.packetsSent;
  s.counters.datagramBytesSent += frame.size() + webSocketFrameHeaderBytes(frame.size(), true);
  ++s.counters.datagramsSent;
}

void sendDue(Socket& s, uint64_t nowMs) {
  while (!s.delayed.empty() && s.delayed.front().dueMs <= nowMs) {
    handToBrowser(s, s.delayed.front().frame);
    s.delayed.pop_front();
  }
}

bool onlyOf(const std::string& text, const char* extra, bool hexOnly) {
  for (char c : text) {
    const unsigned char u = static_cast<unsigned char>(c);
    if (!(hexOnly ? std::isxdigit(u) : std::isalnum(u)) && std::strchr(extra, c) == nullptr) return false;
  }
  return true;
}

// The browser throws on an address it cannot take, which would stop the game: only a host of
// letters, digits, dots and dashes (or an IPv6 address in brackets), a port and a plain path go.
bool browserTakes(const std::string& url) {
  WebSocketUrl u;
  if (!netParseWebSocketUrl(url, &u)) return false;
  const bool bracketed = u.host.size() > 2 && u.host.front() == '[' && u.host.back() == ']';
  const bool hostGood = bracketed ? onlyOf(u.host.substr(1, u.host.size() - 2), ":", true) : onlyOf(u.host, ".-", false);
  return hostGood && onlyOf(u.path, "/-._~", false);
}

}  // namespace

int netConnectWebSocket(const std::string& url, std::string* error) {
  if (!browserTakes(url)) {
    *error = "not a WebSocket address: " + url;
    return -1;
  }
  if (!emscripten_websocket_is_supported()) {
    *error = "this browser has no WebSocket";
    return -1;
  }
  int e = 0;
  while (e < kNetEndpoints && sockets[e].used) ++e;
  if (e == kNetEndpoints) {
    *error = "no free network endpoint";
    return -1;
  }
  EmscriptenWebSocketCreateAttributes attributes;
  emscripten_websocket_init_create_attributes(&attributes);
  attributes.url = url.c_str();
  attributes.protocols = kNetWebSocketProtocol;
  attributes.createOnMainThread = EM_TRUE;
  const EMSCRIPTEN_WEBSOCKET_T socket = emscripten_websocket_new(&attributes);
  if (socket <= 0) {
    *error = "cannot open a WebSocket to " + url;
    return -1;
  }
  Socket& s = sockets[e];
  s = Socket{};
  s.used = true;
  s.socket = socket;
  emscripten_websocket_set_onopen_callback(socket, &s, opened);
  emscripten_websocket_set_onmessage_callback(socket, &s, received);
  emscripten_websocket_set_onclose_callback(socket, &s, closed);
  emscripten_websocket_set_onerror_callback(socket, &s, failed);
  return e;
}

bool netPoll(int endpoint, NetEvent* event) {
  *event = NetEvent{};
  if (!validEndpoint(endpoint)) return false;
  Socket& s = sockets[endpoint];
  sendDue(s, netClockMs());
  if (s.events.empty()) return false;
  s.given = std::move(s.events.front());
  s.events.pop_front();
  event->type = s.given.type;
  event->peer = 0;
  event->channel = s.given.channel;
  event->size = s.given.size;
  if (s.given.type == kNetReceived && !s.given.oversized) event->data = s.given.bytes.data();
  return true;
}

void netSend(int endpoint, int peer, int channel, const void* data, size_t size) {
  if (!validEndpoint(endpoint) || peer != 0 || channel < 0 || channel >= kNetChannels) return;
  Socket& s = sockets[endpoint];
  const NetConditions& c = s.conditions;
  if (lineLoses(c, &s.randomState, channel)) {
    ++s.counters.packetsLostOnPurpose;
    return;
  }
  std::vector<uint8_t> frame(size + 1);
  frame[0] = static_cast<uint8_t>(channel);
  if (size > 0) std::memcpy(frame.data() + 1, data, size);
  const int64_t delay = lineDelayMs(c, &s.randomState);
  if (delay <= 0 && s.delayed.empty()) return handToBrowser(s, frame);
  const uint64_t due = std::max(netClockMs() + static_cast<uint64_t>(std::max<int64_t>(delay, 0)), s.lastDueMs);
  s.lastDueMs = due;
  s.delayed.push_back({due, std::move(frame)});
}

// The browser sends what it holds before the closing handshake, and the lobby sees the close.
void netDisconnect(int endpoint, int peer) {
  if (!validEndpoint(endpoint) || peer != 0) return;
  Socket& s = sockets[endpoint];
  sendDue(s, UINT64_MAX);
  emscripten_websocket_close(s.socket, kNormalClosure, "");
}

void netClose(int endpoint) {
  if (!validEndpoint(endpoint)) return;
  Socket& s = sockets[endpoint];
  sendDue(s, UINT64_MAX);
  emscripten_websocket_close(s.socket, kNormalClosure, "");
  emscripten_websocket_delete(s.socket);
  s = Socket{};
}

void netSetConditions(int endpoint, const NetConditions& conditions) {
  if (!validEndpoint(endpoint)) return;
  sockets[endpoint].conditions = conditions;
  sockets[endpoint].randomState = conditions.seed != 0 ? conditions.seed : 1;
}

NetCounters netCounters(int endpoint) {
  NetCounters c = validEndpoint(endpoint) ? sockets[endpoint].counters : NetCounters{};
  c.stream = true;
  return c;
}

size_t netQueuedBytes(int endpoint, int peer) {
  if (!validEndpoint(endpoint) || peer != 0) return 0;
  Socket& s = sockets[endpoint];
  unsigned long long buffered = 0;
  emscripten_websocket_get_buffered_amount(s.socket, &buffered);
  size_t held = 0;
  for (const DelayedMessage& d : s.delayed) held += d.frame.size();
  return static_cast<size_t>(buffered) + held;
}

uint64_t netClockMs() { return static_cast<uint64_t>(emscripten_get_now()); }

// ---- what a page cannot do: UDP, and knowing its own addresses --------------------------------

int netListen(const std::string&, uint16_t, std::string* error) {
  *error = kNoUdp;
  return -1;
}

int netConnect(const std::string&, uint16_t, std::string* error) {
  *error = kNoUdp;
  return -1;
}

int netOpen(const std::string&, uint16_t, int, int, size_t, std::string* error) {
  *error = kNoUdp;
  return -1;
}

uint16_t netLocalPort(int) { return 0; }
int netConnectTo(int, const NetAddress&) { return -1; }
NetAddress netPeerAddress(int, int) { return NetAddress{}; }
void netPunch(int, const NetAddress&) {}
void netDropPeer(int, int) {}
// A WebSocket measures no round trip of its own; the session measures the game's.
uint32_t netRoundTripMs(int, int) { return 0; }
// A page cannot wait; its frames come from the browser.
void netWait(int, uint32_t) {}
bool netResolve(const std::string&, uint16_t, NetAddress*) { return false; }
std::vector<std::string> netLocalAddresses() { return {}; }
void netSetBatched(int, bool) {}
void netFlush(int endpoint) {
  if (validEndpoint(endpoint)) sendDue(sockets[endpoint], netClockMs());
}

std::string netAddressText(const NetAddress& a) {
  return std::to_string(a.ip[0]) + "." + std::to_string(a.ip[1]) + "." + std::to_string(a.ip[2]) + "." +
         std::to_string(a.ip[3]) + ":" + std::to_string(a.port);
}
