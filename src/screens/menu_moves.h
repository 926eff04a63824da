// What counts as a move on the menus written in the font (the options, the online screens):
// either keyboard layout, any pad, any player's bound actions.
//
// Where the player types letters (a room code, a lobby's address), a letter key types and does
// not move: `typing` leaves out W A S D and any player's action bound to a letter key.
#pragma once

constexpr int kKeyUp = 273, kKeyDown = 274, kKeyRight = 275, kKeyLeft = 276;
constexpr int kKeyBackspace = 8;

bool menuUpPressed(bool typing = false);
bool menuDownPressed(bool typing = false);
bool menuLeftPressed(bool typing = false);
bool menuRightPressed(bool typing = false);
// Return, any pad's jump or attack button, any player's attack or jump.
bool menuConfirmPressed(bool typing = false);
// Escape, or any player's pause.
bool menuBackPressed(bool typing = false);
// The letter or digit of a key that went down in this poll (lower case as the keyboard gives
// it, the keypad's digits and point as the main keys'); 0 when none did.
char typedCharacter();
