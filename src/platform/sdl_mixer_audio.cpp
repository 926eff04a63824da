// Every SDL_mixer call of the game: the real back end's audio half.
#include <SDL.h>
#include <SDL_mixer.h>

#include "platform/audio_file_check.h"
#include "platform/platform_backend.h"

namespace {

constexpr int kMixFrequency = 22050;
constexpr Uint16 kMixFormat = 0x8010;  // signed 16-bit little-endian
constexpr int kMixStereo = 2;
constexpr int kMixChunkSamples = 2000;
constexpr int kMixChannels = 64;
constexpr int kFirstFreeChannel = -1;
constexpr int kPlayOnce = 0;

void open() {
  Mix_OpenAudio(kMixFrequency, kMixFormat, kMixStereo, kMixChunkSamples);
  Mix_AllocateChannels(kMixChannels);
}

void* loadWav(const std::string& path) {
  // The mixer converts a sound as it loads it and crashes on formats it cannot convert.
  if (!soundFileProblem(path).empty()) return nullptr;
  SDL_RWops* file = SDL_RWFromFile(path.c_str(), "rb");
  if (!file) return nullptr;
  return Mix_LoadWAV_RW(file, 1);
}

void freeWav(void* chunk) {
  Mix_FreeChunk(static_cast<Mix_Chunk*>(chunk));
}

void playOnFreeChannel(void* chunk) {
  Mix_PlayChannel(kFirstFreeChannel, static_cast<Mix_Chunk*>(chunk), kPlayOnce);
}

void* loadMusic(const std::string& path) {
  // The stream is converted on the audio thread, where a bad format would crash the game.
  if (!musicFileProblem(path).empty()) return nullptr;
  return Mix_LoadMUS(path.c_str());
}

void freeMusic(void* music) {
  Mix_FreeMusic(static_cast<Mix_Music*>(music));
}

void playMusicOnce(void* music) {
  Mix_PlayMusic(static_cast<Mix_Music*>(music), kPlayOnce);
}

void fadeOutMusic(int ms) {
  Mix_FadeOutMusic(ms);
}

void setMusicVolume(int volume) {
  Mix_VolumeMusic(volume);
}

void setMusicPosition(double seconds) {
  Mix_SetMusicPosition(seconds);
}

constexpr int kEveryChannel = -1;

void setEffectsVolume(int volume) {
  Mix_Volume(kEveryChannel, volume);
}

}  // namespace

const AudioBackend sdlMixerAudio{open,          loadWav,       freeWav,      playOnFreeChannel,
                                 loadMusic,     freeMusic,     playMusicOnce, fadeOutMusic,
                                 setMusicVolume, setMusicPosition, setEffectsVolume};
