// Playing a recording: what the replay tool and the browser page share. The stage is started
// as the game starts it, on the recording's seed, and each tick gets the recorded controls in
// place of the players'.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

#include "recording.h"

// Reads FILE and checks it against the content folder (the working directory); on refusal,
// one line saying why.
bool loadRecording(const std::string& path, Recording* r, std::string* message);
// Start-up and stage start as the game takes them, on the recording's stage and seed.
void startRecordedStage(uint32_t seed, const std::string& world, const std::string& stage);
// One tick as the game shows it: the window's own events are still taken (so Escape works),
// the players' controls are the recording's, and the frame is drawn and shown.
void showRecordedTick(const TickInput& input);
// One tick with nothing shown, on the null back end: the scene is drawn all the same, since
// drawing sizes the sprites and the animation pass reads those sizes; what the null back end
// keeps of the drawing is let go every tick.
void headlessTick(const TickInput& input);
// The fingerprint line, then a few plain figures that say where a changed fight went its own way:
// "LABEL TICK DIGEST fighters ... camera X,Y".
void printDigest(const char* label, size_t tick);
