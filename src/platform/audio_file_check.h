// What the mixer is handed only after these checks: its WAV loader and its music stream
// crash on formats it cannot convert (no channels, a rate of 1 Hz), so a sound or a track
// outside these ranges is treated as a file that does not decode. Shared with the content
// checker, which names the same reasons.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

constexpr int kMinAudioChannels = 1;
constexpr int kMaxAudioChannels = 2;
constexpr long kMinAudioRate = 4000;   // Hz; the mixer's rate conversion doubles or halves
constexpr long kMaxAudioRate = 96000;  // step by step, and its table of steps is short
// A sound is converted whole to the mixer's 22050 Hz 16-bit stereo when it loads; past this
// it would take more memory than every sound of a stage together should.
constexpr uint64_t kMaxConvertedSoundBytes = 64u << 20;

// Each returns "" when the mixer can take the file, otherwise why not, as a phrase that
// follows the file's name ("says 0 channels"). A missing file, or one that is not a regular
// file, has a problem too.
std::string soundFileProblem(const std::string& contentPath);  // a RIFF WAVE of 8 or 16-bit PCM
std::string musicFileProblem(const std::string& contentPath);  // an Ogg Vorbis stream
// The same checks on bytes in memory.
std::string wavBytesProblem(const unsigned char* bytes, size_t size);
std::string vorbisBytesProblem(const unsigned char* bytes, size_t size);
