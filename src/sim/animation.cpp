#include "sim/animation.h"

#include "base/numbers.h"
#include "sim/entity.h"
#include "sim/moves.h"
#include "sim/sound_requests.h"

namespace {

// The entity the running step acts for: the design's "current entity". -1 between steps.
int32_t currentEntity = -1;

// A block without LOOPEND, END, STOP or STOPFINISH can run off the script, and an
// ASSIGNANIMATION can lead back into its own block; either way a tick has to end somewhere.
// One tick never executes more lines than a script holds.
constexpr int kLastScriptLine = kScriptLineCount - 1;
constexpr int kMaxLinesPerTick = kScriptLineCount;

// playerState of a scripted launch: physics lands it with landAnimation, not "LAND".
constexpr int32_t kScriptedLaunch = 9;

// Which commands end the tick is the keyword table's to say (kScriptKeywords), so that the
// control-flow model in content/script_flow.h cuts ticks where the game does.
using CommandHandler = void (*)(SpriteSet& sprite, Entity& entity, const ScriptCommand& command);

void runAssignAnimation(SpriteSet& sprite, Entity&, const ScriptCommand& c) {
  startAnimation(sprite, c.name);
}
void runWidth(SpriteSet& sprite, Entity&, const ScriptCommand& c) {
  sprite.bodyWidth = c.arg[0];
}
void runHeight(SpriteSet& sprite, Entity&, const ScriptCommand& c) {
  sprite.bodyHeight = c.arg[0];
}
void runLoopStart(SpriteSet& sprite, Entity&, const ScriptCommand& c) {
  sprite.loopCount = roundToInt(c.arg[0]);
  sprite.loopLine = sprite.scriptLine;
  sprite.loopDone = 0;
}
void runLoopEnd(SpriteSet& sprite, Entity&, const ScriptCommand&) {
  sprite.loopDone += 1;
  if (sprite.loopDone < sprite.loopCount) {
    sprite.scriptLine = sprite.loopLine;
  } else {
    sprite.loopDone = 0;
    sprite.loopCount = 0;
  }
}
void runFrameSet(SpriteSet& sprite, Entity&, const ScriptCommand& c) {
  sprite.frame = roundToInt(c.arg[0]);
}
void runEnd(SpriteSet& sprite, Entity&, const ScriptCommand&) {
  sprite.finished = 1;
  sprite.scriptLine = sprite.beginLine;
}
void runStop(SpriteSet& sprite, Entity&, const ScriptCommand&) {
  sprite.scriptLine -= 1;
}
void runStopFinish(SpriteSet& sprite, Entity&, const ScriptCommand&) {
  sprite.scriptLine -= 1;
  sprite.finished = 1;
}

void setAttack(Entity& e, const ScriptCommand& c, int kind) {
  e.attackPending = 1;
  e.attackReach = roundToInt(c.arg[0]);
  e.hitEffect = roundToInt(c.arg[1]);
  e.attackDamage = roundToInt(c.arg[2]);
  e.attackKind = kind;
}
void setKnockAttack(Entity& e, const ScriptCommand& c, int kind) {
  setAttack(e, c, kind);
  e.knockXv = roundToInt(c.arg[3]);
  e.knockYv = roundToInt(c.arg[4]);
}
void runAttackMid(SpriteSet&, Entity& e, const ScriptCommand& c) {
  setAttack(e, c, kAttackMid);
}
void runAttackLow(SpriteSet&, Entity& e, const ScriptCommand& c) {
  setAttack(e, c, kAttackLow);
}
void runAttackKnockHigh(SpriteSet&, Entity& e, const ScriptCommand& c) {
  setKnockAttack(e, c, kAttackKnockHigh);
}
void runAttackKnockLow(SpriteSet&, Entity& e, const ScriptCommand& c) {
  setKnockAttack(e, c, kAttackKnockLow);
}
void runComboAllowed(SpriteSet&, Entity& e, const ScriptCommand&) {
  e.comboAllowed = 1;
}
void runDestroy(SpriteSet&, Entity& e, const ScriptCommand&) {
  e.alive = 0;
}
// Forward is +x when facing right (0) and -x when facing left (1).
double forward(const Entity& e, double amount) { return e.facing == kFacingLeft ? -amount : amount; }
void runMoveForward(SpriteSet&, Entity& e, const ScriptCommand& c) {
  e.x = roundToInt16(e.x + forward(e, c.arg[0]));
}
void runScreenShakeY(SpriteSet&, Entity&, const ScriptCommand& c) {
  shakeY = roundToInt(shakeY + c.arg[0]);
}
void runSetPhysicsControl(SpriteSet&, Entity& e, const ScriptCommand& c) {
  e.physicsOn = roundToInt(c.arg[0]);
  e.playerState = kPlayerAirborne;
  e.aiState = kAiJumping;
}
void runSetPhysicsControlAnim(SpriteSet&, Entity& e, const ScriptCommand& c) {
  e.physicsOn = roundToInt(c.arg[0]);
  e.landAnimation = c.name;
  e.playerState = kScriptedLaunch;
}
void runSetXv(SpriteSet&, Entity& e, const ScriptCommand& c) {
  e.xv = roundToInt16(forward(e, c.arg[0]));
}
void runSetYv(SpriteSet&, Entity& e, const ScriptCommand& c) {
  e.yv = roundToInt16(c.arg[0]);
}
void runSetHp(SpriteSet&, Entity& e, const ScriptCommand& c) {
  e.hp = c.arg[0];
}
void runPlayGameSound(SpriteSet&, Entity&, const ScriptCommand& c) {
  requestSound(roundToInt(c.arg[0]));
}
// The genre's moves: with the house rule off the line passes as an unknown one would.
void runGenreMove(SpriteSet&, Entity&, const ScriptCommand& c) {
  runMoveCommand(currentEntity, c);
}

struct CommandEntry {
  ScriptKeyword keyword;
  CommandHandler run;
};

const CommandEntry kCommands[] = {
    {kScriptAssignAnimation, runAssignAnimation},
    {kScriptWidth, runWidth},
    {kScriptHeight, runHeight},
    {kScriptLoopStart, runLoopStart},
    {kScriptLoopEnd, runLoopEnd},
    {kScriptFrameSet, runFrameSet},
    {kScriptEnd, runEnd},
    {kScriptStop, runStop},
    {kScriptStopFinish, runStopFinish},
    {kScriptAttackMid, runAttackMid},
    {kScriptAttackLow, runAttackLow},
    {kScriptAttackKnockHigh, runAttackKnockHigh},
    {kScriptAttackKnockLow, runAttackKnockLow},
    {kScriptComboAllowed, runComboAllowed},
    {kScriptDestroy, runDestroy},
    {kScriptMoveForward, runMoveForward},
    {kScriptScreenShakeY, runScreenShakeY},
    {kScriptSetPhysicsControl, runSetPhysicsControl},
    {kScriptSetPhysicsControlAnim, runSetPhysicsControlAnim},
    {kScriptSetXv, runSetXv},
    {kScriptSetYv, runSetYv},
    {kScriptSetHp, runSetHp},
    {kScriptPlayGameSound, runPlayGameSound},
    {kScriptGrabbable, runGenreMove},
    {kScriptGrabs, runGenreMove},
    {kScriptAttackHeld, runGenreMove},
    {kScriptThrowHeld, runGenreMove},
    {kScriptAttackAllRound, runGenreMove},
    {kScriptInvincible, runGenreMove},
    {kScriptDropItem, runGenreMove},
    {kScriptAttackWeapon, runGenreMove},
    {kScriptThrowWeapon, runGenreMove},
};

// The same table indexed by keyword code; lines that are no command find nullptr.
struct HandlerIndex {
  CommandHandler byKeyword[kScriptKeywordCount] = {};
  HandlerIndex() {
    for (const CommandEntry& entry : kCommands) byKeyword[entry.keyword] = entry.run;
  }
};
const HandlerIndex kHandlers;

void upperCase(std::string& text) {
  for (char& c : text)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
}

}  // namespace

int animationOwner(const SpriteSet& sprite) {
  const SpriteSet* first = entitySprites;
  if (&sprite >= first && &sprite < first + kEntityCount) return static_cast<int>(&sprite - first);
  return currentEntity;
}

namespace {

// The line of the BEGIN that names `name` in capitals, or -1.
int beginLineOf(const SpriteSet& sprite, const std::string& name) {
  std::string wanted = name;
  upperCase(wanted);
  for (int i = 0; i < kScriptLineCount; ++i) {
    const ScriptCommand& c = scriptCommand(sprite.script, i);
    if (c.keyword == kScriptBegin && c.name == wanted) return i;
  }
  return -1;
}

}  // namespace

bool hasAnimation(const SpriteSet& sprite, const std::string& name) { return beginLineOf(sprite, name) >= 0; }

void startAnimation(int32_t owner, SpriteSet& sprite, const std::string& name) {
  sprite.animation = name;
  sprite.loopDone = 0;
  sprite.loopCount = 0;
  sprite.finished = 0;
  if (owner >= 0 && owner < kEntityCount) entities[owner].hitList.clear();

  const int begin = beginLineOf(sprite, name);
  if (begin < 0) return;
  sprite.scriptLine = begin;
  sprite.loopLine = begin;
  sprite.beginLine = begin;
}

void startAnimation(SpriteSet& sprite, const std::string& name) {
  startAnimation(animationOwner(sprite), sprite, name);
}

void stepAnimation(int32_t owner, SpriteSet& sprite) {
  if (owner < 0 || owner >= kEntityCount) return;
  // The step's ASSIGNANIMATION lines start blocks on behalf of the same entity.
  const int32_t outer = currentEntity;
  currentEntity = owner;
  Entity& entity = entities[owner];
  for (int executed = 0; executed < kMaxLinesPerTick; ++executed) {
    // Past the last line there is nothing to run: the frame holds until another animation starts.
    if (sprite.scriptLine >= kLastScriptLine || sprite.scriptLine < -1) break;
    sprite.scriptLine += 1;
    const ScriptCommand& command = scriptCommand(sprite.script, sprite.scriptLine);
    CommandHandler run = kHandlers.byKeyword[command.keyword];
    if (run) run(sprite, entity, command);
    if (command.endsTick) break;
  }
  currentEntity = outer;
}
