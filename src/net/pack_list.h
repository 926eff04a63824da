// The content pack as two peers compare it: every file under the content folder with the
// fingerprint of its bytes, one "digest path" line each in path order, and the fingerprint of
// that whole list. Equal lists, equal game data.
#pragma once
#include <cstdint>
#include <string>

struct PackList {
  std::string lines;
  uint64_t digest = 0;
};

// Walks `folder` (the content folder, as the game runs in it); paths are relative to it.
PackList listPack(const std::string& folder);
// The first path whose line differs between the two lists (present in one only, or with
// another fingerprint), in path order; "" when they are the same.
std::string firstDifferentFile(const std::string& ours, const std::string& theirs);
