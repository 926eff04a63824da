#include "content/text_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "platform/host_path.h"

StageLines stageLines;
OffsetLines offsetLines;

namespace {

constexpr char kEndOfFileMark = 26;

}  // namespace

TextFileReader::TextFileReader(const std::string& path) : file_(openRegularFile(path)) {}

TextFileReader::~TextFileReader() {
  if (file_) std::fclose(file_);
}

int TextFileReader::get() {
  if (pushedBack_ >= 0) {
    const int c = pushedBack_;
    pushedBack_ = -1;
    return c;
  }
  if (ended_ || !file_) return -1;
  const int c = getc_unlocked(file_);  // the reader owns its stream: no other thread reads it
  if (c == EOF || c == kEndOfFileMark) {
    ended_ = true;
    return -1;
  }
  return c;
}

bool TextFileReader::next(std::string* line) {
  int c = get();
  if (c < 0) return false;
  line->clear();
  while (c >= 0 && c != '\n' && c != '\r') {
    if (line->size() < kMaxLineBytes) line->push_back(static_cast<char>(c));
    c = get();
  }
  if (c == '\r') {
    const int after = get();
    if (after >= 0 && after != '\n') pushedBack_ = after;
  }
  return true;
}

bool readTextFile(const std::string& path, std::string* text) {
  std::FILE* file = openRegularFile(path);
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

int readLines(const std::string& path, std::string* lines, int capacity) {
  TextFileReader reader(path);
  // Lines past the capacity are never read: a list never grows.
  int written = 0;
  while (written < capacity && reader.next(&lines[written])) ++written;
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

// Hundreds of digits pass the largest double; such a number reads as none at all, as an
// overflowing decimal does.
double finiteOrZero(double value) { return std::isfinite(value) ? value : 0.0; }

double readRadixInteger(const std::string& text, size_t at, int radix) {
  double value = 0;
  while (at < text.size() && digitValue(text[at]) < radix) {
    value = value * radix + digitValue(text[at]);
    ++at;
  }
  return finiteOrZero(value);
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
  return finiteOrZero(std::strtod(text.substr(start, p - start).c_str(), nullptr));
}
