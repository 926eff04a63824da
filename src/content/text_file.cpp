#include "content/text_file.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "platform/host_path.h"

StageLines stageLines;
OffsetLines offsetLines;

namespace {
constexpr char kEndOfFileMark = 26;
}


bool readTextFile(const std::string& path, std::string* text) {
  FILE* file = std::fopen(hostPath(path).c_str(), "rb");
  if (!file) return false;
  text->clear();
  char buffer[65536];
  size_t got;
  while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) text->append(buffer, got);
  std::fclose(file);
  size_t end = text->find(kEndOfFileMark);
  if (end != std::string::npos) text->resize(end);
  return true;
}

bool nextLine(const std::string& text, size_t* at, std::string* line) {
  size_t start = *at;
  if (start >= text.size()) return false;
  size_t stop = start;
  while (stop < text.size() && text[stop] != '\n' && text[stop] != '\r') ++stop;
  line->assign(text, start, stop - start);
  if (stop + 1 < text.size() && text[stop] == '\r' && text[stop + 1] == '\n') ++stop;
  *at = stop + 1;
  return true;
}

int readLines(const std::string& path, std::string* lines, int capacity) {
  std::string text;
  if (!readTextFile(path, &text)) return 0;
  // Lines past the capacity are dropped: a list never grows.
  int written = 0;
  size_t at = 0;
  while (written < capacity && nextLine(text, &at, &lines[written])) ++written;
  return written;
}

std::string getField(const std::string& line, int n, char separator) {
  if (n < 1 || n > kMaxFields) return std::string();
  // Field n runs from just after separator n-1 to separator n (or the end of the line).
  size_t begin = 0;
  for (int i = 1; i < n; ++i) {
    size_t sep = line.find(separator, begin);
    if (sep == std::string::npos) return std::string();
    begin = sep + 1;
  }
  size_t stop = line.find(separator, begin);
  if (stop == std::string::npos) stop = line.size();
  while (begin < stop && line[begin] == ' ') ++begin;
  return line.substr(begin, stop - begin);
}

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

int digitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'z') return c - 'a' + 10;
  if (c >= 'A' && c <= 'Z') return c - 'A' + 10;
  return 99;
}

double readRadixInteger(const std::string& text, size_t at, int radix) {
  double value = 0;
  while (at < text.size() && digitValue(text[at]) < radix) {
    value = value * radix + digitValue(text[at]);
    ++at;
  }
  return value;
}

}  // namespace

double toNumber(const std::string& text) {
  size_t at = 0;
  while (at < text.size() && text[at] == ' ') ++at;
  if (at + 1 < text.size() && text[at] == '&') {
    switch (text[at + 1]) {
      case 'H': case 'h': return readRadixInteger(text, at + 2, 16);
      case 'O': case 'o': return readRadixInteger(text, at + 2, 8);
      case 'B': case 'b': return readRadixInteger(text, at + 2, 2);
      default: break;
    }
  }
  while (at < text.size() && (text[at] == ' ' || text[at] == '\t')) ++at;

  // The longest leading decimal number: sign, digits, point and digits, exponent.
  size_t start = at;
  size_t p = at;
  if (p < text.size() && (text[p] == '+' || text[p] == '-')) ++p;
  size_t digits = 0;
  while (p < text.size() && isDigit(text[p])) ++p, ++digits;
  if (p < text.size() && text[p] == '.') {
    size_t q = p + 1, fraction = 0;
    while (q < text.size() && isDigit(text[q])) ++q, ++fraction;
    if (fraction > 0 || digits > 0) p = q, digits += fraction;
  }
  if (digits == 0) return 0;
  if (p < text.size() && (text[p] == 'e' || text[p] == 'E')) {
    size_t q = p + 1;
    if (q < text.size() && (text[q] == '+' || text[q] == '-')) ++q;
    if (q < text.size() && isDigit(text[q])) {
      while (q < text.size() && isDigit(text[q])) ++q;
      p = q;
    }
  }
  double value = std::strtod(text.substr(start, p - start).c_str(), nullptr);
  return std::isfinite(value) ? value : 0.0;
}
