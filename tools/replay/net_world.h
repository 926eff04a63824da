// The game's world as the rollback driver runs it, headless: the one place that knows how the
// world is saved, put back, ticked and fingerprinted for online play.
#pragma once
#include <cstdint>

#include "net/rollback.h"

extern const RollbackWorld gameWorld;
// How many ticks ahead of the other player's controls the game's world may be guessed.
extern const int32_t gameWorldPrediction;
