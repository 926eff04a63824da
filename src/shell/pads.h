// Every pad's buttons, hats and axes as the arcade reads them: apart from the keyboard, so
// that a pad's button can never pass for a key, and for any number of pads.
#pragma once
#include <cstdint>

constexpr int kPads = 8;  // pads told apart; events from others are ignored
constexpr int kPadButtons = 32;
constexpr int kPadHats = 4;
constexpr int kPadAxes = 8;
enum PadDirection { kPadUp = 0, kPadDown = 1, kPadLeft = 2, kPadRight = 3, kPadDirections = 4 };

// Each control of a pad is one number: the buttons, each hat's four directions, each axis's
// two sides (negative first), then the stick-or-hat directions: hat 0 and the first stick
// (axes 0 and 1) together, which is how most pads' d-pads and sticks arrive.
constexpr int kPadHatFirst = kPadButtons;
constexpr int kPadAxisFirst = kPadHatFirst + kPadDirections * kPadHats;
constexpr int kPadStickFirst = kPadAxisFirst + 2 * kPadAxes;
constexpr int kPadControls = kPadStickFirst + kPadDirections;

// An axis counts as pushed only past a quarter of its travel: a worn stick's rest is never a
// press.
constexpr int kPadAxisDeadZone = 8192;

// Written by the poll's pad events and padsEndPoll; read by the bound actions and the options
// screen's capture. Like keyHeld and keyPressed: -1 held / went down in the latest poll, 0 not.
extern int16_t padHeld[kPads][kPadControls];
extern int16_t padPressed[kPads][kPadControls];

int padHatControl(int hat, int direction);
int padAxisControl(int axis, int positive);
int padStickControl(int direction);

void padsStartPoll();  // forgets what went down in the last poll
void padButtonEvent(int pad, int button, bool down);
void padHatEvent(int pad, int hat, int value);
void padAxisEvent(int pad, int axis, int value);
void padsEndPoll();  // the stick-or-hat directions from what the poll left
// Held/pressed of one control, safe for any pad and control number.
bool padControlHeld(int pad, int control);
bool padControlPressed(int pad, int control);
// Every pad control let go (a new game, a test).
void clearPads();
