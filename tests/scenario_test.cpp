// Whole ticks in the play loop's order, driven by fixture scripts and a seeded generator.
#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "sim_support.h"

using namespace simtest;

namespace {

constexpr int kFoe = 2;

// Player 1 at x 100 facing right, player 2 parked far away, one opponent at index 2 standing
// 50 pixels in front of player 1 and busy idling for a long time. Floor band 300 (foot lines
// 468..768); everyone stands on foot line 550.
class Stage : public ::testing::Test {
 protected:
  void SetUp() override {
    resetSim();
    loadEffects();
    floorBand = 300;
    lastEntity = kFoe;
    fighter(0, "fighter", 100);
    fighter(1, "fighter", 3000);
    fighter(kFoe, "fighter", 150);
    entities[kFoe].facing = 1;
    entities[kFoe].aiTimer = 1000;
  }
  void fighter(int e, const char* script, int x) {
    placeFighter(e, x, 400);
    giveScript(e, script, "STAND");
  }
  void removeFoe() {
    entities[kFoe].alive = 0;
    entities[kFoe].kind = kKindObject;
  }
  // One tick with these keys of player 1 newly pressed and these only held.
  void step(std::vector<int> pressed = {}, std::vector<int> held = {}) {
    clearKeys();
    for (int k : pressed) press(k);
    for (int k : held) hold(k);
    tick();
  }
  Entity& p1() { return entities[0]; }
  Entity& foe() { return entities[kFoe]; }
};

struct JumpCase {
  const char* name;
  bool run;
  int xv;
  int windUpTicks;
};

class Jumps : public Stage, public ::testing::WithParamInterface<JumpCase> {};

TEST_P(Jumps, RunningJumpLeavesAtOnceAndCarriesFurther) {
  const JumpCase& c = GetParam();
  removeFoe();
  if (c.run) {
    step({kRight});
    step();
    step({kRight});  // second tap inside the window
    ASSERT_EQ(p1().running, 1);
  } else {
    step({kRight});
  }
  step({kJump}, {kRight});
  EXPECT_EQ(p1().xv, c.xv);
  int windUp = 0;
  while (p1().physicsOn == 0 && windUp < 20) {
    EXPECT_EQ(entitySprites[0].animation, "JUMPSTART");
    step();
    ++windUp;
  }
  EXPECT_EQ(windUp, c.windUpTicks);
  EXPECT_EQ(entitySprites[0].animation, "JUMP");
  // The take-off tick already moved once.
  const int takeOffX = p1().x - c.xv;
  int air = 1;
  while (p1().playerState == kPlayerAirborne && air < 100) {
    step();
    ++air;
  }
  EXPECT_EQ(air, 41);
  EXPECT_EQ(p1().x - takeOffX, 41 * c.xv);
  EXPECT_EQ(p1().z, 0);
  EXPECT_EQ(p1().playerState, kPlayerLanding);
  EXPECT_EQ(entitySprites[0].animation, "LAND");
  for (int t = 0; t < 4; ++t) step();
  EXPECT_EQ(p1().playerState, kPlayerIdle);
  EXPECT_EQ(entitySprites[0].animation, "STAND");
  EXPECT_EQ(shakeY, 0) << "a plain jump lands softly";
}

INSTANTIATE_TEST_SUITE_P(Kinds, Jumps,
                         ::testing::Values(JumpCase{"Walking", false, 7, 4},
                                           JumpCase{"Running", true, 10, 0}),
                         [](const auto& info) { return std::string(info.param.name); });

struct ComboCase {
  const char* name;
  std::set<int> pressTicks;
  std::vector<std::string> started;
};

class Combo : public Stage, public ::testing::WithParamInterface<ComboCase> {};

// QUICKATTACKn strikes in its third tick and runs COMBOALLOWED in its fourth.
TEST_P(Combo, NextStepOnlyOncePressedAfterComboAllowedRan) {
  const ComboCase& c = GetParam();
  removeFoe();
  std::vector<std::string> started;
  std::string last = entitySprites[0].animation;
  for (int t = 0; t < 30; ++t) {
    if (c.pressTicks.count(t))
      step({kAttack});
    else
      step();
    if (entitySprites[0].animation != last) started.push_back(last = entitySprites[0].animation);
  }
  EXPECT_EQ(started, c.started);
  EXPECT_EQ(p1().playerState, kPlayerIdle);
}

INSTANTIATE_TEST_SUITE_P(
    Presses, Combo,
    ::testing::Values(
        ComboCase{"PressesBeforeTheWindowAreIgnored", {0, 1, 2, 3}, {"QUICKATTACK1", "STAND"}},
        ComboCase{"OnePressAfterTheWindowChains", {0, 4}, {"QUICKATTACK1", "QUICKATTACK2", "STAND"}},
        ComboCase{"ThreeSteps",
                  {0, 4, 8},
                  {"QUICKATTACK1", "QUICKATTACK2", "QUICKATTACK3", "STAND"}},
        ComboCase{"NoWindowAfterTheLastStep",
                  {0, 4, 8, 12, 13, 14, 15, 16},
                  {"QUICKATTACK1", "QUICKATTACK2", "QUICKATTACK3", "STAND"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(Stage, ComboHitsSpawnEffectsIntoFreeSlotsThatDestroyThemselves) {
  // Slot 3 is free below a parked prop at 4.
  lastEntity = 4;
  entities[4].alive = 1;
  entities[4].x = 2500;
  const std::set<int> presses = {0, 4, 8};
  std::vector<double> hp;
  for (int t = 0; t <= 12; ++t) {
    if (presses.count(t))
      step({kAttack});
    else
      step();
    if (t == 2) {
      EXPECT_EQ(entities[3].alive, 1);
      EXPECT_EQ(entitySprites[3].animation, "SMALLSPARK");
      EXPECT_EQ(lastEntity, 4);
      EXPECT_EQ(soundsPlayed(0), 1);
    }
    if (t == 6) {
      EXPECT_EQ(entities[5].alive, 1) << "slot 3 is still taken";
      EXPECT_EQ(entitySprites[5].animation, "BLOODSPURT");
      EXPECT_EQ(lastEntity, 5);
      EXPECT_EQ(entitySprites[kFoe].animation, "LOWDAMAGE");
    }
    if (t == 7) EXPECT_EQ(entities[3].alive, 0) << "the spark destroyed itself";
    if (t == 10) {
      EXPECT_EQ(entities[3].alive, 1);
      EXPECT_EQ(entitySprites[3].animation, "BIGSPARK");
      EXPECT_EQ(soundsPlayed(1), 1);
      EXPECT_EQ(foe().physicsOn, 1);
      EXPECT_EQ(foe().aiState, kAiKnockedDown);
    }
    hp.push_back(foe().hp);
  }
  EXPECT_EQ(hp[1], 100);
  EXPECT_EQ(hp[2], 90);
  EXPECT_EQ(hp[6], 80);
  EXPECT_EQ(hp[10], 60);
  EXPECT_EQ(entities[5].alive, 0);
  EXPECT_DOUBLE_EQ(p1().power, 4);
}

TEST_F(Stage, KnockDownShakesLandsHardAndGetsUp) {
  fighter(0, "knocker", 100);
  step({kAttack});
  step();
  step();  // the strike
  EXPECT_EQ(shakeX, 14) << "set to 15, then this tick's decay";
  ASSERT_EQ(foe().physicsOn, 1);
  EXPECT_EQ(entitySprites[kFoe].animation, "FALL");
  const int launchYv = foe().yv;
  EXPECT_GE(launchYv, 10);
  EXPECT_LE(launchYv, 13);
  int air = 0;
  while (foe().physicsOn == 1 && air < 100) {
    step();
    ++air;
  }
  EXPECT_EQ(air, 2 * launchYv + 1);
  EXPECT_EQ(entitySprites[kFoe].animation, "FALLLAND");
  EXPECT_EQ(foe().down, 1);
  EXPECT_EQ(soundsPlayed(3), 1);
  EXPECT_EQ(shakeY, (launchYv + 1) / 2 - 1) << "landing yv is -(launch + 1); one tick decayed";
  int ticks = 0;
  while (entitySprites[kFoe].animation != "GETUP" && ticks < 100) {
    step();
    ++ticks;
  }
  EXPECT_EQ(ticks, 10) << "FALLLAND ran its first tick in the landing tick";
  EXPECT_EQ(foe().down, 1);
  while (foe().down == 1 && ticks < 100) {
    step();
    ++ticks;
  }
  EXPECT_EQ(foe().down, 0);
  EXPECT_EQ(foe().aiTimer, 0) << "decides again next tick";
  EXPECT_EQ(foe().hp, 80);
}

TEST_F(Stage, DefeatedOpponentDiesFadesForFortyTicksAndFreesItsSlot) {
  foe().hp = 10;
  step({kAttack});
  int t = 1;
  while (foe().aiState != kAiDying && t < 200) {
    step();
    ++t;
  }
  EXPECT_EQ(entitySprites[kFoe].animation, "DIE");
  EXPECT_EQ(foe().down, 1);
  for (int fade = 1; fade < 40; ++fade) step();
  EXPECT_EQ(foe().alive, 1);
  step();
  EXPECT_EQ(foe().alive, 0);
  EXPECT_EQ(p1().hp, 100);
  // The freed slot is the first free one now: the next spark goes there.
  fighter(3, "fighter", 150);
  lastEntity = 3;
  entities[3].aiTimer = 1000;
  step({kAttack});
  step();
  step();  // the strike
  EXPECT_EQ(entities[kFoe].alive, 1);
  EXPECT_EQ(entities[kFoe].kind, kKindEffect);
  EXPECT_EQ(entitySprites[kFoe].animation, "SMALLSPARK");
}

TEST_F(Stage, OpponentApproachesAttacksAndHurtsPlayerOne) {
  foe().x = 600;
  foe().aiTimer = 0;
  seedRandom(11);
  bool approached = false;
  int t = 0;
  while (p1().hp == 100 && t < 2000) {
    step();
    ++t;
    approached = approached || foe().aiState == kAiApproach;
  }
  ASSERT_LT(p1().hp, 100) << "no hit in " << t << " ticks";
  EXPECT_TRUE(approached);
  EXPECT_LE(foe().x, 100 + 95) << "struck from up close";
  EXPECT_EQ(p1().playerState, kPlayerHurt);
  EXPECT_EQ(soundsPlayed(0) + soundsPlayed(1), 1);
  while (p1().playerState == kPlayerHurt && t < 2100) {
    step();
    ++t;
  }
  EXPECT_TRUE(p1().playerState == kPlayerIdle || p1().hp < 100);
}

}  // namespace
