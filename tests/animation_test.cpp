#include "sim/animation.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "audio/sound.h"
#include "platform/null_platform.h"
#include "sim/entity.h"

namespace {

constexpr int kSubject = 5;  // neither player

class Animation : public ::testing::Test {
 protected:
  void SetUp() override {
    useNullPlatform(true);
    entities[kSubject] = Entity{};
    entitySprites[kSubject] = SpriteSet{};
    currentEntity = kSubject;
    shakeY = 0;
  }
  SpriteSet& sprite() { return entitySprites[kSubject]; }
  void run(const std::vector<std::string>& lines, const std::string& start, int ticks) {
    writeScript(lines, sprite().script);
    startAnimation(sprite(), start);
    for (int t = 0; t < ticks; ++t) stepAnimation(sprite());
  }
};

TEST_F(Animation, SixLineStandBlockTickByTick) {
  run({"BEGIN STAND", "FRAMESET 0", "LOOPSTART 3", "LOOPEND", "FRAMESET 1", "END"}, "STAND", 0);
  // frame, finished, scriptLine after ticks 1..5: three loop passes, END, and over again.
  const int expected[5][3] = {{0, 0, 2}, {0, 0, 2}, {0, 0, 3}, {1, 1, 0}, {0, 1, 2}};
  for (const auto& tick : expected) {
    stepAnimation(sprite());
    EXPECT_EQ(sprite().frame, tick[0]);
    EXPECT_EQ(sprite().finished, tick[1]);
    EXPECT_EQ(sprite().scriptLine, tick[2]);
  }
}

struct BlockCase {
  const char* name;
  std::vector<std::string> lines;  // started as "a"
  int ticks, frame, finished, scriptLine;
};
void PrintTo(const BlockCase& c, std::ostream* os) { *os << c.name; }
class AnimationBlock : public Animation, public ::testing::WithParamInterface<BlockCase> {};

TEST_P(AnimationBlock, EndsTheTicksWhereExpected) {
  const BlockCase& c = GetParam();
  run(c.lines, "a", c.ticks);
  EXPECT_EQ(sprite().frame, c.frame);
  EXPECT_EQ(sprite().finished, c.finished);
  EXPECT_EQ(sprite().scriptLine, c.scriptLine);
}

std::vector<std::string> blockAtTheEndOfTheScript() {
  std::vector<std::string> lines(998);
  lines.insert(lines.end(), {"BEGIN A", "FRAMESET 3", "FRAMESET 4"});
  return lines;
}

INSTANTIATE_TEST_SUITE_P(
    Blocks, AnimationBlock,
    ::testing::Values(
        BlockCase{"StopHoldsUnfinished", {"BEGIN A", "FRAMESET 2", "STOP"}, 9, 2, 0, 1},
        BlockCase{"StopFinishHoldsFinished", {"BEGIN A", "FRAMESET 2", "STOPFINISH"}, 9, 2, 1, 1},
        BlockCase{"InnerLoopReplacesOuter",
                  {"BEGIN A", "LOOPSTART 5", "LOOPSTART 2", "FRAMESET 2", "LOOPEND", "FRAMESET 3",
                   "LOOPEND", "STOP"}, 3, 3, 0, 6},
        BlockCase{"NoTerminatorRunsIntoNextBlock",
                  {"BEGIN A", "FRAMESET 1", "BEGIN B", "FRAMESET 2", "STOP"}, 1, 2, 0, 3},
        BlockCase{"OffTheScriptHoldsAtLastLine", blockAtTheEndOfTheScript(), 3, 4, 0, 1000},
        BlockCase{"AssignGoesOnInTheSameTick",
                  {"BEGIN A", "ASSIGNANIMATION b", "STOP", "BEGIN B", "FRAMESET 7", "STOP"}, 1, 7,
                  0, 4},
        BlockCase{"FrameOutsideTableIsKept", {"BEGIN A", "FRAMESET 600", "STOP"}, 1, 600, 0, 1},
        BlockCase{"OtherLinesDoNothing",
                  {"BEGIN A", "", "frameset 9", " FRAMESET 8", "WALKSPEED 3", "FRAMESET 2", "STOP"},
                  1, 2, 0, 5}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(Animation, AssignCycleRunsOneScriptOfLinesPerTick) {
  run({"BEGIN A", "SCREENSHAKEY 1", "ASSIGNANIMATION A"}, "A", 1);
  EXPECT_EQ(shakeY, 501);  // 1001 lines, every other one the shake
}

struct StartCase {
  const char* name;
  std::vector<std::string> lines;
  const char* request;
  int beginLine;  // 77: not found, the old block stays
};
void PrintTo(const StartCase& c, std::ostream* os) { *os << c.name; }
class AnimationStart : public Animation, public ::testing::WithParamInterface<StartCase> {};

TEST_P(AnimationStart, SearchesInCapitals) {
  const StartCase& c = GetParam();
  writeScript(c.lines, sprite().script);
  sprite().scriptLine = sprite().beginLine = sprite().loopLine = 77;
  sprite().finished = sprite().loopCount = 1;
  startAnimation(sprite(), c.request);
  EXPECT_EQ(sprite().scriptLine, c.beginLine);
  EXPECT_EQ(sprite().loopLine, c.beginLine);
  EXPECT_EQ(sprite().animation, c.request);
  EXPECT_EQ(sprite().finished + sprite().loopCount, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Names, AnimationStart,
    ::testing::Values(
        StartCase{"LowerCaseRequestFound", {"", "BEGIN QUICKATTACK1"}, "quickattack1", 1},
        StartCase{"MixedCaseBeginNeverFound", {"BEGIN QuickAttack1"}, "QuickAttack1", 77},
        StartCase{"MissingKeepsLinesResetsState", {"BEGIN STAND"}, "WALK", 77}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(Animation, StartClearsTheSpriteOwnersHitList) {
  currentEntity = 0;  // combat spawns a spark while the attacker runs
  entities[0].hitList.add(7);
  entities[3].hitList.add(1000);
  startAnimation(entitySprites[3], "SMALLSPARK");
  EXPECT_FALSE(entities[3].hitList.has(1000));
  EXPECT_TRUE(entities[0].hitList.has(7));
}

struct CommandCase {
  const char* name;
  const char* line;
  int facing;
  double (*read)(const Entity&);
  double expected;
};
void PrintTo(const CommandCase& c, std::ostream* os) { *os << c.name; }
class AnimationCommand : public Animation, public ::testing::WithParamInterface<CommandCase> {};

TEST_P(AnimationCommand, WritesTheEntity) {
  const CommandCase& c = GetParam();
  entities[kSubject].facing = c.facing;
  entities[kSubject].x = 11;
  run({"BEGIN A", c.line, "STOP"}, "A", 1);
  EXPECT_DOUBLE_EQ(c.read(entities[kSubject]), c.expected);
}

double readX(const Entity& e) { return e.x; }
double readXv(const Entity& e) { return e.xv; }

INSTANTIATE_TEST_SUITE_P(
    Commands, AnimationCommand,
    ::testing::Values(
        CommandCase{"SetXvFacingLeft", "SETXV 8", 1, readXv, -8},
        CommandCase{"MoveForwardFacingLeft", "MOVEFORWARD 10", 1, readX, 1},
        CommandCase{"MoveForwardRoundsSumHalfToEven", "MOVEFORWARD 2.5", 0, readX, 14},
        CommandCase{"MoveForwardWrapsSixteenBits", "MOVEFORWARD 32757", 0, readX, -32768},
        CommandCase{"KnockLowIsKindThree", "ATTACKKNOCKLOW 20 0 40 6 12", 0,
                    [](const Entity& e) -> double { return e.attackKind * 100 + e.knockYv; }, 312}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(Animation, AttackThenStopIsLiveForOneTick) {
  run({"BEGIN A", "ATTACKMID 30 0 10", "STOP"}, "A", 1);
  EXPECT_EQ(entities[kSubject].attackPending, 1);
  entities[kSubject].attackPending = 0;  // combat resolved it
  for (int t = 0; t < 3; ++t) stepAnimation(sprite());
  EXPECT_EQ(entities[kSubject].attackPending, 0);
}

TEST_F(Animation, GameSoundOutsideTheSlotsPlaysNothing) {
  loadSound(BRAWLER_TEST_DATA "/loaders/sound/0.wav", 0);
  const int before = nullSoundsPlayed;
  run({"BEGIN A", "PLAYGAMESOUND 21", "PLAYGAMESOUND -1", "PLAYGAMESOUND 0", "STOP"}, "A", 1);
  playRequestedSounds();
  EXPECT_EQ(nullSoundsPlayed - before, 1);
}

}  // namespace
