// A script as the interpreter sees it, and a dry run of its control flow.
#pragma once
#include <map>
#include <set>
#include <string>
#include <vector>

#include "content/script_lines.h"

struct Script {
  std::string path;
  std::vector<std::string> lines;    // kScriptLineCount entries; past the file's end, empty
  std::vector<ScriptCommand> command;  // each line split by the game's own parser
  ScriptKeyword keyword(int i) const { return command[i].keyword; }
  std::map<std::string, int> blocks; // block name in capitals -> index of its first BEGIN line
  int blockAt(const std::string& requested) const;  // -1 when the game would not find it
};

Script loadScriptModel(const std::string& path, const std::vector<std::string>& fileLines);

// What one block does when started and stepped tick after tick, with no outside interference.
struct BlockRun {
  bool finishes = false;     // reaches END or STOPFINISH
  bool destroys = false;     // executes DESTROY
  bool hangs = false;        // a tick that never ends (ASSIGNANIMATION cycle)
  bool runsOff = false;      // runs past the last script line
  int holdLine = -1;         // index of the STOP it holds on, if it does
  std::set<int> entered;     // BEGIN lines of every block it switches to
};
BlockRun runBlock(const Script& script, int beginLine);

// Keywords that end the interpreter's tick.
bool endsTick(ScriptKeyword keyword);
