// The arcade's controls: per player and action, any key or any control of the player's pad.
// brawler keeps the fixed table of input codes (input.h); with bound actions on, each player's
// action is worked out after every poll and set as an input code of its own, which the
// binding table then names, so every screen reads it the way it reads a key.
#pragma once
#include <cstdint>
#include <string>

enum BoundAction {
  kBoundUp, kBoundDown, kBoundLeft, kBoundRight, kBoundAttack, kBoundJump, kBoundPause,
  kBoundActions
};
constexpr int kBoundPlayers = 2;
constexpr int kNoPad = -1;

enum BindingKind { kBindNone = 0, kBindKey = 1, kBindPad = 2 };
struct Binding {
  int32_t kind;
  int32_t control;  // a key symbol, or a control of the player's pad (pads.h)
};

// Written by the defaults, the settings file and the options screen; read after every poll.
struct PlayerControls {
  Binding actions[kBoundActions];
  int32_t pad;          // which pad the player's pad controls come from; kNoPad for none
  std::string padName;  // the system's name for it, to find it again on another port
};
extern PlayerControls playerControls[kBoundPlayers];

// 0 in brawler: the fixed table. 1: the controls above, and pads read apart from the keyboard.
extern int32_t boundActionsOn;

// Player 1 on the cursor keys, z, c and p; player 2 on the first pad (its stick or hat,
// buttons 2, 0 and 7) or, with no pad attached, on W A S D, f, g and h.
PlayerControls defaultControls(int player, int padsAttached);
// Turns bound actions on and points the binding table at them (off: the fixed table again).
void useBoundActions(bool on);
// After the poll's events: each player's actions as their own input codes.
void updateBoundActions();
// Controls the platform draws itself (a touch screen's) hold player 1's actions alongside
// whatever player 1 has bound: a finger on the d-pad is the same as the bound key held.
void platformActionEvent(int action, bool down);
void platformActionsStartPoll();  // forgets what went down in the last poll
void clearPlatformActions();      // every such control let go
// The input code a player's action is set on while bound actions are on.
int boundActionCode(int player, int action);

// The two bindings reach the same key or the same control of the same pad.
bool sameInput(const Binding& a, int padOfA, const Binding& b, int padOfB);
// The binding's text in the settings file ("key z", "pad button 2", "pad hat 0 up",
// "pad axis 1 -", "pad stick left", "none"), and back; false for text that is none of those.
std::string bindingText(const Binding& binding);
bool parseBinding(const std::string& text, Binding* binding);
// The action's name in the settings file and on the options screen: "up", "attack"...
const char* boundActionName(int action);
