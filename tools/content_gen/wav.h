// 16-bit PCM WAV files.
#pragma once

#include <string>
#include <vector>

const int kSampleRate = 22050;

// Writes mono samples in -1..1 (clipped) as a 16-bit WAV at kSampleRate.
void writeWav(const std::string& path, const std::vector<float>& samples);
