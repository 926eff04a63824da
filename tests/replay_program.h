// brawler-replay run as a program on the shipped pack, as its whole-program tests start it.
#pragma once
#include <string>
#include <vector>

#include "base/whole_file.h"
#include "process_helpers.h"

// Standard error joined to standard output, so that a refusal's line can be read.
inline ChildOptions replayProgram(const std::vector<std::string>& args) {
  ChildOptions options;
  options.program = "/bin/sh";
  options.args = {"-c", "exec \"$0\" \"$@\" 2>&1", BRAWLER_REPLAY_BINARY};
  options.args.insert(options.args.end(), args.begin(), args.end());
  options.workDir = BRAWLER_CONTENT_DIR;
  // The game frees nothing by design; a leak report at exit would only change the status.
  options.setEnv = {{"ASAN_OPTIONS", "detect_leaks=0"}};
  return options;
}

// The file's text; "" when it cannot be read.
inline std::string fileText(const std::string& path) {
  std::string text;
  readWholeFile(path, &text);
  return text;
}
