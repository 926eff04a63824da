#include "findings.h"

#include <algorithm>
#include <cstdio>
#include <set>
#include <tuple>

std::vector<Finding> findings;

namespace {

// A file reached twice (a type used by two stages) must not report its faults twice.
std::set<std::tuple<std::string, int, int, std::string>> reported;

void report(const std::string& path, int line, Severity severity, const std::string& message) {
  if (!reported.insert({path, line, severity, message}).second) return;
  findings.push_back({path, line, severity, message});
}

const char* severityName(Severity severity) { return severity == kError ? "error" : "warning"; }

}  // namespace

void reportError(const std::string& path, int line, const std::string& message) {
  report(path, line, kError, message);
}

void reportWarning(const std::string& path, int line, const std::string& message) {
  report(path, line, kWarning, message);
}

int printFindings(bool errorsOnly) {
  std::stable_sort(findings.begin(), findings.end(), [](const Finding& a, const Finding& b) {
    return std::tie(a.path, a.line) < std::tie(b.path, b.line);
  });
  int errors = 0, warnings = 0;
  for (const Finding& f : findings) {
    (f.severity == kError ? errors : warnings)++;
    if (errorsOnly && f.severity != kError) continue;
    if (f.line > 0)
      std::printf("%s:%d: %s: %s\n", f.path.c_str(), f.line, severityName(f.severity), f.message.c_str());
    else
      std::printf("%s: %s: %s\n", f.path.c_str(), severityName(f.severity), f.message.c_str());
  }
  std::printf("%d error%s, %d warning%s\n", errors, errors == 1 ? "" : "s", warnings,
              warnings == 1 ? "" : "s");
  return errors;
}
