// Input codes 1..1024, the held/pressed flags and the control bindings.
#pragma once
#include <cstdint>

#include "sim/player_command.h"

constexpr int kInputCodes = 1024;
constexpr int kKeyEscape = 27;
constexpr int kKeyReturn = 13;

// Index by input code 1..1024 (entry 0 unused). -1 held/pressed, 0 not.
extern int16_t keyHeld[kInputCodes + 1];
extern int16_t keyPressed[kInputCodes + 1];

constexpr int kBindPlayers = kCommandPlayers;  // one command row per binding row
extern int32_t bindUp[kBindPlayers];
extern int32_t bindDown[kBindPlayers];
extern int32_t bindLeft[kBindPlayers];
extern int32_t bindRight[kBindPlayers];
extern int32_t bindAttack[kBindPlayers];
extern int32_t bindExtra[kBindPlayers];
extern int32_t bindJump[kBindPlayers];

// Where the mouse pointer was last seen, in window pixels. The game never reads it; tools
// that point at things on the stage do.
extern int32_t pointerX;
extern int32_t pointerY;

// Set once the window's close button is pressed; brawler ignores it, the arcade quits on it.
extern int32_t windowCloseRequested;

// What the poll saw asked of the window, with bound actions on (never in brawler): F11 or
// Alt+Return pressed, and the size the user dragged the window to. Whoever keeps the window's
// settings reads them and sets them back to 0.
struct WindowRequests {
  int32_t fullscreenToggles;
  int32_t resizedWidth, resizedHeight;  // 0 when not resized since last read
};
extern WindowRequests windowRequests;

// Keys alone, whatever else shares their input codes: held, and went down in the latest poll.
bool keyboardHeld(int key);
bool keyboardPressed(int key);

void setDefaultBindings();
void pollInput();
// When set, pollInput fills the key tables from it instead of the devices: the online arcade
// feeds its screens both players' agreed controls. Null otherwise.
extern void (*inputFeed)();
// A tap on the picture (a touch screen's finger), in picture pixels. With bound actions on, a
// poll that saw one hands the last to answerTap once the key tables are filled, so the screen
// running can take it as a choice of the entry under it (by setting its cursor and pressing
// the codes that choose). Null: taps do nothing.
struct PictureTap {
  int32_t seen;  // 1 when there was a tap
  int32_t x, y;
};
extern void (*answerTap)(const PictureTap& tap);
// For a tap's answer on a screen that reads the keyboard alone (Escape that cancels, Return
// where letters are typed): the key counts as typed in this poll.
void pressKeyForTap(int key);
// held/pressed for a code, safe for any code (outside 1..1024 reads as not held).
bool isHeld(int code);
bool isPressed(int code);
// Fills playerCommands from the bindings and the key tables; once per stage tick, after
// pollInput().
void buildPlayerCommands();
