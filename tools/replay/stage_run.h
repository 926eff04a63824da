// A recorded stage run headless: started as the game starts it, ticked with given controls,
// fingerprinted. Shared by the replay commands and by online play without a window.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

#include "sim/recording.h"
#include "sim/tick_input.h"

// The house rules the recording was made under: the design's, or the arcade's.
void useRecordedRules(const Recording& recording);
// Start-up and stage start as the game takes them, on the recording's stage and seed.
void startRecordedStage(uint32_t seed, const std::string& world, const std::string& stage);
// One tick with these controls in place of the shell's, nothing drawn.
void headlessTick(const TickInput& input);
// One tick as the game shows it: the window's own events are still taken (so Escape ends the
// showing), the players' controls are the recording's, and the frame is drawn and shown.
void showRecordedTick(const TickInput& input);
// The world's fingerprint, then a few plain figures that say where a changed fight went its
// own way: "LABEL TICK DIGEST fighters ... camera X,Y".
void printDigest(const char* label, size_t tick);
// Puts in the recording a fingerprint of every content file this run has opened, in the order
// it opened them.
void fingerprintContentUsed(Recording* recording);
