#include "sim/animation.h"

#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "shell/platform.h"
#include "sim/entity.h"

namespace {

constexpr int kSubject = 5;  // an entity slot that is neither player

class Animation : public ::testing::Test {
 protected:
  void SetUp() override {
    platformHeadless = 1;
    entities[kSubject] = Entity{};
    entitySprites[kSubject] = SpriteSet{};
    currentEntity = kSubject;
    shakeY = 0;
  }
  Entity& entity() { return entities[kSubject]; }
  SpriteSet& sprite() { return entitySprites[kSubject]; }
  void load(const std::vector<std::string>& lines, const std::string& start) {
    writeScript(lines, sprite().script);
    startAnimation(sprite(), start);
  }
};

// ---- timing of blocks --------------------------------------------------------------------

TEST_F(Animation, SixLineStandBlockTickByTick) {
  load({"BEGIN STAND", "FRAMESET 0", "LOOPSTART 3", "LOOPEND", "FRAMESET 1", "END"}, "STAND");
  sprite().frame = 9;
  struct Tick { int frame, finished, loopDone, scriptLine; };
  const Tick ticks[] = {
      {0, 0, 1, 2},  // first pass of the loop; resume after LOOPSTART
      {0, 0, 2, 2},
      {0, 0, 0, 3},  // third pass clears the loop and goes on after LOOPEND
      {1, 1, 0, 0},  // END: finished, back to the BEGIN line
      {0, 1, 1, 2},  // starts over; finished stays set
  };
  for (int t = 0; t < 5; ++t) {
    stepAnimation(sprite());
    SCOPED_TRACE("tick " + std::to_string(t + 1));
    EXPECT_EQ(sprite().frame, ticks[t].frame);
    EXPECT_EQ(sprite().finished, ticks[t].finished);
    EXPECT_EQ(sprite().loopDone, ticks[t].loopDone);
    EXPECT_EQ(sprite().scriptLine, ticks[t].scriptLine);
  }
}

struct HoldCase {
  const char* name;
  std::vector<std::string> lines;
  int ticks;
  int frame;
  int finished;
  int scriptLine;
};

void PrintTo(const HoldCase& c, std::ostream* os) { *os << c.name; }

class AnimationHold : public Animation, public ::testing::WithParamInterface<HoldCase> {};

TEST_P(AnimationHold, EndsInTheExpectedState) {
  const HoldCase& c = GetParam();
  load(c.lines, "A");
  for (int t = 0; t < c.ticks; ++t) stepAnimation(sprite());
  EXPECT_EQ(sprite().frame, c.frame);
  EXPECT_EQ(sprite().finished, c.finished);
  EXPECT_EQ(sprite().scriptLine, c.scriptLine);
}

std::vector<std::string> blockEndingAtLastLine() {
  std::vector<std::string> lines(998);
  lines.push_back("BEGIN A");
  lines.push_back("FRAMESET 3");
  lines.push_back("FRAMESET 4");
  return lines;
}

INSTANTIATE_TEST_SUITE_P(
    Blocks, AnimationHold,
    ::testing::Values(
        HoldCase{"StopHoldsLastFrameForeverUnfinished",
                 {"BEGIN A", "FRAMESET 1", "FRAMESET 2", "STOP"}, 10, 2, 0, 2},
        HoldCase{"StopFinishHoldsAndFinishes",
                 {"BEGIN A", "FRAMESET 1", "FRAMESET 2", "STOPFINISH"}, 10, 2, 1, 2},
        HoldCase{"LoopStartFourHoldsFourTicks",
                 {"BEGIN A", "LOOPSTART 4", "FRAMESET 2", "LOOPEND", "FRAMESET 5", "STOP"},
                 4, 2, 0, 3},
        HoldCase{"LoopStartFourMovesOnInTheFifthTick",
                 {"BEGIN A", "LOOPSTART 4", "FRAMESET 2", "LOOPEND", "FRAMESET 5", "STOP"},
                 5, 5, 0, 4},
        HoldCase{"LoopCountZeroGivesOnePass",
                 {"BEGIN A", "LOOPSTART 0", "FRAMESET 2", "LOOPEND", "FRAMESET 5", "STOP"},
                 2, 5, 0, 4},
        HoldCase{"LoopEndWithoutLoopStartWaitsOneTick",
                 {"BEGIN A", "FRAMESET 2", "LOOPEND", "FRAMESET 5", "STOP"}, 1, 2, 0, 2},
        HoldCase{"InnerLoopStartReplacesOuterLoop",
                 {"BEGIN A", "LOOPSTART 5", "FRAMESET 1", "LOOPSTART 2", "FRAMESET 2", "LOOPEND",
                  "FRAMESET 3", "LOOPEND", "FRAMESET 4", "STOP"},
                 3, 3, 0, 7},
        HoldCase{"BlockWithoutEndRunsIntoTheNextBlock",
                 {"BEGIN A", "FRAMESET 1", "", "BEGIN B", "FRAMESET 2", "STOP"}, 1, 2, 0, 4},
        HoldCase{"RunningOffTheScriptHoldsAtLineThousand", blockEndingAtLastLine(), 3, 4, 0,
                 1000},
        HoldCase{"FrameOutsideTheTableIsKept", {"BEGIN A", "FRAMESET 600", "STOP"}, 1, 600, 0, 1},
        HoldCase{"FrameRoundsHalfToEven", {"BEGIN A", "FRAMESET 2.5", "STOP"}, 1, 2, 0, 1},
        HoldCase{"AssignAnimationGoesOnInTheSameTick",
                 {"BEGIN A", "FRAMESET 1", "ASSIGNANIMATION b", "STOP", "BEGIN B", "FRAMESET 7",
                  "STOP"},
                 1, 7, 0, 5},
        HoldCase{"AssignAnimationToMissingNameGoesOnWithNextLine",
                 {"BEGIN A", "FRAMESET 1", "ASSIGNANIMATION NOWHERE", "FRAMESET 3", "STOP"}, 1, 3,
                 0, 3},
        HoldCase{"UnknownKeywordsAndBlanksArePassedOver",
                 {"BEGIN A", "", "frameset 9", "WALKSPEED 3", " FRAMESET 8", "FRAMESET\t7",
                  "FRAMESET 2", "STOP"},
                 1, 2, 0, 6}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(Animation, AssignAnimationCycleEndsTheTickAfterOneScriptOfLines) {
  load({"BEGIN A", "SCREENSHAKEY 1", "ASSIGNANIMATION A"}, "A");
  stepAnimation(sprite());
  // 1001 lines: SCREENSHAKEY runs on every other one, starting with the first.
  EXPECT_EQ(shakeY, 501);
  stepAnimation(sprite());
  EXPECT_EQ(shakeY, 1001);  // the second tick starts on the ASSIGNANIMATION line
}

// ---- starting animations ------------------------------------------------------------------

struct StartCase {
  const char* name;
  std::vector<std::string> lines;
  const char* request;
  int beginLine;  // -1: not found
};

void PrintTo(const StartCase& c, std::ostream* os) { *os << c.name; }

class AnimationStart : public Animation, public ::testing::WithParamInterface<StartCase> {};

TEST_P(AnimationStart, FindsTheBlockByCapitals) {
  const StartCase& c = GetParam();
  writeScript(c.lines, sprite().script);
  sprite().scriptLine = sprite().beginLine = sprite().loopLine = 77;
  sprite().finished = 1;
  sprite().loopDone = 2;
  sprite().loopCount = 3;
  startAnimation(sprite(), c.request);
  int expected = c.beginLine < 0 ? 77 : c.beginLine;
  EXPECT_EQ(sprite().scriptLine, expected);
  EXPECT_EQ(sprite().beginLine, expected);
  EXPECT_EQ(sprite().loopLine, expected);
  EXPECT_EQ(sprite().animation, c.request);
  EXPECT_EQ(sprite().finished, 0);
  EXPECT_EQ(sprite().loopDone, 0);
  EXPECT_EQ(sprite().loopCount, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Names, AnimationStart,
    ::testing::Values(
        StartCase{"CapitalRequest", {"", "BEGIN QUICKATTACK1", "END"}, "QUICKATTACK1", 1},
        StartCase{"LowerCaseRequestIsUpperCased", {"", "BEGIN QUICKATTACK1"}, "quickattack1", 1},
        StartCase{"MixedCaseBeginIsNeverFound", {"BEGIN QuickAttack1"}, "QuickAttack1", -1},
        StartCase{"FirstOfTwoBlocksWins", {"BEGIN STAND", "STOP", "BEGIN STAND"}, "STAND", 0},
        StartCase{"MissingBlockKeepsLinesButResetsState", {"BEGIN STAND"}, "WALK", -1},
        StartCase{"BeginNeedsExactKeyword", {"begin STAND", " BEGIN STAND", "BEGIN STAND"},
                  "STAND", 2},
        StartCase{"NameMustMatchWholeField", {"BEGIN STANDING", "BEGIN STAND"}, "STAND", 1}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(Animation, StartRunsNoLine) {
  load({"BEGIN A", "FRAMESET 4", "STOP"}, "A");
  EXPECT_EQ(sprite().frame, 0);
  EXPECT_EQ(sprite().scriptLine, 0);
}

TEST_F(Animation, StartClearsTheHitListOfTheSpriteSetsOwner) {
  // Combat spawns sparks while the attacker is currentEntity: the spark's start must leave
  // the attacker's list alone.
  currentEntity = 0;
  entities[0].hitList[7] = 1;
  entities[3].hitList[7] = 1;
  entities[3].hitList[1000] = 1;
  startAnimation(entitySprites[3], "STAND");
  EXPECT_EQ(entities[3].hitList[7], 0);
  EXPECT_EQ(entities[3].hitList[1000], 0);
  EXPECT_EQ(entities[0].hitList[7], 1);
}

TEST_F(Animation, StartOfALooseSpriteSetClearsCurrentEntitysList) {
  SpriteSet loose{};
  currentEntity = 4;
  entities[4].hitList[2] = 1;
  startAnimation(loose, "STAND");
  EXPECT_EQ(entities[4].hitList[2], 0);
}

// ---- commands ------------------------------------------------------------------------------

struct CommandCase {
  const char* name;
  std::vector<std::string> block;  // lines after "BEGIN A"; a STOP is appended
  std::function<void(Entity&)> before;
  std::function<void(const Entity&, const SpriteSet&)> check;
};

void PrintTo(const CommandCase& c, std::ostream* os) { *os << c.name; }

class AnimationCommand : public Animation, public ::testing::WithParamInterface<CommandCase> {};

TEST_P(AnimationCommand, WritesTheEntity) {
  const CommandCase& c = GetParam();
  std::vector<std::string> lines{"BEGIN A"};
  lines.insert(lines.end(), c.block.begin(), c.block.end());
  lines.push_back("STOP");
  load(lines, "A");
  if (c.before) c.before(entity());
  stepAnimation(sprite());
  c.check(entity(), sprite());
}

void faceLeft(Entity& e) { e.facing = 1; e.x = 100; }
void faceRight(Entity& e) { e.facing = 0; e.x = 100; }

INSTANTIATE_TEST_SUITE_P(
    Commands, AnimationCommand,
    ::testing::Values(
        CommandCase{"SetXvFacingLeftIsNegative", {"SETXV 8"}, faceLeft,
                    [](const Entity& e, const SpriteSet&) { EXPECT_EQ(e.xv, -8); }},
        CommandCase{"SetXvFacingRightIsPositive", {"SETXV 8"}, faceRight,
                    [](const Entity& e, const SpriteSet&) { EXPECT_EQ(e.xv, 8); }},
        CommandCase{"MoveForwardFacingLeftMovesLeft", {"MOVEFORWARD 10"}, faceLeft,
                    [](const Entity& e, const SpriteSet&) { EXPECT_EQ(e.x, 90); }},
        CommandCase{"MoveForwardFacingRightMovesRight", {"MOVEFORWARD 10"}, faceRight,
                    [](const Entity& e, const SpriteSet&) { EXPECT_EQ(e.x, 110); }},
        CommandCase{"MoveForwardRoundsTheSumHalfToEven", {"MOVEFORWARD 2.5"},
                    [](Entity& e) { e.x = 11; },
                    [](const Entity& e, const SpriteSet&) { EXPECT_EQ(e.x, 14); }},
        CommandCase{"MoveForwardWrapsAtSixteenBits", {"MOVEFORWARD 1"},
                    [](Entity& e) { e.x = 32767; },
                    [](const Entity& e, const SpriteSet&) { EXPECT_EQ(e.x, -32768); }},
        CommandCase{"SetYvRoundsHalfToEven", {"SETYV 2.5"}, nullptr,
                    [](const Entity& e, const SpriteSet&) { EXPECT_EQ(e.yv, 2); }},
        CommandCase{"SetYvKeepsSixteenBits", {"SETYV 40000"}, nullptr,
                    [](const Entity& e, const SpriteSet&) { EXPECT_EQ(e.yv, 40000 - 65536); }},
        CommandCase{"AttackMidFillsPendingAttack", {"ATTACKMID 30 1 12.5"},
                    [](Entity& e) { e.attackKind = 3; },
                    [](const Entity& e, const SpriteSet&) {
                      EXPECT_EQ(e.attackPending, 1);
                      EXPECT_EQ(e.attackReach, 30);
                      EXPECT_EQ(e.hitEffect, 1);
                      EXPECT_EQ(e.attackDamage, 12);
                      EXPECT_EQ(e.attackKind, kAttackMid);
                    }},
        CommandCase{"AttackLowIsKindOne", {"ATTACKLOW 5 0 3"}, nullptr,
                    [](const Entity& e, const SpriteSet&) { EXPECT_EQ(e.attackKind, kAttackLow); }},
        CommandCase{"AttackKnockHighSetsKnockSpeeds", {"ATTACKKNOCKHIGH 20 0 40 6 12"}, nullptr,
                    [](const Entity& e, const SpriteSet&) {
                      EXPECT_EQ(e.attackKind, kAttackKnockHigh);
                      EXPECT_EQ(e.attackDamage, 40);
                      EXPECT_EQ(e.knockXv, 6);
                      EXPECT_EQ(e.knockYv, 12);
                    }},
        CommandCase{"AttackKnockLowIsKindThree", {"ATTACKKNOCKLOW 20 0 40 6 12"}, nullptr,
                    [](const Entity& e, const SpriteSet&) {
                      EXPECT_EQ(e.attackKind, kAttackKnockLow);
                    }},
        CommandCase{"BodySizeAndHitPointsAreCommands", {"WIDTH 60.5", "HEIGHT 90", "SETHP 12.5"},
                    nullptr,
                    [](const Entity& e, const SpriteSet& s) {
                      EXPECT_DOUBLE_EQ(s.bodyWidth, 60.5);
                      EXPECT_DOUBLE_EQ(s.bodyHeight, 90);
                      EXPECT_DOUBLE_EQ(e.hp, 12.5);
                    }},
        CommandCase{"DestroyLetsTheTickRunOn", {"DESTROY", "FRAMESET 6"},
                    [](Entity& e) { e.alive = 1; },
                    [](const Entity& e, const SpriteSet& s) {
                      EXPECT_EQ(e.alive, 0);
                      EXPECT_EQ(s.frame, 6);
                    }},
        CommandCase{"PhysicsControlMakesTheEntityJump", {"SETPHYSICSCONTROL 1"}, nullptr,
                    [](const Entity& e, const SpriteSet&) {
                      EXPECT_EQ(e.physicsOn, 1);
                      EXPECT_EQ(e.playerState, kPlayerAirborne);
                      EXPECT_EQ(e.aiState, kAiJumping);
                    }},
        CommandCase{"PhysicsControlAnimNamesTheLanding", {"SETPHYSICSCONTROLANIM 1 FALLLAND"},
                    [](Entity& e) { e.aiState = 2; },
                    [](const Entity& e, const SpriteSet&) {
                      EXPECT_EQ(e.physicsOn, 1);
                      EXPECT_EQ(e.landAnimation, "FALLLAND");
                      EXPECT_EQ(e.playerState, 9);
                      EXPECT_EQ(e.aiState, 2);
                    }},
        CommandCase{"ComboAllowed", {"COMBOALLOWED"}, nullptr,
                    [](const Entity& e, const SpriteSet&) { EXPECT_EQ(e.comboAllowed, 1); }}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(Animation, ScreenShakeAddsToTheGlobalShake) {
  load({"BEGIN A", "SCREENSHAKEY 4", "SCREENSHAKEY 3", "STOP"}, "A");
  shakeY = 2;
  stepAnimation(sprite());
  EXPECT_EQ(shakeY, 9);
}

TEST_F(Animation, AttackFollowedByStopIsLiveForOneTickOnly) {
  load({"BEGIN A", "ATTACKMID 30 0 10", "STOP"}, "A");
  stepAnimation(sprite());
  EXPECT_EQ(entity().attackPending, 1);
  entity().attackPending = 0;  // combat resolved it
  for (int t = 0; t < 3; ++t) stepAnimation(sprite());
  EXPECT_EQ(entity().attackPending, 0);
}

TEST_F(Animation, CommandsWriteIntoCurrentEntity) {
  // The play loop names the entity; the interpreter does not second-guess it.
  load({"BEGIN A", "SETHP 42", "STOP"}, "A");
  currentEntity = 6;
  entities[6].hp = 1;
  stepAnimation(sprite());
  EXPECT_DOUBLE_EQ(entities[6].hp, 42);
}

TEST_F(Animation, GameSoundOutsideTheSlotsPlaysNothing) {
  load({"BEGIN A", "PLAYGAMESOUND 21", "PLAYGAMESOUND -1", "STOP"}, "A");
  int before = nullSoundsPlayed;
  stepAnimation(sprite());
  EXPECT_EQ(nullSoundsPlayed, before);
}

TEST_F(Animation, EmptyScriptHoldsAtTheEnd) {
  // A sprite set that never read a script: nothing to run, and the step still returns.
  stepAnimation(sprite());
  EXPECT_EQ(sprite().scriptLine, 1000);
  EXPECT_EQ(sprite().frame, 0);
}

}  // namespace
