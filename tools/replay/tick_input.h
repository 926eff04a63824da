// The players' controls in one tick, as the player step reads them: for each player and each
// bound action, whether it is held and whether it went down since the last poll.
#pragma once
#include <cstdint>
#include <string>

constexpr int kRecordedPlayers = 2;
enum RecordedAction {
  kActionUp, kActionDown, kActionLeft, kActionRight, kActionAttack, kActionExtra, kActionJump,
  kRecordedActions
};

struct TickInput {
  uint8_t held[kRecordedPlayers];     // bit n: action n
  uint8_t pressed[kRecordedPlayers];
};
bool operator==(const TickInput& a, const TickInput& b);
inline bool operator!=(const TickInput& a, const TickInput& b) { return !(a == b); }

// Read from the key tables through the binding table, after pollInput().
TickInput captureTickInput();
// Written into the key tables through the binding table, in place of pollInput(): every
// bound code gets exactly the recorded flags.
void applyTickInput(const TickInput& input);

// One player's flags as text: a letter per held action (u d l r a x j), its capital when it
// was pressed, both when both, "-" for none. Parsing returns false on any other text.
std::string formatPlayerInput(uint8_t held, uint8_t pressed);
bool parsePlayerInput(const std::string& text, uint8_t* held, uint8_t* pressed);
