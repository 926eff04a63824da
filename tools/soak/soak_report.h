// What the two soaks share: their clock, how flat memory must stay, reading a process's
// resident memory, the content folder as the working folder, and the verdict.
#pragma once
#include <string>

constexpr long kTicksPerMinute = 3530;  // 17 ms ticks
// Growth allowed between the first minute and the end: allocator slack, not a leak that grows
// with the ticks (a leak of one small string per tick would pass 16 MB by the end of a run).
constexpr long kFlatMarginKiB = 4096;

// The resident set of process `pid` (0: this one) in KiB; 0 when it cannot be read (gone).
long residentKiB(int pid = 0);

// argv[1], the content folder, made the working folder; false once the usage (no folder) or
// the reason it cannot be entered is printed.
bool enterContentFolder(int argc, char** argv, const char* usage);

// Every requirement that does not hold says so on standard error as "NAME: what".
struct SoakVerdict {
  const char* name;
  bool ok = true;
  void require(bool held, const std::string& what);
};
