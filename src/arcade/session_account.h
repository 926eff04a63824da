// What one side of an online arcade session writes beside the agreed controls when the two
// sides part: what a replay needs beyond the controls (the run's choices, and the ticks where
// a player pressed Escape, which a recording of the actions cannot hold) and the side's own
// fingerprint at every check, so that a replay can say where this side went its own way.
//
//   difficulty 1
//   lives 3
//   escape 412 2            (tick, player 1 or 2; one line per press)
//   net tick 60 digest 0123456789abcdef
//   net tick 120 digest ...
#pragma once
#include <cstdint>
#include <string>
#include <vector>

struct SessionEscape {
  int32_t tick;
  int32_t player;  // 0 or 1
};

struct SessionAccount {
  int32_t difficulty = 0;
  int32_t lives = 0;
  std::vector<SessionEscape> escapes;  // in tick order
  std::vector<uint64_t> checks;        // after tick 60, 120, ... in order
};

std::string checkLine(int32_t ticks, uint64_t digest);
std::string formatSessionAccount(const SessionAccount& account);
// False, with the line at fault in *error, on anything but that form.
bool parseSessionAccount(const std::string& text, SessionAccount* account, std::string* error);
