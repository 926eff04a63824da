// Every SDL_mixer call of the game. The null version keeps a log for tests instead of sound.
#include <SDL.h>
#include <SDL_mixer.h>

#include <cstdio>

#include "audio/audio_file_check.h"
#include "shell/platform.h"

int nullSoundsPlayed = 0;
std::vector<void*> nullSoundLog;
NullAudio nullAudio;

namespace {

constexpr int kMixFrequency = 22050;
constexpr Uint16 kMixFormat = 0x8010;  // signed 16-bit little-endian
constexpr int kMixStereo = 2;
constexpr int kMixChunkSamples = 2000;
constexpr int kMixChannels = 64;
constexpr int kFirstFreeChannel = -1;
constexpr int kPlayOnce = 0;

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

void* nullLoad(const std::string& path, int* live) {
  if (!fileOpens(path)) return nullptr;
  ++*live;
  return new NullAudioHandle{path};
}

}  // namespace

void audioOpen() {
  if (platformHeadless) return;
  Mix_OpenAudio(kMixFrequency, kMixFormat, kMixStereo, kMixChunkSamples);
  Mix_AllocateChannels(kMixChannels);
}

void* audioLoadWav(const std::string& path) {
  if (platformHeadless) return nullLoad(path, &nullAudio.soundsLoaded);
  // The mixer converts a sound as it loads it and crashes on formats it cannot convert.
  if (!soundFileProblem(path).empty()) return nullptr;
  SDL_RWops* file = SDL_RWFromFile(path.c_str(), "rb");
  if (!file) return nullptr;
  return Mix_LoadWAV_RW(file, 1);
}

void audioFreeWav(void* chunk) {
  if (!chunk) return;
  if (platformHeadless) {
    --nullAudio.soundsLoaded;
    delete static_cast<NullAudioHandle*>(chunk);
    return;
  }
  Mix_FreeChunk(static_cast<Mix_Chunk*>(chunk));
}

void audioPlayOnFreeChannel(void* chunk) {
  if (!chunk) return;
  if (platformHeadless) {
    ++nullSoundsPlayed;
    nullSoundLog.push_back(chunk);
    return;
  }
  Mix_PlayChannel(kFirstFreeChannel, static_cast<Mix_Chunk*>(chunk), kPlayOnce);
}

void* audioLoadMusic(const std::string& path) {
  if (platformHeadless) return nullLoad(path, &nullAudio.musicLoaded);
  // The stream is converted on the audio thread, where a bad format would crash the game.
  if (!musicFileProblem(path).empty()) return nullptr;
  return Mix_LoadMUS(path.c_str());
}

void audioFreeMusic(void* music) {
  if (!music) return;
  if (platformHeadless) {
    --nullAudio.musicLoaded;
    if (nullAudio.playingMusic == music) nullAudio.playingMusic = nullptr;
    delete static_cast<NullAudioHandle*>(music);
    return;
  }
  Mix_FreeMusic(static_cast<Mix_Music*>(music));
}

void audioPlayMusicOnce(void* music) {
  if (!music) return;
  if (platformHeadless) {
    ++nullAudio.musicStarts;
    nullAudio.playingMusic = music;
    return;
  }
  Mix_PlayMusic(static_cast<Mix_Music*>(music), kPlayOnce);
}

void audioFadeOutMusic(int ms) {
  if (platformHeadless) {
    ++nullAudio.fadeOuts;
    nullAudio.lastFadeMs = ms;
    return;
  }
  Mix_FadeOutMusic(ms);
}

void audioSetMusicVolume(int volume) {
  if (platformHeadless) {
    nullAudio.musicVolume = volume;
    return;
  }
  Mix_VolumeMusic(volume);
}

void audioSetMusicPosition(double seconds) {
  if (platformHeadless) {
    ++nullAudio.positionSets;
    nullAudio.lastPosition = seconds;
    return;
  }
  Mix_SetMusicPosition(seconds);
}
