// A recording: which stage ran on which content with which seed, and the players' controls
// tick by tick. Its text form is what brawler-replay writes and reads.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "base/fingerprint.h"
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

// The whole of a file; false when it cannot be read. (Not the game's reader: that one notes
// every path it opens as content.)
bool readWholeFile(const std::string& path, std::string* text);
// The first recorded content file whose digest under `folder` differs now; "" when none does.
std::string firstChangedContent(const Recording& recording, const std::string& folder);

// Writes beside the target under a temporary name and renames it over the target, so that
// the target is either the old file or the whole new one. False with the reason in *error.
bool writeFileAtomically(const std::string& path, const std::string& text, std::string* error);
// Whether writeFileAtomically could write there now (it creates and removes its temporary
// file): asked before a fight is recorded rather than after it.
bool canWriteAtomically(const std::string& path, std::string* error);
