#include "arcade/session_account.h"

#include <cinttypes>
#include <cstdio>
#include <sstream>

#include "net/rollback.h"

std::string checkLine(int32_t ticks, uint64_t digest) {
  char line[64];
  std::snprintf(line, sizeof line, "net tick %d digest %016" PRIx64 "\n", ticks, digest);
  return line;
}

std::string formatSessionAccount(const SessionAccount& account) {
  std::string text = "difficulty " + std::to_string(account.difficulty) + "\nlives " + std::to_string(account.lives) + "\n";
  for (const SessionEscape& e : account.escapes)
    text += "escape " + std::to_string(e.tick) + " " + std::to_string(e.player + 1) + "\n";
  for (size_t k = 0; k < account.checks.size(); ++k)
    text += checkLine(static_cast<int32_t>(k + 1) * kCheckEvery, account.checks[k]);
  return text;
}

bool parseSessionAccount(const std::string& text, SessionAccount* account, std::string* error) {
  *account = SessionAccount{};
  std::istringstream lines(text);
  std::string line;
  int number = 0;
  bool haveDifficulty = false, haveLives = false;
  while (std::getline(lines, line)) {
    ++number;
    int a = 0, b = 0, used = 0;
    uint64_t digest = 0;
    const char* l = line.c_str();
    const size_t length = line.size();
    bool good = false;
    if (std::sscanf(l, "difficulty %d%n", &a, &used) == 1 && static_cast<size_t>(used) == length) {
      account->difficulty = a;
      good = haveDifficulty = true;
    } else if (std::sscanf(l, "lives %d%n", &a, &used) == 1 && static_cast<size_t>(used) == length) {
      account->lives = a;
      good = haveLives = true;
    } else if (std::sscanf(l, "escape %d %d%n", &a, &b, &used) == 2 && static_cast<size_t>(used) == length) {
      const bool inOrder = account->escapes.empty() || account->escapes.back().tick <= a;
      good = a >= 0 && (b == 1 || b == 2) && inOrder && account->checks.empty();
      if (good) account->escapes.push_back({a, b - 1});
    } else if (std::sscanf(l, "net tick %d digest %" SCNx64 "%n", &a, &digest, &used) == 2 &&
               static_cast<size_t>(used) == length) {
      good = static_cast<int64_t>(a) == static_cast<int64_t>(account->checks.size() + 1) * kCheckEvery;
      if (good) account->checks.push_back(digest);
    }
    if (!good) {
      *error = "line " + std::to_string(number) + ": \"" + line + "\" is not part of a session's account";
      return false;
    }
  }
  if (!haveDifficulty || !haveLives) {
    *error = "it does not name the run's difficulty and lives";
    return false;
  }
  return true;
}
