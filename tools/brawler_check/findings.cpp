#include "findings.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <map>
#include <set>
#include <tuple>

std::vector<Finding> findings;

namespace {

// A file reached twice (a type used by two stages) must not report its faults twice.
std::set<std::tuple<std::string, int, int, std::string>> reported;

// A hostile file can hold a fault on every line; past this many of one kind the rest are only
// counted, so that the report stays readable and the checker's memory stays small.
constexpr int kFindingsOfOneKind = 20;
constexpr size_t kSampleLength = 40;  // of the last shown message, naming the kind left out

// Findings of one kind differ only in their numbers and quoted names.
std::string kindOf(const std::string& message) {
  std::string kind;
  bool inQuote = false;
  for (char c : message) {
    if (c == '"') {
      inQuote = !inQuote;
      if (inQuote) kind += "\"\"";
    } else if (!inQuote && !(std::isdigit(static_cast<unsigned char>(c)) && !kind.empty() &&
                             kind.back() == '#')) {
      kind += std::isdigit(static_cast<unsigned char>(c)) ? '#' : c;
    }
  }
  return kind;
}

struct KindCount {
  int shown = 0;
  long long leftOut = 0;
  int lastLine = 0;
  std::string lastMessage;
};
std::map<std::tuple<std::string, int, std::string>, KindCount> kinds;

void report(const std::string& path, int line, Severity severity, const std::string& message) {
  KindCount& kind = kinds[{path, severity, kindOf(message)}];
  if (kind.shown >= kFindingsOfOneKind) {
    if (!reported.count({path, line, severity, message})) ++kind.leftOut;
    return;
  }
  if (!reported.insert({path, line, severity, message}).second) return;
  ++kind.shown;
  kind.lastLine = line;
  kind.lastMessage = message;
  findings.push_back({path, line, severity, message});
}

// One closing finding per capped kind; the count goes on standing for every finding left out.
void addLeftOutSummaries(long long* uncountedErrors, long long* uncountedWarnings) {
  for (const auto& [key, kind] : kinds) {
    if (kind.leftOut == 0) continue;
    *(std::get<1>(key) == kError ? uncountedErrors : uncountedWarnings) += kind.leftOut - 1;
    findings.push_back({std::get<0>(key), kind.lastLine, static_cast<Severity>(std::get<1>(key)),
                        std::to_string(kind.leftOut) + " more findings like \"" +
                            kind.lastMessage.substr(0, kSampleLength) + "...\", not shown"});
  }
}

const char* severityName(Severity severity) { return severity == kError ? "error" : "warning"; }

}  // namespace

void reportError(const std::string& path, int line, const std::string& message) {
  report(path, line, kError, message);
}

void reportWarning(const std::string& path, int line, const std::string& message) {
  report(path, line, kWarning, message);
}

void forgetFindings() {
  findings.clear();
  reported.clear();
  kinds.clear();
}

int printFindings(bool errorsOnly) {
  long long errors = 0, warnings = 0;
  addLeftOutSummaries(&errors, &warnings);
  std::stable_sort(findings.begin(), findings.end(), [](const Finding& a, const Finding& b) {
    return std::tie(a.path, a.line) < std::tie(b.path, b.line);
  });
  for (const Finding& f : findings) {
    (f.severity == kError ? errors : warnings)++;
    if (errorsOnly && f.severity != kError) continue;
    if (f.line > 0)
      std::printf("%s:%d: %s: %s\n", f.path.c_str(), f.line, severityName(f.severity), f.message.c_str());
    else
      std::printf("%s: %s: %s\n", f.path.c_str(), severityName(f.severity), f.message.c_str());
  }
  std::printf("%lld error%s, %lld warning%s\n", errors, errors == 1 ? "" : "s", warnings,
              warnings == 1 ? "" : "s");
  return static_cast<int>(std::min<long long>(errors, 1000000));
}
