// The platform seam: every SDL, SDL_image, SDL_mixer and OpenGL call of the game goes through
// these functions and nowhere else.
//
// Two back ends live behind it in each build: the build's own (on the desktop sdl_system.cpp,
// gl_graphics.cpp, sdl_mixer_audio.cpp: a 1024x768 GL window, the SDL event queue, the
// millisecond clock, the audio device; in the browser build the web_*.cpp files in their place)
// and the null one (null_platform.cpp: no window and no device, for tests and tools, which
// choose it through null_platform.h). The game always runs on the build's own.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

// The window the platform opens, in pixels; every screen draws in these coordinates.
constexpr int32_t screenWidth = 1024;
constexpr int32_t screenHeight = 768;

// ---- system: window, events, clock -------------------------------------------------------

enum PlatformEventType {
  kEventOther = 0,
  kEventKeyDown, kEventKeyUp,
  kEventMouseMotion, kEventMouseButtonDown, kEventMouseButtonUp,
  kEventJoyAxis, kEventJoyBall, kEventJoyHat, kEventJoyButtonDown, kEventJoyButtonUp,
  kEventQuit,
  kEventWindowResized,  // the user dragged the window to x by y pixels (resizable windows only)
  // Controls the platform draws itself (a touch screen's d-pad and buttons) stand for player 1's
  // bound actions: `index` is the action (shell/bindings.h), held from down to up.
  kEventActionDown, kEventActionUp,
  kEventTap  // a finger lifted where it came down, at x, y in picture pixels (0..1023, 0..767)
};

// One event, already stripped of the platform's own types.
struct PlatformEvent {
  int type = kEventOther;
  int key = 0;        // key symbol (keyboard)
  int button = 0;     // mouse button 1..5, joystick button
  int joystick = 0;   // joystick number
  int index = 0;      // axis, ball or hat number
  int value = 0;      // axis value, hat position
  int dx = 0, dy = 0; // mouse or ball motion
  int x = 0, y = 0;   // where the mouse pointer is now, in window pixels (mouse motion); a tap's spot
};

// Opens video, joystick 0, the GL attributes, the 1024x768 GL window and the GL state.
// Returns false with the platform's reason when no window or GL context can be had.
bool platformOpenWindow(std::string* reason);
void platformShutdown();
// The program's one way out: shuts the platform down, flushes standard output and ends the
// process with `status`.
[[noreturn]] void platformQuit(int status);
uint32_t platformTicks();            // milliseconds since start
// The monotonic clock that platformTicks() counts, in nanoseconds from an arbitrary start, and
// a sleep until a moment on it. The null version's clock is its tick counter at nanosecond grain.
uint64_t platformClockNs();
void platformSleepUntilNs(uint64_t deadlineNs);
// One turn of a busy wait on platformTicks(): nothing in the real version; the null version's
// clock moves on a short fixed stretch, so that a paced loop ends without a test tending the clock.
void platformSpinPause();
void platformSwapBuffers();
void platformClearBuffers();
bool platformPollEvent(PlatformEvent* event);
// Puts an event at the end of the queue that platformPollEvent reads: the SDL queue (real,
// after platformOpenWindow) or the null queue. Lets tests feed either version the same way.
bool platformPushEvent(const PlatformEvent& event);
// Blocks until a key goes down (used after the fatal image message). The real version also
// returns when the window is closed or no window is open; the null version returns at once.
void platformWaitForKey();
// Joysticks attached at start-up: 0 when there are none or the joystick part did not open.
int platformJoystickCount();
// Hands the program's frames to the host until the program ends. The desktop and the null
// version call `frame` over and over; a browser page cannot loop, so the web version has the
// browser call it once per display refresh, and this call never comes back.
[[noreturn]] void platformRunFrames(void (*frame)());
// The window opens only joystick 0; this opens every pad attached, so that events come from
// all of them. The name the system gives pad `index`, "" when there is none.
void platformOpenAllJoysticks();
std::string platformJoystickName(int index);

// A file the player owns (settings, high scores) has just been written. The page's files live
// in memory until copied into the browser's lasting storage, which this starts; on the desktop
// the file is already on disk and nothing happens.
void platformPlayerFileWritten();

// ---- the window's mode -----------------------------------------------------------------

// How the window shows the 1024x768 picture. The start value is the fixed 1024x768 window.
struct WindowMode {
  int32_t fullscreen = 0;      // 1: the desktop's size, no border
  int32_t resizable = 0;       // 1: the user may drag the window's edges
  int32_t wholeMultiples = 0;  // 1: the picture grows by whole multiples only; 0: as large as fits
  int32_t width = screenWidth;  // the window's size when not fullscreen
  int32_t height = screenHeight;
};
// Before the window opens: the mode it opens in. After: the window changes to it, keeping its
// textures. False with the platform's reason when the mode cannot be had (the old one stays).
bool platformSetWindowMode(const WindowMode& mode, std::string* reason);
// The desktop's size as it was when the window opened; the picture's size before that.
void platformDesktopSize(int32_t* width, int32_t* height);

// ---- images and GL -------------------------------------------------------------------------

struct DecodedImage {
  int width = 0;
  int height = 0;
  int bytesPerPixel = 0;
  int pitch = 0;  // bytes per row as decoded (rows padded to 4 bytes)
  std::vector<unsigned char> pixels;
};
// Decodes with SDL_image in both versions (no window needed); false when the file does not
// decode. The path is used as given.
bool platformDecodeImage(const std::string& path, DecodedImage* image);

// The fixed GL state every drawing routine relies on (projection, blending, depth test...).
void gfxInitState();

// Uploads pixels as decoded: GL_RGBA or GL_RGB (image.bytesPerPixel must match), unsigned
// bytes, rows padded to 4 bytes, nearest filtering. The new texture stays bound. Returns the
// GL name, or 0 when GL does not take an image of that size.
uint32_t gfxCreateTexture(const DecodedImage& image, bool rgba);
void gfxDeleteTexture(uint32_t glName);
// GL's largest texture side in pixels; 0 in the null version or before a window is open.
int gfxMaxTextureSide();

struct QuadVertex {
  double x, y;  // screen pixels
  double u, v;  // texture coordinates
};
// One textured quad with texturing on, the given texture bound, source-alpha blending and the
// colour white at `alpha`; four vertices in drawing order, depth 0. The real version queues it
// and draws the frame's queue, with less work for the same pixels, before the buffers are
// swapped, cleared or read back and before a texture is deleted.
void gfxDrawTexturedQuad(uint32_t glName, const QuadVertex corners[4], double alpha);
void gfxDisableTexturing();
void gfxDrawQueuedQuads();
// 1: every quad drawn at once, blended, as it comes (the way before the queue), for the
// benchmarks and the tests that compare both ways' pixels.
extern int gfxPlainDrawing;

// Real version only: RGBA bytes of the back buffer, rows from the top (for tests).
std::vector<unsigned char> gfxReadBackBuffer();

// ---- audio ---------------------------------------------------------------------------------

// Opens the mixer: 22050 Hz, format 0x8010, stereo, chunk 2000, 64 channels.
void audioOpen();
void* audioLoadWav(const std::string& path);  // nullptr when it does not decode
void audioFreeWav(void* chunk);
void audioPlayOnFreeChannel(void* chunk);
void* audioLoadMusic(const std::string& path);  // nullptr when it does not load
void audioFreeMusic(void* music);               // halts it first if it is playing
void audioPlayMusicOnce(void* music);
void audioFadeOutMusic(int ms);
void audioSetMusicVolume(int volume);
// Every effect channel's volume, 0 to 128 (128 unless set).
void audioSetEffectsVolume(int volume);
void audioSetMusicPosition(double seconds);
