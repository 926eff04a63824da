// Per-address bookkeeping for the lobby's limits (lobby_addresses.cpp).
#pragma once
#include <cstdint>
#include <vector>

#include "net/lobby/lobby.h"

// The slot of `address` in the table (kAddressSlots long), taken now if it had none; -1 when
// every slot near its home is held.
int32_t lobbyAddressSlot(std::vector<LobbyAddress>& table, const LobbyLimits& limits, const NetAddress& address,
                         uint64_t nowMs);
// Whether the address may make one more request now, spending its allowance if so.
bool lobbyAddressMayAsk(LobbyAddress& a, const LobbyLimits& limits, uint64_t nowMs);
