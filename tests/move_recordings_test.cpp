// The short recorded fights that each show one of the genre's moves, replayed under the arcade's
// rules as the replay tool replays them: each ends on the world its digest file names, and the
// players' tallies show that the move still happens in it. A change of content or rules that
// leaves a fight no longer showing its move fails here even when its digest was re-recorded.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <functional>
#include <sstream>
#include <string>

#include "base/fingerprint.h"
#include "base/whole_file.h"
#include "platform/null_platform.h"
#include "sim/entity.h"
#include "sim/game_state.h"
#include "sim/move_state.h"
#include "sim/recording.h"
#include "sim/world.h"
#include "stage_run.h"

namespace {

// What the fight showed: the tallies at its end, and player 1's health over it.
struct Seen {
  MoveTally p1, p2;
  double lowestHp, endHp;
};

struct MoveFight {
  const char* move;  // tests/replays/moves_MOVE.replay
  std::function<bool(const Seen&)> shown;
  const char* what;
};

class MoveRecordings : public ::testing::TestWithParam<MoveFight> {
 protected:
  void TearDown() override { gameRules = GameRules{}; }
};

// The digest the replay tool wrote for the fight's last tick.
std::string recordedEndDigest(const std::string& digestPath) {
  std::string text, word, last;
  if (!readWholeFile(digestPath, &text)) return "";
  std::istringstream lines(text);
  for (std::string line; std::getline(lines, line);)
    if (line.rfind("end ", 0) == 0) last = line;
  std::istringstream words(last);
  words >> word >> word >> word;
  return word;
}

TEST_P(MoveRecordings, EndsOnItsDigestAndShowsItsMove) {
  const MoveFight& c = GetParam();
  ASSERT_EQ(chdir(BRAWLER_CONTENT_DIR), 0);
  const std::string base = std::string(BRAWLER_REPLAYS) + "/moves_" + c.move;
  Recording r;
  std::string message;
  ASSERT_TRUE(loadRecording(base + ".replay", ".", &r, &message)) << message;
  ASSERT_EQ(r.rules, kArcadeRulesName);
  useNullPlatform(true);
  useRecordedRules(r);
  startRecordedStage(r.seed, r.world, r.stage);
  Seen seen{};
  seen.lowestHp = entities[0].hp;
  for (const TickInput& input : r.ticks) {
    headlessTick(input);
    seen.lowestHp = std::min(seen.lowestHp, entities[0].hp);
  }
  seen.p1 = moveTallies.player[0];
  seen.p2 = moveTallies.player[1];
  seen.endHp = entities[0].hp;
  const char* hint = "\n(after an intended change: tools/rerecord-replays, or with --moves when a fight no longer "
                     "shows its move)";
  EXPECT_EQ(hex64(worldDigest()), recordedEndDigest(base + ".digest")) << hint;
  EXPECT_TRUE(c.shown(seen)) << "the fight no longer shows " << c.what << hint;
}

INSTANTIATE_TEST_SUITE_P(
    Moves, MoveRecordings,
    ::testing::Values(
        MoveFight{"grab", [](const Seen& s) { return s.p1.grabs >= 1; }, "player 1 grabbing an opponent"},
        MoveFight{"knees", [](const Seen& s) { return s.p1.knees >= 3; }, "three knees on one held opponent"},
        MoveFight{"throw", [](const Seen& s) { return s.p1.throws >= 1 && s.p1.bowledOver >= 1; },
                  "a throw whose body bowls over another opponent"},
        MoveFight{"food", [](const Seen& s) { return s.p1.foodEaten >= 1 && s.endHp > s.lowestHp; },
                  "food eaten giving health back"},
        MoveFight{"pipe", [](const Seen& s) { return s.p1.weaponsTaken >= 1 && s.p1.weaponBlows >= 1; },
                  "a pipe taken and landing blows"},
        MoveFight{"knife",
                  [](const Seen& s) { return s.p1.weaponsTaken >= 1 && s.p1.knivesThrown >= 1 && s.p1.knifeHits >= 1; },
                  "a knife taken, thrown and striking"},
        MoveFight{"allround", [](const Seen& s) { return s.p1.specialsLanded >= 1; }, "a special that hits"},
        MoveFight{"breakfree",
                  [](const Seen& s) { return s.p1.timesHeld + s.p2.timesHeld >= 1 && s.p1.brokeFree + s.p2.brokeFree >= 1; },
                  "a player grabbed by an opponent mashing free"}),
    [](const auto& info) { return std::string(info.param.move); });

}  // namespace
