// Line-oriented content text: the three primitives every content reader shares.
#pragma once
#include <array>
#include <cstdint>
#include <string>

constexpr int kStageLineCount = 2001;   // stage lines 0..2000
constexpr int kOffsetLineCount = 1001;  // offset lines 0..1000
constexpr int kMaxFields = 39;          // a line splits into at most 39 fields

using StageLines = std::array<std::string, kStageLineCount>;
using OffsetLines = std::array<std::string, kOffsetLineCount>;

extern StageLines stageLines;    // written by stage start, read by the stage loader
extern OffsetLines offsetLines;  // one ".off" file at a time, read just before use

// The whole file, cut at the end-of-file mark (byte 26). False when it cannot be opened.
bool readTextFile(const std::string& path, std::string* text);
// The line starting at *at, without its terminator (LF, CR LF or a lone CR); moves *at past
// the terminator. False at the end of the text, so a final terminator adds no empty line.
bool nextLine(const std::string& text, size_t* at, std::string* line);

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
// Decimal, or &H / &O / &B integers; anything that is not a number reads as 0.
double toNumber(const std::string& text);
