// A recording: which stage ran on which content with which seed, and the players' controls
// tick by tick. Its text form is what the replay tool writes and the arcade's attract mode
// plays.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "sim/tick_input.h"

constexpr int kRecordingFormatVersion = 1;

struct ContentFingerprint {
  std::string path;    // as the game opened it, relative to the content folder
  std::string digest;  // fileDigest() of it when recorded
};

struct Recording {
  std::string world;
  std::string stage;
  uint32_t seed = 0;
  // "" for the design's rules, "arcade" for the arcade's house rules on its stages (the genre's
  // moves among them): the line "rules arcade" after the seed, left out for the design's.
  std::string rules;
  std::vector<ContentFingerprint> content;
  std::vector<TickInput> ticks;
};

// The text form:
//   brawler-replay 1
//   world world1
//   stage stage3
//   seed 1733627400
//   rules arcade                                         (only for a fight under the arcade's rules)
//   content 5d1f0c2a9b3e4d71 stage/world1/stage3.lev     (one per file the run opened)
//   ticks 5400
//   12 r -        (a run: this many ticks with player 1's and player 2's controls alike)
//   ...
//   end
std::string formatRecording(const Recording& recording);
// False on anything but that form, with one line in *error naming the line at fault.
bool parseRecording(const std::string& text, Recording* recording, std::string* error);

// The first recorded content file whose digest under `folder` differs now; "" when none does.
std::string firstChangedContent(const Recording& recording, const std::string& folder);
// Reads the recording at `path` and checks it against the content folder it is to be played
// on. False on a file that cannot be read, a malformed one or one recorded on other content,
// with one line in *message naming the file (and the line or the content file at fault).
bool loadRecording(const std::string& path, const std::string& folder, Recording* recording,
                   std::string* message);
