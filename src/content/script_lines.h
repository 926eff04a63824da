// The lines of one script file as a sprite set holds them.
//
// Many sprite sets hold the same script (every opponent of a type, every spark), so the lines
// live in one shared, immutable block; a sprite set that reads a new file gets a fresh block
// (copy-on-write), keeping the rule that lines past the new file's end keep their old text.
#pragma once
#include <memory>
#include <string>

constexpr int kScriptLineCount = 1001;  // script lines 0..1000

struct ScriptLines {
  std::string text[kScriptLineCount];
};

using ScriptRef = std::shared_ptr<const ScriptLines>;

// A null ScriptRef (what every fresh sprite set holds) reads as 1001 empty lines.
// readLines into a copy of `script`, then replace `script` with the copy.
void readScript(const std::string& path, ScriptRef& script);
// Line i of a script (0..1000); an out-of-range index reads as an empty line.
const std::string& scriptText(const ScriptRef& script, int i);
