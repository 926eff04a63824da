// The network half of the platform seam: UDP endpoints through ENet, and nothing else of the
// game touches a socket. An endpoint is a slot in a small table; a host's endpoint takes
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

constexpr int kNetEndpoints = 4;
constexpr int kNetPeersPerEndpoint = 4;
constexpr int kNetChannelSetup = 0;   // reliable, in order
constexpr int kNetChannelInputs = 1;  // unsequenced, may be lost or come in any order
constexpr int kNetChannels = 2;
// The largest message the game takes; anything bigger arrives as an oversized event without
// its bytes, for the receiver to count and drop.
constexpr size_t kNetMostBytes = 65536;
// The port a session uses when none is given.
constexpr uint16_t kNetDefaultPort = 7707;

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
