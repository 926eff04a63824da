#include "audio/sound.h"

#include "platform/host_path.h"
#include "platform/platform.h"
#include "sim/sound_requests.h"

void* soundSlots[kSoundSlots];

void* music = nullptr;
double musicLoopStart = 0;
double musicLoopEnd = 0;
double musicStartTicks = 0;
int musicFirstPass = 0;
int musicLevel = kVolumeLevels;
int effectsLevel = kVolumeLevels;

namespace {

constexpr int kMusicVolume = 100;  // of the mixer's 128
constexpr int kMixerFullVolume = 128;
constexpr int kMusicFadeMs = 1500;
constexpr double kMsPerSecond = 1000.0;

// The stream that was current when new music was loaded. It may still be playing (or fading
// out after the overworld chose a stage); it is freed once the new stream has taken over, so
// the change of stage neither waits for a fade nor keeps old streams open.
void* retiredMusic = nullptr;
void* playingMusic = nullptr;

int musicVolume() { return kMusicVolume * musicLevel / kVolumeLevels; }
int clampLevel(int level) { return level < 0 ? 0 : level > kVolumeLevels ? kVolumeLevels : level; }

bool validSlot(int slot) { return slot >= 0 && slot < kSoundSlots; }

void jumpToLoopStart(double now) {
  audioSetMusicPosition(musicLoopStart);
  musicStartTicks = now;
}

}  // namespace

void setMusicLevel(int level) {
  musicLevel = clampLevel(level);
  audioSetMusicVolume(musicVolume());
}

void setEffectsLevel(int level) {
  effectsLevel = clampLevel(level);
  audioSetEffectsVolume(kMixerFullVolume * effectsLevel / kVolumeLevels);
}

void loadSound(const std::string& path, int slot) {
  if (!validSlot(slot)) return;
  audioFreeWav(soundSlots[slot]);
  soundSlots[slot] = audioLoadWav(hostPath(path));
}

void playSound(int slot) {
  if (!validSlot(slot) || !soundSlots[slot]) return;
  audioPlayOnFreeChannel(soundSlots[slot]);
}

void loadMusic(const std::string& path) {
  if (music && music == playingMusic) {
    audioFreeMusic(retiredMusic);
    retiredMusic = music;
  } else {
    audioFreeMusic(music);  // loaded but never started: nothing to hand over
  }
  music = audioLoadMusic(hostPath(path));
}

void startMusic() {
  if (music) {
    audioPlayMusicOnce(music);
    playingMusic = music;
    audioFreeMusic(retiredMusic);
    retiredMusic = nullptr;
  }
  musicStartTicks = platformTicks();
  musicFirstPass = 1;
}

void fadeOutMusic() {
  audioFadeOutMusic(kMusicFadeMs);
  musicFirstPass = 1;
}

void updateMusic() {
  audioSetMusicVolume(musicVolume());
  const double now = platformTicks();
  if (musicFirstPass == 1 &&
      now - musicStartTicks >= kMsPerSecond * musicLoopEnd - 1) {
    jumpToLoopStart(now);
    musicFirstPass = 0;
  }
  if (musicFirstPass == 0 &&
      now - musicStartTicks > kMsPerSecond * musicLoopEnd - kMsPerSecond * musicLoopStart - 1) {
    jumpToLoopStart(now);
  }
}

void playRequestedSounds() {
  for (int32_t slot : requestedSounds()) playSound(slot);
  clearSoundRequests();
}

void freeAllAudio() {
  for (void*& slot : soundSlots) {
    audioFreeWav(slot);
    slot = nullptr;
  }
  // The playing stream is always the current one or the retired one: each is freed once.
  audioFreeMusic(retiredMusic);
  audioFreeMusic(music);
  music = retiredMusic = playingMusic = nullptr;
}
