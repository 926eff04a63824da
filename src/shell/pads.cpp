#include "shell/pads.h"

#include <cstring>

int16_t padHeld[kPads][kPadControls];
int16_t padPressed[kPads][kPadControls];

namespace {

constexpr int16_t kDown = -1;
constexpr int16_t kUp = 0;
// The bit of a hat's position that means each direction (diagonals set two).
constexpr int kHatBits[kPadDirections] = {1, 4, 8, 2};
// The axis and side of the first stick that mean each direction.
constexpr int kStickAxis[kPadDirections] = {1, 1, 0, 0};
constexpr int kStickPositive[kPadDirections] = {0, 1, 0, 1};
constexpr int kStickHat = 0;

bool validPad(int pad) { return pad >= 0 && pad < kPads; }
bool validControl(int control) { return control >= 0 && control < kPadControls; }

// A control that goes down counts as pressed in this poll, as a key does.
void setControl(int pad, int control, bool down) {
  if (!validPad(pad) || !validControl(control)) return;
  if (down && padHeld[pad][control] == kUp) padPressed[pad][control] = kDown;
  padHeld[pad][control] = down ? kDown : kUp;
}

}  // namespace

int padHatControl(int hat, int direction) { return kPadHatFirst + kPadDirections * hat + direction; }
int padAxisControl(int axis, int positive) { return kPadAxisFirst + 2 * axis + (positive ? 1 : 0); }
int padStickControl(int direction) { return kPadStickFirst + direction; }

void padsStartPoll() { std::memset(padPressed, 0, sizeof padPressed); }

void padButtonEvent(int pad, int button, bool down) {
  if (button >= 0 && button < kPadButtons) setControl(pad, button, down);
}

void padHatEvent(int pad, int hat, int value) {
  if (hat < 0 || hat >= kPadHats) return;
  for (int d = 0; d < kPadDirections; ++d) setControl(pad, padHatControl(hat, d), (value & kHatBits[d]) != 0);
}

void padAxisEvent(int pad, int axis, int value) {
  if (axis < 0 || axis >= kPadAxes) return;
  setControl(pad, padAxisControl(axis, 0), value < -kPadAxisDeadZone);
  setControl(pad, padAxisControl(axis, 1), value > kPadAxisDeadZone);
}

void padsEndPoll() {
  for (int pad = 0; pad < kPads; ++pad)
    for (int d = 0; d < kPadDirections; ++d) {
      const int hat = padHatControl(kStickHat, d);
      const int axis = padAxisControl(kStickAxis[d], kStickPositive[d]);
      const bool held = padHeld[pad][hat] != kUp || padHeld[pad][axis] != kUp;
      const bool pressed = padPressed[pad][hat] != kUp || padPressed[pad][axis] != kUp;
      padHeld[pad][padStickControl(d)] = held ? kDown : kUp;
      padPressed[pad][padStickControl(d)] = pressed ? kDown : kUp;
    }
}

bool padControlHeld(int pad, int control) {
  return validPad(pad) && validControl(control) && padHeld[pad][control] != kUp;
}
bool padControlPressed(int pad, int control) {
  return validPad(pad) && validControl(control) && padPressed[pad][control] != kUp;
}

void clearPads() {
  std::memset(padHeld, 0, sizeof padHeld);
  std::memset(padPressed, 0, sizeof padPressed);
}
