// The null back end: no window, no device. Events come from a queue that tests fill, the clock
// stands still unless a test moves it or a frame wait sleeps or spins on it, drawn quads are
// recorded and sounds are logged.
#include "platform/null_platform.h"

#include <chrono>
#include <cstdio>
#include <deque>
#include <string>
#include <thread>

#include "platform/platform_backend.h"

std::vector<RecordedQuad> nullQuads;
DecodedImage nullLastUpload;
std::vector<uint32_t> nullDeletedTextures;
int nullSoundsPlayed = 0;
std::vector<void*> nullSoundLog;
NullAudio nullAudio;
uint64_t nullWakeLatencyNs = 0;
int nullSpinTurns = 0;
bool nullRealClock = false;

namespace {

std::deque<PlatformEvent> queuedEvents;
constexpr uint64_t kNsPerMs = 1000000;
uint64_t clockNowNs = 0;
uint32_t nextTextureName = 1;

// ---- system ----

bool openWindow(std::string*) { return true; }
void shutdown() {}
uint64_t clockNs() {
  if (nullRealClock)
    clockNowNs = static_cast<uint64_t>(
        std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now().time_since_epoch()).count());
  return clockNowNs;
}
uint32_t ticks() { return static_cast<uint32_t>(clockNs() / kNsPerMs); }

void sleepUntilNs(uint64_t deadlineNs) {
  if (nullRealClock) {
    if (deadlineNs > clockNs()) std::this_thread::sleep_for(std::chrono::nanoseconds(deadlineNs - clockNowNs));
    return;
  }
  if (deadlineNs > clockNowNs) clockNowNs = deadlineNs;
  clockNowNs += nullWakeLatencyNs;
}

// Nothing else would move the clock while a frame wait spins on it: each turn of the spin
// stands for a short stretch of time, so headless frames are 17 ms apart as real ones are.
void spinPause() {
  if (!nullRealClock) clockNowNs += kNullSpinTurnNs;
  ++nullSpinTurns;
}

void swapBuffers() {}

bool pollEvent(PlatformEvent* event) {
  if (queuedEvents.empty()) return false;
  *event = queuedEvents.front();
  queuedEvents.pop_front();
  return true;
}

bool pushEvent(const PlatformEvent& event) {
  queuedEvents.push_back(event);
  return true;
}

void waitForKey() {}

// ---- graphics ----

void initState() {}
void clearBuffers() {}

uint32_t createTexture(const DecodedImage& image, bool) {
  nullLastUpload = image;
  return image.width > 0 && image.height > 0 ? nextTextureName++ : 0;
}

void deleteTexture(uint32_t glName) { nullDeletedTextures.push_back(glName); }

void drawTexturedQuad(uint32_t glName, const QuadVertex corners[4], double alpha) {
  nullQuads.push_back(RecordedQuad{glName, {corners[0], corners[1], corners[2], corners[3]}, alpha});
}

void disableTexturing() {}
void drawQueuedQuads() {}
std::vector<unsigned char> readBackBuffer() { return {}; }

// ---- audio ----

// What a null load hands out: something distinct per load, so tests can tell slots apart.
struct NullAudioHandle {
  std::string path;
};

bool fileOpens(const std::string& path) {
  FILE* file = std::fopen(path.c_str(), "rb");
  if (!file) return false;
  std::fclose(file);
  return true;
}

void* load(const std::string& path, int* live) {
  if (!fileOpens(path)) return nullptr;
  ++*live;
  return new NullAudioHandle{path};
}

void openAudio() {}
void* loadWav(const std::string& path) { return load(path, &nullAudio.soundsLoaded); }

void freeWav(void* chunk) {
  --nullAudio.soundsLoaded;
  delete static_cast<NullAudioHandle*>(chunk);
}

void playOnFreeChannel(void* chunk) {
  ++nullSoundsPlayed;
  nullSoundLog.push_back(chunk);
}

void* loadMusic(const std::string& path) { return load(path, &nullAudio.musicLoaded); }

void freeMusic(void* music) {
  --nullAudio.musicLoaded;
  if (nullAudio.playingMusic == music) nullAudio.playingMusic = nullptr;
  delete static_cast<NullAudioHandle*>(music);
}

void playMusicOnce(void* music) {
  ++nullAudio.musicStarts;
  nullAudio.playingMusic = music;
}

void fadeOutMusic(int ms) {
  ++nullAudio.fadeOuts;
  nullAudio.lastFadeMs = ms;
}

void setMusicVolume(int volume) { nullAudio.musicVolume = volume; }

void setMusicPosition(double seconds) {
  ++nullAudio.positionSets;
  nullAudio.lastPosition = seconds;
}

int joystickCount() { return nullJoystickCount; }
void openAllJoysticks() { ++nullJoysticksOpenedAll; }
std::string joystickName(int index) {
  const bool known = index >= 0 && index < static_cast<int>(nullJoystickNames.size());
  return known ? nullJoystickNames[index] : "";
}

bool setWindowMode(const WindowMode& mode, std::string*) {
  nullWindowMode = mode;
  return true;
}

void desktopSize(int32_t* width, int32_t* height) {
  *width = nullDesktopWidth;
  *height = nullDesktopHeight;
}

void setEffectsVolume(int volume) { nullAudio.effectsVolume = volume; }

void playerFileWritten() { ++nullPlayerFilesWritten; }

// Unknown without a GL context: nothing is refused for its size.
int maxTextureSide() { return 0; }

const SystemBackend nullSystem{openWindow,    shutdown,         ticks,        clockNs,       sleepUntilNs,
                               spinPause,     swapBuffers,      pollEvent,    pushEvent,     waitForKey,
                               joystickCount, openAllJoysticks, joystickName, setWindowMode, desktopSize,
                               runFramesInALoop, exitThroughTheLibrary, playerFileWritten};
const GraphicsBackend nullGraphics{initState,        clearBuffers,     createTexture,   deleteTexture,
                                   drawTexturedQuad, disableTexturing, drawQueuedQuads, readBackBuffer,
                                   maxTextureSide};
const AudioBackend nullAudioBackend{openAudio,  loadWav,       freeWav,      playOnFreeChannel,
                                    loadMusic,  freeMusic,     playMusicOnce, fadeOutMusic,
                                    setMusicVolume, setMusicPosition, setEffectsVolume};

}  // namespace

const PlatformBackend nullPlatform{&nullSystem, &nullGraphics, &nullAudioBackend};

int nullJoystickCount = 0;
std::vector<std::string> nullJoystickNames;
int nullJoysticksOpenedAll = 0;
int nullPlayerFilesWritten = 0;
WindowMode nullWindowMode;
int32_t nullDesktopWidth = screenWidth;
int32_t nullDesktopHeight = screenHeight;

void nullQueueEvent(const PlatformEvent& event) { queuedEvents.push_back(event); }
void nullClearEvents() { queuedEvents.clear(); }
void nullAdvanceTicks(uint32_t ms) { clockNowNs += ms * kNsPerMs; }
void nullSetTicks(uint32_t ms) { clockNowNs = ms * kNsPerMs; }
void nullSetClockNs(uint64_t ns) { clockNowNs = ns; }
