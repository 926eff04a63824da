#include "script_model.h"

#include <cctype>
#include <map>
#include <tuple>

#include "base/numbers.h"

namespace {

// Enough ticks for any loop count a person would write; a longer run is taken to finish.
constexpr int kTickLimit = 200000;
// More lines than this in one tick can only be an ASSIGNANIMATION cycle.
constexpr int kLinesPerTickLimit = 4 * kScriptLineCount;

std::string upper(std::string word) {
  for (char& c : word) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return word;
}

}  // namespace

bool endsTick(ScriptKeyword keyword) {
  return keyword == kScriptLoopEnd || keyword == kScriptEnd || keyword == kScriptStop ||
         keyword == kScriptStopFinish;
}

int Script::blockAt(const std::string& requested) const {
  auto found = blocks.find(upper(requested));
  return found == blocks.end() ? -1 : found->second;
}

Script loadScriptModel(const std::string& path, const std::vector<std::string>& fileLines) {
  Script script;
  script.path = path;
  script.lines.assign(kScriptLineCount, std::string());
  for (int i = 0; i < kScriptLineCount && i < static_cast<int>(fileLines.size()); ++i)
    script.lines[i] = fileLines[i];
  for (const std::string& text : script.lines) script.command.push_back(parseScriptLine(text));
  for (int i = 0; i < kScriptLineCount; ++i) {
    if (script.keyword(i) == kScriptBegin) script.blocks.emplace(script.command[i].name, i);
  }
  return script;
}

// Mirrors the interpreter's control state: only these fields decide which line runs next.
BlockRun runBlock(const Script& script, int beginLine) {
  struct State {
    int line, loopLine, begin, loopDone, loopCount;
    bool operator<(const State& o) const {
      return std::tie(line, loopLine, begin, loopDone, loopCount) <
             std::tie(o.line, o.loopLine, o.begin, o.loopDone, o.loopCount);
    }
  };
  BlockRun run;
  State s{beginLine, beginLine, beginLine, 0, 0};
  std::set<State> seen;
  // A tick that starts where an earlier one did, with only the loop's counter further on, is
  // one more pass of the same loop: every pass until the last few goes the same way, so they
  // are counted off at once instead of stepped (a loop of two billion passes is legal).
  std::map<State, int> loopPasses;  // state with loopDone 0 -> loopDone when it last started a tick
  for (int tick = 0; tick < kTickLimit && seen.insert(s).second; ++tick) {
    State key = s;
    key.loopDone = 0;
    auto pass = loopPasses.find(key);
    if (pass != loopPasses.end() && pass->second < s.loopDone) {
      long long step = s.loopDone - pass->second;
      long long skipped = (static_cast<long long>(s.loopCount) - 1 - s.loopDone) / step - 1;
      if (skipped > 0) s.loopDone = static_cast<int>(s.loopDone + skipped * step);
    }
    loopPasses[key] = s.loopDone;
    for (int executed = 0;; ++executed) {
      if (executed > kLinesPerTickLimit) {
        run.hangs = true;
        return run;
      }
      ++s.line;
      if (s.line >= kScriptLineCount) {
        run.runsOff = true;
        return run;
      }
      const ScriptCommand& command = script.command[s.line];
      const ScriptKeyword keyword = command.keyword;
      if (keyword == kScriptAssignAnimation) {
        int target = script.blockAt(command.name);
        if (target >= 0) {
          s = State{target, target, target, 0, 0};
          run.entered.insert(target);
        }
      } else if (keyword == kScriptLoopStart) {
        s.loopCount = roundToInt(command.arg[0]);
        s.loopLine = s.line;
        s.loopDone = 0;
      } else if (keyword == kScriptDestroy) {
        run.destroys = true;
      } else if (keyword == kScriptLoopEnd) {
        if (++s.loopDone < s.loopCount) {
          s.line = s.loopLine;
        } else {
          s.loopDone = 0;
          s.loopCount = 0;
        }
        break;
      } else if (keyword == kScriptEnd) {
        run.finishes = true;
        s.line = s.begin;
        break;
      } else if (keyword == kScriptStop || keyword == kScriptStopFinish) {
        if (keyword == kScriptStopFinish) run.finishes = true;
        run.holdLine = s.line;
        s.line -= 1;
        break;
      }
    }
  }
  return run;
}
