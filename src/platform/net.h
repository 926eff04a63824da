// The network half of the platform seam: UDP endpoints through ENet and WebSocket endpoints
// (libwebsockets on the desktop, the browser's own in a page), and nothing else of the game
// touches a socket. An endpoint is a slot in a small table; a host's endpoint takes
// several peers (so that one too many can be told so), a joiner's has one.
//
// Two channels: one reliable and in order for setup and screen changes, one unsequenced for
// the per-tick inputs, whose packets each carry every input the peer has not acknowledged, so
// a lost one is made good by the next rather than sent again.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

constexpr int kNetEndpoints = 8;
constexpr int kNetPeersPerEndpoint = 4;
constexpr int kNetChannelSetup = 0;   // reliable, in order
constexpr int kNetChannelInputs = 1;  // unsequenced, may be lost or come in any order
constexpr int kNetChannels = 2;
// The largest message the game takes; anything bigger arrives as an oversized event without
// its bytes, for the receiver to count and drop.
constexpr size_t kNetMostBytes = 65536;
// The port a session uses when none is given.
constexpr uint16_t kNetDefaultPort = 7707;

// An IPv4 address and UDP port, the address's bytes in the order they are written.
struct NetAddress {
  uint8_t ip[4] = {};
  uint16_t port = 0;
};
inline bool operator==(const NetAddress& a, const NetAddress& b) {
  return a.port == b.port && a.ip[0] == b.ip[0] && a.ip[1] == b.ip[1] && a.ip[2] == b.ip[2] && a.ip[3] == b.ip[3];
}
inline bool operator!=(const NetAddress& a, const NetAddress& b) { return !(a == b); }

enum NetEventType { kNetNothing, kNetConnected, kNetReceived, kNetDisconnected };

struct NetEvent {
  int type = kNetNothing;
  int peer = -1;       // which of the endpoint's peers (0 .. kNetPeersPerEndpoint - 1)
  int channel = 0;
  const uint8_t* data = nullptr;  // the bytes, valid until the next netPoll; null when oversized
  size_t size = 0;                // as received, even when over kNetMostBytes
};

// What this side does to its own outgoing packets, so that a test or a tool can play a far
// or bad line without any network set-up. Loss takes only unsequenced packets: the reliable
// channel's are delayed like the rest but always arrive, and in order.
struct NetConditions {
  int32_t latencyMs = 0;
  int32_t jitterMs = 0;     // each packet's delay is the latency give or take up to this
  int32_t lossPercent = 0;  // 0..100
  uint32_t seed = 1;        // of the generator that picks the jitter and the losses
};

// Traffic on one endpoint since it opened, as handed to the wire (after the conditions).
struct NetCounters {
  uint64_t bytesSent = 0;
  uint64_t packetsSent = 0;
  uint64_t bytesReceived = 0;
  uint64_t packetsReceived = 0;
  uint64_t packetsLostOnPurpose = 0;  // dropped by the conditions
  // What went out as UDP datagrams, ENet's own headers, acknowledgements and pings included
  // (not the 28 bytes of IP and UDP headers each).
  uint64_t datagramBytesSent = 0;
  uint64_t datagramsSent = 0;
  // A WebSocket's: the datagram figures are its frames, which TCP packs into segments its own way.
  bool stream = false;
};

// Listens on `bindHost` ("" for every address of the machine) and `port` (0: one the system
// picks, netLocalPort says which). The endpoint's number, or -1 with the reason.
int netListen(const std::string& bindHost, uint16_t port, std::string* error);
// Starts connecting to host:port; the endpoint's number (its one peer is 0), or -1 with the
// reason. The connection is made when netPoll reports kNetConnected.
int netConnect(const std::string& host, uint16_t port, std::string* error);
uint16_t netLocalPort(int endpoint);
// Sends what is due, then gives the next event; false when there is none now.
bool netPoll(int endpoint, NetEvent* event);
void netSend(int endpoint, int peer, int channel, const void* data, size_t size);
// Says goodbye to one peer (it sees kNetDisconnected), after what was queued for it.
void netDisconnect(int endpoint, int peer);
// Hands over what is queued, says goodbye to every peer and frees the slot.
void netClose(int endpoint);
void netSetConditions(int endpoint, const NetConditions& conditions);
NetCounters netCounters(int endpoint);
// The machine's own IPv4 addresses besides loopback, for a host to tell its peer.
std::vector<std::string> netLocalAddresses();
// A monotonic clock in milliseconds, the one the conditions' delays run on.
uint64_t netClockMs();

// ---- for a lobby and the machines that meet through it ----------------------------------------

// An endpoint for `peers` peers at once (up to 4095), at most `peersPerAddress` of them from
// one IP address (ENet turns the rest away), taking no message bigger than `mostPacketBytes`
// (a bigger one arrives as an oversized event). bindHost "" and port 0 as for netListen.
int netOpen(const std::string& bindHost, uint16_t port, int peers, int peersPerAddress, size_t mostPacketBytes,
            std::string* error);
// Starts connecting the endpoint to one more peer, retrying quickly (a few times in the first
// second or two rather than ENet's slower pace), for a path that may open at any moment. The
// peer's number, or -1 when the endpoint has no free peer.
int netConnectTo(int endpoint, const NetAddress& to);
// The peer's address and port as this endpoint sees them (port 0 when there is no such peer).
NetAddress netPeerAddress(int endpoint, int peer);
// One datagram of no meaning to `to` from the endpoint's own port, so that a router in front
// of this machine lets that address's packets in; the other side's network code ignores it.
void netPunch(int endpoint, const NetAddress& to);
// Forgets a peer at once: no goodbye, no event (a connection attempt that lost the race).
void netDropPeer(int endpoint, int peer);
// Bytes sent to a peer and not yet acknowledged or still queued for it: how far behind it is.
size_t netQueuedBytes(int endpoint, int peer);
// The peer's round trip as the connection measures it on its reliable packets, in ms (0 when
// there is no such peer).
uint32_t netRoundTripMs(int endpoint, int peer);
// Sleeps until a packet comes to the endpoint or `ms` milliseconds pass.
void netWait(int endpoint, uint32_t ms);
// Looks `host` up; false when it names no IPv4 address.
bool netResolve(const std::string& host, uint16_t port, NetAddress* out);
std::string netAddressText(const NetAddress& a);
// Batched: a send waits for the next netPoll or netFlush instead of leaving at once. Each
// flush looks at every peer, so a server with thousands of them flushes once a turn, not once
// a packet.
void netSetBatched(int endpoint, bool batched);
void netFlush(int endpoint);

// ---- WebSocket endpoints ------------------------------------------------------------------------
//
// The same endpoints over a WebSocket, for a page (which has no UDP) and for the lobby that
// serves it. Every packet is one binary message: its first byte is the channel, the packet's
// bytes follow unchanged. Both channels arrive, in order: the stream loses nothing, so the
// inputs channel is as reliable as the setup channel here. netPoll, netSend, netDisconnect,
// netDropPeer, netClose, netCounters, netPeerAddress, netQueuedBytes, netWait and
// netSetBatched take these endpoints as they take UDP ones; netConditions, netPunch and
// netConnectTo do nothing to them. In the counters, the datagram figures are the WebSocket
// frames as they go to TCP (their headers included, TCP's and IP's not).

// The subprotocol both ends name in the handshake; the lobby refuses a client that names none.
constexpr char kNetWebSocketProtocol[] = "brawler";

// Starts connecting to a lobby at "ws://HOST[:PORT][/PATH]" or "wss://..." (ports 80 and 443
// when none is given). The endpoint's number (its one peer is 0), or -1 with the reason; the
// connection is made when netPoll reports kNetConnected, or has failed when it reports
// kNetDisconnected first.
int netConnectWebSocket(const std::string& url, std::string* error);
// Listens for WebSocket clients on TCP `port` (0: one the system picks, netLocalPort says
// which): at most `peers` at once (4095 at most), `peersPerAddress` from one IP address, and
// no message bigger than `mostMessageBytes` (such a message arrives as an oversized event and
// its connection is closed). A client that never finishes its handshake, or whose connection
// goes silent (no answer to pings), is closed, and so is one that sends what is not a packet
// of a channel or lets more than kNetWebSocketMostQueuedBytes wait for it.
int netListenWebSocket(const std::string& bindHost, uint16_t port, int peers, int peersPerAddress,
                       size_t mostMessageBytes, std::string* error);
// What may wait to be sent to one WebSocket peer before it is let go as a reader too slow.
constexpr size_t kNetWebSocketMostQueuedBytes = 256 * 1024;
// Sleeps until a packet or a connection comes to any of the endpoints (UDP or WebSocket) or
// `ms` milliseconds pass: a server with both kinds waits on both at once.
void netWaitAny(const int* endpoints, int count, uint32_t ms);

// A WebSocket address taken apart: false when it is not one (no "ws://" or "wss://", no
// host, a port that is not a number from 1 to 65535).
struct WebSocketUrl {
  bool secure = false;  // wss://
  std::string host;
  uint16_t port = 0;
  std::string path = "/";
};
bool netParseWebSocketUrl(const std::string& url, WebSocketUrl* out);
// Whether `address` names a WebSocket lobby rather than a UDP one.
bool netIsWebSocketUrl(const std::string& address);
