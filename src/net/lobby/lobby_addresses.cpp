// The lobby's table of IP addresses: what each holds (connections, rooms) and how fast it may
// ask for rooms. Open addressing over a fixed table; a slot nobody holds anything in and whose
// allowance has filled up again is as good as free and is taken over.
#include "net/lobby/lobby_addresses.h"

#include <algorithm>
#include <cstring>

namespace {

// How far a look-up walks from an address's home slot before it gives up.
constexpr int32_t kMostProbes = 64;
constexpr int64_t kTokensPerRequest = 1000;

uint32_t ipOf(const NetAddress& a) {
  uint32_t ip = 0;
  std::memcpy(&ip, a.ip, sizeof ip);
  return ip;
}

uint32_t homeSlot(uint32_t ip) { return (ip * 2654435761u) % kAddressSlots; }

int64_t fullAllowance(const LobbyLimits& limits) { return int64_t{limits.requestBurst} * kTokensPerRequest; }

void refill(LobbyAddress& a, const LobbyLimits& limits, uint64_t nowMs) {
  const uint64_t elapsed = nowMs - std::min(a.refilledMs, nowMs);
  const int64_t gained = static_cast<int64_t>(std::min<uint64_t>(elapsed, 1000000)) * limits.requestsPerSecond;
  a.tokens = std::min(a.tokens + gained, fullAllowance(limits));
  a.refilledMs = nowMs;
}

bool reusable(LobbyAddress& a, const LobbyLimits& limits, uint64_t nowMs) {
  if (!a.used) return true;
  if (a.peers > 0 || a.rooms > 0) return false;
  refill(a, limits, nowMs);
  return a.tokens >= fullAllowance(limits);
}

}  // namespace

int32_t lobbyAddressSlot(std::vector<LobbyAddress>& table, const LobbyLimits& limits, const NetAddress& address,
                         uint64_t nowMs) {
  const uint32_t ip = ipOf(address);
  const uint32_t home = homeSlot(ip);
  int32_t spare = -1;
  for (int32_t i = 0; i < kMostProbes; ++i) {
    const int32_t slot = static_cast<int32_t>((home + static_cast<uint32_t>(i)) % kAddressSlots);
    LobbyAddress& a = table[slot];
    if (a.used && a.ip == ip) return slot;
    if (spare < 0 && reusable(a, limits, nowMs)) spare = slot;
  }
  if (spare < 0) return -1;
  LobbyAddress& a = table[spare];
  a = LobbyAddress{};
  a.used = true;
  a.ip = ip;
  a.tokens = fullAllowance(limits);
  a.refilledMs = nowMs;
  return spare;
}

bool lobbyAddressMayAsk(LobbyAddress& a, const LobbyLimits& limits, uint64_t nowMs) {
  refill(a, limits, nowMs);
  if (a.tokens < kTokensPerRequest) return false;
  a.tokens -= kTokensPerRequest;
  return true;
}
