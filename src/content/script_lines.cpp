#include "content/script_lines.h"

#include <algorithm>

#include "content/text_file.h"

const ScriptKeywordInfo kScriptKeywords[] = {
    {"BEGIN", kScriptBegin, 0, 2},
    {"ASSIGNANIMATION", kScriptAssignAnimation, 0, 2},
    {"WIDTH", kScriptWidth, 1, 0},
    {"HEIGHT", kScriptHeight, 1, 0},
    {"LOOPSTART", kScriptLoopStart, 1, 0},
    {"LOOPEND", kScriptLoopEnd, 0, 0, true},
    {"FRAMESET", kScriptFrameSet, 1, 0},
    {"END", kScriptEnd, 0, 0, true},
    {"STOP", kScriptStop, 0, 0, true},
    {"STOPFINISH", kScriptStopFinish, 0, 0, true},
    {"ATTACKMID", kScriptAttackMid, 3, 0},
    {"ATTACKLOW", kScriptAttackLow, 3, 0},
    {"ATTACKKNOCKHIGH", kScriptAttackKnockHigh, 5, 0},
    {"ATTACKKNOCKLOW", kScriptAttackKnockLow, 5, 0},
    {"COMBOALLOWED", kScriptComboAllowed, 0, 0},
    {"DESTROY", kScriptDestroy, 0, 0},
    {"MOVEFORWARD", kScriptMoveForward, 1, 0},
    {"SCREENSHAKEY", kScriptScreenShakeY, 1, 0},
    {"SETPHYSICSCONTROL", kScriptSetPhysicsControl, 1, 0},
    {"SETPHYSICSCONTROLANIM", kScriptSetPhysicsControlAnim, 1, 3},
    {"SETXV", kScriptSetXv, 1, 0},
    {"SETYV", kScriptSetYv, 1, 0},
    {"SETHP", kScriptSetHp, 1, 0},
    {"PLAYGAMESOUND", kScriptPlayGameSound, 1, 0},
    {"GRABBABLE", kScriptGrabbable, 1, 0},
    {"GRABS", kScriptGrabs, 1, 0},
    {"ATTACKHELD", kScriptAttackHeld, 4, 0},
    {"THROWHELD", kScriptThrowHeld, 3, 0},
    {"ATTACKALLROUND", kScriptAttackAllRound, 5, 0},
    {"INVINCIBLE", kScriptInvincible, 1, 0},
    {"DROPITEM", kScriptDropItem, 0, 2},
    {"ATTACKWEAPON", kScriptAttackWeapon, 5, 0},
    {"THROWWEAPON", kScriptThrowWeapon, 2, 0},
    {"JUMPHEIGHT", kScriptJumpHeight, 1, 0},
    {"WALKSPEED", kScriptWalkSpeed, 1, 0},
    {"ATTACKSAMOUNT", kScriptAttacksAmount, 1, 0},
    {"JUMPATTACKSAMOUNT", kScriptJumpAttacksAmount, 1, 0},
    {"WEIGHT", kScriptWeight, 1, 0},
};
const int kScriptKeywordInfoCount = sizeof kScriptKeywords / sizeof kScriptKeywords[0];

namespace {

const std::string kEmptyLine;
const ScriptCommand kEmptyCommand;

// Blocks built lately. Every entity of a type reads the same file, usually over the same
// earlier block, so they can share the result instead of holding a copy each (a block is
// over 100 KB with its split lines).
constexpr int kRecentBlocks = 8;
std::weak_ptr<const ScriptLines> recentBlocks[kRecentBlocks];
int nextRecentBlock = 0;

bool sameText(const ScriptLines& a, const ScriptLines& b) {
  for (int i = 0; i < kScriptLineCount; ++i)
    if (a.text[i] != b.text[i]) return false;
  return true;
}

// `fresh` holds the new text, and its split form for every line but the first `written`.
ScriptRef finishBlock(std::shared_ptr<ScriptLines> fresh, int written) {
  for (const auto& recent : recentBlocks) {
    ScriptRef built = recent.lock();
    if (built && sameText(*built, *fresh)) return built;
  }
  for (int i = 0; i < written; ++i) fresh->command[i] = parseScriptLine(fresh->text[i]);
  recentBlocks[nextRecentBlock] = fresh;
  nextRecentBlock = (nextRecentBlock + 1) % kRecentBlocks;
  return fresh;
}

}  // namespace

ScriptCommand parseScriptLine(const std::string& line) {
  ScriptCommand command;
  const std::string keyword = getField(line, 1);
  if (keyword.empty()) return command;
  command.keyword = kScriptOther;
  for (int k = 0; k < kScriptKeywordInfoCount; ++k) {
    const ScriptKeywordInfo& info = kScriptKeywords[k];
    if (keyword != info.keyword) continue;
    command.keyword = info.code;
    command.endsTick = info.endsTick;
    for (int a = 0; a < info.numbers; ++a) command.arg[a] = toNumber(getField(line, a + 2));
    if (info.nameField) command.name = getField(line, info.nameField);
    break;
  }
  return command;
}

void readScript(const std::string& path, ScriptRef& script) {
  auto copy = script ? std::make_shared<ScriptLines>(*script) : std::make_shared<ScriptLines>();
  int written = readLines(path, copy->text, kScriptLineCount);
  if (written == 0 && script) return;
  script = finishBlock(std::move(copy), written);
}

void writeScript(const std::vector<std::string>& lines, ScriptRef& script) {
  auto copy = script ? std::make_shared<ScriptLines>(*script) : std::make_shared<ScriptLines>();
  int written = std::min(static_cast<int>(lines.size()), kScriptLineCount);
  std::copy(lines.begin(), lines.begin() + written, copy->text);
  script = finishBlock(std::move(copy), written);
}

const std::string& scriptText(const ScriptRef& script, int i) {
  if (!script || i < 0 || i >= kScriptLineCount) return kEmptyLine;
  return script->text[i];
}

const ScriptCommand& scriptCommand(const ScriptRef& script, int i) {
  if (!script || i < 0 || i >= kScriptLineCount) return kEmptyCommand;
  return script->command[i];
}

bool lastArgumentOf(const ScriptRef& script, ScriptKeyword keyword, double* value) {
  bool found = false;
  for (int i = 0; i < kScriptLineCount; ++i) {
    const ScriptCommand& c = scriptCommand(script, i);
    if (c.keyword != keyword) continue;
    *value = c.arg[0];
    found = true;
  }
  return found;
}
