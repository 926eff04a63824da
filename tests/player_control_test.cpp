#include <gtest/gtest.h>

#include <vector>

#include "sim_support.h"

using namespace simtest;

namespace {

// Player 1 alone at x 200, y 400, walk speed 5, body 60 by 150; no scripts, so started
// animations never finish unless a test says so.
class PlayerControl : public ::testing::Test {
 protected:
  void SetUp() override {
    resetSim();
    lastEntity = 1;
    placeFighter(0, 200, 400);
  }
  Entity& p1() { return entities[0]; }
  const std::string& animation() { return entitySprites[0].animation; }
  // One poll with the given keys down (held and newly pressed) and others only held.
  void pollWith(std::vector<int> pressedKeys, std::vector<int> heldKeys = {}) {
    clearKeys();
    for (int k : pressedKeys) press(k);
    for (int k : heldKeys) hold(k);
    updatePlayers();
  }
};

TEST_F(PlayerControl, FirstWalkingTickMovesTwoStepsThenOne) {
  pollWith({kLeft});
  EXPECT_EQ(p1().x, 190);
  EXPECT_EQ(p1().playerState, kPlayerMoving);
  EXPECT_EQ(p1().facing, 1);
  EXPECT_EQ(animation(), "WALK");
  pollWith({}, {kLeft});
  EXPECT_EQ(p1().x, 185);
}

TEST_F(PlayerControl, FirstRunningTickMovesFourSteps) {
  p1().rightTapTimer = 8;
  pollWith({kRight});
  EXPECT_EQ(p1().x, 220);
  EXPECT_EQ(p1().running, 1);
  EXPECT_EQ(p1().rightTapTimer, 0);
  EXPECT_EQ(animation(), "RUN");
  pollWith({}, {kRight});
  EXPECT_EQ(p1().x, 230);
}

struct DepthCase {
  const char* name;
  int walkSpeed;
  int key;
  bool fromIdle;
  int expectedY;
};

class DepthStep : public PlayerControl, public ::testing::WithParamInterface<DepthCase> {};

TEST_P(DepthStep, MovesThreeQuartersOfWalkSpeedRoundedHalfToEven) {
  const DepthCase& c = GetParam();
  p1().walkSpeed = static_cast<int16_t>(c.walkSpeed);
  if (!c.fromIdle) p1().playerState = kPlayerMoving;
  pollWith({}, {c.key});
  EXPECT_EQ(p1().y, c.expectedY);
}

INSTANTIATE_TEST_SUITE_P(
    Steps, DepthStep,
    ::testing::Values(DepthCase{"UpOneStep", 5, kUp, false, 396},
                      DepthCase{"DownOneStep", 5, kDown, false, 404},
                      DepthCase{"UpFirstTickTakesTwoSteps", 5, kUp, true, 392},
                      DepthCase{"HalfRoundsDownToEven", 2, kUp, false, 398},
                      DepthCase{"HalfRoundsUpToEven", 2, kDown, false, 402}),
    [](const auto& info) { return std::string(info.param.name); });

struct TapCase {
  const char* name;
  int secondPressTick;
  bool runs;
};

class DoubleTap : public PlayerControl, public ::testing::WithParamInterface<TapCase> {};

TEST_P(DoubleTap, SecondPressWithinFifteenTicksRuns) {
  const TapCase& c = GetParam();
  pollWith({kLeft});  // tick 0: opens the window and walks
  for (int t = 1; t < c.secondPressTick; ++t) pollWith({});
  EXPECT_EQ(p1().playerState, kPlayerIdle);
  const int x = p1().x;
  pollWith({kLeft});
  EXPECT_EQ(p1().running, c.runs ? 1 : 0);
  EXPECT_EQ(animation(), c.runs ? "RUN" : "WALK");
  EXPECT_EQ(p1().x, x - (c.runs ? 20 : 10));
  EXPECT_EQ(p1().leftTapTimer, c.runs ? 0 : 15);
}

INSTANTIATE_TEST_SUITE_P(
    Taps, DoubleTap,
    ::testing::Values(TapCase{"FiveTicksLaterRuns", 5, true},
                      TapCase{"FourteenTicksLaterRuns", 14, true},
                      TapCase{"FifteenTicksLaterOpensANewWindow", 15, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(PlayerControl, LeftAndRightInOnePollOnlyTapLeft) {
  pollWith({kLeft, kRight});
  EXPECT_EQ(p1().leftTapTimer, 15);
  EXPECT_EQ(p1().rightTapTimer, 0);
  EXPECT_EQ(p1().facing, 1);
  EXPECT_EQ(p1().x, 190);
}

TEST_F(PlayerControl, TapTimersRunDownToZero) {
  p1().leftTapTimer = 1;
  p1().rightTapTimer = 0;
  pollWith({});
  EXPECT_EQ(p1().leftTapTimer, 0);
  EXPECT_EQ(p1().rightTapTimer, 0);
}

// Idle handler: walk left, jump, then up sets moving again; the moving handler walks and jumps
// once more with the walking jump speed.
TEST_F(PlayerControl, IdleJumpThenUpCascadesIntoAWalkingJump) {
  pollWith({kJump}, {kLeft, kUp});
  EXPECT_EQ(p1().playerState, kPlayerJumpStart);
  EXPECT_EQ(animation(), "JUMPSTART");
  EXPECT_EQ(p1().xv, -7);
  EXPECT_EQ(p1().x, 190);
  EXPECT_EQ(p1().y, 392);
}

TEST_F(PlayerControl, StandingJumpWaitsForJumpStartToFinish) {
  pollWith({kJump});
  EXPECT_EQ(p1().playerState, kPlayerJumpStart);
  EXPECT_EQ(p1().physicsOn, 0);
  entitySprites[0].finished = 1;
  pollWith({});
  EXPECT_EQ(p1().playerState, kPlayerAirborne);
  EXPECT_EQ(animation(), "JUMP");
  EXPECT_EQ(p1().yv, 20);
  EXPECT_EQ(p1().xv, 0);
  EXPECT_EQ(p1().physicsOn, 1);
}

struct MovingJumpCase {
  const char* name;
  int running;
  int key;
  int expectedXv;
};

class MovingJump : public PlayerControl, public ::testing::WithParamInterface<MovingJumpCase> {};

TEST_P(MovingJump, SpeedDependsOnWalkOrRun) {
  const MovingJumpCase& c = GetParam();
  p1().playerState = kPlayerMoving;
  p1().running = c.running;
  pollWith({kJump}, {c.key});
  EXPECT_EQ(p1().xv, c.expectedXv);
  // A run leaves the ground in the same tick.
  EXPECT_EQ(p1().playerState, c.running ? kPlayerAirborne : kPlayerJumpStart);
  EXPECT_EQ(p1().physicsOn, c.running);
}

INSTANTIATE_TEST_SUITE_P(
    Jumps, MovingJump,
    ::testing::Values(MovingJumpCase{"WalkingLeft", 0, kLeft, -7},
                      MovingJumpCase{"WalkingRight", 0, kRight, 7},
                      MovingJumpCase{"RunningLeft", 1, kLeft, -10},
                      MovingJumpCase{"RunningRight", 1, kRight, 10}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(PlayerControl, TakeOffSpeedIsTheLowSixteenBitsOfJumpHeight) {
  p1().jumpHeight = 65536 + 20;
  p1().playerState = kPlayerMoving;
  p1().running = 1;
  pollWith({kJump}, {kRight});
  EXPECT_EQ(p1().yv, 20);
}

TEST_F(PlayerControl, AttackWhileRunningIsARunAttack) {
  p1().playerState = kPlayerMoving;
  p1().running = 1;
  pollWith({kAttack}, {kRight});
  EXPECT_EQ(animation(), "RUNATTACK");
  EXPECT_EQ(p1().playerState, kPlayerAttacking);
  EXPECT_EQ(p1().comboStep, 1);
}

TEST_F(PlayerControl, ReleasingEveryDirectionStands) {
  p1().playerState = kPlayerMoving;
  p1().running = 1;
  pollWith({});
  EXPECT_EQ(p1().running, 0);
  EXPECT_EQ(p1().playerState, kPlayerIdle);
  EXPECT_EQ(animation(), "STAND");
}

TEST_F(PlayerControl, OneJumpAttackPerJump) {
  p1().playerState = kPlayerAirborne;
  startAnimation(entitySprites[0], "JUMP");
  pollWith({kAttack});
  EXPECT_EQ(animation(), "JUMPATTACK");
  entitySprites[0].finished = 1;
  pollWith({kAttack});
  EXPECT_EQ(entitySprites[0].finished, 1) << "a second press must not restart the attack";
}

struct LandingCase {
  const char* name;
  std::vector<int> held;
  int state;
  int facing;
  const char* animation;
};

class Landing : public PlayerControl, public ::testing::WithParamInterface<LandingCase> {};

TEST_P(Landing, FinishedLandingStandsOrWalks) {
  const LandingCase& c = GetParam();
  p1().playerState = kPlayerLanding;
  p1().facing = 1;
  entitySprites[0].finished = 1;
  pollWith({}, c.held);
  EXPECT_EQ(p1().playerState, c.state);
  EXPECT_EQ(p1().facing, c.facing);
  EXPECT_EQ(animation(), c.animation);
}

INSTANTIATE_TEST_SUITE_P(
    Landings, Landing,
    ::testing::Values(LandingCase{"NothingHeldStands", {}, kPlayerIdle, 1, "STAND"},
                      LandingCase{"LeftHeldWalksLeft", {kLeft}, kPlayerMoving, 1, "WALK"},
                      LandingCase{"BothHeldFacesRight", {kLeft, kRight}, kPlayerMoving, 0, "WALK"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(PlayerControl, AttackPressedBeforeComboAllowedDoesNothing) {
  pollWith({kAttack});
  EXPECT_EQ(animation(), "QUICKATTACK1");
  EXPECT_EQ(p1().playerState, kPlayerAttacking);
  pollWith({kAttack});
  EXPECT_EQ(animation(), "QUICKATTACK1");
  EXPECT_EQ(p1().comboStep, 1);
}

TEST_F(PlayerControl, ComboAllowedChainsTheNextNumberedAttack) {
  p1().playerState = kPlayerAttacking;
  p1().comboStep = 9;
  p1().comboAllowed = 1;
  pollWith({kAttack});
  EXPECT_EQ(animation(), "QUICKATTACK10");
  EXPECT_EQ(p1().comboStep, 10);
  EXPECT_EQ(p1().comboAllowed, 0);
  EXPECT_EQ(p1().playerState, kPlayerAttacking);
}

TEST_F(PlayerControl, ComboPressedInTheFinishingTickPlaysWhileIdle) {
  p1().playerState = kPlayerAttacking;
  p1().comboStep = 1;
  p1().comboAllowed = 1;
  entitySprites[0].finished = 1;
  pollWith({kAttack});
  EXPECT_EQ(p1().playerState, kPlayerIdle);
  EXPECT_EQ(animation(), "QUICKATTACK2");
}

TEST_F(PlayerControl, ComboWindowClosesOutsideAttacks) {
  p1().comboAllowed = 1;
  pollWith({});
  EXPECT_EQ(p1().comboAllowed, 0);
}

TEST_F(PlayerControl, RecoversFromALightHit) {
  p1().playerState = kPlayerHurt;
  p1().down = 1;
  startAnimation(entitySprites[0], "HIGHDAMAGE");
  entitySprites[0].finished = 1;
  pollWith({});
  EXPECT_EQ(p1().playerState, kPlayerIdle);
  EXPECT_EQ(p1().down, 0);
  EXPECT_EQ(animation(), "STAND");
}

TEST_F(PlayerControl, GetsUpAfterAFallAndStaysHurtUntilUp) {
  p1().playerState = kPlayerHurt;
  startAnimation(entitySprites[0], "FALLLAND");
  entitySprites[0].finished = 1;
  pollWith({});
  EXPECT_EQ(animation(), "GETUP");
  EXPECT_EQ(p1().down, 1);
  EXPECT_EQ(p1().playerState, kPlayerHurt);
}

TEST_F(PlayerControl, KnockedOutPlayerDiesOnlyOnceItsFallFinishes) {
  p1().playerState = kPlayerHurt;
  p1().hp = 0;
  startAnimation(entitySprites[0], "FALLLAND");
  pollWith({});
  EXPECT_EQ(p1().playerState, kPlayerHurt);
  EXPECT_EQ(animation(), "FALLLAND");
  entitySprites[0].finished = 1;
  pollWith({});
  EXPECT_EQ(p1().playerState, kPlayerDead);
  EXPECT_EQ(p1().down, 1);
  EXPECT_EQ(animation(), "DIE");
  // Dead players take no input.
  pollWith({kLeft, kAttack});
  EXPECT_EQ(p1().x, 200);
  EXPECT_EQ(animation(), "DIE");
}

TEST_F(PlayerControl, AirborneKnockedOutPlayerDoesNotDieYet) {
  p1().playerState = kPlayerAirborne;
  p1().physicsOn = 1;
  p1().hp = -5;
  pollWith({});
  EXPECT_EQ(p1().playerState, kPlayerAirborne);
}

TEST_F(PlayerControl, MirrorsIntoTheSpriteAndHoldsOnTheFloorBand) {
  floorBand = 200;  // foot lines 568..768
  p1().facing = 1;
  p1().z = 30;
  p1().y = 300;
  p1().playerState = kPlayerAirborne;
  pollWith({});
  EXPECT_EQ(entitySprites[0].flip, 1);
  EXPECT_EQ(entitySprites[0].x, 200);
  EXPECT_EQ(entitySprites[0].y, 270) << "drawn where it was before the hold";
  EXPECT_EQ(p1().footY, 450);
  EXPECT_EQ(p1().y, 418);
}

TEST_F(PlayerControl, EveryPlayerTakesItsOwnBindings) {
  placeFighter(1, 500, 400);
  bindLeft[1] = 300;
  pollWith({300});
  EXPECT_EQ(entities[1].x, 490);
  EXPECT_EQ(p1().x, 200);
  EXPECT_EQ(currentEntity, 1);
}

TEST_F(PlayerControl, PlayersPastTheBindingTableHaveNoControls) {
  playerCount = kBindPlayers + 1;
  lastEntity = kBindPlayers;
  placeFighter(kBindPlayers, 500, 400);
  pollWith({kLeft, kRight, kUp, kDown, kAttack, kJump});
  EXPECT_EQ(entities[kBindPlayers].x, 500);
  EXPECT_EQ(entities[kBindPlayers].y, 400);
  EXPECT_EQ(entities[kBindPlayers].playerState, kPlayerIdle);
}

TEST_F(PlayerControl, EscapeEndsTheProgramBeforeAnyoneMoves) {
  EXPECT_EXIT(
      {
        pollWith({kKeyEscape, kLeft});
        std::exit(3);
      },
      ::testing::ExitedWithCode(0), "");
}

}  // namespace
