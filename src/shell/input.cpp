// Every input source folded into one flat space of codes 1..1024, and who is bound to which.
#include "shell/input.h"

#include <cstdio>

#include "platform/platform.h"
#include "shell/bindings.h"
#include "shell/pads.h"
#include "sim/game_state.h"

int16_t keyHeld[kInputCodes + 1];
int16_t keyPressed[kInputCodes + 1];
int32_t bindUp[kBindPlayers];
int32_t bindDown[kBindPlayers];
int32_t bindLeft[kBindPlayers];
int32_t bindRight[kBindPlayers];
int32_t bindAttack[kBindPlayers];
int32_t bindExtra[kBindPlayers];
int32_t bindJump[kBindPlayers];
int32_t pointerX = 0;
int32_t pointerY = 0;
int32_t windowCloseRequested = 0;
WindowRequests windowRequests{};
void (*inputFeed)() = nullptr;
void (*answerTap)(const PictureTap& tap) = nullptr;

namespace {

constexpr int16_t kDown = -1;
constexpr int16_t kUp = 0;

// Where each source starts in the code space; joysticks are 100 codes apart.
constexpr int kMouseButtonBase = 320;
constexpr int kMouseLeft = 326, kMouseRight = 327, kMouseUp = 328, kMouseDown = 329;
constexpr int kJoyButtonBase = 40;
constexpr int kJoyAxisBase = 400;
constexpr int kJoyBallBase = 420;
constexpr int kJoyHatBase = 440;
constexpr int kJoystickStride = 100;
constexpr int kHatStride = 8;
constexpr int kAxisDeadZone = 3200;  // -3200..3200 is rest

// A hat event clears the four directions and the right diagonals of its own hat
// (+1..+8); the centre (+0) and the left diagonals (+9, +12) fall outside that band. The code
// a hat set last is remembered (by the hat's base code) so that it is cleared as well.
constexpr int kHatClearedFirst = 1, kHatClearedLast = 8;
int16_t hatLastCode[kInputCodes + 1];

// The keyboard's own flags: in the shared code space a pad's button can stand on a key's code.
int16_t keysHeld[kInputCodes + 1];
int16_t keysPressed[kInputCodes + 1];

constexpr int kKeyF11 = 292;
constexpr int kKeyRightAlt = 307, kKeyLeftAlt = 308;

bool inCodeSpace(int code) { return code >= 1 && code <= kInputCodes; }

void setHeld(int code, bool down) {
  if (inCodeSpace(code)) keyHeld[code] = down ? kDown : kUp;
}
void setPressed(int code) {
  if (inCodeSpace(code)) keyPressed[code] = kDown;
}

// Tells a user which number to put in the binding table: " 42" or "-3", then CR LF.
void printCode(int code) {
  if (code >= 0)
    std::printf(" %d\r\n", code);
  else
    std::printf("%d\r\n", code);
  std::fflush(stdout);
}

int joystickBase(int base, const PlatformEvent& e) { return base + kJoystickStride * e.joystick; }

bool altHeld() { return keysHeld[kKeyLeftAlt] != kUp || keysHeld[kKeyRightAlt] != kUp; }

// F11 and Alt+Return switch fullscreen on every screen; the Return of Alt+Return confirms nothing.
bool windowKey(const PlatformEvent& e) {
  if (boundActionsOn != 1 || (e.key != kKeyF11 && !(e.key == kKeyReturn && altHeld()))) return false;
  ++windowRequests.fullscreenToggles;
  return true;
}

void onKeyDown(const PlatformEvent& e) {
  if (windowKey(e)) return;
  setHeld(e.key, true);
  setPressed(e.key);
  if (!inCodeSpace(e.key)) return;
  keysHeld[e.key] = kDown;
  keysPressed[e.key] = kDown;
}
void onKeyUp(const PlatformEvent& e) {
  setHeld(e.key, false);
  if (inCodeSpace(e.key)) keysHeld[e.key] = kUp;
}

void onMouseMotion(const PlatformEvent& e) {
  pointerX = e.x;
  pointerY = e.y;
  setHeld(kMouseLeft, e.dx < 0);
  setHeld(kMouseRight, e.dx > 0);
  setHeld(kMouseUp, e.dy < 0);
  setHeld(kMouseDown, e.dy > 0);
}
void onMouseButtonDown(const PlatformEvent& e) { setHeld(kMouseButtonBase + e.button, true); }
void onMouseButtonUp(const PlatformEvent& e) { setHeld(kMouseButtonBase + e.button, false); }

// With bound actions on, pads are read apart from the code space (pads.h).
void onJoyAxis(const PlatformEvent& e) {
  if (boundActionsOn == 1) return padAxisEvent(e.joystick, e.index, e.value);
  int negative = joystickBase(kJoyAxisBase, e) + 2 * e.index;
  setHeld(negative, e.value < -kAxisDeadZone);
  setHeld(negative + 1, e.value > kAxisDeadZone);
}

void onJoyBall(const PlatformEvent& e) {
  int first = joystickBase(kJoyBallBase, e) + 2 * e.index;
  setHeld(first, e.dx < 0);
  setHeld(first + 1, e.dx > 0);
  setHeld(first + 2, e.dy < 0);
  setHeld(first + 3, e.dy > 0);
}

void onJoyHat(const PlatformEvent& e) {
  if (boundActionsOn == 1) return padHatEvent(e.joystick, e.index, e.value);
  int base = joystickBase(kJoyHatBase, e) + kHatStride * e.index;
  for (int v = kHatClearedFirst; v <= kHatClearedLast; ++v) setHeld(base + v, false);
  if (inCodeSpace(base) && hatLastCode[base] != 0) {
    setHeld(hatLastCode[base], false);
    hatLastCode[base] = 0;
  }
  int code = base + e.value;
  if (!inCodeSpace(code)) return;
  setHeld(code, true);
  setPressed(code);
  if (inCodeSpace(base)) hatLastCode[base] = static_cast<int16_t>(code);
  printCode(code);
}

void onJoyButtonDown(const PlatformEvent& e) {
  if (boundActionsOn == 1) return padButtonEvent(e.joystick, e.button, true);
  int code = joystickBase(kJoyButtonBase, e) + e.button;
  if (!inCodeSpace(code)) return;
  setHeld(code, true);
  setPressed(code);
  printCode(code);
}
void onJoyButtonUp(const PlatformEvent& e) {
  if (boundActionsOn == 1) return padButtonEvent(e.joystick, e.button, false);
  setHeld(joystickBase(kJoyButtonBase, e) + e.button, false);
}
void onQuit(const PlatformEvent&) { windowCloseRequested = 1; }
void onWindowResized(const PlatformEvent& e) {
  if (boundActionsOn != 1) return;
  windowRequests.resizedWidth = e.x;
  windowRequests.resizedHeight = e.y;
}

// The platform's own controls stand for player 1's actions; a tap is kept for the screen.
void onActionDown(const PlatformEvent& e) {
  if (boundActionsOn == 1) platformActionEvent(e.index, true);
}
void onActionUp(const PlatformEvent& e) {
  if (boundActionsOn == 1) platformActionEvent(e.index, false);
}
PictureTap pollTap{};
void onTap(const PlatformEvent& e) {
  if (boundActionsOn != 1) return;
  pollTap = PictureTap{1, e.x, e.y};
}

struct EventHandler {
  int type;
  void (*apply)(const PlatformEvent&);
};
// Every other event type changes nothing. The window-close request touches no input code: it
// is only remembered, for a program that wants to honour it.
constexpr EventHandler kEventHandlers[] = {
    {kEventKeyDown, onKeyDown},
    {kEventKeyUp, onKeyUp},
    {kEventMouseMotion, onMouseMotion},
    {kEventMouseButtonDown, onMouseButtonDown},
    {kEventMouseButtonUp, onMouseButtonUp},
    {kEventJoyAxis, onJoyAxis},
    {kEventJoyBall, onJoyBall},
    {kEventJoyHat, onJoyHat},
    {kEventJoyButtonDown, onJoyButtonDown},
    {kEventJoyButtonUp, onJoyButtonUp},
    {kEventQuit, onQuit},
    {kEventWindowResized, onWindowResized},
    {kEventActionDown, onActionDown},
    {kEventActionUp, onActionUp},
    {kEventTap, onTap},
};

struct Bindings {
  int32_t up, down, left, right, attack, extra, jump;
};
// Player 1 on the cursor keys and z x c; player 2 on joystick 0's hat and buttons 2, 3, 0.
constexpr Bindings kDefaultBindings[] = {
    {273, 274, 276, 275, 122, 120, 99},
    {441, 444, 448, 442, 42, 43, 40},
};

}  // namespace

void setDefaultBindings() {
  int player = 0;
  for (const Bindings& b : kDefaultBindings) {
    bindUp[player] = b.up;
    bindDown[player] = b.down;
    bindLeft[player] = b.left;
    bindRight[player] = b.right;
    bindAttack[player] = b.attack;
    bindExtra[player] = b.extra;
    bindJump[player] = b.jump;
    ++player;
  }
}

void pollInput() {
  if (inputFeed != nullptr) return inputFeed();
  for (int code = 1; code <= kInputCodes; ++code) keyPressed[code] = kUp;
  for (int16_t& pressed : keysPressed) pressed = kUp;
  padsStartPoll();
  platformActionsStartPoll();
  pollTap = PictureTap{};
  PlatformEvent e;
  while (platformPollEvent(&e)) {
    for (const EventHandler& h : kEventHandlers) {
      if (h.type == e.type) {
        h.apply(e);
        break;
      }
    }
  }
  if (boundActionsOn != 1) return;
  padsEndPoll();
  updateBoundActions();
  if (pollTap.seen == 1 && answerTap != nullptr) answerTap(pollTap);
}

void pressKeyForTap(int key) {
  if (!inCodeSpace(key)) return;
  keyPressed[key] = kDown;
  keysPressed[key] = kDown;
}

bool keyboardHeld(int key) { return inCodeSpace(key) && keysHeld[key] != kUp; }
bool keyboardPressed(int key) { return inCodeSpace(key) && keysPressed[key] != kUp; }

bool isHeld(int code) { return inCodeSpace(code) && keyHeld[code] != 0; }
bool isPressed(int code) { return inCodeSpace(code) && keyPressed[code] != 0; }

void buildPlayerCommands() {
  // In the order of PlayerAction.
  const int32_t* const actionBindings[kPlayerActions] = {bindUp,     bindDown,  bindLeft, bindRight,
                                                         bindAttack, bindExtra, bindJump};
  // Where Escape does not end the program (the arcade pauses on it) it asks nothing of the tick.
  const uint8_t escape = gameRules.quitKeysEndProgram == 1 && isHeld(kKeyEscape) ? 1 : 0;
  for (int p = 0; p < kCommandPlayers; ++p) {
    PlayerCommand& command = playerCommands[p];
    for (int a = 0; a < kPlayerActions; ++a) {
      command.held[a] = isHeld(actionBindings[a][p]) ? 1 : 0;
      command.pressed[a] = isPressed(actionBindings[a][p]) ? 1 : 0;
    }
    command.escapeHeld = escape;
    // Escape pauses for everyone; a player's own pause binding, where there is one, too.
    const bool ownPause = boundActionsOn == 1 && p < kBoundPlayers && isPressed(boundActionCode(p, kBoundPause));
    command.pausePressed = isPressed(kKeyEscape) || ownPause ? 1 : 0;
    command.confirmPressed = isPressed(kKeyReturn) ? 1 : 0;
  }
}
