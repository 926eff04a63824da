// The seam's calls, each handed to the back end in use, and the program's one way out.
#include <cstdio>
#include <cstdlib>

#include "platform/platform_backend.h"

const PlatformBackend* platformInUse = &hostPlatform;

PictureRect windowPicture{0, 0, screenWidth, screenHeight};
int32_t windowPixelsHigh = screenHeight;

void useNullPlatform(bool on) { platformInUse = on ? &nullPlatform : &hostPlatform; }
bool nullPlatformInUse() { return platformInUse == &nullPlatform; }

bool platformOpenWindow(std::string* reason) { return platformInUse->system->openWindow(reason); }
void platformShutdown() { platformInUse->system->shutdown(); }
uint32_t platformTicks() { return platformInUse->system->ticks(); }
uint64_t platformClockNs() { return platformInUse->system->clockNs(); }
void platformSleepUntilNs(uint64_t deadlineNs) { platformInUse->system->sleepUntilNs(deadlineNs); }
void platformSpinPause() { platformInUse->system->spinPause(); }
void platformSwapBuffers() { platformInUse->system->swapBuffers(); }
bool platformPollEvent(PlatformEvent* event) { return platformInUse->system->pollEvent(event); }
bool platformPushEvent(const PlatformEvent& event) { return platformInUse->system->pushEvent(event); }
void platformWaitForKey() { platformInUse->system->waitForKey(); }
int platformJoystickCount() { return platformInUse->system->joystickCount(); }
void runFramesInALoop(void (*frame)()) {
  for (;;) frame();
}
void exitThroughTheLibrary(int status) { std::exit(status); }
void platformRunFrames(void (*frame)()) {
  platformInUse->system->runFrames(frame);
  // A back end whose loop came back has nothing more to show.
  platformQuit(0);
}
void platformPlayerFileWritten() {
  if (platformInUse->system->playerFileWritten) platformInUse->system->playerFileWritten();
}
void platformOpenAllJoysticks() {
  if (platformInUse->system->openAllJoysticks) platformInUse->system->openAllJoysticks();
}
std::string platformJoystickName(int index) {
  return platformInUse->system->joystickName ? platformInUse->system->joystickName(index) : std::string();
}
bool platformSetWindowMode(const WindowMode& mode, std::string* reason) {
  if (platformInUse->system->setWindowMode) return platformInUse->system->setWindowMode(mode, reason);
  if (reason) *reason = "this platform has one window size";
  return false;
}
void platformDesktopSize(int32_t* width, int32_t* height) {
  *width = screenWidth;
  *height = screenHeight;
  if (platformInUse->system->desktopSize) platformInUse->system->desktopSize(width, height);
}

void gfxInitState() { platformInUse->graphics->initState(); }
void platformClearBuffers() { platformInUse->graphics->clearBuffers(); }
uint32_t gfxCreateTexture(const DecodedImage& image, bool rgba) {
  return platformInUse->graphics->createTexture(image, rgba);
}
void gfxDeleteTexture(uint32_t glName) {
  if (glName != 0) platformInUse->graphics->deleteTexture(glName);
}
void gfxDrawTexturedQuad(uint32_t glName, const QuadVertex corners[4], double alpha) {
  platformInUse->graphics->drawTexturedQuad(glName, corners, alpha);
}
void gfxDisableTexturing() { platformInUse->graphics->disableTexturing(); }
void gfxDrawQueuedQuads() { platformInUse->graphics->drawQueuedQuads(); }
std::vector<unsigned char> gfxReadBackBuffer() { return platformInUse->graphics->readBackBuffer(); }
int gfxMaxTextureSide() { return platformInUse->graphics->maxTextureSide(); }

// Loads, frees and plays of nothing are no-ops on every back end.
void audioOpen() { platformInUse->audio->open(); }
void* audioLoadWav(const std::string& path) { return platformInUse->audio->loadWav(path); }
void audioFreeWav(void* chunk) {
  if (chunk) platformInUse->audio->freeWav(chunk);
}
void audioPlayOnFreeChannel(void* chunk) {
  if (chunk) platformInUse->audio->playOnFreeChannel(chunk);
}
void* audioLoadMusic(const std::string& path) { return platformInUse->audio->loadMusic(path); }
void audioFreeMusic(void* music) {
  if (music) platformInUse->audio->freeMusic(music);
}
void audioPlayMusicOnce(void* music) {
  if (music) platformInUse->audio->playMusicOnce(music);
}
void audioFadeOutMusic(int ms) { platformInUse->audio->fadeOutMusic(ms); }
void audioSetMusicVolume(int volume) { platformInUse->audio->setMusicVolume(volume); }
void audioSetMusicPosition(double seconds) { platformInUse->audio->setMusicPosition(seconds); }
void audioSetEffectsVolume(int volume) {
  if (platformInUse->audio->setEffectsVolume) platformInUse->audio->setEffectsVolume(volume);
}

void platformQuit(int status) {
  platformShutdown();
  std::fflush(stdout);
  platformInUse->system->endProcess(status);
  std::exit(status);  // not reached: every back end's end is final
}
