// Temporary null-only system and image seam until the real platform code lands.
#include "shell/platform.h"

int platformHeadless = 1;

namespace {
std::vector<PlatformEvent> queued;
uint32_t ticks = 0;
}

bool platformOpenWindow(std::string* reason) { if (reason) *reason = "no platform yet"; return false; }
void platformShutdown() {}
uint32_t platformTicks() { return ticks; }
void platformSleep(uint32_t ms) { ticks += ms; }
void platformSwapBuffers() {}
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
