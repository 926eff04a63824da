// Checks every content text format shares: the list capacity, the field table of the splitter,
// keywords in the wrong case or slightly misspelt, and fields not separated by single spaces.
#pragma once
#include <string>
#include <vector>

#include "content_files.h"

struct TextFormat {
  const char* name;                   // "script", "stage file", ... for messages
  std::vector<std::string> keywords;  // field-1 keywords the game acts on
  int lineCapacity;                   // entries of the list the game reads the file into
};

void checkLineShapes(const std::string& path, const TextFile& file, const TextFormat& format);

// The keywords of one of the game's own statement tables, in its order.
template <typename Row>
std::vector<std::string> keywordsOf(const Row* rows, int count) {
  std::vector<std::string> words;
  for (int i = 0; i < count; ++i) words.push_back(rows[i].keyword);
  return words;
}

// Optimal-alignment edit distance (a swap of neighbours counts as one edit).
int editDistance(const std::string& a, const std::string& b);
