// Levels of the pack's sounds: one place that says how loud everything is and how close to
// full scale it may come, for the effects, the music and the test that checks them.
#pragma once

#include <cstddef>
#include <vector>

// No sample comes closer to full scale than this, so nothing clips on its way to the mixer.
const double kPeakCeilingDb = -1.0;
// The music is encoded lossily, and the decoder's output overshoots the input's peaks a little:
// it is mastered with this much more room.
const double kMusicMasterCeilingDb = -3.0;
// Average level of a whole track's loop, and of each effect over its whole length. The game
// plays the music at 100/128 of the mixer's volume (about -2 dB, so -22 dBFS as heard): a light
// hit sits about 1 dB above that and a knock-down about 3 dB, heard over the music without
// leaping out of it; swings and jumps sit just under it, as they come with nearly every move.
const double kMusicRmsDb = -20.0;
const double kLightHitRmsDb = -21.0;
const double kHeavyHitRmsDb = -19.0;
const double kSwingRmsDb = -24.0;
const double kThudRmsDb = -21.0;
const double kWhooshRmsDb = -25.0;

double decibels(double amplitude);
double amplitudeOf(double db);

// Over every `stride`-th sample from `first` (one channel of interleaved audio).
struct Levels {
  double peak = 0, rms = 0, mean = 0;
};
Levels measure(const std::vector<float>& samples, size_t first = 0, size_t stride = 1, size_t from = 0,
               size_t to = static_cast<size_t>(-1));

// A gentle high-pass (about 10 Hz) that takes any standing offset out of one channel.
void removeDc(std::vector<float>& samples, size_t first = 0, size_t stride = 1);

// The gain that brings `rms` to targetRmsDb without lifting `peak` over ceilingDb.
double fittingGain(const Levels& levels, double targetRmsDb, double ceilingDb);
