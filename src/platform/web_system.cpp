// The browser's back end, system half: the page's canvas and its WebGL context, keyboard and
// pads through Emscripten's built-in SDL 1.x, the page's monotonic clock, and the browser's
// frame callback in place of the desktop's loop. Built instead of sdl_system.cpp for the web.
#include <SDL/SDL.h>
#include <emscripten.h>

#include "platform/platform_backend.h"
#include "platform/sdl_event_in.h"

namespace {

constexpr Uint32 kInitSubsystems = SDL_INIT_VIDEO | SDL_INIT_JOYSTICK;
constexpr double kNsPerMs = 1000000.0;
constexpr int kFirstPad = 0;

// Browser SDL numbers the keys that have no character as the key's scan code plus 1024; the
// game's input codes are the desktop SDL 1.2 key symbols. Keys with a character (letters,
// digits, Return, Escape, space) arrive as that character on both and are passed through.
constexpr int kScanCodeKey = 1 << 10;
struct KeyRename {
  int browser;  // keysym.sym as the browser's SDL reports it
  int game;     // the desktop's SDL 1.2 key symbol
};
constexpr KeyRename kKeyRenames[] = {
    {kScanCodeKey | 82, 273},  {kScanCodeKey | 81, 274},  {kScanCodeKey | 79, 275},   // up down right
    {kScanCodeKey | 80, 276},  {kScanCodeKey | 73, 277},  {kScanCodeKey | 74, 278},   // left insert home
    {kScanCodeKey | 77, 279},  {kScanCodeKey | 75, 280},  {kScanCodeKey | 78, 281},   // end pgup pgdn
    {kScanCodeKey | 58, 282},  {kScanCodeKey | 59, 283},  {kScanCodeKey | 60, 284},   // F1 F2 F3
    {kScanCodeKey | 61, 285},  {kScanCodeKey | 62, 286},  {kScanCodeKey | 63, 287},   // F4 F5 F6
    {kScanCodeKey | 64, 288},  {kScanCodeKey | 65, 289},  {kScanCodeKey | 66, 290},   // F7 F8 F9
    {kScanCodeKey | 67, 291},  {kScanCodeKey | 68, 292},  {kScanCodeKey | 69, 293},   // F10 F11 F12
    {kScanCodeKey | 98, 256},  {kScanCodeKey | 89, 257},  {kScanCodeKey | 90, 258},   // keypad 0 1 2
    {kScanCodeKey | 91, 259},  {kScanCodeKey | 92, 260},  {kScanCodeKey | 93, 261},   // keypad 3 4 5
    {kScanCodeKey | 94, 262},  {kScanCodeKey | 95, 263},  {kScanCodeKey | 96, 264},   // keypad 6 7 8
    {kScanCodeKey | 97, 265},  {kScanCodeKey | 99, 266},  {kScanCodeKey | 84, 267},   // keypad 9 . /
    {kScanCodeKey | 85, 268},  {kScanCodeKey | 86, 269},  {kScanCodeKey | 87, 270},   // keypad * - +
    {kScanCodeKey | 83, 300},  {kScanCodeKey | 57, 301},                              // num lock, caps
    {kScanCodeKey | 229, 303}, {kScanCodeKey | 225, 304}, {kScanCodeKey | 228, 305},  // shifts, right ctrl
    {kScanCodeKey | 224, 306}, {kScanCodeKey | 230, 307}, {kScanCodeKey | 226, 308},  // left ctrl, alts
};

int gameKey(int browserKey) {
  for (const KeyRename& k : kKeyRenames)
    if (k.browser == browserKey) return k.game;
  return browserKey < kScanCodeKey ? browserKey : 0;  // 0: a key the game has no code for
}

// A held key repeats its key-down in a browser; the desktop reports one press per press.
constexpr int kKeyTableSize = 512;
bool keyIsDown[kKeyTableSize];

// A pad in the browser's standard layout reports its cross as buttons 12 to 15; the game reads
// a hat, as desktop pads report it.
constexpr int kCrossFirstButton = 12;
constexpr Uint8 kCrossHatBits[] = {SDL_HAT_UP, SDL_HAT_DOWN, SDL_HAT_LEFT, SDL_HAT_RIGHT};
constexpr int kCrossButtons = 4;
Uint8 crossBits = SDL_HAT_CENTERED;

// The page's own controls (touch d-pad and buttons, taps on the picture) arrive between frames
// through the calls at the end of this file and wait here for the next poll. A full queue drops
// what comes on: a finger can only press so fast, and a poll empties it every frame.
constexpr int kPageEventCapacity = 64;
PlatformEvent pageEvents[kPageEventCapacity];
int pageEventFirst = 0;
int pageEventCount = 0;

void queuePageEvent(const PlatformEvent& e) {
  if (pageEventCount == kPageEventCapacity) return;
  pageEvents[(pageEventFirst + pageEventCount) % kPageEventCapacity] = e;
  ++pageEventCount;
}

bool takePageEvent(PlatformEvent* e) {
  if (pageEventCount == 0) return false;
  *e = pageEvents[pageEventFirst];
  pageEventFirst = (pageEventFirst + 1) % kPageEventCapacity;
  --pageEventCount;
  return true;
}

bool windowOpen = false;
bool padOpen = false;
double startMs = 0;

void openPadWhenPresent() {
  if (padOpen || SDL_NumJoysticks() <= kFirstPad) return;
  padOpen = SDL_JoystickOpen(kFirstPad) != nullptr;
}

bool openWindow(std::string* reason) {
  startMs = emscripten_get_now();
  SDL_Init(kInitSubsystems);
  // The page checked for WebGL before it loaded the game; this is the last word all the same.
  if (SDL_SetVideoMode(screenWidth, screenHeight, 0, SDL_OPENGL) == nullptr) {
    if (reason) *reason = SDL_GetError();
    return false;
  }
  windowOpen = true;
  openPadWhenPresent();
  gfxInitState();
  return true;
}

void shutdown() { windowOpen = false; }

uint32_t ticks() { return static_cast<uint32_t>(emscripten_get_now() - startMs); }

uint64_t clockNs() { return static_cast<uint64_t>(emscripten_get_now() * kNsPerMs); }

// A page cannot sleep; its frames are paced by the browser's callback (framePacedByHost).
void sleepUntilNs(uint64_t) {}
void spinPause() {}

// The browser shows what was drawn when the frame callback returns.
void swapBuffers() { webGraphics.drawQueuedQuads(); }

// The cross's buttons as the hat's moves.
void crossToHat(const SDL_Event& in, PlatformEvent* e) {
  const int bit = in.jbutton.button - kCrossFirstButton;
  if (bit < 0 || bit >= kCrossButtons) return;
  if (in.type == SDL_JOYBUTTONDOWN)
    crossBits |= kCrossHatBits[bit];
  else
    crossBits &= static_cast<Uint8>(~kCrossHatBits[bit]);
  *e = PlatformEvent{};
  e->type = kEventJoyHat;
  e->joystick = in.jbutton.which;
  e->value = crossBits;
}

// False for an event the game is not to see at all (a repeated key-down).
bool fromSdlEvent(const SDL_Event& in, PlatformEvent* out) {
  PlatformEvent e = platformEventOf(in);
  if (e.type == kEventKeyDown || e.type == kEventKeyUp) {
    const bool down = e.type == kEventKeyDown;
    e.key = gameKey(e.key);
    if (e.key > 0 && e.key < kKeyTableSize) {
      if (down && keyIsDown[e.key]) return false;
      keyIsDown[e.key] = down;
    }
  }
  if (e.type == kEventJoyButtonDown || e.type == kEventJoyButtonUp) crossToHat(in, &e);
  *out = e;
  return true;
}

bool pollEvent(PlatformEvent* event) {
  if (!windowOpen) return false;
  openPadWhenPresent();
  SDL_Event e;
  while (SDL_PollEvent(&e))
    if (fromSdlEvent(e, event)) return true;
  return takePageEvent(event);
}

// The page has no use for a queue fed from inside: its input comes from the browser.
bool pushEvent(const PlatformEvent&) { return false; }

// A page cannot block; after the fatal image message the program ends at once, and the page
// keeps the message on show.
void waitForKey() {}

int joystickCount() { return windowOpen ? SDL_NumJoysticks() : 0; }

void openAllJoysticks() {
  for (int i = 0; i < SDL_NumJoysticks(); ++i) SDL_JoystickOpen(i);
}

std::string joystickName(int index) {
  const char* name = SDL_JoystickName(index);
  return name ? name : "";
}

void (*frameStep)() = nullptr;
void callFrameStep() { frameStep(); }

void runFrames(void (*frame)()) {
  frameStep = frame;
  // 0 frames per second: the browser's own frame callback, once per display refresh. The
  // stack unwinds here and the page's event loop takes over.
  emscripten_set_main_loop(callFrameStep, 0, 1);
}

// The page's frame callback keeps the runtime alive, and a plain exit would only halt it:
// forced, the runtime ends and the page hears of it.
[[noreturn]] void endProcess(int status) {
  emscripten_force_exit(status);
  __builtin_unreachable();
}

// The page keeps a copy of the player's folders in the browser's storage (index.html); it is
// brought up to date after each write, as the desktop's file is on disk once written.
void playerFileWritten() {
  EM_ASM({
    if (Module.keepPlayerFiles) Module.keepPlayerFiles();
  });
}

}  // namespace

// Called by the page's touch controls: one of player 1's actions held down (down 1) or let go.
extern "C" EMSCRIPTEN_KEEPALIVE void pageAction(int action, int down) {
  PlatformEvent e;
  e.type = down != 0 ? kEventActionDown : kEventActionUp;
  e.index = action;
  queuePageEvent(e);
}

// Called by the page for a tap on the picture, at x, y in picture pixels.
extern "C" EMSCRIPTEN_KEEPALIVE void pageTap(int x, int y) {
  PlatformEvent e;
  e.type = kEventTap;
  e.x = x;
  e.y = y;
  queuePageEvent(e);
}

// The canvas keeps its one size (the page scales it), so the window's mode is refused.
const SystemBackend webSystem{openWindow,    shutdown,         ticks,        clockNs,   sleepUntilNs,
                              spinPause,     swapBuffers,      pollEvent,    pushEvent, waitForKey,
                              joystickCount, openAllJoysticks, joystickName, nullptr,   nullptr,
                              runFrames,     endProcess,       playerFileWritten};
const PlatformBackend hostPlatform{&webSystem, &webGraphics, &webAudio};
