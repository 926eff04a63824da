// Temporary null-only seam so that the library links while the real platform code is written.
#include "shell/platform.h"

int platformHeadless = 1;
std::vector<RecordedQuad> nullQuads;
int nullSoundsPlayed = 0;
std::vector<void*> nullSoundLog;

namespace {
std::vector<PlatformEvent> queued;
uint32_t ticks = 0;
uint32_t nextName = 1;
}

bool platformOpenWindow(std::string* reason) { if (reason) *reason = "no platform yet"; return false; }
void platformShutdown() {}
uint32_t platformTicks() { return ticks; }
void platformSleep(uint32_t ms) { ticks += ms; }
void platformSwapBuffers() {}
void platformClearBuffers() {}
bool platformPollEvent(PlatformEvent* event) {
  if (queued.empty()) return false;
  *event = queued.front();
  queued.erase(queued.begin());
  return true;
}
void platformWaitForKey() {}
void nullQueueEvent(const PlatformEvent& event) { queued.push_back(event); }
void nullAdvanceTicks(uint32_t ms) { ticks += ms; }
void nullSetTicks(uint32_t ms) { ticks = ms; }
bool platformDecodeImage(const std::string&, DecodedImage*) { return false; }
uint32_t gfxCreateTexture(const DecodedImage&, bool) { return nextName++; }
void gfxDrawTexturedQuad(uint32_t glName, const QuadVertex corners[4], double alpha) {
  RecordedQuad q{glName, {corners[0], corners[1], corners[2], corners[3]}, alpha};
  nullQuads.push_back(q);
}
void gfxDisableTexturing() {}
void audioOpen() {}
void* audioLoadWav(const std::string&) { return nullptr; }
void audioFreeWav(void*) {}
void audioPlayOnFreeChannel(void* chunk) { ++nullSoundsPlayed; nullSoundLog.push_back(chunk); }
void* audioLoadMusic(const std::string&) { return nullptr; }
void audioPlayMusicOnce(void*) {}
void audioFadeOutMusic(int) {}
void audioSetMusicVolume(int) {}
void audioSetMusicPosition(double) {}
void gfxInitState() {}
std::vector<unsigned char> gfxReadBackBuffer() { return {}; }
