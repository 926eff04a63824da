// Sound slots and the music loop, driven through the null mixer and the null clock.
#include "audio/sound.h"

#include <SDL.h>
#include <SDL_mixer.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <fstream>

#include "platform/null_platform.h"

namespace {

// A short 16-bit WAV (mono unless asked), so the same file also serves the real mixer.
std::string writeWav(const std::string& name, uint16_t channels = 1, uint32_t rate = 22050) {
  const std::string path = ::testing::TempDir() + name;
  const uint32_t samples = 2205, dataBytes = samples * 2;
  std::ofstream out(path, std::ios::binary);
  auto u32 = [&](uint32_t v) { out.write(reinterpret_cast<const char*>(&v), 4); };
  auto u16 = [&](uint16_t v) { out.write(reinterpret_cast<const char*>(&v), 2); };
  out << "RIFF";
  u32(36 + dataBytes);
  out << "WAVEfmt ";
  u32(16);
  u16(1);  // PCM
  u16(channels);
  u32(rate);
  u32(rate * 2 * channels);
  u16(2 * channels);
  u16(16);
  out << "data";
  u32(dataBytes);
  for (uint32_t i = 0; i < samples; ++i) u16(static_cast<uint16_t>((i % 50) * 600));
  return path;
}

std::string writeFile(const std::string& name) {
  const std::string path = ::testing::TempDir() + name;
  std::ofstream(path) << "stream";
  return path;
}

class NullAudioTest : public ::testing::Test {
 protected:
  void SetUp() override {
    useNullPlatform(true);
    // Whatever earlier tests left loaded or set goes, so the counts start from nothing.
    freeAllAudio();
    setMusicLevel(kVolumeLevels);
    setEffectsLevel(kVolumeLevels);
    nullAudio = NullAudio{};
    nullSoundsPlayed = 0;
    nullSoundLog.clear();
    nullSetTicks(0);
  }
};

using SoundSlots = NullAudioTest;

TEST_F(SoundSlots, ReloadingKeepsOneSoundPerSlot) {
  const std::string wav = writeWav("slot.wav");
  for (int stage = 0; stage < 2; ++stage)
    for (int slot = 0; slot < 5; ++slot) loadSound(wav, slot);
  EXPECT_EQ(nullAudio.soundsLoaded, 5);
  for (int slot = 0; slot < 5; ++slot) EXPECT_NE(soundSlots[slot], nullptr);
}

TEST_F(SoundSlots, MissingFileEmptiesTheSlotSilently) {
  loadSound(writeWav("present.wav"), 2);
  loadSound(::testing::TempDir() + "absent.wav", 2);
  EXPECT_EQ(soundSlots[2], nullptr);
  EXPECT_EQ(nullAudio.soundsLoaded, 0) << "the old sound went first";
  playSound(2);
  EXPECT_EQ(nullSoundsPlayed, 0);
}

TEST_F(SoundSlots, OverlappingHitsEachPlay) {
  loadSound(writeWav("hit.wav"), 0);
  playSound(0);
  playSound(0);
  ASSERT_EQ(nullSoundLog.size(), 2u);
  EXPECT_EQ(nullSoundLog[0], soundSlots[0]);
}

TEST_F(SoundSlots, BackslashPathReachesTheFile) {
  std::string path = writeWav("backslash.wav");
  for (char& c : path)
    if (c == '/') c = '\\';
  loadSound(path, 4);
  EXPECT_NE(soundSlots[4], nullptr);
}

struct SlotCase {
  const char* name;
  int slot;
  int plays;
};

class PlaySlot : public NullAudioTest, public ::testing::WithParamInterface<SlotCase> {};

// PLAYGAMESOUND takes any number from a script; only the 21 slots exist.
TEST_P(PlaySlot, PlaysOnlyFilledSlotsInTheTable) {
  const std::string wav = writeWav("any.wav");
  loadSound(wav, 0);
  loadSound(wav, 20);
  loadSound(wav, GetParam().slot);  // past the table: ignored
  playSound(GetParam().slot);
  EXPECT_EQ(nullSoundsPlayed, GetParam().plays);
}

INSTANTIATE_TEST_SUITE_P(Slots, PlaySlot,
                         ::testing::Values(SlotCase{"FirstSlot", 0, 1}, SlotCase{"LastSlot", 20, 1},
                                           SlotCase{"MiddleSlot", 7, 1},
                                           SlotCase{"PastTheTable", 21, 0},
                                           SlotCase{"FarPastTheTable", 5000, 0},
                                           SlotCase{"Negative", -1, 0}),
                         [](const auto& info) { return std::string(info.param.name); });

class MusicLoop : public NullAudioTest {
 protected:
  void SetUp() override {
    NullAudioTest::SetUp();
    musicLoopStart = 32.583;
    musicLoopEnd = 145.072;
    loadMusic(writeFile("tune.ogg"));
    nullSetTicks(kStart);
    startMusic();
  }
  // Runs the per-frame check at an absolute time, as both players' passes do.
  void frameAt(uint32_t ms) {
    nullSetTicks(ms);
    updateMusic();
    updateMusic();
  }
  static constexpr uint32_t kStart = 5000;
};

TEST_F(MusicLoop, StartPlaysOnceFromTheBeginning) {
  EXPECT_EQ(nullAudio.musicStarts, 1);
  EXPECT_EQ(nullAudio.playingMusic, music);
  EXPECT_EQ(musicStartTicks, kStart);
  EXPECT_EQ(musicFirstPass, 1);
}

TEST_F(MusicLoop, FirstJumpAfter145071Milliseconds) {
  frameAt(kStart + 145070);
  EXPECT_EQ(nullAudio.positionSets, 0);
  frameAt(kStart + 145071);
  EXPECT_EQ(nullAudio.positionSets, 1) << "one jump, however many checks in the frame";
  EXPECT_DOUBLE_EQ(nullAudio.lastPosition, 32.583);
  EXPECT_EQ(musicFirstPass, 0);
  EXPECT_EQ(musicStartTicks, kStart + 145071);
}

TEST_F(MusicLoop, LaterJumpsEvery112489Milliseconds) {
  uint32_t jump = kStart + 145071;
  frameAt(jump);
  for (int lap = 0; lap < 3; ++lap) {
    frameAt(jump + 112488);
    EXPECT_EQ(nullAudio.positionSets, 1 + lap) << "lap " << lap;
    jump += 112489;
    frameAt(jump);
    EXPECT_EQ(nullAudio.positionSets, 2 + lap) << "lap " << lap;
    EXPECT_EQ(musicFirstPass, 0);
  }
}

TEST_F(MusicLoop, VolumeIsSetOnEveryCheck) {
  nullAudio.musicVolume = 7;
  frameAt(kStart + 1);
  EXPECT_EQ(nullAudio.musicVolume, 100);
}

TEST_F(MusicLoop, FadeOutReturnsToTheFirstPassRule) {
  frameAt(kStart + 145071);
  fadeOutMusic();
  EXPECT_EQ(nullAudio.fadeOuts, 1);
  EXPECT_EQ(nullAudio.lastFadeMs, 1500);
  EXPECT_EQ(musicFirstPass, 1);
  frameAt(kStart + 145071 + 112489);
  EXPECT_EQ(nullAudio.positionSets, 1) << "the first-pass threshold applies again";
}

TEST_F(MusicLoop, NewMusicReplacesTheOldOnceItStarts) {
  void* old = music;
  loadMusic(writeFile("next.ogg"));
  EXPECT_EQ(nullAudio.playingMusic, old) << "the old stream plays on through the stage load";
  EXPECT_EQ(nullAudio.musicLoaded, 2);
  startMusic();
  EXPECT_EQ(nullAudio.playingMusic, music);
  EXPECT_EQ(nullAudio.musicLoaded, 1);
}

TEST_F(MusicLoop, MusicLoadedTwiceBeforeStartingKeepsOneSpare) {
  loadMusic(writeFile("second.ogg"));
  loadMusic(writeFile("third.ogg"));
  EXPECT_EQ(nullAudio.musicLoaded, 2) << "the playing stream and the newest";
}

TEST_F(MusicLoop, MissingMusicStartsNothing) {
  loadMusic(::testing::TempDir() + "absent.ogg");
  EXPECT_EQ(music, nullptr);
  startMusic();
  EXPECT_EQ(nullAudio.musicStarts, 1);
}

// The real mixer on the silent audio driver: the device opens as the game asks, and a hit
// played while another still sounds takes a channel of its own.
TEST(RealMixer, OverlappingHitsSoundOnSeparateChannels) {
  setenv("SDL_AUDIODRIVER", "dummy", 0);
  ASSERT_EQ(SDL_Init(SDL_INIT_AUDIO), 0) << SDL_GetError();
  useNullPlatform(false);
  audioOpen();
  int frequency = 0, channels = 0;
  Uint16 format = 0;
  ASSERT_EQ(Mix_QuerySpec(&frequency, &format, &channels), 1);
  EXPECT_EQ(frequency, 22050);
  EXPECT_EQ(format, 0x8010);
  EXPECT_EQ(channels, 2);
  EXPECT_EQ(Mix_AllocateChannels(-1), 64);

  loadSound(writeWav("real.wav"), 0);
  ASSERT_NE(soundSlots[0], nullptr);
  playSound(0);
  playSound(0);
  EXPECT_EQ(Mix_Playing(-1), 2);
  loadSound(writeWav("real.wav"), 0);
  EXPECT_EQ(Mix_Playing(-1), 0) << "a reloaded slot stops its old sound first";
  loadSound(::testing::TempDir() + "absent.wav", 0);
  EXPECT_EQ(soundSlots[0], nullptr);

  EXPECT_EQ(audioLoadMusic(::testing::TempDir() + "absent.ogg"), nullptr);

  // The edges of what the checks pass must convert cleanly (the sanitizer build watches the
  // conversion); what they refuse must never reach the mixer, whose conversion overruns.
  struct Edge {
    uint16_t channels;
    uint32_t rate;
    bool loads;
  };
  for (const Edge& e : {Edge{1, 4000, true}, Edge{2, 96000, true}, Edge{2, 4000, true}, Edge{1, 96000, true},
                        Edge{0, 22050, false}, Edge{1, 1, false}, Edge{2, 1000000, false}}) {
    loadSound(writeWav("edge.wav", e.channels, e.rate), 1);
    EXPECT_EQ(soundSlots[1] != nullptr, e.loads) << e.channels << " channels at " << e.rate << " Hz";
    playSound(1);
  }
  loadSound(::testing::TempDir() + "absent.wav", 1);
  Mix_CloseAudio();
  SDL_Quit();
  useNullPlatform(true);
}

}  // namespace
