#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <tuple>

#include "shell/play_loop.h"
#include "sim_support.h"

using namespace simtest;

namespace {

// Player 1 at x 200, y 400, facing left, walk speed 5, no script: animations only finish
// when a test says so.
class PlayerControl : public ::testing::Test {
 protected:
  void SetUp() override {
    resetSim();
    lastEntity = 1;
    placeFighter(0, 200, 400).facing = 1;
  }
  Entity& p1() { return entities[0]; }
  void poll(const std::vector<int>& pressed, const std::vector<int>& held = {}) {
    keys(pressed, held);
    updatePlayers();
  }
};

TEST_F(PlayerControl, HandlersCascadeWithinOneTick) {
  const struct { const char* shows; int walkSpeed, state, running, finished;
                 std::vector<int> pressed, held; int x, y, xv, endState, facing; const char* animation; }
  cases[] = {
      {"first walk tick steps twice", 5, 0, 0, 0, {}, {kLeft}, 190, 400, 0, 1, 1, "WALK"},
      {"first run tick steps four times", 5, 0, 0, 0, {kLeft}, {}, 180, 400, 0, 1, 1, "RUN"},
      {"first depth tick steps twice", 5, 0, 0, 0, {}, {kUp}, 200, 392, 0, 1, 1, "WALK"},
      {"depth half rounds down to even", 2, 1, 0, 0, {}, {kUp}, 200, 398, 0, 1, 1, ""},
      {"depth half rounds up to even", 2, 1, 0, 0, {}, {kDown}, 200, 402, 0, 1, 1, ""},
      {"left and right in one poll: left only", 5, 0, 0, 0, {kLeft, kRight}, {}, 180, 400, 0, 1, 1, "RUN"},
      {"jump with up held walks and jumps again", 5, 0, 0, 0, {kJump}, {kLeft, kUp}, 190, 392, -7, 2, 1, "JUMPSTART"},
      {"jump in the first walk tick goes straight up", 5, 0, 0, 0, {kJump}, {kRight}, 205, 400, 0, 2, 0, "JUMPSTART"},
      {"walking jump", 5, 1, 0, 0, {kJump}, {kLeft}, 195, 400, -7, 2, 1, "JUMPSTART"},
      {"running jump leaves at once", 5, 1, 1, 0, {kJump}, {kRight}, 210, 400, 10, 3, 0, "JUMP"},
      {"attack while running", 5, 1, 1, 0, {kAttack}, {kRight}, 210, 400, 0, 6, 0, "RUNATTACK"},
      {"landing with both held faces right", 5, 4, 0, 1, {}, {kLeft, kRight}, 200, 400, 0, 1, 0, "WALK"},
      {"knocked out: dies once the fall finishes", 5, 7, 0, 1, {}, {}, 200, 400, 0, 9, 1, "DIE"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.shows);
    SetUp();
    p1().walkSpeed = int16_t(c.walkSpeed), p1().playerState = c.state, p1().running = c.running;
    p1().leftTapTimer = 8;  // inside the double-tap window
    p1().hp = c.state == kPlayerHurt ? 0 : 100;
    entitySprites[0].finished = c.finished;
    poll(c.pressed, c.held);
    EXPECT_EQ(std::vector<int>({p1().x, p1().y, p1().xv, p1().playerState, p1().facing}),
              std::vector<int>({c.x, c.y, c.xv, c.endState, c.facing}));
    EXPECT_EQ(entitySprites[0].animation, c.animation);
  }
}

TEST_F(PlayerControl, SecondTapWithinFifteenTicksRuns) {
  const struct { const char* shows; int secondTap; bool runs; } cases[] = {
      {"5 ticks later", 5, true}, {"14 ticks later", 14, true}, {"15 ticks later: new window", 15, false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.shows);
    SetUp();
    poll({kLeft});
    for (int t = 1; t < c.secondTap; ++t) poll({});
    poll({kLeft});
    EXPECT_EQ(p1().running, c.runs ? 1 : 0);
  }
}

TEST_F(PlayerControl, AttackPressChainsOnlyThroughAnOpenWindow) {
  const struct { const char* shows; int comboAllowed, finished, state; const char* animation; } cases[] = {
      {"before COMBOALLOWED: nothing", 0, 0, 6, "QUICKATTACK1"},
      {"after it: the next number", 1, 0, 6, "QUICKATTACK2"},
      {"in the finishing tick: chains while idle", 1, 1, 0, "QUICKATTACK2"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.shows);
    startAnimation(entitySprites[0], "QUICKATTACK1");
    p1().playerState = kPlayerAttacking, p1().comboStep = 1, p1().comboAllowed = c.comboAllowed;
    entitySprites[0].finished = c.finished;
    poll({kAttack});
    EXPECT_EQ(p1().playerState, c.state);
    EXPECT_EQ(entitySprites[0].animation, c.animation);
  }
}

TEST_F(PlayerControl, PlayersPastTheBindingTableHaveNoControls) {
  playerCount = lastEntity = kBindPlayers + 1;
  placeFighter(kBindPlayers, 500, 400);
  poll({kLeft, kRight, kUp, kDown, kAttack, kJump});
  EXPECT_EQ(entities[kBindPlayers].x, 500);
}

TEST_F(PlayerControl, EscapeStopsThePassAndTheTickEndsTheProgram) {
  keys({kKeyEscape}, {kLeft});
  EXPECT_TRUE(updatePlayers());
  EXPECT_EQ(p1().x, 200) << "nobody moves in the tick that leaves";
  EXPECT_EXIT((simulateTick(), std::exit(3)), ::testing::ExitedWithCode(0), "");
}

// The player step sees only the command row: one written by hand drives the same tick as one
// built from the key tables through the bindings.
TEST_F(PlayerControl, CommandRowDrivesTheSameTickAsTheKeyTables) {
  const std::map<int, PlayerAction> actionOf = {{kUp, kActionUp},       {kDown, kActionDown},
                                                {kLeft, kActionLeft},   {kRight, kActionRight},
                                                {kAttack, kActionAttack}, {kJump, kActionJump}};
  const struct { const char* shows; std::vector<int> pressed, held; } cases[] = {
      {"tap left", {kLeft}, {}},         {"walk right", {}, {kRight}},
      {"up and jump", {kJump}, {kUp}},   {"down and attack", {kAttack}, {kDown}},
      {"everything held", {}, {kUp, kDown, kLeft, kRight, kAttack, kJump}}};
  auto state = [&] {
    return std::make_tuple(p1().x, p1().y, p1().xv, p1().playerState, p1().facing,
                           entitySprites[0].animation);
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.shows);
    SetUp();
    keys(c.pressed, c.held);
    const PlayerCommand built = playerCommands[0];
    tick();
    const auto fromKeys = state();

    SetUp();
    PlayerCommand byHand{};
    for (int k : c.pressed) byHand.pressed[actionOf.at(k)] = byHand.held[actionOf.at(k)] = 1;
    for (int k : c.held) byHand.held[actionOf.at(k)] = 1;
    playerCommands[0] = byHand;
    tick();
    EXPECT_EQ(state(), fromKeys);
    EXPECT_EQ(std::memcmp(&built, &byHand, sizeof built), 0) << "the built row differs";
  }
}

}  // namespace
