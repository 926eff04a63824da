#include "line_shapes.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <fstream>

#include "content/script_lines.h"
#include "content/text_file.h"
#include "findings.h"
#include "number_ranges.h"

namespace {

bool isLetters(const std::string& word) {
  return !word.empty() && std::all_of(word.begin(), word.end(), [](unsigned char c) {
    return std::isalpha(c) != 0;
  });
}

bool isCapitals(const std::string& word) {
  return std::all_of(word.begin(), word.end(), [](unsigned char c) { return std::isupper(c) != 0; });
}

std::string upper(std::string word) {
  for (char& c : word) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return word;
}

bool isKeyword(const TextFormat& format, const std::string& word) {
  return std::find(format.keywords.begin(), format.keywords.end(), word) != format.keywords.end();
}

// Short keywords sit close to ordinary words, so they get a tighter bound.
int nearMissBound(const std::string& keyword) { return keyword.size() <= 4 ? 1 : 2; }

// A keyword written in another case, or one or two edits away from one, is most likely a slip;
// anything else is taken for a remark. Only words of letters alone are considered, and only
// all-capital words for spelling, so that remarks in ordinary prose pass.
void checkKeyword(const std::string& path, int line, const std::string& word,
                  const TextFormat& format) {
  if (!isLetters(word) || isKeyword(format, word)) return;
  for (const std::string& keyword : format.keywords) {
    if (upper(word) == keyword) {
      reportWarning(path, line, "\"" + word + "\" is not a keyword: keywords are matched in capitals (\"" +
                                    keyword + "\"); the line is ignored");
      return;
    }
  }
  if (!isCapitals(word) || word.size() < 3) return;
  const std::string* best = nullptr;
  int bestDistance = 3;
  for (const std::string& keyword : format.keywords) {
    // The lengths alone put a long remark word out of reach; measuring it would cost its
    // length times the keyword's for nothing.
    if (word.size() > keyword.size() + 2 || keyword.size() > word.size() + 2) continue;
    int d = editDistance(word, keyword);
    if (d <= nearMissBound(keyword) && d < bestDistance) best = &keyword, bestDistance = d;
  }
  if (best)
    reportWarning(path, line, "unknown keyword \"" + word + "\" (did you mean \"" + *best +
                                  "\"?); the line is ignored");
}

// The first word of the line when blanks of any kind separate words.
std::string firstWord(const std::string& text) {
  size_t begin = text.find_first_not_of(" \t");
  if (begin == std::string::npos) return std::string();
  size_t end = text.find_first_of(" \t", begin);
  return text.substr(begin, end == std::string::npos ? std::string::npos : end - begin);
}

// A statement with a tab, two spaces or a leading space reads differently from how it looks:
// the keyword is lost, or an argument reads as empty.
void checkSeparators(const std::string& path, int line, const std::string& text,
                     const TextFormat& format) {
  if (!isKeyword(format, firstWord(text))) return;
  const char* what = nullptr;
  if (text.find('\t') != std::string::npos)
    what = "a tab";
  else if (text[0] == ' ')
    what = "a leading space";
  else if (text.find("  ") != std::string::npos)
    what = "two spaces in a row";
  if (what)
    reportWarning(path, line, std::string("fields must be separated by single spaces; ") + what +
                                  " makes the game read this line differently");
}

// Bytes no editor shows that change how the game reads the file. The reader stops at byte 26,
// so the raw bytes are read here.
void checkHiddenBytes(const std::string& path) {
  constexpr char kEndOfFileMark = 26;
  const std::string kByteOrderMark = "\xEF\xBB\xBF";
  std::ifstream in(path, std::ios::binary);
  std::string head(kByteOrderMark.size(), '\0');
  in.read(&head[0], static_cast<std::streamsize>(head.size()));
  if (in.gcount() == static_cast<std::streamsize>(head.size()) && head == kByteOrderMark)
    reportError(path, 1, "the file starts with a UTF-8 byte order mark; the game takes it for "
                         "part of the first word, so the first line's statement is lost");
  in.clear();
  in.seekg(0);
  int line = 1;
  bool nulReported = false;
  char buffer[1 << 16];
  while (in.read(buffer, sizeof buffer) || in.gcount() > 0) {
    std::streamsize got = in.gcount();
    for (std::streamsize k = 0; k < got; ++k) {
      char c = buffer[k];
      if (c == '\n') {
        ++line;
      } else if (c == '\0' && !nulReported) {
        nulReported = true;
        reportError(path, line, "a NUL byte, which no editor shows, makes this line's words differ from "
                                "what they show");
      } else if (c == kEndOfFileMark) {
        // Only a mark with content after it loses anything.
        bool more = k + 1 < got || in.peek() != std::char_traits<char>::eof();
        if (more)
          reportError(path, line, "byte 26 (an end-of-file mark): the game stops reading the "
                                  "file here and loses everything after it");
        return;
      }
    }
  }
}

// Fields that hold a name rather than a number, by keyword and field number; a script's are
// in the game's keyword table.
struct NameField {
  const char* keyword;
  int field;
};
const NameField kNameFields[] = {
    {"BGNAME", 2}, {"STAGETYPE", 2}, {"BGMNAME", 2}, {"LOADENTITY", 2}, {"NODE", 9}, {"FIGHTER", 2},
};

bool isNameField(const std::string& keyword, int field) {
  for (const NameField& name : kNameFields)
    if (keyword == name.keyword && field == name.field) return true;
  for (int k = 0; k < kScriptKeywordInfoCount; ++k)
    if (keyword == kScriptKeywords[k].keyword) return field == kScriptKeywords[k].nameField;
  return false;
}

// Text written as a number that the game cannot hold: it reads as 0 instead.
bool unreadableNumber(const std::string& text) {
  if (text.size() > 2 && text[0] == '&' && std::strchr("HhOoBb", text[1]))
    return toNumber(text) == 0 && text.find_first_of("123456789ABCDEFabcdef", 2) != std::string::npos;
  char* end = nullptr;
  double value = std::strtod(text.c_str(), &end);
  return end != text.c_str() && *end == '\0' && !std::isfinite(value);
}

void checkNumbers(const std::string& path, int line, const std::string& text) {
  const std::string keyword = getField(text, 1);
  for (int field = 2; field <= kMaxFields; ++field) {
    std::string value = getField(text, field);
    if (value.empty() || isNameField(keyword, field) || !unreadableNumber(value)) continue;
    constexpr size_t kShown = 24;  // a number hundreds of digits long is named by its start
    if (value.size() > kShown) value = value.substr(0, kShown) + "...";
    reportError(path, line, "\"" + value + "\" is not a finite number the game can hold; it "
                            "reads as 0");
  }
}

}  // namespace

int editDistance(const std::string& a, const std::string& b) {
  const size_t n = a.size(), m = b.size();
  std::vector<std::vector<int>> d(n + 1, std::vector<int>(m + 1));
  for (size_t i = 0; i <= n; ++i) d[i][0] = static_cast<int>(i);
  for (size_t j = 0; j <= m; ++j) d[0][j] = static_cast<int>(j);
  for (size_t i = 1; i <= n; ++i) {
    for (size_t j = 1; j <= m; ++j) {
      int cost = a[i - 1] == b[j - 1] ? 0 : 1;
      d[i][j] = std::min({d[i - 1][j] + 1, d[i][j - 1] + 1, d[i - 1][j - 1] + cost});
      if (i > 1 && j > 1 && a[i - 1] == b[j - 2] && a[i - 2] == b[j - 1])
        d[i][j] = std::min(d[i][j], d[i - 2][j - 2] + 1);
    }
  }
  return d[n][m];
}

void checkLineShapes(const std::string& path, const TextFile& file, const TextFormat& format) {
  checkHiddenBytes(path);
  int count = static_cast<int>(file.lines.size());
  if (count > format.lineCapacity)
    reportError(path, format.lineCapacity + 1,
                "the " + std::string(format.name) + " has " + std::to_string(count) +
                    " lines, but the game reads only the first " +
                    std::to_string(format.lineCapacity) + "; this line and all after it are lost");
  for (int i = 0; i < count && i < format.lineCapacity; ++i) {
    const std::string& text = file.lines[i];
    int line = i + 1;
    if (std::count(text.begin(), text.end(), ' ') >= kMaxFields)
      reportError(path, line, "more than " + std::to_string(kMaxFields) +
                                  " fields; the game splits a line into at most " +
                                  std::to_string(kMaxFields));
    checkKeyword(path, line, getField(text, 1), format);
    checkSeparators(path, line, text, format);
    if (!isKeyword(format, getField(text, 1))) continue;
    checkNumbers(path, line, text);
    checkNumberRanges(path, line, text);
  }
}
