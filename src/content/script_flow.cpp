#include "content/script_flow.h"

#include <tuple>

#include "base/numbers.h"

namespace {

// Enough ticks for any loop count a person would write; a longer run is taken to finish.
constexpr int kTickLimit = 200000;
// More lines than this in one tick can only be an ASSIGNANIMATION cycle.
constexpr int kLinesPerTickLimit = 4 * kScriptLineCount;

// Requests are looked up in capitals; only a-z change, as in the interpreter.
std::string capitals(std::string word) {
  for (char& c : word)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return word;
}

}  // namespace

int ScriptFlow::blockAt(const std::string& requested) const {
  auto found = blocks.find(capitals(requested));
  return found == blocks.end() ? -1 : found->second;
}

ScriptFlow loadScriptFlow(const std::vector<std::string>& fileLines) {
  ScriptFlow flow;
  writeScript(fileLines, flow.script);
  for (int i = 0; i < kScriptLineCount; ++i)
    if (flow.keyword(i) == kScriptBegin) flow.blocks.emplace(flow.command(i).name, i);
  return flow;
}

// Mirrors the interpreter's control state: only these fields decide which line runs next.
BlockRun runBlock(const ScriptFlow& flow, int beginLine) {
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
  // are counted off at once instead of stepped.
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
      const ScriptCommand& command = flow.command(s.line);
      switch (command.keyword) {
        case kScriptBegin:
          if (run.fallsInto < 0) run.fallsInto = s.line;
          break;
        case kScriptAssignAnimation: {
          // Starting an animation resets the loop even when the script lacks the block.
          int target = flow.blockAt(command.name);
          if (target >= 0) {
            s = State{target, target, target, 0, 0};
            run.entered.insert(target);
          } else {
            s.loopDone = s.loopCount = 0;
          }
          break;
        }
        case kScriptLoopStart:
          s.loopCount = roundToInt(command.arg[0]);
          s.loopLine = s.line;
          s.loopDone = 0;
          break;
        case kScriptDestroy: run.destroys = true; break;
        case kScriptDropItem: run.dropsItem = true; break;
        case kScriptLoopEnd:
          if (++s.loopDone < s.loopCount) {
            s.line = s.loopLine;
          } else {
            s.loopDone = 0;
            s.loopCount = 0;
          }
          break;
        case kScriptEnd:
          run.finishes = true;
          s.line = s.begin;
          break;
        case kScriptStopFinish: run.finishes = true; [[fallthrough]];
        case kScriptStop:
          run.holdLine = s.line;
          s.line -= 1;
          break;
        default: break;
      }
      if (command.endsTick) break;
    }
  }
  return run;
}
