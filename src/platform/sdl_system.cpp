// The real back end's system half: SDL's window, event queue, clock and joystick, and PNG
// decoding through SDL_image (which both back ends use: decoding needs no window).
#include <SDL.h>
#include <SDL_image.h>

#include <time.h>

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#ifdef __GLIBC__
#include <malloc.h>
#endif

#include "platform/platform_backend.h"
#include "platform/sdl_event_in.h"

namespace {

constexpr Uint32 kInitSubsystems = SDL_INIT_VIDEO | SDL_INIT_AUDIO | SDL_INIT_JOYSTICK;  // 0x230
constexpr Uint32 kVideoFlags = SDL_HWSURFACE | SDL_OPENGL;                               // 3
constexpr uint64_t kNsPerSecond = 1000000000;

struct GlAttribute {
  SDL_GLattr attribute;
  int value;
};
// Set in this order; the buffer size of 32 with no alpha is what the drivers were tuned to.
constexpr GlAttribute kGlAttributes[] = {
    {SDL_GL_RED_SIZE, 8},     {SDL_GL_GREEN_SIZE, 8},    {SDL_GL_BLUE_SIZE, 8},
    {SDL_GL_DEPTH_SIZE, 16},  {SDL_GL_DOUBLEBUFFER, 1},  {SDL_GL_BUFFER_SIZE, 32},
    {SDL_GL_ALPHA_SIZE, 0},
};

bool windowOpen = false;
WindowMode windowMode;  // what the window shows, or will when it opens
int32_t desktopWidth = screenWidth;
int32_t desktopHeight = screenHeight;

Uint32 videoFlags(const WindowMode& mode) {
  Uint32 flags = kVideoFlags;
  if (mode.fullscreen == 1) flags |= SDL_FULLSCREEN;
  if (mode.resizable == 1 && mode.fullscreen != 1) flags |= SDL_RESIZABLE;
  return flags;
}

// Asks SDL for the mode and points the picture at the window it gave. On X11 a new size or a
// switch to or from fullscreen keeps the GL context, so the textures stay where they are.
bool applyWindowMode(const WindowMode& mode, std::string* reason) {
  const int width = mode.fullscreen == 1 ? desktopWidth : mode.width;
  const int height = mode.fullscreen == 1 ? desktopHeight : mode.height;
  SDL_Surface* window = SDL_SetVideoMode(width, height, 0, videoFlags(mode));
  if (window == nullptr) {
    if (reason) *reason = SDL_GetError();
    return false;
  }
  windowPixelsHigh = window->h;
  windowPicture = fitPicture(window->w, window->h, mode.wholeMultiples);
  return true;
}

void noteDesktopSize() {
  const SDL_VideoInfo* info = SDL_GetVideoInfo();
  if (info == nullptr || info->current_w <= 0 || info->current_h <= 0) return;
  desktopWidth = info->current_w;
  desktopHeight = info->current_h;
}

// Decoded sheets are megabytes each and are freed as soon as the driver holds its copy. glibc
// raises its mmap threshold to the largest block freed so far, after which such buffers come
// from the heap and their pages stay resident once freed; a fixed threshold hands each one back.
constexpr int kLargeBlock = 256 * 1024;

void returnLargeBuffersToTheSystem() {
#ifdef __GLIBC__
  mallopt(M_MMAP_THRESHOLD, kLargeBlock);
#endif
}

// When SDL 1.2 cannot reach an X display it falls back to a text-mode driver that paints
// escape sequences over standard output, where no GL mode exists anyway. Pinning it to X11
// (unless the user chose a driver) turns that into a plain error message.
void preferX11() {
  if (std::getenv("SDL_VIDEODRIVER") == nullptr) setenv("SDL_VIDEODRIVER", "x11", 1);
}

bool toSdlEvent(const PlatformEvent& in, SDL_Event* out) {
  SDL_Event e;
  std::memset(&e, 0, sizeof e);
  switch (in.type) {
    case kEventKeyDown:
    case kEventKeyUp:
      e.type = in.type == kEventKeyDown ? SDL_KEYDOWN : SDL_KEYUP;
      e.key.state = in.type == kEventKeyDown ? SDL_PRESSED : SDL_RELEASED;
      e.key.keysym.sym = static_cast<SDLKey>(in.key);
      break;
    case kEventMouseMotion:
      e.type = SDL_MOUSEMOTION;
      e.motion.xrel = static_cast<Sint16>(in.dx);
      e.motion.yrel = static_cast<Sint16>(in.dy);
      e.motion.x = static_cast<Uint16>(in.x);
      e.motion.y = static_cast<Uint16>(in.y);
      break;
    case kEventMouseButtonDown:
    case kEventMouseButtonUp:
      e.type = in.type == kEventMouseButtonDown ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
      e.button.state = in.type == kEventMouseButtonDown ? SDL_PRESSED : SDL_RELEASED;
      e.button.button = static_cast<Uint8>(in.button);
      break;
    case kEventJoyAxis:
      e.type = SDL_JOYAXISMOTION;
      e.jaxis.which = static_cast<Uint8>(in.joystick);
      e.jaxis.axis = static_cast<Uint8>(in.index);
      e.jaxis.value = static_cast<Sint16>(in.value);
      break;
    case kEventJoyBall:
      e.type = SDL_JOYBALLMOTION;
      e.jball.which = static_cast<Uint8>(in.joystick);
      e.jball.ball = static_cast<Uint8>(in.index);
      e.jball.xrel = static_cast<Sint16>(in.dx);
      e.jball.yrel = static_cast<Sint16>(in.dy);
      break;
    case kEventJoyHat:
      e.type = SDL_JOYHATMOTION;
      e.jhat.which = static_cast<Uint8>(in.joystick);
      e.jhat.hat = static_cast<Uint8>(in.index);
      e.jhat.value = static_cast<Uint8>(in.value);
      break;
    case kEventJoyButtonDown:
    case kEventJoyButtonUp:
      e.type = in.type == kEventJoyButtonDown ? SDL_JOYBUTTONDOWN : SDL_JOYBUTTONUP;
      e.jbutton.state = in.type == kEventJoyButtonDown ? SDL_PRESSED : SDL_RELEASED;
      e.jbutton.which = static_cast<Uint8>(in.joystick);
      e.jbutton.button = static_cast<Uint8>(in.button);
      break;
    case kEventQuit:
      e.type = SDL_QUIT;
      break;
    case kEventWindowResized:
      e.type = SDL_VIDEORESIZE;
      e.resize.w = in.x;
      e.resize.h = in.y;
      break;
    default:
      return false;
  }
  *out = e;
  return true;
}

bool openWindow(std::string* reason) {
  returnLargeBuffersToTheSystem();
  preferX11();
  // Start-up carries on past a failed init: a missing audio device or joystick is no reason
  // to stop. Only the window below decides.
  SDL_Init(kInitSubsystems);
  // SDL 1.2 touches its video state unchecked in the GL calls below.
  if (!SDL_WasInit(SDL_INIT_VIDEO)) {
    if (reason) *reason = SDL_GetError();
    return false;
  }
  // SDL turns SIGINT and SIGTERM into a quit request, which the game ignores by design (only
  // Escape ends it); give them back their default effect so a terminal or a supervisor can
  // still stop the program.
  std::signal(SIGINT, SIG_DFL);
  std::signal(SIGTERM, SIG_DFL);
  SDL_JoystickOpen(0);
  noteDesktopSize();
  for (const GlAttribute& a : kGlAttributes) SDL_GL_SetAttribute(a.attribute, a.value);
  if (!applyWindowMode(windowMode, reason)) return false;
  windowOpen = true;
  gfxInitState();
  return true;
}

void shutdown() {
  windowOpen = false;
  SDL_Quit();
}

uint32_t ticks() { return SDL_GetTicks(); }

uint64_t clockNs() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  return static_cast<uint64_t>(now.tv_sec) * kNsPerSecond + static_cast<uint64_t>(now.tv_nsec);
}

void sleepUntilNs(uint64_t deadlineNs) {
  timespec until{};
  until.tv_sec = static_cast<time_t>(deadlineNs / kNsPerSecond);
  until.tv_nsec = static_cast<long>(deadlineNs % kNsPerSecond);
  // A signal cuts the sleep short; the deadline is absolute, so it is simply slept again.
  while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &until, nullptr) == EINTR) {
  }
}

// A real clock moves on by itself while the wait spins.
void spinPause() {}

void swapBuffers() {
  // SDL 1.2 dereferences its video state here, so with no window there is nothing to swap.
  if (!windowOpen) return;
  glGraphics.drawQueuedQuads();
  SDL_GL_SwapBuffers();
}

bool pollEvent(PlatformEvent* event) {
  if (!windowOpen) return false;
  SDL_Event e;
  if (!SDL_PollEvent(&e)) return false;
  // SDL 1.2 leaves a resized window's drawing surface at the old size until the mode is set
  // again at the new one.
  if (e.type == SDL_VIDEORESIZE && windowMode.resizable == 1 && windowMode.fullscreen != 1) {
    windowMode.width = e.resize.w;
    windowMode.height = e.resize.h;
    if (applyWindowMode(windowMode, nullptr)) glFollowWindowPicture();
  }
  *event = platformEventOf(e);
  return true;
}

bool pushEvent(const PlatformEvent& event) {
  SDL_Event e;
  if (!windowOpen || !toSdlEvent(event, &e)) return false;
  return SDL_PushEvent(&e) == 0;
}

void waitForKey() {
  if (!windowOpen) return;
  SDL_Event e;
  while (SDL_WaitEvent(&e)) {
    if (e.type == SDL_KEYDOWN || e.type == SDL_QUIT) return;
  }
}

int joystickCount() { return SDL_WasInit(SDL_INIT_JOYSTICK) ? SDL_NumJoysticks() : 0; }

void openAllJoysticks() {
  for (int j = 0; j < joystickCount(); ++j)
    if (!SDL_JoystickOpened(j)) SDL_JoystickOpen(j);
}

std::string joystickName(int index) {
  if (index < 0 || index >= joystickCount()) return "";
  const char* name = SDL_JoystickName(index);
  return name ? name : "";
}

bool setWindowMode(const WindowMode& mode, std::string* reason) {
  if (!windowOpen) {
    windowMode = mode;
    return true;
  }
  if (!applyWindowMode(mode, reason)) {
    applyWindowMode(windowMode, nullptr);
    glFollowWindowPicture();
    return false;
  }
  windowMode = mode;
  glFollowWindowPicture();
  return true;
}

void desktopSize(int32_t* width, int32_t* height) {
  *width = desktopWidth;
  *height = desktopHeight;
}

}  // namespace

const SystemBackend sdlSystem{openWindow,       shutdown,     ticks,         clockNs,    sleepUntilNs,
                              spinPause,        swapBuffers,  pollEvent,     pushEvent,  waitForKey,
                              joystickCount,    openAllJoysticks, joystickName, setWindowMode, desktopSize,
                              runFramesInALoop, exitThroughTheLibrary, nullptr};
const PlatformBackend hostPlatform{&sdlSystem, &glGraphics, &sdlMixerAudio};

bool platformDecodeImage(const std::string& path, DecodedImage* image) {
  SDL_Surface* surface = IMG_Load(path.c_str());
  if (surface == nullptr) return false;
  if (SDL_MUSTLOCK(surface)) SDL_LockSurface(surface);
  image->width = surface->w;
  image->height = surface->h;
  image->bytesPerPixel = surface->format->BytesPerPixel;
  image->pitch = surface->pitch;
  const unsigned char* first = static_cast<const unsigned char*>(surface->pixels);
  image->pixels.assign(first, first + static_cast<size_t>(surface->pitch) * surface->h);
  if (SDL_MUSTLOCK(surface)) SDL_UnlockSurface(surface);
  SDL_FreeSurface(surface);
  return true;
}
