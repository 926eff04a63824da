// Line-oriented content text: the three primitives every content reader shares.
#pragma once
#include "platform/host_path.h"
#include <array>
#include <cstdint>
#include <cstdio>
#include <string>

constexpr int kStageLineCount = 2001;   // stage lines 0..2000
constexpr int kOffsetLineCount = 1001;  // offset lines 0..1000
constexpr int kMaxFields = 39;          // a line splits into at most 39 fields

using StageLines = std::array<std::string, kStageLineCount>;
using OffsetLines = std::array<std::string, kOffsetLineCount>;

extern StageLines stageLines;    // written by stage start, read by the stage loader
extern OffsetLines offsetLines;  // one ".off" file at a time, read just before use


// Longest line a reader keeps; the rest of a longer line is skipped up to its terminator, so a
// file that is one endless line costs no more memory than this.
constexpr size_t kMaxLineBytes = 1 << 20;

// Content text read a line at a time, so a reader that needs only its list's worth of lines
// reads no further. Only regular files open: a directory, a pipe or a device (which could
// block the game or never end) reads as a missing file.
class TextFileReader {
 public:
  explicit TextFileReader(const std::string& path);
  ~TextFileReader();
  TextFileReader(const TextFileReader&) = delete;
  TextFileReader& operator=(const TextFileReader&) = delete;
  bool opened() const { return file_ != nullptr; }
  // The next line without its terminator (LF, CR LF or a lone CR), cut at kMaxLineBytes. False
  // at the end of the file or its end-of-file mark (byte 26), so a final terminator adds no
  // empty line.
  bool next(std::string* line);

 private:
  int get();  // the next byte, or -1 at the end or the mark
  std::FILE* file_ = nullptr;
  int pushedBack_ = -1;
  bool ended_ = false;
};

// The whole file, cut at the end-of-file mark (byte 26). False when it cannot be opened or is
// not a regular file.
bool readTextFile(const std::string& path, std::string* text);
// Reads the file's lines into lines[0], lines[1], ... up to capacity - 1; entries past the
// file's last line keep what they held. A missing file leaves the list untouched.
// Returns the number of entries written (readers must not rely on it to bound their scans).
int readLines(const std::string& path, std::string* lines, int capacity);
template <std::size_t N>
int readLines(const std::string& path, std::array<std::string, N>& lines) {
  return readLines(path, lines.data(), static_cast<int>(N));
}

// Field n (from 1) of a line split at every single separator; leading spaces stripped.
std::string getField(const std::string& line, int n, char separator = ' ');
// Decimal, or &H / &O / &B integers; anything that is not a number, or is too large to be a
// finite number, reads as 0.
double toNumber(const std::string& text);
