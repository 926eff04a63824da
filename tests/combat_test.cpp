#include <gtest/gtest.h>

#include <set>

#include "sim_support.h"

using namespace simtest;

namespace {

constexpr int kAttacker = 0;
constexpr int kVictim = 2;

// Player 1 at x 100 facing right with a pending mid attack of reach 30; an opponent standing
// in front of it at x 150 on the same foot line. Both bodies are 60 by 150.
class Combat : public ::testing::Test {
 protected:
  void SetUp() override {
    resetSim();
    lastEntity = kVictim;
    placeFighter(kAttacker, 100, 400);
    placeFighter(kVictim, 150, 400);
    arm(kAttackMid, 30, 10);
  }
  Entity& attacker() { return entities[kAttacker]; }
  Entity& victim() { return entities[kVictim]; }
  void arm(int kind, int reach, int damage, int knockXv = 0, int knockYv = 0) {
    Entity& a = attacker();
    a.attackPending = 1;
    a.attackKind = kind;
    a.attackReach = reach;
    a.attackDamage = damage;
    a.knockXv = knockXv;
    a.knockYv = knockYv;
  }
};

struct BoxCase {
  const char* name;
  int facing;
  int kind;
  int z;
  Rect expected;
};

class HitBox : public Combat, public ::testing::WithParamInterface<BoxCase> {};

TEST_P(HitBox, SitsInFrontOfTheBodyAtItsHeight) {
  const BoxCase& c = GetParam();
  attacker().facing = c.facing;
  attacker().attackKind = c.kind;
  attacker().z = static_cast<int16_t>(c.z);
  const Rect box = attackHitBox(kAttacker);
  EXPECT_EQ(box.left, c.expected.left);
  EXPECT_EQ(box.right, c.expected.right);
  EXPECT_EQ(box.top, c.expected.top);
  EXPECT_EQ(box.bottom, c.expected.bottom);
}

// Body 60 by 150 at x 100, y 400: mid rows 437.5..475 (437.5 rounds to 438), low rows 475..550.
INSTANTIATE_TEST_SUITE_P(
    Boxes, HitBox,
    ::testing::Values(BoxCase{"MidFacingRight", 0, kAttackMid, 0, {130, 190, 438, 475}},
                      BoxCase{"MidFacingLeft", 1, kAttackMid, 0, {10, 70, 438, 475}},
                      BoxCase{"KnockHighIsMid", 0, kAttackKnockHigh, 0, {130, 190, 438, 475}},
                      BoxCase{"LowFacingRight", 0, kAttackLow, 0, {130, 190, 475, 550}},
                      BoxCase{"KnockLowFacingLeft", 1, kAttackKnockLow, 0, {10, 70, 475, 550}},
                      BoxCase{"AltitudeRaisesTheBox", 0, kAttackMid, 100, {130, 190, 338, 375}}),
    [](const auto& info) { return std::string(info.param.name); });

struct ReachCase {
  const char* name;
  int victimX, victimY, victimZ, victimDown;
  bool hits;
};

class Reach : public Combat, public ::testing::WithParamInterface<ReachCase> {};

TEST_P(Reach, HitsOnlyStandingVictimsInTheBoxOnANearFootLine) {
  const ReachCase& c = GetParam();
  victim().x = static_cast<int16_t>(c.victimX);
  victim().y = static_cast<int16_t>(c.victimY);
  victim().z = static_cast<int16_t>(c.victimZ);
  victim().down = c.victimDown;
  resolveAttacks();
  EXPECT_EQ(victim().hp, c.hits ? 90 : 100);
  EXPECT_EQ(attacker().hitList[kVictim], c.hits ? 1 : 0);
  EXPECT_EQ(attacker().attackPending, 0) << "an attack is spent whether or not it lands";
}

INSTANTIATE_TEST_SUITE_P(
    Victims, Reach,
    ::testing::Values(ReachCase{"InFront", 150, 400, 0, 0, true},
                      ReachCase{"TouchingTheFarEdge", 220, 400, 0, 0, true},
                      ReachCase{"JustPastTheFarEdge", 221, 400, 0, 0, false},
                      ReachCase{"Behind", 50, 400, 0, 0, false},
                      ReachCase{"LyingDown", 150, 400, 0, 1, false},
                      ReachCase{"FootLinesNineteenApart", 150, 419, 0, 0, true},
                      ReachCase{"FootLinesTwentyApart", 150, 420, 0, 0, false},
                      ReachCase{"FootLinesTwentyApartAbove", 150, 380, 0, 0, false},
                      ReachCase{"HighAboveTheBox", 150, 400, 200, 0, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(Combat, ReachPastTheIntegerRangeStillStrikes) {
  loadEffects();
  arm(kAttackMid, 2147483647, 10);
  resolveAttacks();
  EXPECT_EQ(victim().hp, 90);
  EXPECT_EQ(entities[1].kind, kKindEffect) << "the spark lands in the free slot 1";
}

TEST_F(Combat, OneHitPerAnimation) {
  resolveAttacks();
  arm(kAttackMid, 30, 10);
  resolveAttacks();
  EXPECT_EQ(victim().hp, 90);
  startAnimation(entitySprites[kAttacker], "QUICKATTACK2");
  arm(kAttackMid, 30, 10);
  resolveAttacks();
  EXPECT_EQ(victim().hp, 80);
}

TEST_F(Combat, PowerGaugeIsCappedAtMaxPower) {
  attacker().power = 95;
  arm(kAttackMid, 30, 80);
  resolveAttacks();
  EXPECT_EQ(attacker().power, 100);
}

TEST_F(Combat, PowerGainsATenthOfTheDamage) {
  arm(kAttackMid, 30, 15);
  resolveAttacks();
  EXPECT_DOUBLE_EQ(attacker().power, 1.5);
}

struct LightHitCase {
  const char* name;
  int facing;
  int kind;
  int victimX;
  int expectedX;
  const char* animation;
};

class LightHit : public Combat, public ::testing::WithParamInterface<LightHitCase> {};

TEST_P(LightHit, PushesFifteenAndHurtsAStandingFighter) {
  const LightHitCase& c = GetParam();
  attacker().facing = c.facing;
  victim().x = static_cast<int16_t>(c.victimX);
  victim().aiState = kAiApproach;
  arm(c.kind, 30, 10);
  resolveAttacks();
  EXPECT_EQ(victim().x, c.expectedX);
  EXPECT_EQ(entitySprites[kVictim].animation, c.animation);
  EXPECT_EQ(victim().playerState, kPlayerHurt);
  EXPECT_EQ(victim().aiState, kAiBusy);
  EXPECT_EQ(victim().aiTimer, 2);
  EXPECT_EQ(soundsPlayed(0), 1);
  EXPECT_EQ(shakeX, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Hits, LightHit,
    ::testing::Values(LightHitCase{"MidFromTheLeft", 0, kAttackMid, 150, 165, "HIGHDAMAGE"},
                      LightHitCase{"LowFromTheRight", 1, kAttackLow, 50, 35, "LOWDAMAGE"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(Combat, FighterHitInTheAirIsThrownDown) {
  for (int facing : {0, 1}) {
    SetUp();
    attacker().facing = facing;
    victim().x = facing == 0 ? 150 : 50;
    victim().physicsOn = 1;
    resolveAttacks();
    EXPECT_EQ(victim().xv, facing == 0 ? 7 : -7);
    EXPECT_EQ(victim().yv, 10);
    EXPECT_EQ(entitySprites[kVictim].animation, "FALL");
    EXPECT_EQ(victim().aiState, kAiKnockedDown);
    EXPECT_EQ(victim().playerState, kPlayerHurt);
  }
}

struct KnockCase {
  const char* name;
  int facing;
  int victimX;
  int lowest, highest;
};

class KnockBack : public Combat, public ::testing::WithParamInterface<KnockCase> {};

TEST_P(KnockBack, SpeedSpreadsOverFourValuesAwayFromTheAttacker) {
  const KnockCase& c = GetParam();
  std::set<int> xvs, yvs;
  for (uint32_t seed = 1; seed <= 200; ++seed) {
    SetUp();
    seedRandom(seed);
    attacker().facing = c.facing;
    victim().x = static_cast<int16_t>(c.victimX);
    arm(kAttackKnockHigh, 30, 10, 6, 12);
    resolveAttacks();
    xvs.insert(victim().xv);
    yvs.insert(victim().yv);
    ASSERT_EQ(victim().physicsOn, 1);
  }
  EXPECT_EQ(xvs, (std::set<int>{c.lowest, c.lowest + 1, c.lowest + 2, c.highest}));
  EXPECT_EQ(yvs, (std::set<int>{10, 11, 12, 13}));
}

INSTANTIATE_TEST_SUITE_P(Sides, KnockBack,
                         ::testing::Values(KnockCase{"FromTheLeft", 0, 150, 4, 7},
                                           KnockCase{"FromTheRight", 1, 50, -8, -5}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(Combat, KnockDownShakesSoundsAndThrows) {
  arm(kAttackKnockLow, 30, 25, 6, 12);
  resolveAttacks();
  EXPECT_EQ(shakeX, 15);
  EXPECT_EQ(soundsPlayed(1), 1);
  EXPECT_EQ(soundsPlayed(0), 0);
  EXPECT_EQ(entitySprites[kVictim].animation, "FALL");
  EXPECT_EQ(victim().aiState, kAiKnockedDown);
  EXPECT_EQ(victim().playerState, kPlayerHurt);
  EXPECT_EQ(victim().aiTimer, 2);
  EXPECT_EQ(victim().hp, 75);
  EXPECT_EQ(victim().x, 150) << "knock-downs throw, they do not push";
}

TEST_F(Combat, ObjectsMoveButKeepTheirHitPoints) {
  victim().kind = kKindObject;
  resolveAttacks();
  EXPECT_EQ(victim().hp, 100);
  EXPECT_EQ(victim().x, 155);
  EXPECT_EQ(entitySprites[kVictim].animation, "DAMAGE");
  EXPECT_EQ(nullSoundsPlayed, 0);
  EXPECT_EQ(victim().playerState, kPlayerIdle);

  startAnimation(entitySprites[kAttacker], "QUICKATTACK2");
  arm(kAttackKnockHigh, 30, 10, 6, 12);
  resolveAttacks();
  EXPECT_EQ(victim().hp, 100);
  EXPECT_EQ(entitySprites[kVictim].animation, "FALL");
  EXPECT_EQ(victim().physicsOn, 1);
  EXPECT_EQ(shakeX, 0);
  EXPECT_EQ(attacker().power, 2) << "hits on objects still fill the gauge";
}

TEST_F(Combat, EffectsAreHitWithoutReacting) {
  victim().kind = kKindEffect;
  resolveAttacks();
  EXPECT_EQ(victim().hp, 100);
  EXPECT_EQ(attacker().hitList[kVictim], 1);
  EXPECT_EQ(attacker().power, 1);
}

// The jitter of the effect point is drawn for every live entity the attack looks at, hit or
// not, two numbers each, before the hit test.
TEST_F(Combat, JitterIsDrawnForEveryVictimLookedAtBeforeTheHitTest) {
  loadEffects();
  lastEntity = 4;
  placeFighter(1, 900, 400);  // looked at and missed
  victim().y = 300;           // in the box's columns, but on another foot line
  placeFighter(3, 151, 400);  // hit after both
  entities[4].alive = 0;      // free: the spark goes here
  seedRandom(7);
  for (int skipped = 0; skipped < 4; ++skipped) randomUnit();
  const int x = 160 + randomBelow(60) - 30;  // centre of columns 130..190
  const int y = 456 + randomBelow(60) - 30;  // centre of rows 438..475, halved toward zero
  seedRandom(7);
  resolveAttacks();
  ASSERT_EQ(entities[4].alive, 1);
  EXPECT_EQ(entities[4].kind, kKindEffect);
  EXPECT_EQ(entities[4].x, x);
  EXPECT_EQ(entities[4].y, y);
}

struct EffectCase {
  const char* name;
  int kind;
  int hitEffect;
  const char* animation;
};

class HitEffect : public Combat, public ::testing::WithParamInterface<EffectCase> {};

TEST_P(HitEffect, SpawnsIntoTheFirstFreeSlot) {
  const EffectCase& c = GetParam();
  loadEffects();
  lastEntity = 5;
  for (int e = 3; e <= 5; ++e) entities[e].alive = 1;
  entities[1].alive = 0;
  attacker().hitEffect = c.hitEffect;
  arm(c.kind, 30, 10, 6, 12);
  resolveAttacks();
  EXPECT_EQ(entities[1].alive, 1);
  EXPECT_EQ(entities[1].type, kEffectsType);
  EXPECT_EQ(entitySprites[1].animation, c.animation);
  EXPECT_EQ(lastEntity, 5);
}

INSTANTIATE_TEST_SUITE_P(
    Effects, HitEffect,
    ::testing::Values(EffectCase{"LightSpark", kAttackMid, 0, "SMALLSPARK"},
                      EffectCase{"LightBlood", kAttackLow, 1, "BLOODSPURT"},
                      EffectCase{"KnockDownSpark", kAttackKnockHigh, 0, "BIGSPARK"},
                      EffectCase{"KnockDownBlood", kAttackKnockLow, 1, "BLOODSPURT"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(Combat, BlowsTradedInOneTickBothLand) {
  // Being hit does not cancel the victim's own pending attack, resolved after the first.
  Entity& v = victim();
  v.facing = 1;
  v.attackPending = 1;
  v.attackKind = kAttackMid;
  v.attackReach = 0;
  v.attackDamage = 10;
  resolveAttacks();
  EXPECT_EQ(v.x, 165);
  EXPECT_EQ(v.hp, 90);
  EXPECT_EQ(attacker().x, 85);
  EXPECT_EQ(attacker().hp, 90);
}

}  // namespace
