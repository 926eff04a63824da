// Whole ticks in the play loop's order, driven by scripts and a seeded generator.
#include <gtest/gtest.h>

#include <set>

#include "sim_support.h"

using namespace simtest;

namespace {

constexpr int kFoe = 2;

// Player 1 at x 100, player 2 parked far off, an opponent at index 2 fifty pixels in front of
// player 1, idle for a long time; all on foot line 550 inside a floor band of 300.
class Stage : public ::testing::Test {
 protected:
  void SetUp() override {
    resetSim();
    floorBand = 300;
    lastEntity = kFoe;
    placeFighter(0, 100, 400, kFixtures + "fighter.dat");
    placeFighter(1, 3000, 400, kFixtures + "fighter.dat");
    placeFighter(kFoe, 150, 400, kFixtures + "fighter.dat");
    foe().facing = 1, foe().aiTimer = 1000;
  }
  void step(const std::vector<int>& pressed = {}, const std::vector<int>& held = {}) {
    keys(pressed, held);
    tick();
  }
  Entity& p1() { return entities[0]; }
  Entity& foe() { return entities[kFoe]; }
  const std::string& foeAnimation() { return entitySprites[kFoe].animation; }
};

struct JumpCase { const char* name; bool run; int xv, windUpTicks; };
class Jumps : public Stage, public ::testing::WithParamInterface<JumpCase> {};

TEST_P(Jumps, RunningJumpLeavesAtOnceAndCarriesFurther) {
  const JumpCase& c = GetParam();
  foe().alive = 0, foe().kind = kKindObject;
  step({kRight});
  if (c.run) step(), step({kRight});  // second tap inside the window
  step({kJump}, {kRight});
  int windUp = 0;
  for (; p1().physicsOn == 0 && windUp < 20; ++windUp) step();
  EXPECT_EQ(windUp, c.windUpTicks);
  const int takeOffX = p1().x - c.xv;
  int air = 1;
  for (; p1().playerState == kPlayerAirborne && air < 100; ++air) step();
  EXPECT_EQ(air, 41);
  EXPECT_EQ(p1().x - takeOffX, 41 * c.xv);
  EXPECT_EQ(entitySprites[0].animation, "LAND");
  for (int t = 0; t < 4; ++t) step();
  EXPECT_EQ(entitySprites[0].animation, "STAND");
  EXPECT_EQ(shakeY, 0) << "a jump lands softly";
}

INSTANTIATE_TEST_SUITE_P(Kinds, Jumps,
    ::testing::Values(JumpCase{"Walking", false, 7, 4}, JumpCase{"Running", true, 10, 0}),
    [](const auto& i) { return std::string(i.param.name); });

// QUICKATTACKn strikes in its third tick and opens the window in its fourth; the third step
// knocks down. Slot 3 is free below a parked prop at 4, so the first spark lands there.
TEST_F(Stage, ThreeStepComboSparksKnocksDownAndTheVictimGetsUp) {
  lastEntity = 4;
  entities[4].alive = 1, entities[4].x = 2500;
  const std::set<int> presses = {0, 3, 4, 8};  // 3 comes before COMBOALLOWED ran: lost
  std::vector<std::string> chain;
  for (int t = 0; t <= 10; ++t) {
    step(presses.count(t) ? std::vector<int>{kAttack} : std::vector<int>{});
    if (chain.empty() || chain.back() != entitySprites[0].animation) chain.push_back(entitySprites[0].animation);
    if (t == 2) EXPECT_EQ(entitySprites[3].animation, "SMALLSPARK");
    if (t == 6) EXPECT_EQ(entitySprites[5].animation, "BLOODSPURT") << "slot 3 is still taken";
    if (t == 7) EXPECT_EQ(entities[3].alive, 0) << "the spark destroyed itself";
  }
  EXPECT_EQ(chain, (std::vector<std::string>{"QUICKATTACK1", "QUICKATTACK2", "QUICKATTACK3"}));
  EXPECT_EQ(entitySprites[3].animation, "BIGSPARK");
  EXPECT_EQ(shakeX, 14);
  EXPECT_EQ(foe().hp, 60);
  const int launchYv = foe().yv;
  int t = 0;
  for (; foe().physicsOn == 1 && t < 100; ++t) step();
  EXPECT_EQ(t, 2 * launchYv + 1);
  EXPECT_EQ(foeAnimation(), "FALLLAND");
  EXPECT_EQ(shakeY, (launchYv + 1) / 2 - 1) << "lands with yv -(launch + 1), decayed once";
  EXPECT_EQ(soundsPlayed(3), 1);
  for (t = 0; foeAnimation() != "GETUP" && t < 100; ++t) step();
  EXPECT_EQ(t, 10);
  for (t = 0; foe().down == 1 && t < 100; ++t) step();
  EXPECT_EQ(foe().aiTimer, 0) << "up, and deciding next tick";
}

TEST_F(Stage, DefeatedOpponentFadesOutAndItsSlotTakesTheNextSpark) {
  foe().hp = 10;
  step({kAttack});
  int t = 0, fading = 0;
  for (; foe().alive == 1 && t < 200; ++t) step(), fading += foe().aiState == kAiDying;
  EXPECT_EQ(foeAnimation(), "DIE");
  EXPECT_EQ(fading, 41) << "the tick DIE finished, then 40 ticks of fading";
  EXPECT_EQ(entities[3].alive, 0);
  placeFighter(3, 150, 400, kFixtures + "fighter.dat");
  lastEntity = 3, entities[3].aiTimer = 1000;
  step({kAttack}), step(), step();
  EXPECT_EQ(foe().kind, kKindEffect);
  EXPECT_EQ(foeAnimation(), "SMALLSPARK");
}

TEST_F(Stage, OpponentApproachesAttacksAndHurtsPlayerOne) {
  foe().x = 600, foe().aiTimer = 0;
  seedRandom(11);
  bool approached = false;
  int t = 0;
  for (; p1().hp == 100 && t < 3000; ++t) step(), approached |= foe().aiState == kAiApproach;
  EXPECT_LT(p1().hp, 100) << "no blow in " << t << " ticks";
  EXPECT_TRUE(approached);
  EXPECT_EQ(p1().playerState, kPlayerHurt);
}

}  // namespace
