// The browser's back end, audio half: sound effects and the one music track through the page's
// Web Audio context. Files are read from the packed content as the desktop reads its folder and
// decoded by the browser, which takes a moment: a sound asked for before its decoding is done is
// skipped, and music started before then begins where the game's clock says it should be by
// the time it is ready. Built instead of sdl_mixer_audio.cpp for the web.
#include <emscripten.h>

#include "platform/platform_backend.h"

// clang-format off
EM_JS(void, webAudioOpen, (int channels), {
  const Context = window.AudioContext || window.webkitAudioContext;
  if (!Context) return;
  const context = new Context();
  // Browsers hold sound back until the player has touched the page.
  const wake = () => { if (context.state === 'suspended') context.resume(); };
  document.addEventListener('keydown', wake);
  document.addEventListener('pointerdown', wake);
  const volume = context.createGain();
  volume.connect(context.destination);
  const effects = context.createGain();
  effects.connect(context.destination);
  Module.brawlerAudio = {context, volume, effects, channels, playing: 0, next: 1, clips: {}, music: null};
});

// A handle above 0 for a file that could be read, 0 for one that could not.
EM_JS(int, webAudioLoad, (const char* path), {
  const audio = Module.brawlerAudio;
  if (!audio) return 0;
  let bytes;
  try {
    bytes = FS.readFile(UTF8ToString(path));
  } catch (e) {
    return 0;
  }
  const handle = audio.next++;
  const clip = {buffer: null, whenReady: null};
  audio.clips[handle] = clip;
  audio.context.decodeAudioData(bytes.buffer.slice(bytes.byteOffset, bytes.byteOffset + bytes.byteLength))
      .then((buffer) => {
        clip.buffer = buffer;
        if (clip.whenReady) clip.whenReady();
      })
      .catch(() => {});
  return handle;
});

EM_JS(void, webAudioFree, (int handle), {
  const audio = Module.brawlerAudio;
  if (!audio) return;
  if (audio.music && audio.music.handle === handle) Module.brawlerStopMusic();
  delete audio.clips[handle];
});

EM_JS(void, webAudioPlaySound, (int handle), {
  const audio = Module.brawlerAudio;
  const clip = audio && audio.clips[handle];
  if (!clip || !clip.buffer || audio.playing >= audio.channels) return;
  const source = audio.context.createBufferSource();
  source.buffer = clip.buffer;
  source.connect(audio.effects);
  audio.playing++;
  source.onended = () => audio.playing--;
  source.start();
});

// The music's own chain: its source, then its fade, then the volume the game sets.
EM_JS(void, webAudioPlayMusic, (int handle, double offsetSeconds), {
  const audio = Module.brawlerAudio;
  const clip = audio && audio.clips[handle];
  if (!clip) return;
  if (!Module.brawlerStopMusic) {
    Module.brawlerStopMusic = () => {
      const music = Module.brawlerAudio.music;
      if (!music) return;
      if (music.source) music.source.stop();
      Module.brawlerAudio.music = null;
    };
  }
  Module.brawlerStopMusic();
  const fade = audio.context.createGain();
  fade.connect(audio.volume);
  const music = {handle, fade, source: null, askedAt: performance.now(), offset: offsetSeconds};
  audio.music = music;
  const start = () => {
    if (audio.music !== music) return;
    const late = (performance.now() - music.askedAt) / 1000;
    const source = audio.context.createBufferSource();
    source.buffer = clip.buffer;
    source.connect(fade);
    source.onended = () => { if (audio.music === music && music.source === source) audio.music = null; };
    music.source = source;
    source.start(0, music.offset + late);
  };
  if (clip.buffer)
    start();
  else
    clip.whenReady = start;
});

EM_JS(void, webAudioFadeOutMusic, (int ms), {
  const audio = Module.brawlerAudio;
  const music = audio && audio.music;
  if (!music) return;
  const now = audio.context.currentTime;
  music.fade.gain.setValueAtTime(music.fade.gain.value, now);
  music.fade.gain.linearRampToValueAtTime(0, now + ms / 1000);
  if (music.source)
    music.source.stop(now + ms / 1000);
  else
    audio.music = null;
});

EM_JS(void, webAudioSetMusicVolume, (double share), {
  const audio = Module.brawlerAudio;
  if (audio) audio.volume.gain.value = share;
});

EM_JS(void, webAudioSetEffectsVolume, (double share), {
  const audio = Module.brawlerAudio;
  if (audio) audio.effects.gain.value = share;
});

EM_JS(int, webAudioPlayingMusic, (), {
  const audio = Module.brawlerAudio;
  return audio && audio.music ? audio.music.handle : 0;
});
// clang-format on

namespace {

constexpr int kChannels = 64;  // sounds at once, as the desktop's mixer channels
constexpr double kMixerFullVolume = 128.0;

int handleOf(void* clip) { return static_cast<int>(reinterpret_cast<intptr_t>(clip)); }
void* clipOf(int handle) { return reinterpret_cast<void*>(static_cast<intptr_t>(handle)); }

void open() { webAudioOpen(kChannels); }
void* loadClip(const std::string& path) { return clipOf(webAudioLoad(path.c_str())); }
void freeClip(void* clip) { webAudioFree(handleOf(clip)); }
void playOnFreeChannel(void* chunk) { webAudioPlaySound(handleOf(chunk)); }
void playMusicOnce(void* music) { webAudioPlayMusic(handleOf(music), 0.0); }
void fadeOutMusic(int ms) { webAudioFadeOutMusic(ms); }
void setMusicVolume(int volume) { webAudioSetMusicVolume(volume / kMixerFullVolume); }
void setEffectsVolume(int volume) { webAudioSetEffectsVolume(volume / kMixerFullVolume); }

// The music's loop: the same track started again at the loop point.
void setMusicPosition(double seconds) {
  const int playing = webAudioPlayingMusic();
  if (playing != 0) webAudioPlayMusic(playing, seconds);
}

}  // namespace

const AudioBackend webAudio{open,          loadClip,       freeClip,       playOnFreeChannel,
                            loadClip,      freeClip,       playMusicOnce,  fadeOutMusic,
                            setMusicVolume, setMusicPosition, setEffectsVolume};
