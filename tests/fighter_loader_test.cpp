#include "content/fighter_loader.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "content/boss.h"
#include "content/text_file.h"
#include "loader_fixtures.h"
#include "sim/animation.h"
#include "sim/entity.h"
#include "sim/spawn.h"

namespace {

struct StatsCase {
  const char* name;
  std::vector<std::string> script;
  double hp;      // hp and maxHp afterwards; starts at 33
  int walkSpeed;  // starts at 5
};
void PrintTo(const StatsCase& c, std::ostream* os) { *os << c.name; }
class ReadStats : public ::testing::TestWithParam<StatsCase> {};

TEST_P(ReadStats, ReadsUpToTheFirstBlankLine) {
  entitySprites[7] = SpriteSet{};
  entities[7].hp = 33;
  entities[7].walkSpeed = 5;
  writeScript(GetParam().script, entitySprites[7].script);
  readStats(7);
  EXPECT_DOUBLE_EQ(entities[7].hp, GetParam().hp);
  EXPECT_DOUBLE_EQ(entities[7].maxHp, GetParam().hp);
  EXPECT_EQ(entities[7].walkSpeed, GetParam().walkSpeed);
}

INSTANTIATE_TEST_SUITE_P(
    Sections, ReadStats,
    ::testing::Values(StatsCase{"EmptyFirstLineReadsNothing", {"", "SETHP 80"}, 33, 5},
                      StatsCase{"SetHpInSection", {"SETHP 80", ""}, 80, 5},
                      StatsCase{"SetHpAfterBlankIgnored", {"WALKSPEED 2", "", "SETHP 80"}, 33, 2},
                      StatsCase{"WalkSpeedFourAndAHalf", {"WALKSPEED 4.5"}, 33, 4},
                      StatsCase{"WalkSpeedFiveAndAHalf", {"WALKSPEED 5.5"}, 33, 6}),
    [](const auto& info) { return std::string(info.param.name); });

struct SpawnCase {
  const char* name;
  int aliveUpTo, freeSlot, lastBefore, slot, lastAfter;  // slot -1: nothing spawned
};
void PrintTo(const SpawnCase& c, std::ostream* os) { *os << c.name; }
class SpawnSlot : public ::testing::TestWithParam<SpawnCase> {};

TEST_P(SpawnSlot, TakesTheLowestFreeSlot) {
  const SpawnCase& c = GetParam();
  typeKinds[kEffectsType] = kKindEffect;
  writeScript({"", "BEGIN SMALLSPARK", "FRAMESET 2", "STOP"}, typeSprites[kEffectsType].script);
  fillSlots(c.aliveUpTo);
  if (c.freeSlot >= 0) entities[c.freeSlot].alive = 0;
  lastEntity = c.lastBefore;
  spawnEntity(300, 410, kEffectsType, "SMALLSPARK");
  EXPECT_EQ(lastEntity, c.lastAfter);
  if (c.slot >= 0) EXPECT_EQ(entities[c.slot].type * 1000 + entities[c.slot].x, 1000300);
  EXPECT_EQ(entities[1000].alive, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Slots, SpawnSlot,
    ::testing::Values(SpawnCase{"ReusesFreeSlotBelowLast", 5, 3, 5, 3, 5},
                      SpawnCase{"RaisesLastEntity", 5, -1, 5, 6, 6},
                      // slots left alive above lastEntity: it still rises by one only
                      SpawnCase{"LastEntityRisesByOneOnly", 8, -1, 5, 9, 6},
                      SpawnCase{"EverySlotAliveSpawnsNothing", 999, -1, 999, -1, 999}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(LoaderFiles, SpawnedEffectTakesOffsetsUpToTheFirstBlankLine) {
  ENTER_LOADER_FIXTURES();
  loadEffectsType();
  typeSprites[kEffectsType].frames.offsetX[5] = 99;
  fillSlots(1);
  lastEntity = 1;
  for (int round = 0; round < 2; ++round) {  // the second spawn uses the offsets kept
    entities[2].alive = 0;
    spawnEntity(0, 0, kEffectsType, "smallspark");
    EXPECT_DOUBLE_EQ(entitySprites[2].frames.offsetY[3], 4);
    EXPECT_DOUBLE_EQ(entitySprites[2].frames.offsetX[5], 99);
    EXPECT_EQ(entitySprites[2].beginLine, 1);
    EXPECT_EQ(entities[2].kind, kKindEffect);
  }
}


// A type is a boss by a line among its statistics; a line past them may be a longer earlier
// script's leftover and never makes one.
struct BossLineCase {
  const char* name;
  std::vector<std::string> script;
  const char* bossName;
};
void PrintTo(const BossLineCase& c, std::ostream* os) { *os << c.name; }
class BossLine : public ::testing::TestWithParam<BossLineCase> {};

TEST_P(BossLine, NamesTheBossFromTheStatisticsOnly) {
  ScriptRef script;
  writeScript(GetParam().script, script);
  EXPECT_EQ(bossNameOf(script), GetParam().bossName);
}

INSTANTIATE_TEST_SUITE_P(
    Scripts, BossLine,
    ::testing::Values(
        BossLineCase{"NameOfSeveralWords", {"# remark", "BOSS THE KINGPIN", "SETHP 480", ""}, "THE KINGPIN"},
        BossLineCase{"AfterTheStatistics", {"SETHP 100", "", "BOSS LEFTOVER"}, ""},
        BossLineCase{"NoBossLine", {"SETHP 100", "", "BEGIN STAND"}, ""},
        BossLineCase{"KeywordInOtherCase", {"Boss KINGPIN", ""}, ""},
        BossLineCase{"NoName", {"BOSS", ""}, ""}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
