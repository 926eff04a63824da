#include "content/script_lines.h"

#include "content/text_file.h"

namespace {
const std::string kEmptyLine;
}

void readScript(const std::string& path, ScriptRef& script) {
  auto copy = script ? std::make_shared<ScriptLines>(*script) : std::make_shared<ScriptLines>();
  if (readLines(path, copy->text, kScriptLineCount) == 0 && script) return;
  script = std::move(copy);
}

const std::string& scriptText(const ScriptRef& script, int i) {
  if (!script || i < 0 || i >= kScriptLineCount) return kEmptyLine;
  return script->text[i];
}
