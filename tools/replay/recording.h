// A recording: which stage ran on which content with which seed, and the players' controls
// tick by tick. Its text form is what brawler-replay writes and reads.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "platform/atomic_file.h"  // recordings are written whole
#include "tick_input.h"

constexpr int kRecordingFormatVersion = 1;

struct ContentFingerprint {
  std::string path;    // as the game opened it, relative to the content folder
  std::string digest;  // fileDigest() of it when recorded
};

struct Recording {
  std::string world;
  std::string stage;
  uint32_t seed = 0;
  std::vector<ContentFingerprint> content;
  std::vector<TickInput> ticks;
};

// The text form:
//   brawler-replay 1
//   world world1
//   stage stage3
//   seed 1733627400
//   content 5d1f0c2a9b3e4d71 stage/world1/stage3.lev     (one per file the run opened)
//   ticks 5400
//   12 r -        (a run: this many ticks with player 1's and player 2's controls alike)
//   ...
//   end
std::string formatRecording(const Recording& recording);
// False on anything but that form, with one line in *error naming the line at fault.
bool parseRecording(const std::string& text, Recording* recording, std::string* error);

// FNV-1a, 64 bits: a fingerprint, not a guard against tampering.
uint64_t fnv1a(const void* bytes, size_t count, uint64_t hash);
constexpr uint64_t kFnvStart = 14695981039346656037ull;
std::string hex64(uint64_t value);
// The digest of a file's bytes as 16 hex digits, or "missing" when it cannot be read.
std::string fileDigest(const std::string& path);
// The whole of a file; false when it cannot be read. (Not the game's reader: that one notes
// every path it opens as content.)
bool readWholeFile(const std::string& path, std::string* text);
// The first recorded content file whose digest under `folder` differs now; "" when none does.
std::string firstChangedContent(const Recording& recording, const std::string& folder);

