#include "script_check.h"

#include <algorithm>
#include <cctype>
#include <set>
#include <utility>

#include "audio/sound.h"
#include "base/numbers.h"
#include "content/pack_layout.h"
#include "content/script_flow.h"
#include "findings.h"
#include "line_shapes.h"
#include "sim/moves.h"

namespace {

// A script several types share, or one stage after another loads, is checked once per role.
std::set<std::pair<std::string, int>> checkedScripts;

// Statistics the section reader alone takes; as commands they do nothing.
const ScriptKeyword kSectionOnlyStatistics[] = {kScriptJumpHeight, kScriptWalkSpeed,
                                                kScriptJumpAttacksAmount, kScriptWeight};
// Commands that act on a fighter; a marker on the overworld has none behind it.
const ScriptKeyword kFighterCommands[] = {
    kScriptAttackMid, kScriptAttackLow, kScriptAttackKnockHigh, kScriptAttackKnockLow,
    kScriptComboAllowed, kScriptDestroy, kScriptMoveForward, kScriptScreenShakeY,
    kScriptSetPhysicsControl, kScriptSetPhysicsControlAnim, kScriptSetXv, kScriptSetYv,
    kScriptSetHp, kScriptPlayGameSound, kScriptGrabbable, kScriptGrabs, kScriptAttackHeld,
    kScriptThrowHeld, kScriptAttackAllRound, kScriptInvincible, kScriptAttackWeapon,
    kScriptThrowWeapon};

struct Animation {
  const char* name;
  const char* when;
};

const Animation kFighterAnimations[] = {
    {"STAND", "when the fighter is idle"},
    {"WALK", "when the fighter walks"},
    {"RUN", "when the fighter runs"},
    {"RUNATTACK", "for an attack while running"},
    {"JUMPSTART", "at the take-off of a jump"},
    {"JUMP", "while the fighter is in the air"},
    {"JUMPATTACK", "for an attack in the air"},
    {"LAND", "when the fighter lands from a jump"},
    {"HIGHDAMAGE", "when a mid attack hits the fighter"},
    {"LOWDAMAGE", "when a low attack hits the fighter"},
    {"FALL", "when the fighter is knocked into the air"},
    {"FALLLAND", "when a knocked-down fighter reaches the ground"},
    {"GETUP", "when a knocked-down fighter gets up"},
    {"DIE", "when the fighter is defeated"},
};
// The genre's moves (the arcade's house rules): a fighter drawn for them needs every one.
const Animation kMoveAnimations[] = {
    {"GRAB", "when the fighter takes hold of someone"},
    {"HOLD", "while the fighter holds someone"},
    {"KNEE", "for a knee to the one held"},
    {"THROW", "for a throw over the shoulder"},
    {"HELD", "while the fighter is held"},
    {"THROWN", "while the fighter flies from a throw"},
    {"SPECIAL", "for attack and jump together"},
    {"PICKUP", "when the fighter takes food or a weapon"},
    {"PIPESTAND", "when the fighter stands with a pipe"},
    {"PIPEWALK", "when the fighter walks with a pipe"},
    {"PIPEATTACK", "for an attack with a pipe"},
    {"KNIFESTAND", "when the fighter stands with a knife"},
    {"KNIFEWALK", "when the fighter walks with a knife"},
    {"KNIFETHROW", "for throwing a knife"},
};
const Animation kObjectAnimations[] = {
    {"STATIONARY", "for every prop when the stage starts"},
    {"DAMAGE", "when an attack hits the prop"},
    {"FALL", "when a knock-down attack hits the prop"},
};
const Animation kEffectAnimations[] = {
    {"SMALLSPARK", "for a light hit"},
    {"BIGSPARK", "for a knock-down hit"},
    {"BLOODSPURT", "for a hit that draws blood"},
};
const Animation kMarkerAnimations[] = {
    {"PLAYER1", "for player 1's marker"},
    {"PLAYER2", "for player 2's marker"},
};

// Blocks the control logic waits on before it leaves a state, and the state a fighter is left in.
const std::pair<const char*, const char*> kWaitedBlocks[] = {
    {"RUNATTACK", "attacking"},  {"JUMPSTART", "taking off"},  {"LAND", "landing"},
    {"HIGHDAMAGE", "being hurt"}, {"LOWDAMAGE", "being hurt"}, {"FALLLAND", "lying down"},
    {"GETUP", "getting up"},      {"DIE", "dying"},
    {"GRAB", "grabbing"},         {"KNEE", "holding"},         {"THROW", "throwing"},
    {"SPECIAL", "attacking"},     {"PICKUP", "picking up"},    {"PIPEATTACK", "attacking"},
    {"KNIFETHROW", "throwing"},
};

template <size_t N>
bool contains(const ScriptKeyword (&list)[N], ScriptKeyword keyword) {
  return std::find(list, list + N, keyword) != list + N;
}

const char* keywordText(ScriptKeyword keyword) {
  for (int i = 0; i < kScriptKeywordInfoCount; ++i)
    if (kScriptKeywords[i].code == keyword) return kScriptKeywords[i].keyword;
  return "";
}

std::string quoted(const std::string& text) { return "\"" + text + "\""; }

std::string capitalised(std::string text) {
  for (char& ch : text) ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
  return text;
}


struct ScriptCheck {
  const ScriptFlow& script;
  ScriptRole role;
  const SheetInfo& sheet;
  std::string sprPath;
  std::string scriptPath;

  const std::string& path() const { return scriptPath; }
  int firstBegin() const {
    for (int i = 0; i < kScriptLineCount; ++i)
      if (script.keyword(i) == kScriptBegin) return i;
    return kScriptLineCount;
  }
};

void checkBlockNames(const ScriptCheck& c) {
  std::set<std::string> seen;
  for (int i = 0; i < kScriptLineCount; ++i) {
    if (c.script.keyword(i) != kScriptBegin) continue;
    std::string name = c.script.command(i).name;
    std::string capitals = capitalised(name);
    if (name.empty()) {
      reportWarning(c.path(), i + 1, "BEGIN without a block name");
    } else if (name != capitals) {
      reportError(c.path(), i + 1, "block name " + quoted(name) +
                                       " is not in capitals: the game looks blocks up as " +
                                       quoted(capitals) + " and never finds this one");
    } else if (!seen.insert(name).second) {
      reportWarning(c.path(), i + 1, "block " + quoted(name) + " is defined again; the game only "
                                     "ever finds the first, on line " +
                                         std::to_string(c.script.blocks.at(name) + 1));
    }
  }
}

// The statistics section ends at the first line whose field 1 is empty.
void checkStatisticsSection(const ScriptCheck& c) {
  if (c.role == kRoleMarker) return;
  int end = 0;
  while (end < kScriptLineCount && c.script.keyword(end) != kScriptBlank) ++end;
  int firstBegin = c.firstBegin();
  for (int i = end + 1; i < kScriptLineCount; ++i) {
    ScriptKeyword keyword = c.script.keyword(i);
    bool lost = contains(kSectionOnlyStatistics, keyword) ||
                (i < firstBegin &&
                 (keyword == kScriptWidth || keyword == kScriptHeight || keyword == kScriptSetHp));
    if (lost)
      reportWarning(c.path(), i + 1, std::string(keywordText(keyword)) + " after the first empty line (line " +
                                         std::to_string(end + 1) +
                                         ") is not read: the statistics end there");
  }
}

// Opponents choose QUICKATTACK1 to QUICKATTACKn, n from the last ATTACKSAMOUNT line anywhere.
struct AttackCount {
  long long count = 0;  // 64 bits: a hostile count must not wrap into a small one
  int line = -1;        // index of the line that sets it, -1 when none does
};
AttackCount attackCount(const ScriptFlow& script) {
  AttackCount attacks;
  for (int i = 0; i < kScriptLineCount; ++i) {
    if (script.keyword(i) != kScriptAttacksAmount) continue;
    attacks.count = roundToInt(script.command(i).arg[0]);
    attacks.line = i;
  }
  return attacks;
}

// One letter put in, taken out, changed, or two neighbours swapped turns `a` into `b`.
bool oneEditApart(const std::string& a, const std::string& b) {
  const std::string& longer = a.size() >= b.size() ? a : b;
  const std::string& shorter = a.size() >= b.size() ? b : a;
  if (longer.size() - shorter.size() > 1) return false;
  size_t at = 0;
  while (at < shorter.size() && longer[at] == shorter[at]) ++at;
  if (longer.size() != shorter.size()) return longer.compare(at + 1, std::string::npos, shorter, at) == 0;
  if (at == longer.size()) return false;
  if (longer.compare(at + 1, std::string::npos, shorter, at + 1) == 0) return true;
  return at + 1 < longer.size() && longer[at] == shorter[at + 1] && longer[at + 1] == shorter[at] &&
         longer.compare(at + 2, std::string::npos, shorter, at + 2) == 0;
}

// The first BEGIN whose name is a slip for `wanted` (in capitals): one edit away, or the same
// letters in other capitals; -1 when there is none.
int nearMissBlock(const ScriptFlow& script, const std::string& wanted) {
  for (int i = 0; i < kScriptLineCount; ++i) {
    if (script.keyword(i) != kScriptBegin) continue;
    std::string name = capitalised(script.command(i).name);
    if (name == wanted || oneEditApart(name, wanted)) return i;
  }
  return -1;
}

// Reported where the blocks begin, since a missing block has no line of its own.
void requireBlock(const ScriptCheck& c, const std::string& name, const std::string& when) {
  if (c.script.blockAt(name) >= 0) return;
  int first = c.firstBegin();
  std::string message = "no block " + quoted(name) + ", which the game starts " + when;
  int slip = nearMissBlock(c.script, name);
  if (slip >= 0)
    message += "; did you mean " + quoted(c.script.command(slip).name) + " (line " +
               std::to_string(slip + 1) + ")?";
  reportError(c.path(), first < kScriptLineCount ? first + 1 : 0, message);
}

template <size_t N>
void requireBlocks(const ScriptCheck& c, const Animation (&animations)[N]) {
  for (const Animation& a : animations) requireBlock(c, a.name, a.when);
}

// A fighter drawn for the genre's moves has some of their blocks; it should have them all.
// One drawn without any fights on in the arcade as far as it can (a missing block keeps the one
// before it running).
void checkMoveBlocks(const ScriptCheck& c) {
  if (c.role != kRoleFighter) return;
  const Animation* present = nullptr;
  for (const Animation& a : kMoveAnimations)
    if (c.script.blockAt(a.name) >= 0) present = &a;
  if (present == nullptr) return;
  int first = c.firstBegin();
  for (const Animation& a : kMoveAnimations) {
    if (c.script.blockAt(a.name) >= 0) continue;
    reportWarning(c.path(), first < kScriptLineCount ? first + 1 : 0,
                  "no block " + quoted(a.name) + ", which the arcade starts " + a.when +
                      " (the script has " + quoted(present->name) + ", so it is drawn for the moves)");
  }
}

void checkRequiredBlocks(const ScriptCheck& c) {
  switch (c.role) {
    case kRoleFighter: {
      requireBlocks(c, kFighterAnimations);
      AttackCount attacks = attackCount(c.script);
      if (attacks.count < 0)
        reportError(c.path(), attacks.line + 1,
                    "ATTACKSAMOUNT " + std::to_string(attacks.count) +
                        " is negative: opponents then start attack blocks that cannot exist");
      // Past one block per line the missing ones cannot be written in at all: one finding
      // says so instead of one per number.
      if (attacks.count > kScriptLineCount)
        reportError(c.path(), attacks.line + 1,
                    "ATTACKSAMOUNT " + std::to_string(attacks.count) + " is more attacks than a "
                    "script of " + std::to_string(kScriptLineCount) + " lines can hold blocks for; "
                    "opponents start blocks that do not exist");
      long long required = attacks.count > kScriptLineCount ? 1 : std::max<long long>(attacks.count, 1);
      for (long long n = 1; n <= required; ++n)
        requireBlock(c, "QUICKATTACK" + std::to_string(n),
                     n == 1 ? std::string("for the first attack")
                            : "for attack " + std::to_string(n) + " (ATTACKSAMOUNT is " +
                                  std::to_string(attacks.count) + ")");
      break;
    }
    case kRoleObject: requireBlocks(c, kObjectAnimations); break;
    case kRoleEffects: requireBlocks(c, kEffectAnimations); break;
    case kRoleMarker: requireBlocks(c, kMarkerAnimations); break;
  }
}

std::string whyUnfinished(const BlockRun& run) {
  if (run.runsOff) return "it runs past the last line of the script";
  if (run.holdLine >= 0) return "it holds on the STOP of line " + std::to_string(run.holdLine + 1);
  return "it repeats for ever";
}

// Returns whether it reported, so that the block's other faults are not told twice.
bool requireFinish(const ScriptCheck& c, const std::string& name, const std::string& state) {
  int begin = c.script.blockAt(name);
  if (begin < 0) return false;
  BlockRun run = runBlock(c.script, begin);
  if (run.finishes || run.hangs) return false;
  reportError(c.path(), begin + 1,
              "block " + quoted(name) + " never reaches END or STOPFINISH (" + whyUnfinished(run) +
                  "); the game waits for it, so the fighter stays " + state + " for ever");
  return true;
}

void checkBlockEndings(const ScriptCheck& c) {
  std::set<std::string> unfinished;
  if (c.role == kRoleFighter) {
    for (const auto& [name, begin] : c.script.blocks)
      if (name.rfind("QUICKATTACK", 0) == 0 && requireFinish(c, name, "attacking"))
        unfinished.insert(name);
    for (const auto& [name, state] : kWaitedBlocks)
      if (requireFinish(c, name, state)) unfinished.insert(name);
  }
  for (const Animation& a : kEffectAnimations) {
    int begin = c.script.blockAt(a.name);
    if (c.role != kRoleEffects || begin < 0) continue;
    BlockRun run = runBlock(c.script, begin);
    if (!run.destroys && !run.hangs)
      reportError(c.path(), begin + 1, "block " + quoted(a.name) +
                                           " never reaches DESTROY: every such effect stays on "
                                           "the stage and fills the entity table");
  }
  for (const char* name : {"DAMAGE", "FALL"}) {
    int begin = c.script.blockAt(name);
    if (c.role != kRoleObject || begin < 0) continue;
    BlockRun run = runBlock(c.script, begin);
    if (run.dropsItem && !run.destroys && !run.hangs)
      reportWarning(c.path(), begin + 1,
                    "block " + quoted(name) + " leaves an item but the prop stays: every blow that "
                    "starts it leaves another (end it with DESTROY)");
  }
  int stationary = c.script.blockAt("STATIONARY");
  for (const char* name : {"DAMAGE", "FALL"}) {
    int begin = c.script.blockAt(name);
    if (c.role != kRoleObject || begin < 0 || stationary < 0) continue;
    BlockRun run = runBlock(c.script, begin);
    if (!run.entered.count(stationary) && !run.hangs && !run.destroys)
      reportWarning(c.path(), begin + 1,
                    "block " + quoted(name) + " never returns to STATIONARY; nothing else brings "
                    "a prop back (end it with ASSIGNANIMATION STATIONARY)");
  }
  for (const auto& [name, begin] : c.script.blocks) {
    BlockRun run = runBlock(c.script, begin);
    if (run.runsOff && !unfinished.count(name))
      reportWarning(c.path(), begin + 1, "block " + quoted(name) +
                                             " runs past the last line of the script without "
                                             "LOOPEND, END, STOP or STOPFINISH");
  }
}

// An ASSIGNANIMATION chain that comes back to a block before any tick-ending command makes
// one tick that never ends. Every such cycle passes through the start of some block.
void checkAssignCycles(const ScriptCheck& c) {
  std::set<int> reportedLines;
  for (const auto& [name, begin] : c.script.blocks) {
    std::vector<std::pair<int, int>> path = {{begin, -1}};  // (block begin, ASSIGNANIMATION line)
    int line = begin;
    while (++line < kScriptLineCount) {
      const ScriptCommand& command = c.script.command(line);
      if (command.endsTick) break;
      if (command.keyword != kScriptAssignAnimation) continue;
      int target = c.script.blockAt(command.name);
      if (target < 0) continue;
      size_t at = 0;
      while (at < path.size() && path[at].first != target) ++at;
      bool closes = at < path.size();
      path.push_back({target, line});
      if (closes) {
        int first = kScriptLineCount;
        for (size_t p = at + 1; p < path.size(); ++p) first = std::min(first, path[p].second);
        if (reportedLines.insert(first).second)
          reportError(c.path(), first + 1,
                      "ASSIGNANIMATION cycle with no LOOPEND, END, STOP or STOPFINISH on the way: "
                      "the animation spins through it for ever and shows nothing new");
        break;
      }
      line = target;
    }
  }
}

// The block each line belongs to (-1 before the first BEGIN).
std::vector<int> blockOfLines(const ScriptFlow& script) {
  std::vector<int> owner(kScriptLineCount, -1);
  int current = -1;
  for (int i = 0; i < kScriptLineCount; ++i) {
    if (script.keyword(i) == kScriptBegin) current = i;
    owner[i] = current;
  }
  return owner;
}

void checkCommands(const ScriptCheck& c, std::set<int>& shownFrames) {
  std::vector<int> owner = blockOfLines(c.script);
  for (int i = 0; i < kScriptLineCount; ++i) {
    const ScriptCommand& command = c.script.command(i);
    ScriptKeyword keyword = command.keyword;
    int line = i + 1;
    if (keyword == kScriptFrameSet) {
      int frame = roundToInt(command.arg[0]);
      shownFrames.insert(frame);
      if (c.sheet.listed && !c.sheet.isDefined(frame))
        reportError(c.path(), line, "FRAMESET " + std::to_string(frame) + ": frame " +
                                        std::to_string(frame) + " is not defined in " +
                                        shownPath(c.sprPath));
    } else if (keyword == kScriptPlayGameSound) {
      int slot = roundToInt(command.arg[0]);
      if (slot < 0 || slot >= kSoundSlots)
        reportError(c.path(), line, "sound slot " + std::to_string(slot) +
                                        " does not exist (slots are 0 to " +
                                        std::to_string(kSoundSlots - 1) + ")");
      else if (slot >= kStageSoundFiles)
        reportWarning(c.path(), line, "sound slot " + std::to_string(slot) + " never holds a sound (only " +
                                          soundEffectPath(0) + " to " + soundEffectPath(kStageSoundFiles - 1) +
                                          " are loaded); nothing plays");
    } else if (keyword == kScriptAssignAnimation || keyword == kScriptSetPhysicsControlAnim) {
      if (c.script.blockAt(command.name) < 0)
        reportWarning(c.path(), line, std::string(keywordText(keyword)) + " names " + quoted(command.name) +
                                          ", but the script has no such block");
    } else if (keyword == kScriptDropItem) {
      if (itemKindNamed(command.name) == kItemNone)
        reportError(c.path(), line, "DROPITEM names " + quoted(command.name) +
                                        ", which is no item (FOOD, FEAST, PIPE or KNIFE); nothing is left");
    } else if (keyword == kScriptComboAllowed && c.role == kRoleFighter && owner[i] >= 0) {
      std::string block = c.script.command(owner[i]).name;
      if (block.rfind("QUICKATTACK", 0) == 0) {
        int step = std::atoi(block.c_str() + 11);
        std::string next = "QUICKATTACK" + std::to_string(step + 1);
        if (step > 0 && c.script.blockAt(next) < 0)
          reportWarning(c.path(), line, "COMBOALLOWED in " + block + ", but there is no block " +
                                            quoted(next) + " for the combo to go on to");
      }
    }
    if (c.role == kRoleMarker && contains(kFighterCommands, keyword))
      reportWarning(c.path(), line, std::string(keywordText(keyword)) +
                                        " acts on a fighter; an overworld marker has none");
  }
}

// Frames the sheet defines that no FRAMESET shows, reported as runs of neighbours.
void checkUnusedFrames(const ScriptCheck& c, const std::set<int>& shownFrames) {
  if (!c.sheet.listed) return;
  int count = static_cast<int>(c.sheet.defined.size());
  for (int k = 0; k < count; ++k) {
    if (!c.sheet.defined[k] || shownFrames.count(k)) continue;
    int last = k;
    while (last + 1 < count && c.sheet.defined[last + 1] && !shownFrames.count(last + 1)) ++last;
    std::string frames = k == last ? "frame " + std::to_string(k)
                                   : "frames " + std::to_string(k) + " to " + std::to_string(last);
    reportWarning(shownPath(c.sprPath), k + 1,
                  frames + " never shown: no FRAMESET of " + c.path() + " names " +
                      (k == last ? "it" : "them"));
    k = last;
  }
}

}  // namespace

void forgetScripts() { checkedScripts.clear(); }

void checkScript(const std::string& scriptPath, ScriptRole role, const SheetInfo& sheet,
                 const std::string& sprPath, const std::string& whatLoadsIt) {
  std::string path = shownPath(scriptPath);
  if (!checkedScripts.insert({path, role}).second) return;
  if (!requireFile(path, whatLoadsIt + "; without it the entity has no animations")) return;
  const TextFile& file = textFile(path);
  checkLineShapes(path, file,
                  TextFormat{"script", keywordsOf(kScriptKeywords, kScriptKeywordInfoCount),
                             kScriptLineCount});

  ScriptFlow script = loadScriptFlow(file.lines);
  ScriptCheck c{script, role, sheet, sprPath, path};
  checkBlockNames(c);
  checkStatisticsSection(c);
  checkRequiredBlocks(c);
  checkMoveBlocks(c);
  checkAssignCycles(c);
  checkBlockEndings(c);
  std::set<int> shownFrames;
  checkCommands(c, shownFrames);
  checkUnusedFrames(c, shownFrames);
}
