// The high-score table: its order, its file, and what a damaged file still gives.
#include "arcade/high_scores.h"

#include <sstream>

#include "base/whole_file.h"
#include "platform/platform.h"

HighScoreTable highScores;

namespace {

constexpr const char* kHeader =
    "# brawler-arcade high scores: score initials stage fighter continued|first easy|normal|hard";
constexpr const char* kContinued = "continued";
constexpr const char* kFirstCredit = "first";
constexpr int kMostScoreDigits = 9;  // whole numbers below a billion: no counter overflows

bool isInitials(const std::string& text) {
  if (text.size() != kInitialsLength) return false;
  for (char c : text)
    if (c < 'A' || c > 'Z') return false;
  return true;
}

bool parseScore(const std::string& text, int32_t* score) {
  if (text.empty() || text.size() > kMostScoreDigits) return false;
  int32_t value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
    value = value * 10 + (c - '0');
  }
  *score = value;
  return true;
}

// One run from a line; what is wrong with it otherwise.
bool parseRun(const std::string& line, HighScore* run, std::string* fault) {
  std::istringstream fields(line);
  std::string score, continued, difficulty, extra;
  fields >> score >> run->initials >> run->stage >> run->fighter >> continued >> difficulty;
  // Files from before the choice have no difficulty: their runs were all played on normal.
  const int32_t played = difficulty.empty() ? kDifficultyNormal : difficultyNamed(difficulty);
  if (!parseScore(score, &run->score)) *fault = "the score \"" + score + "\" is not a whole number";
  else if (!isInitials(run->initials)) *fault = "the initials \"" + run->initials + "\" are not three capitals";
  else if (run->fighter.empty()) *fault = "expected SCORE INITIALS STAGE FIGHTER continued|first";
  else if (continued != kContinued && continued != kFirstCredit) *fault = "expected \"continued\" or \"first\" last";
  else if (played < 0) *fault = "the difficulty \"" + difficulty + "\" is none of easy, normal, hard";
  else if (fields >> extra) *fault = "text after \"" + difficulty + "\"";
  else {
    run->continued = continued == kContinued ? 1 : 0;
    run->difficulty = played;
    return true;
  }
  return false;
}

}  // namespace

std::string formatHighScores(const HighScoreTable& table) {
  std::string text = std::string(kHeader) + "\n";
  for (int i = 0; i < table.count; ++i) {
    const HighScore& r = table.runs[i];
    text += std::to_string(r.score) + " " + r.initials + " " + r.stage + " " + r.fighter + " " +
            (r.continued ? kContinued : kFirstCredit) + " " + difficultyName(r.difficulty) + "\n";
  }
  return text;
}

int parseHighScores(const std::string& text, const std::string& path, HighScoreTable* table) {
  table->count = 0;
  std::istringstream lines(text);
  int number = 0, skipped = 0;
  for (std::string line; std::getline(lines, line);) {
    ++number;
    if (line.empty() || line[0] == '#') continue;
    HighScore run{};
    std::string fault;
    if (parseRun(line, &run, &fault)) {
      insertHighScore(table, run);
      continue;
    }
    warnAboutFile(path, number, fault + "; the line is skipped");
    ++skipped;
  }
  return skipped;
}

void loadHighScores(const std::string& path) {
  highScores = HighScoreTable{};
  highScores.path = path;
  if (path.empty()) return;
  std::string text;
  const PlayerFileRead read =
      readPlayerFile(path, &text, "the high scores start empty and are kept for this session only");
  if (read == kPlayerFileRead) parseHighScores(text, path, &highScores);
  if (read == kPlayerFileUnreadable) highScores.path.clear();
}

bool saveHighScores() {
  if (highScores.path.empty()) return false;
  const size_t slash = highScores.path.rfind('/');
  std::string error;
  if (slash != std::string::npos && slash > 0 && !makeFolders(highScores.path.substr(0, slash)))
    error = "cannot make the folder " + highScores.path.substr(0, slash);
  if (error.empty() && writeFileAtomically(highScores.path, formatHighScores(highScores), &error)) {
    platformPlayerFileWritten();
    return true;
  }
  warnAboutFile(highScores.path, 0, error + "; the high scores are kept for this session only");
  return false;
}

bool makesHighScores(const HighScoreTable& table, int32_t score) {
  if (score <= 0) return false;  // a run that scored nothing has nothing to show
  return table.count < kHighScoreCount || score > table.runs[table.count - 1].score;
}

int insertHighScore(HighScoreTable* table, const HighScore& run) {
  if (!makesHighScores(*table, run.score)) return -1;
  int at = table->count < kHighScoreCount ? table->count : kHighScoreCount - 1;
  // Below every run of the same score: the earlier run keeps its place.
  while (at > 0 && table->runs[at - 1].score < run.score) {
    table->runs[at] = table->runs[at - 1];
    --at;
  }
  table->runs[at] = run;
  if (table->count < kHighScoreCount) ++table->count;
  return at;
}
