#include "screens/menu_moves.h"

#include "shell/bindings.h"
#include "shell/input.h"
#include "shell/pads.h"

namespace {

constexpr int kConfirmButtons[] = {0, 2};  // the design's jump and attack buttons, on any pad
constexpr int kKeypadZero = 256, kKeypadPoint = 266, kKeypadMinus = 269;

bool anyPadPressed(int control) {
  for (int pad = 0; pad < kPads; ++pad)
    if (padControlPressed(pad, control)) return true;
  return false;
}

bool letterKey(const Binding& b) { return b.kind == kBindKey && b.control >= 'a' && b.control <= 'z'; }

bool anyPlayerPressed(int action, bool typing) {
  for (int p = 0; p < kBoundPlayers; ++p) {
    if (typing && letterKey(playerControls[p].actions[action])) continue;
    if (isPressed(boundActionCode(p, action))) return true;
  }
  return false;
}

bool movePressed(int arrow, int letter, int direction, int action, bool typing) {
  return keyboardPressed(arrow) || (!typing && keyboardPressed(letter)) || anyPadPressed(padStickControl(direction)) ||
         anyPlayerPressed(action, typing);
}

}  // namespace

bool menuUpPressed(bool typing) { return movePressed(kKeyUp, 'w', kPadUp, kBoundUp, typing); }
bool menuDownPressed(bool typing) { return movePressed(kKeyDown, 's', kPadDown, kBoundDown, typing); }
bool menuLeftPressed(bool typing) { return movePressed(kKeyLeft, 'a', kPadLeft, kBoundLeft, typing); }
bool menuRightPressed(bool typing) { return movePressed(kKeyRight, 'd', kPadRight, kBoundRight, typing); }

bool menuConfirmPressed(bool typing) {
  bool pad = false;
  for (int b : kConfirmButtons) pad = pad || anyPadPressed(b);
  return pad || keyboardPressed(kKeyReturn) || anyPlayerPressed(kBoundAttack, typing) ||
         anyPlayerPressed(kBoundJump, typing);
}

bool menuBackPressed(bool typing) { return keyboardPressed(kKeyEscape) || anyPlayerPressed(kBoundPause, typing); }

char typedCharacter() {
  for (int key = 'a'; key <= 'z'; ++key)
    if (keyboardPressed(key)) return static_cast<char>(key);
  for (int key = '0'; key <= '9'; ++key)
    if (keyboardPressed(key) || keyboardPressed(kKeypadZero + key - '0')) return static_cast<char>(key);
  if (keyboardPressed('.') || keyboardPressed(kKeypadPoint)) return '.';
  if (keyboardPressed('-') || keyboardPressed(kKeypadMinus)) return '-';
  // The colon is a shifted key on most layouts; its own key stands for it.
  if (keyboardPressed(':') || keyboardPressed(';')) return ':';
  return 0;
}
