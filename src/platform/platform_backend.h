// Inside the seam: each back end fills these tables once, and platform.cpp forwards every
// seam call to the tables in use. Nothing outside src/platform includes this.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "platform/picture_fit.h"
#include "platform/platform.h"

struct SystemBackend {
  bool (*openWindow)(std::string* reason);
  void (*shutdown)();
  uint32_t (*ticks)();
  uint64_t (*clockNs)();
  void (*sleepUntilNs)(uint64_t deadlineNs);
  void (*spinPause)();
  void (*swapBuffers)();
  bool (*pollEvent)(PlatformEvent* event);
  bool (*pushEvent)(const PlatformEvent& event);
  void (*waitForKey)();
  int (*joystickCount)();
  // Back ends without pads or a changeable window leave these null: the seam then does nothing
  // (no pads opened, names "", the mode refused, the desktop the picture's size).
  void (*openAllJoysticks)();
  std::string (*joystickName)(int index);
  bool (*setWindowMode)(const WindowMode& mode, std::string* reason);
  void (*desktopSize)(int32_t* width, int32_t* height);
  void (*runFrames)(void (*frame)());
  void (*endProcess)(int status);  // never comes back
  void (*playerFileWritten)();     // may be null: files written are already kept
};

struct GraphicsBackend {
  void (*initState)();
  void (*clearBuffers)();
  uint32_t (*createTexture)(const DecodedImage& image, bool rgba);
  void (*deleteTexture)(uint32_t glName);
  void (*drawTexturedQuad)(uint32_t glName, const QuadVertex corners[4], double alpha);
  void (*disableTexturing)();
  void (*drawQueuedQuads)();
  std::vector<unsigned char> (*readBackBuffer)();
  int (*maxTextureSide)();
};

struct AudioBackend {
  void (*open)();
  void* (*loadWav)(const std::string& path);
  void (*freeWav)(void* chunk);
  void (*playOnFreeChannel)(void* chunk);
  void* (*loadMusic)(const std::string& path);
  void (*freeMusic)(void* music);
  void (*playMusicOnce)(void* music);
  void (*fadeOutMusic)(int ms);
  void (*setMusicVolume)(int volume);
  void (*setMusicPosition)(double seconds);
  void (*setEffectsVolume)(int volume);  // may be null: effects stay at full volume
};

struct PlatformBackend {
  const SystemBackend* system;
  const GraphicsBackend* graphics;
  const AudioBackend* audio;
};

extern const SystemBackend sdlSystem;      // sdl_system.cpp
extern const GraphicsBackend glGraphics;   // gl_graphics.cpp
extern const AudioBackend sdlMixerAudio;   // sdl_mixer_audio.cpp
extern const PlatformBackend nullPlatform;  // null_platform.cpp
extern const SystemBackend webSystem;      // web_system.cpp, the browser build's only
extern const GraphicsBackend webGraphics;  // web_graphics.cpp
extern const AudioBackend webAudio;        // web_audio.cpp
// The build's own back end, chosen when it is built: the desktop's (sdl_system.cpp) or the
// browser's (web_system.cpp).
extern const PlatformBackend hostPlatform;

// The desktop's and the null version's frames: `frame` over and over, until it ends the program.
void runFramesInALoop(void (*frame)());
// The desktop's and the null version's end: the C library's exit.
[[noreturn]] void exitThroughTheLibrary(int status);

// Where the picture lies in the window, in window pixels from the top-left, and the window's
// height (GL counts rows from the bottom). The system half sets them whenever the window's
// size changes; the graphics half draws through them.
extern PictureRect windowPicture;
extern int32_t windowPixelsHigh;
// The graphics half's answer to a new window size: the viewport follows windowPicture.
void glFollowWindowPicture();

// The back end every seam call goes to; the real one unless a test or tool chose the null one.
extern const PlatformBackend* platformInUse;
