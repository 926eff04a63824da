#include "tick_input.h"

#include "shell/input.h"

namespace {

struct ActionBinding {
  const int32_t* binding;  // one code per player
  char letter;
  char pressedLetter;
};
// In the order of RecordedAction.
const ActionBinding kActions[kRecordedActions] = {
    {bindUp, 'u', 'U'},     {bindDown, 'd', 'D'},   {bindLeft, 'l', 'L'}, {bindRight, 'r', 'R'},
    {bindAttack, 'a', 'A'}, {bindExtra, 'x', 'X'},  {bindJump, 'j', 'J'},
};
constexpr int16_t kDown = -1;
constexpr int16_t kUp = 0;

uint8_t bit(int action) { return static_cast<uint8_t>(1u << action); }

void setFlag(int16_t* table, int code, bool on) {
  if (code >= 1 && code <= kInputCodes) table[code] = on ? kDown : kUp;
}

}  // namespace

bool operator==(const TickInput& a, const TickInput& b) {
  for (int p = 0; p < kRecordedPlayers; ++p)
    if (a.held[p] != b.held[p] || a.pressed[p] != b.pressed[p]) return false;
  return true;
}

TickInput captureTickInput() {
  TickInput input{};
  for (int p = 0; p < kRecordedPlayers; ++p)
    for (int a = 0; a < kRecordedActions; ++a) {
      if (isHeld(kActions[a].binding[p])) input.held[p] |= bit(a);
      if (isPressed(kActions[a].binding[p])) input.pressed[p] |= bit(a);
    }
  return input;
}

void applyTickInput(const TickInput& input) {
  for (int p = 0; p < kRecordedPlayers; ++p)
    for (int a = 0; a < kRecordedActions; ++a) {
      const int code = kActions[a].binding[p];
      setFlag(keyHeld, code, (input.held[p] & bit(a)) != 0);
      setFlag(keyPressed, code, (input.pressed[p] & bit(a)) != 0);
    }
}

std::string formatPlayerInput(uint8_t held, uint8_t pressed) {
  std::string text;
  for (int a = 0; a < kRecordedActions; ++a) {
    if (held & bit(a)) text += kActions[a].letter;
    if (pressed & bit(a)) text += kActions[a].pressedLetter;
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
    for (int a = 0; a < kRecordedActions && found < 0; ++a) {
      if (c == kActions[a].letter && !(*held & bit(a))) {
        *held |= bit(a);
        found = a;
      } else if (c == kActions[a].pressedLetter && !(*pressed & bit(a))) {
        *pressed |= bit(a);
        found = a;
      }
    }
    if (found < 0) return false;
  }
  return true;
}
