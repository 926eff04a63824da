// The control-flow model that the checker and the pack's tests ask answers as the game's own
// interpreter runs: each case runs one block both ways.
#include "content/script_flow.h"

#include <gtest/gtest.h>

#include <ostream>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "platform/null_platform.h"
#include "sim/animation.h"
#include "sim/entity.h"

namespace {

constexpr int kOwner = 5;          // neither player
constexpr int kTickBound = 3000;   // past every case's longest loop

// What a run of the interpreter can show of a block: BlockRun without what it cannot see.
struct Outcome {
  bool finishes = false, destroys = false, runsOff = false;
  int holdLine = -1;
  std::set<int> entered;
  bool operator==(const Outcome& o) const {
    return std::tie(finishes, destroys, runsOff, holdLine, entered) ==
           std::tie(o.finishes, o.destroys, o.runsOff, o.holdLine, o.entered);
  }
};
void PrintTo(const Outcome& o, std::ostream* os) {
  *os << "finishes " << o.finishes << ", destroys " << o.destroys << ", runs off " << o.runsOff
      << ", holds on " << o.holdLine << ", enters " << ::testing::PrintToString(o.entered);
}

Outcome modelled(const std::vector<std::string>& lines) {
  ScriptFlow flow = loadScriptFlow(lines);
  BlockRun run = runBlock(flow, flow.blockAt("a"));
  return {run.finishes, run.destroys, run.runsOff, run.holdLine, run.entered};
}

// Steps the interpreter on a scratch sprite set until the block runs off the script or a tick
// changes nothing.
Outcome interpreted(const std::vector<std::string>& lines) {
  useNullPlatform(true);
  entities[kOwner] = Entity{};
  entities[kOwner].alive = 1;
  SpriteSet sprite{};
  writeScript(lines, sprite.script);
  startAnimation(kOwner, sprite, "a");
  auto state = [&] {
    return std::make_tuple(sprite.scriptLine, sprite.loopLine, sprite.beginLine, sprite.loopDone,
                           sprite.loopCount);
  };
  Outcome seen;
  for (int tick = 0; tick < kTickBound; ++tick) {
    auto before = state();
    stepAnimation(kOwner, sprite);
    seen.finishes |= sprite.finished == 1;
    seen.destroys |= entities[kOwner].alive == 0;
    if (sprite.beginLine != std::get<2>(before)) seen.entered.insert(sprite.beginLine);
    if (sprite.scriptLine == kScriptLineCount - 1) {
      seen.runsOff = true;
      break;
    }
    if (state() == before) {
      ScriptKeyword next = scriptCommand(sprite.script, sprite.scriptLine + 1).keyword;
      if (next == kScriptStop || next == kScriptStopFinish) seen.holdLine = sprite.scriptLine + 1;
      break;
    }
  }
  return seen;
}

struct FlowCase {
  const char* name;
  std::vector<std::string> lines;  // started as "a"
  Outcome shows;
};
void PrintTo(const FlowCase& c, std::ostream* os) { *os << c.name; }
class ScriptFlowModel : public ::testing::TestWithParam<FlowCase> {};

TEST_P(ScriptFlowModel, AnswersAsTheInterpreterRuns) {
  const FlowCase& c = GetParam();
  Outcome game = interpreted(c.lines);
  EXPECT_EQ(game, c.shows);
  EXPECT_EQ(modelled(c.lines), game);
}

INSTANTIATE_TEST_SUITE_P(
    Blocks, ScriptFlowModel,
    ::testing::Values(
        FlowCase{"EndsAndStartsOver",
                 {"BEGIN A", "FRAMESET 0", "LOOPSTART 3", "LOOPEND", "FRAMESET 1", "END"},
                 {true, false, false, -1, {}}},
        FlowCase{"HoldsOnStopAfterDestroy",
                 {"BEGIN A", "FRAMESET 0", "DESTROY", "STOP", "BEGIN B", "END"},
                 {false, true, false, 3, {}}},
        FlowCase{"CountsOffALongLoop",
                 {"BEGIN A", "LOOPSTART 1500", "FRAMESET 1", "LOOPEND", "STOPFINISH"},
                 {true, false, false, 4, {}}},
        FlowCase{"InnerLoopStartReplacesTheOuter",
                 {"BEGIN A", "LOOPSTART 7", "LOOPSTART 2", "LOOPEND", "LOOPEND", "STOP"},
                 {false, false, false, 5, {}}},
        FlowCase{"RunsOnIntoTheNextBlockAndOffTheScript",
                 {"BEGIN A", "FRAMESET 0", "BEGIN B", "FRAMESET 1"},
                 {false, false, true, -1, {}}},
        FlowCase{"AssignsTheBlockNamedInCapitals",
                 {"BEGIN A", "LOOPEND", "ASSIGNANIMATION b", "BEGIN b", "LOOPEND", "BEGIN B",
                  "FRAMESET 1", "STOP"},
                 {false, false, false, 7, {5}}},
        // The genre's moves' commands never end a tick, with their rule on or off.
        FlowCase{"MovesCommandsRunThrough",
                 {"BEGIN A", "INVINCIBLE 5", "ATTACKALLROUND 40 0 10 6 8", "DROPITEM FOOD",
                  "THROWHELD 20 8 10", "GRABS 1", "LOOPEND", "DESTROY", "STOP"},
                 {false, true, false, 8, {}}}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
