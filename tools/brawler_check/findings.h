// The checker's output: one finding per fault, printed compiler-style once every file is read.
#pragma once
#include <string>
#include <vector>

enum Severity { kError, kWarning };

// line 0 marks a finding about the whole file; it prints as "path: severity: message".
struct Finding {
  std::string path;
  int line;
  Severity severity;
  std::string message;
};

extern std::vector<Finding> findings;

void reportError(const std::string& path, int line, const std::string& message);
void reportWarning(const std::string& path, int line, const std::string& message);

// Prints the findings sorted by path and line, then the summary; returns the error count (held
// to a million).
int printFindings(bool errorsOnly);
// Empties the findings and what they remember, for a new content folder.
void forgetFindings();
