#include "audio/sound.h"
void* soundSlots[kSoundSlots];
void* music = nullptr;
double musicLoopStart = 0;
double musicLoopEnd = 0;
double musicStartTicks = 0;
int musicFirstPass = 0;
void loadSound(const std::string&, int) {}
void playSound(int) {}
void loadMusic(const std::string&) {}
void startMusic() {}
void fadeOutMusic() {}
void updateMusic() {}
