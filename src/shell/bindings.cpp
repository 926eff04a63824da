#include "shell/bindings.h"

#include <cstdlib>
#include <sstream>

#include "shell/input.h"
#include "shell/key_names.h"
#include "shell/pads.h"

PlayerControls playerControls[kBoundPlayers];
int32_t boundActionsOn = 0;

namespace {

// Past every code a source sets while bound actions are on: keys end at 322, the mouse at 329,
// and pads no longer write the code space.
constexpr int kBoundCodeFirst = 1001;
constexpr int16_t kDown = -1;
constexpr int16_t kUp = 0;

constexpr const char* kActionNames[kBoundActions] = {"up", "down", "left", "right", "attack", "jump", "pause"};
constexpr const char* kDirectionNames[kPadDirections] = {"up", "down", "left", "right"};

constexpr int kKeyUp = 273, kKeyDown = 274, kKeyRight = 275, kKeyLeft = 276;
constexpr Binding key(int symbol) { return {kBindKey, symbol}; }
constexpr Binding padControl(int control) { return {kBindPad, control}; }
constexpr Binding padButton(int button) { return {kBindPad, button}; }
constexpr Binding stick(int direction) { return {kBindPad, kPadStickFirst + direction}; }

// In the order of BoundAction.
constexpr Binding kFirstPlayerKeys[kBoundActions] = {key(kKeyUp), key(kKeyDown), key(kKeyLeft), key(kKeyRight),
                                                     key('z'),    key('c'),      key('p')};
constexpr Binding kSecondPlayerKeys[kBoundActions] = {key('w'), key('s'), key('a'), key('d'),
                                                      key('f'), key('g'), key('h')};
// Buttons 2 and 0 as the design gives player 2's joystick; 7 is the start button of the
// commonest pads.
constexpr Binding kSecondPlayerPad[kBoundActions] = {stick(kPadUp), stick(kPadDown), stick(kPadLeft), stick(kPadRight),
                                                     padButton(2),  padButton(0),    padButton(7)};

// Player 1's actions as the platform's own controls hold them: written by the poll's action
// events, read by updateBoundActions.
constexpr int kPlatformControlsPlayer = 0;
int16_t platformHeld[kBoundActions];
int16_t platformPressed[kBoundActions];

bool validAction(int action) { return action >= 0 && action < kBoundActions; }

bool bindingHeld(const Binding& b, int pad) {
  if (b.kind == kBindKey) return keyboardHeld(b.control);
  if (b.kind == kBindPad) return padControlHeld(pad, b.control);
  return false;
}
bool bindingPressed(const Binding& b, int pad) {
  if (b.kind == kBindKey) return keyboardPressed(b.control);
  if (b.kind == kBindPad) return padControlPressed(pad, b.control);
  return false;
}

// "button 2", "hat 0 up", "axis 1 -", "stick left": a pad control in words.
std::string padControlText(int control) {
  if (control < kPadHatFirst) return "button " + std::to_string(control);
  if (control < kPadAxisFirst) {
    const int n = control - kPadHatFirst;
    return "hat " + std::to_string(n / kPadDirections) + " " + kDirectionNames[n % kPadDirections];
  }
  if (control < kPadStickFirst) {
    const int n = control - kPadAxisFirst;
    return "axis " + std::to_string(n / 2) + (n % 2 == 0 ? " -" : " +");
  }
  return std::string("stick ") + kDirectionNames[control - kPadStickFirst];
}

int directionNamed(const std::string& word) {
  for (int d = 0; d < kPadDirections; ++d)
    if (word == kDirectionNames[d]) return d;
  return -1;
}

// A small whole number in its plain decimal form, below `limit`; -1 otherwise.
int smallNumber(const std::string& word, int limit) {
  if (word.empty() || word.size() > 2) return -1;
  for (char c : word)
    if (c < '0' || c > '9') return -1;
  const int n = std::atoi(word.c_str());
  return n < limit ? n : -1;
}

// The words after "pad" as a control number; -1 when they name none.
int padControlNamed(const std::string& kind, const std::string& first, const std::string& second) {
  if (kind == "button" && second.empty()) return smallNumber(first, kPadButtons);
  if (kind == "stick" && second.empty()) {
    const int d = directionNamed(first);
    return d < 0 ? -1 : padStickControl(d);
  }
  if (kind == "hat") {
    const int hat = smallNumber(first, kPadHats);
    const int d = directionNamed(second);
    return hat < 0 || d < 0 ? -1 : padHatControl(hat, d);
  }
  if (kind == "axis") {
    const int axis = smallNumber(first, kPadAxes);
    if (axis < 0 || (second != "-" && second != "+")) return -1;
    return padAxisControl(axis, second == "+");
  }
  return -1;
}

}  // namespace

PlayerControls defaultControls(int player, int padsAttached) {
  PlayerControls c{};
  c.pad = kNoPad;
  const Binding* row = player == 0 ? kFirstPlayerKeys : kSecondPlayerKeys;
  if (player == 1 && padsAttached > 0) {
    row = kSecondPlayerPad;
    c.pad = 0;
  }
  for (int a = 0; a < kBoundActions; ++a) c.actions[a] = row[a];
  return c;
}

int boundActionCode(int player, int action) { return kBoundCodeFirst + kBoundActions * player + action; }

void useBoundActions(bool on) {
  boundActionsOn = on ? 1 : 0;
  if (!on) {
    setDefaultBindings();
    return;
  }
  int32_t* const tables[] = {bindUp, bindDown, bindLeft, bindRight, bindAttack, bindJump};
  const int actions[] = {kBoundUp, kBoundDown, kBoundLeft, kBoundRight, kBoundAttack, kBoundJump};
  for (int p = 0; p < kBindPlayers; ++p) {
    for (int t = 0; t < 6; ++t) tables[t][p] = p < kBoundPlayers ? boundActionCode(p, actions[t]) : 0;
    bindExtra[p] = 0;  // read by nothing; never held
  }
}

void platformActionEvent(int action, bool down) {
  if (!validAction(action)) return;
  platformHeld[action] = down ? kDown : kUp;
  if (down) platformPressed[action] = kDown;
}

void platformActionsStartPoll() {
  for (int16_t& pressed : platformPressed) pressed = kUp;
}

void clearPlatformActions() {
  platformActionsStartPoll();
  for (int16_t& held : platformHeld) held = kUp;
}

void updateBoundActions() {
  for (int p = 0; p < kBoundPlayers; ++p) {
    const PlayerControls& c = playerControls[p];
    const bool platformToo = p == kPlatformControlsPlayer;
    for (int a = 0; a < kBoundActions; ++a) {
      const int code = boundActionCode(p, a);
      const bool held = bindingHeld(c.actions[a], c.pad) || (platformToo && platformHeld[a] != kUp);
      const bool pressed = bindingPressed(c.actions[a], c.pad) || (platformToo && platformPressed[a] != kUp);
      keyHeld[code] = held ? kDown : kUp;
      keyPressed[code] = pressed ? kDown : kUp;
    }
  }
}

bool sameInput(const Binding& a, int padOfA, const Binding& b, int padOfB) {
  if (a.kind != b.kind || a.control != b.control || a.kind == kBindNone) return false;
  return a.kind == kBindKey || padOfA == padOfB;
}

std::string bindingText(const Binding& binding) {
  if (binding.kind == kBindKey) return "key " + keyName(binding.control);
  if (binding.kind == kBindPad) return "pad " + padControlText(binding.control);
  return "none";
}

bool parseBinding(const std::string& text, Binding* binding) {
  std::istringstream in(text);
  std::string source, a, b, c, extra;
  in >> source >> a >> b >> c >> extra;
  if (source == "none" && a.empty()) {
    *binding = Binding{kBindNone, 0};
    return true;
  }
  if (source == "key" && !a.empty() && b.empty()) {
    const int symbol = keyNamed(a);
    *binding = key(symbol);
    return symbol != 0;
  }
  if (source == "pad" && extra.empty()) {
    const int control = padControlNamed(a, b, c);
    *binding = padControl(control);
    return control >= 0;
  }
  return false;
}

const char* boundActionName(int action) {
  return action >= 0 && action < kBoundActions ? kActionNames[action] : "";
}
