// The players' command records of one tick, as a recording keeps them: for each player and
// each action, whether it was held and whether it went down in that tick's poll.
#pragma once
#include <cstdint>
#include <string>

#include "sim/player_command.h"

// Players 1 and 2: the game's stage has no others.
constexpr int kRecordedPlayers = 2;

struct TickInput {
  uint8_t held[kRecordedPlayers];     // bit n: action n (PlayerAction)
  uint8_t pressed[kRecordedPlayers];
};
bool operator==(const TickInput& a, const TickInput& b);
inline bool operator!=(const TickInput& a, const TickInput& b) { return !(a == b); }

// From the command records the shell built for this tick.
TickInput captureTickInput();
// Into the command records, in place of the shell's: every action gets exactly the recorded
// flags. Escape is left as it is; a recording never holds it.
void applyTickInput(const TickInput& input);

// One player's flags as text: a letter per held action (u d l r a x j), its capital when it
// was pressed, both when both, "-" for none. Parsing returns false on any other text.
std::string formatPlayerInput(uint8_t held, uint8_t pressed);
bool parsePlayerInput(const std::string& text, uint8_t* held, uint8_t* pressed);
