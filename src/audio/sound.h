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

void loadSound(const std::string& path, int slot);
void playSound(int slot);  // a slot outside 0..20 plays nothing
void loadMusic(const std::string& path);
void startMusic();
void fadeOutMusic();
void updateMusic();
