#include "content/boss.h"

#include "content/text_file.h"

std::string bossNameOf(const ScriptRef& script) {
  for (int i = 0; i < kScriptLineCount; ++i) {
    const std::string& line = scriptText(script, i);
    const std::string keyword = getField(line, 1);
    if (keyword.empty()) return "";
    if (keyword == kBossKeyword) return line.size() > keyword.size() + 1 ? line.substr(keyword.size() + 1) : "";
  }
  return "";
}
