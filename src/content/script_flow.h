// A dry run of a script's control flow: what an animation block does when it is started and
// stepped tick after tick with nothing interfering, worked out without an entity and without
// stepping every tick (a loop of two billion passes is legal). The content checker and the
// pack's tests ask it; its rules are the interpreter's (sim/animation.cpp), and which lines end
// a tick both take from the keyword table.
#pragma once
#include <map>
#include <set>
#include <string>
#include <vector>

#include "content/script_lines.h"

struct ScriptFlow {
  ScriptRef script;                   // the lines as a sprite set holds them
  std::map<std::string, int> blocks;  // block name as its BEGIN line writes it -> first such line
  const ScriptCommand& command(int i) const { return scriptCommand(script, i); }
  ScriptKeyword keyword(int i) const { return command(i).keyword; }
  // The BEGIN line that starting `requested` finds; -1 when the game would find none.
  int blockAt(const std::string& requested) const;
};

ScriptFlow loadScriptFlow(const std::vector<std::string>& fileLines);

// What one block does when started and stepped tick after tick.
struct BlockRun {
  bool finishes = false;  // reaches END or STOPFINISH
  bool destroys = false;  // executes DESTROY
  bool dropsItem = false; // executes DROPITEM (the genre's moves: leaves food or a weapon)
  bool hangs = false;     // a tick that never ends (ASSIGNANIMATION cycle)
  bool runsOff = false;   // runs past the last script line
  int holdLine = -1;      // index of the STOP or STOPFINISH it holds on, if it does
  int fallsInto = -1;     // index of the first BEGIN line it runs on into, if it does
  std::set<int> entered;  // BEGIN lines of every block it switches to
};
BlockRun runBlock(const ScriptFlow& flow, int beginLine);
