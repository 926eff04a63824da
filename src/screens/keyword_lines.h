// The screens' own data files: every line whose field 1 names a keyword goes to its handler.
#pragma once
#include <array>
#include <cstddef>
#include <string>

#include "content/text_file.h"

template <typename State>
struct KeywordHandler {
  const char* keyword;
  void (*handler)(State& state, const std::string& line);
};

// Scans the whole list: lines past the file's end are empty and match nothing.
template <typename State, std::size_t Lines, std::size_t Keywords>
void runKeywordLines(const std::array<std::string, Lines>& lines,
                     const KeywordHandler<State> (&table)[Keywords], State& state) {
  for (const std::string& line : lines) {
    std::string keyword = getField(line, 1);
    for (const KeywordHandler<State>& k : table)
      if (keyword == k.keyword) k.handler(state, line);
  }
}
