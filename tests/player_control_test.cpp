#include <gtest/gtest.h>

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

struct TickCase {
  const char* name;
  int walkSpeed, state, running, finished;
  std::vector<int> pressed, held;
  int x, y, xv, expectedState, facing;
  const char* animation;
};
class OneTick : public PlayerControl, public ::testing::WithParamInterface<TickCase> {};

TEST_P(OneTick, HandlersCascadeWithinTheTick) {
  const TickCase& c = GetParam();
  p1().walkSpeed = int16_t(c.walkSpeed), p1().playerState = c.state, p1().running = c.running;
  p1().leftTapTimer = 8;  // a left press runs
  entitySprites[0].finished = c.finished;
  poll(c.pressed, c.held);
  EXPECT_EQ(p1().x, c.x);
  EXPECT_EQ(p1().y, c.y);
  EXPECT_EQ(p1().xv, c.xv);
  EXPECT_EQ(p1().playerState, c.expectedState);
  EXPECT_EQ(p1().facing, c.facing);
  EXPECT_EQ(entitySprites[0].animation, c.animation);
}

INSTANTIATE_TEST_SUITE_P(Ticks, OneTick, ::testing::Values(
    TickCase{"FirstWalkTickStepsTwice", 5, 0, 0, 0, {}, {kLeft}, 190, 400, 0, 1, 1, "WALK"},
    TickCase{"FirstRunTickStepsFourTimes", 5, 0, 0, 0, {kLeft}, {}, 180, 400, 0, 1, 1, "RUN"},
    TickCase{"FirstDepthTickStepsTwice", 5, 0, 0, 0, {}, {kUp}, 200, 392, 0, 1, 1, "WALK"},
    TickCase{"DepthHalfRoundsDownToEven", 2, 1, 0, 0, {}, {kUp}, 200, 398, 0, 1, 1, ""},
    TickCase{"DepthHalfRoundsUpToEven", 2, 1, 0, 0, {}, {kDown}, 200, 402, 0, 1, 1, ""},
    TickCase{"JumpWithUpHeldWalksAndJumpsAgain", 5, 0, 0, 0, {kJump}, {kLeft, kUp}, 190, 392, -7, 2, 1, "JUMPSTART"},
    TickCase{"JumpInTheFirstWalkTickGoesStraightUp", 5, 0, 0, 0, {kJump}, {kRight}, 205, 400, 0, 2, 0, "JUMPSTART"},
    TickCase{"WalkingJump", 5, 1, 0, 0, {kJump}, {kLeft}, 195, 400, -7, 2, 1, "JUMPSTART"},
    TickCase{"RunningJumpLeavesAtOnce", 5, 1, 1, 0, {kJump}, {kRight}, 210, 400, 10, 3, 0, "JUMP"},
    TickCase{"AttackWhileRunning", 5, 1, 1, 0, {kAttack}, {kRight}, 210, 400, 0, 6, 0, "RUNATTACK"},
    TickCase{"LandingWithBothHeldFacesRight", 5, 4, 0, 1, {}, {kLeft, kRight}, 200, 400, 0, 1, 0, "WALK"}),
    [](const auto& i) { return std::string(i.param.name); });

struct TapCase { const char* name; int secondPressTick; bool runs; };
class DoubleTap : public PlayerControl, public ::testing::WithParamInterface<TapCase> {};

TEST_P(DoubleTap, SecondPressWithinFifteenTicksRuns) {
  poll({kLeft});
  for (int t = 1; t < GetParam().secondPressTick; ++t) poll({});
  poll({kLeft});
  EXPECT_EQ(p1().running, GetParam().runs ? 1 : 0);
  EXPECT_EQ(p1().leftTapTimer, GetParam().runs ? 0 : 15);
}

INSTANTIATE_TEST_SUITE_P(Taps, DoubleTap,
    ::testing::Values(TapCase{"FiveTicksLater", 5, true}, TapCase{"FourteenTicksLater", 14, true},
                      TapCase{"FifteenTicksLaterOpensANewWindow", 15, false}),
    [](const auto& i) { return std::string(i.param.name); });

struct ComboCase { const char* name; int comboAllowed, finished, state; const char* animation; };
class Combo : public PlayerControl, public ::testing::WithParamInterface<ComboCase> {};

TEST_P(Combo, AttackPressChainsOnlyThroughAnOpenWindow) {
  startAnimation(entitySprites[0], "QUICKATTACK1");
  p1().playerState = kPlayerAttacking, p1().comboStep = 1, p1().comboAllowed = GetParam().comboAllowed;
  entitySprites[0].finished = GetParam().finished;
  poll({kAttack});
  EXPECT_EQ(p1().playerState, GetParam().state);
  EXPECT_EQ(entitySprites[0].animation, GetParam().animation);
}

INSTANTIATE_TEST_SUITE_P(Presses, Combo,
    ::testing::Values(ComboCase{"BeforeComboAllowedNothing", 0, 0, 6, "QUICKATTACK1"},
                      ComboCase{"AfterComboAllowedChains", 1, 0, 6, "QUICKATTACK2"},
                      ComboCase{"InTheFinishingTickChainsWhileIdle", 1, 1, 0, "QUICKATTACK2"},
                      ComboCase{"FinishedWithoutAWindowStands", 0, 1, 0, "STAND"}),
    [](const auto& i) { return std::string(i.param.name); });

TEST_F(PlayerControl, KnockedOutPlayerDiesOnceItsFallFinishes) {
  p1().playerState = kPlayerHurt, p1().hp = 0;
  startAnimation(entitySprites[0], "FALLLAND");
  poll({});
  EXPECT_EQ(p1().playerState, kPlayerHurt);
  entitySprites[0].finished = 1;
  poll({});
  EXPECT_EQ(p1().playerState, kPlayerDead);
  EXPECT_EQ(entitySprites[0].animation, "DIE");
}

TEST_F(PlayerControl, PlayersPastTheBindingTableHaveNoControls) {
  playerCount = lastEntity = kBindPlayers + 1;
  placeFighter(kBindPlayers, 500, 400);
  poll({kLeft, kRight, kUp, kDown, kAttack, kJump});
  EXPECT_EQ(entities[kBindPlayers].x, 500);
  EXPECT_EQ(entities[kBindPlayers].playerState, kPlayerIdle);
}

TEST_F(PlayerControl, EscapeEndsTheProgramBeforeAnyoneMoves) {
  EXPECT_EXIT((poll({kKeyEscape}), std::exit(3)), ::testing::ExitedWithCode(0), "");
}

}  // namespace
