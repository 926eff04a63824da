// The desktop's WebSocket endpoints (websocket_net.cpp), as the UDP half of the seam
// (enet_net.cpp) hands them its calls: the endpoint numbers from kWebSocketEndpointBase up are
// WebSocket ones, so one number names an endpoint of either kind.
#pragma once
#include <poll.h>

#include <vector>

#include "platform/net.h"

constexpr int kWebSocketEndpointBase = 1000;

bool isWebSocketEndpoint(int endpoint);
bool webSocketPoll(int endpoint, NetEvent* event);
void webSocketSend(int endpoint, int peer, int channel, const void* data, size_t size);
void webSocketDisconnect(int endpoint, int peer);
void webSocketDropPeer(int endpoint, int peer);
void webSocketClose(int endpoint);
NetCounters webSocketCounters(int endpoint);
NetAddress webSocketPeerAddress(int endpoint, int peer);
size_t webSocketQueuedBytes(int endpoint, int peer);
uint16_t webSocketLocalPort(int endpoint);
void webSocketFlush(int endpoint);
void webSocketSetBatched(int endpoint, bool batched);
// Adds the endpoint's sockets to `fds` for a wait; true when it has an event waiting already.
bool webSocketWaitFds(int endpoint, std::vector<pollfd>* fds);
