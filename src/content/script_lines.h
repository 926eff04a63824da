// The lines of one script file as a sprite set holds them.
//
// Many sprite sets hold the same script (every opponent of a type, every spark), so the lines
// live in one shared, immutable block; a sprite set that reads a new file gets a fresh block
// (copy-on-write), keeping the rule that lines past the new file's end keep their old text.
//
// Every line is also kept split: its keyword code and arguments, worked out once when the
// line is read, so that the interpreter, which runs every live entity every tick, never splits
// text. The split form is always derived from the text of the same line.
#pragma once
#include <memory>
#include <string>
#include <vector>

constexpr int kScriptLineCount = 1001;  // script lines 0..1000
constexpr int kScriptArgs = 5;          // numeric arguments kept per line (fields 2..6)

// Keyword codes of script lines. Commands, BEGIN and the statistics keywords have one each;
// every other line is kScriptOther, or kScriptBlank when its field 1 is empty.
enum ScriptKeyword : int32_t {
  kScriptBlank = 0,
  kScriptOther,
  kScriptBegin,
  // animation commands
  kScriptAssignAnimation,
  kScriptWidth,
  kScriptHeight,
  kScriptLoopStart,
  kScriptLoopEnd,
  kScriptFrameSet,
  kScriptEnd,
  kScriptStop,
  kScriptStopFinish,
  kScriptAttackMid,
  kScriptAttackLow,
  kScriptAttackKnockHigh,
  kScriptAttackKnockLow,
  kScriptComboAllowed,
  kScriptDestroy,
  kScriptMoveForward,
  kScriptScreenShakeY,
  kScriptSetPhysicsControl,
  kScriptSetPhysicsControlAnim,
  kScriptSetXv,
  kScriptSetYv,
  kScriptSetHp,
  kScriptPlayGameSound,
  // the genre's moves (gameRules.genreMoves); with the rule off they do nothing
  kScriptGrabbable,
  kScriptGrabs,
  kScriptAttackHeld,
  kScriptThrowHeld,
  kScriptAttackAllRound,
  kScriptInvincible,
  kScriptDropItem,
  kScriptAttackWeapon,
  kScriptThrowWeapon,
  // statistics that are no commands
  kScriptJumpHeight,
  kScriptWalkSpeed,
  kScriptAttacksAmount,
  kScriptJumpAttacksAmount,
  kScriptWeight,
  kScriptKeywordCount
};

// What a keyword's line carries: how many numbers and which field, if any, is its name; and
// whether the interpreter's tick ends after it.
struct ScriptKeywordInfo {
  const char* keyword;
  ScriptKeyword code;
  int numbers;    // numeric arguments, taken from fields 2, 3, ...
  int nameField;  // field holding the text argument, 0 for none
  bool endsTick = false;
};
extern const ScriptKeywordInfo kScriptKeywords[];
extern const int kScriptKeywordInfoCount;

// One line split once: arg[i] is field i + 2 through toNumber (0 where missing); `name` is the
// text argument (ASSIGNANIMATION and BEGIN: field 2, SETPHYSICSCONTROLANIM: field 3).
struct ScriptCommand {
  ScriptKeyword keyword = kScriptBlank;
  bool endsTick = false;  // the keyword's, from kScriptKeywords
  double arg[kScriptArgs] = {};
  std::string name;
};

ScriptCommand parseScriptLine(const std::string& line);

struct ScriptLines {
  std::string text[kScriptLineCount];
  ScriptCommand command[kScriptLineCount];
};

using ScriptRef = std::shared_ptr<const ScriptLines>;

// A null ScriptRef (what every fresh sprite set holds) reads as 1001 empty lines.
// readLines into a copy of `script`, then replace `script` with the copy.
void readScript(const std::string& path, ScriptRef& script);
// The same from lines in memory: lines[0] into line 0 and so on (for tools and tests).
void writeScript(const std::vector<std::string>& lines, ScriptRef& script);
// Line i of a script (0..1000); an out-of-range index reads as an empty line.
const std::string& scriptText(const ScriptRef& script, int i);
// The split form of line i; an out-of-range index reads as an empty line.
const ScriptCommand& scriptCommand(const ScriptRef& script, int i);
// The number of the script's last `keyword` line, wherever it stands (past the statistics
// section too); false, and *value untouched, when the script has none.
bool lastArgumentOf(const ScriptRef& script, ScriptKeyword keyword, double* value);
