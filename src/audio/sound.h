// Sound effect slots and the looping stage music.
#pragma once
#include <string>

constexpr int kSoundSlots = 21;  // slots 0..20
extern void* soundSlots[kSoundSlots];

extern void* music;
extern double musicLoopStart;   // seconds
extern double musicLoopEnd;     // seconds
extern double musicStartTicks;  // ms
extern int musicFirstPass;

// A player's volumes, 0 (silent) to 10 (the game's own level, where both start).
constexpr int kVolumeLevels = 10;
extern int musicLevel;
extern int effectsLevel;
// Sets a level and makes it heard at once, even on music already playing.
void setMusicLevel(int level);
void setEffectsLevel(int level);

void loadSound(const std::string& path, int slot);
void playSound(int slot);  // a slot outside 0..20 plays nothing
void loadMusic(const std::string& path);
void startMusic();
void fadeOutMusic();
// Keeps the stage music on its loop; the loop calls it once a frame in which a tick ran.
void updateMusic();
// Plays the sounds the last tick asked for, in its order, and empties the queue.
void playRequestedSounds();
// Frees every sound slot and every music stream, playing or kept; nothing is loaded after it.
void freeAllAudio();
