// Ogg Vorbis encoding of a rendered stereo track.
#pragma once

#include <string>
#include <vector>

// Interleaved stereo samples in -1..1 at `rate`, encoded at a modest quality (0.0 to 1.0).
void writeOggVorbis(const std::string& path, const std::vector<float>& interleaved, int rate, float quality);
