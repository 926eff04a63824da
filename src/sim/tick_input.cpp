#include "sim/tick_input.h"

namespace {

struct ActionLetters {
  char held;
  char pressed;
};
// In the order of PlayerAction.
constexpr ActionLetters kLetters[kPlayerActions] = {
    {'u', 'U'}, {'d', 'D'}, {'l', 'L'}, {'r', 'R'}, {'a', 'A'}, {'x', 'X'}, {'j', 'J'},
};

uint8_t bit(int action) { return static_cast<uint8_t>(1u << action); }

}  // namespace

bool operator==(const TickInput& a, const TickInput& b) {
  for (int p = 0; p < kRecordedPlayers; ++p)
    if (a.held[p] != b.held[p] || a.pressed[p] != b.pressed[p]) return false;
  return true;
}

TickInput captureTickInput() {
  TickInput input{};
  for (int p = 0; p < kRecordedPlayers; ++p)
    for (int a = 0; a < kPlayerActions; ++a) {
      if (playerCommands[p].held[a] != 0) input.held[p] |= bit(a);
      if (playerCommands[p].pressed[a] != 0) input.pressed[p] |= bit(a);
    }
  return input;
}

void applyTickInput(const TickInput& input) {
  for (int p = 0; p < kRecordedPlayers; ++p)
    for (int a = 0; a < kPlayerActions; ++a) {
      playerCommands[p].held[a] = (input.held[p] & bit(a)) != 0 ? 1 : 0;
      playerCommands[p].pressed[a] = (input.pressed[p] & bit(a)) != 0 ? 1 : 0;
    }
}

std::string formatPlayerInput(uint8_t held, uint8_t pressed) {
  std::string text;
  for (int a = 0; a < kPlayerActions; ++a) {
    if (held & bit(a)) text += kLetters[a].held;
    if (pressed & bit(a)) text += kLetters[a].pressed;
  }
  return text.empty() ? "-" : text;
}

bool parsePlayerInput(const std::string& text, uint8_t* held, uint8_t* pressed) {
  *held = 0;
  *pressed = 0;
  if (text == "-") return true;
  if (text.empty()) return false;
  for (char c : text) {
    int found = -1;
    for (int a = 0; a < kPlayerActions && found < 0; ++a) {
      if (c == kLetters[a].held && !(*held & bit(a))) {
        *held |= bit(a);
        found = a;
      } else if (c == kLetters[a].pressed && !(*pressed & bit(a))) {
        *pressed |= bit(a);
        found = a;
      }
    }
    if (found < 0) return false;
  }
  return true;
}
