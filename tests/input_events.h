// Input tests' common ground: platform events as a back end hands them over, and polls that
// start from a clean slate (no event waiting, no code held or pressed).
#pragma once
#include <cstring>
#include <vector>

#include "platform/null_platform.h"
#include "shell/input.h"

inline PlatformEvent keyEvent(int symbol, bool down) {
  PlatformEvent e;
  e.type = down ? kEventKeyDown : kEventKeyUp;
  e.key = symbol;
  return e;
}
// A pad's button, hat or axis: `index` names it (and is the button too), `value` is where it is.
inline PlatformEvent padEvent(int type, int pad, int index, int value) {
  PlatformEvent e;
  e.type = type;
  e.joystick = pad;
  e.index = index;
  e.button = index;
  e.value = value;
  return e;
}
// One of player 1's actions from the controls a touch screen's platform draws.
inline PlatformEvent actionEvent(int action, bool down) {
  PlatformEvent e;
  e.type = down ? kEventActionDown : kEventActionUp;
  e.index = action;
  return e;
}
inline PlatformEvent tapEvent(int x, int y) {
  PlatformEvent e;
  e.type = kEventTap;
  e.x = x;
  e.y = y;
  return e;
}

inline void clearInputTables() {
  useNullPlatform(true);
  nullClearEvents();
  std::memset(keyHeld, 0, sizeof keyHeld);
  std::memset(keyPressed, 0, sizeof keyPressed);
}

// The events queued, then one poll of them.
inline void pollEvents(const std::vector<PlatformEvent>& events) {
  for (const PlatformEvent& e : events) nullQueueEvent(e);
  pollInput();
}
