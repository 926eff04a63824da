// The null back end's controls and recorders, for tests and tools only: the game never
// includes this header. Events come from a queue the caller fills, the clock moves only when
// told (or when a frame wait sleeps or spins on it), drawn quads are recorded and sounds are
// logged.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "platform/platform.h"

// Puts every later platform call on the null back end (true) or the real one (false).
void useNullPlatform(bool on);
bool nullPlatformInUse();

void nullQueueEvent(const PlatformEvent& event);
void nullClearEvents();
void nullAdvanceTicks(uint32_t ms);
void nullSetTicks(uint32_t ms);  // at the start of that millisecond
void nullSetClockNs(uint64_t ns);
// How far one turn of platformSpinPause moves the null clock.
constexpr uint64_t kNullSpinTurnNs = 10000;
// How late the null version wakes from platformSleepUntilNs, as a loaded machine might.
extern uint64_t nullWakeLatencyNs;
// When set, the clock is the machine's own steady clock and a frame wait really waits: for a
// test whose other half runs in real time (the other side of an online session).
extern bool nullRealClock;
extern int nullSpinTurns;  // turns of platformSpinPause so far; tests reset it
extern int nullJoystickCount;  // what platformJoystickCount reports; 0 unless set
// What platformJoystickName reports for each index ("" past the end); empty unless set.
extern std::vector<std::string> nullJoystickNames;
extern int nullJoysticksOpenedAll;  // calls of platformOpenAllJoysticks
extern int nullPlayerFilesWritten;  // calls of platformPlayerFileWritten
// The last mode platformSetWindowMode was given (it always succeeds), and the desktop's size.
extern WindowMode nullWindowMode;
extern int32_t nullDesktopWidth, nullDesktopHeight;

// What the null version recorded, oldest first; tests clear it.
struct RecordedQuad {
  uint32_t glName;
  QuadVertex corners[4];
  double alpha;
};
extern std::vector<RecordedQuad> nullQuads;
// The null version also keeps the last image handed to gfxCreateTexture and the names deleted.
extern DecodedImage nullLastUpload;
extern std::vector<uint32_t> nullDeletedTextures;
// Null-version counters for tests. A null load succeeds when the file opens.
extern int nullSoundsPlayed;
extern std::vector<void*> nullSoundLog;
struct NullAudio {
  int soundsLoaded = 0;  // loaded and not yet freed
  int musicLoaded = 0;   // loaded and not yet freed
  int musicStarts = 0;
  void* playingMusic = nullptr;
  int fadeOuts = 0;
  int lastFadeMs = 0;
  int musicVolume = -1;  // -1 until set
  int effectsVolume = -1;  // -1 until set
  int positionSets = 0;
  double lastPosition = 0;
};
extern NullAudio nullAudio;
