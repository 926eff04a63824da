#include "content/fighter_loader.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "content/text_file.h"
#include "loader_fixtures.h"
#include "sim/animation.h"
#include "sim/entity.h"

namespace {

constexpr int kSubject = 7;

// ---- statistics ----------------------------------------------------------------------------

struct StatsCase {
  const char* name;
  std::vector<std::string> script;
  double hp;  // hp and maxHp afterwards (hp starts at 33)
  int walkSpeed;  // starts at 5
  int weight;     // starts at 1
  double bodyWidth;  // starts at 10
};
void PrintTo(const StatsCase& c, std::ostream* os) { *os << c.name; }

class ReadStats : public ::testing::TestWithParam<StatsCase> {};

TEST_P(ReadStats, ReadsTheSectionUpToItsFirstBlankLine) {
  const StatsCase& c = GetParam();
  Entity& e = entities[kSubject];
  SpriteSet& s = entitySprites[kSubject];
  e = Entity{};
  s = SpriteSet{};
  e.hp = 33;
  e.walkSpeed = 5;
  e.weight = 1;
  s.bodyWidth = 10;
  writeScript(c.script, s.script);
  readStats(kSubject);
  EXPECT_DOUBLE_EQ(e.hp, c.hp);
  EXPECT_DOUBLE_EQ(e.maxHp, c.hp);
  EXPECT_EQ(e.walkSpeed, c.walkSpeed);
  EXPECT_EQ(e.weight, c.weight);
  EXPECT_DOUBLE_EQ(s.bodyWidth, c.bodyWidth);
}

INSTANTIATE_TEST_SUITE_P(
    Sections, ReadStats,
    ::testing::Values(
        StatsCase{"EmptyFirstLineReadsNothing", {"", "SETHP 80", "WEIGHT 4"}, 33, 5, 1, 10},
        StatsCase{"SetHpInTheSection", {"SETHP 80", ""}, 80, 5, 1, 10},
        StatsCase{"SetHpAfterTheBlankIsNoStatistic", {"WEIGHT 3", "", "SETHP 80"}, 33, 5, 3, 10},
        StatsCase{"WalkSpeedHalfRoundsDown", {"WALKSPEED 4.5"}, 33, 4, 1, 10},
        StatsCase{"WalkSpeedHalfRoundsUp", {"WALKSPEED 5.5"}, 33, 6, 1, 10},
        StatsCase{"LaterLineWins", {"WEIGHT 2", "WIDTH 60", "WEIGHT 3", "WIDTH 61.5"}, 33, 5, 3,
                  61.5},
        StatsCase{"LeadingSpaceEndsTheSection", {"SETHP 10", " WEIGHT 4", "WEIGHT 6"}, 10, 5, 1,
                  10},
        StatsCase{"LowerCaseKeywordIsIgnored", {"weight 9", "Setup notes", "SETHP 7"}, 7, 5, 1,
                  10},
        StatsCase{"ValueThatIsNoNumberReadsZero", {"WEIGHT heavy", "SETHP lots"}, 0, 5, 0, 10},
        StatsCase{"RealHitPointsStayReal", {"SETHP 12.75"}, 12.75, 5, 1, 10}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ReadStats, FillsEveryStatistic) {
  Entity& e = entities[kSubject];
  e = Entity{};
  writeScript({"WIDTH 64", "HEIGHT 90", "JUMPHEIGHT 18.5", "ATTACKSAMOUNT 2",
               "JUMPATTACKSAMOUNT 3", ""},
              entitySprites[kSubject].script);
  readStats(kSubject);
  EXPECT_DOUBLE_EQ(entitySprites[kSubject].bodyHeight, 90);
  EXPECT_EQ(e.jumpHeight, 18);
  EXPECT_EQ(e.attacksAmount, 2);
  EXPECT_EQ(e.jumpAttacksAmount, 3);
}

// ---- spawning ------------------------------------------------------------------------------

// A loaded effects type held in memory; its ".off" does not exist.
void memoryEffectsType() {
  typeNames[kEffectsType] = "no-such-effect";
  typeKinds[kEffectsType] = kKindEffect;
  typeSprites[kEffectsType] = SpriteSet{};
  writeScript({"", "BEGIN SMALLSPARK", "FRAMESET 2", "STOP"}, typeSprites[kEffectsType].script);
}

struct SpawnCase {
  const char* name;
  int aliveUpTo;       // slots 0..aliveUpTo alive
  int freeSlot;        // -1, or one slot below it left free
  int lastBefore;
  int expectedSlot;    // -1: nothing spawned
  int lastAfter;
};
void PrintTo(const SpawnCase& c, std::ostream* os) { *os << c.name; }

class SpawnSlot : public ::testing::TestWithParam<SpawnCase> {};

TEST_P(SpawnSlot, TakesTheLowestFreeSlot) {
  const SpawnCase& c = GetParam();
  memoryEffectsType();
  fillSlots(c.aliveUpTo);
  if (c.freeSlot >= 0) entities[c.freeSlot].alive = 0;
  entities[1000].type = 0;
  lastEntity = c.lastBefore;
  spawnEntity(300, 410, kEffectsType, "SMALLSPARK");
  EXPECT_EQ(lastEntity, c.lastAfter);
  if (c.expectedSlot >= 0) {
    EXPECT_EQ(entities[c.expectedSlot].alive, 1);
    EXPECT_EQ(entities[c.expectedSlot].type, kEffectsType);
    EXPECT_EQ(entities[c.expectedSlot].x, 300);
  }
  EXPECT_EQ(entities[1000].type, 0);  // spawning never takes the last slot
}

INSTANTIATE_TEST_SUITE_P(
    Slots, SpawnSlot,
    ::testing::Values(
        SpawnCase{"FreeSlotBelowLastEntityIsReused", 5, 3, 5, 3, 5},
        SpawnCase{"SlotAboveLastEntityRaisesIt", 5, -1, 5, 6, 6},
        // Slots left alive above lastEntity (an earlier stage's) push the spawn further up,
        // but lastEntity still rises by one only.
        SpawnCase{"LastEntityRisesByOneOnly", 8, -1, 5, 9, 6},
        SpawnCase{"EverySlotAliveSpawnsNothing", 999, -1, 999, -1, 999},
        SpawnCase{"SlotZeroWhenThePlayersAreGone", -1, -1, 1, 0, 1}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Spawn, CopiesTheTypeAndStartsTheAnimation) {
  memoryEffectsType();
  typeSprites[kEffectsType].frames.x2[2] = 12;
  typeSprites[kEffectsType].transparency = 0.25;
  fillSlots(1);
  lastEntity = 1;
  entities[2].facing = 0;
  entities[2].hitList[0] = 1;
  currentEntity = 0;
  entities[0].hitList[2] = 1;
  spawnEntity(-5, 7, kEffectsType, "smallspark");
  const Entity& e = entities[2];
  const SpriteSet& s = entitySprites[2];
  EXPECT_EQ(e.kind, kKindEffect);
  EXPECT_EQ(e.facing, 1);
  EXPECT_EQ(e.y, 7);
  EXPECT_DOUBLE_EQ(s.frames.x2[2], 12);
  EXPECT_DOUBLE_EQ(s.transparency, 0.25);
  EXPECT_EQ(s.animation, "smallspark");
  EXPECT_EQ(s.beginLine, 1);
  EXPECT_EQ(e.hitList[0], 0);
  EXPECT_EQ(entities[0].hitList[2], 1);  // the attacker keeps its list
}

TEST(Spawn, TypeOutsideTheTableSpawnsNothing) {
  fillSlots(1);
  lastEntity = 1;
  spawnEntity(0, 0, kTypeSlots, "SMALLSPARK");
  spawnEntity(0, 0, -1, "SMALLSPARK");
  EXPECT_EQ(entities[2].alive, 0);
  EXPECT_EQ(lastEntity, 1);
}

class LoaderFiles : public ::testing::Test {
 protected:
  void SetUp() override { enterLoaderFixtures(); }
};

TEST_F(LoaderFiles, SpawnedEffectTakesOffsetsUpToTheFirstBlankLine) {
  loadEffectsType();
  typeSprites[kEffectsType].frames.offsetX[5] = 99;
  fillSlots(1);
  lastEntity = 1;
  for (int round = 0; round < 2; ++round) {  // the second spawn reads the kept offsets
    entities[2].alive = 0;
    spawnEntity(0, 0, kEffectsType, "SMALLSPARK");
    const FrameList& f = entitySprites[2].frames;
    EXPECT_DOUBLE_EQ(f.offsetX[0], 1);
    EXPECT_DOUBLE_EQ(f.offsetY[3], 4);
    EXPECT_DOUBLE_EQ(f.offsetX[5], 99);
    EXPECT_EQ(entitySprites[2].frame, 0);
    currentEntity = 2;
    stepAnimation(entitySprites[2]);
    EXPECT_EQ(entitySprites[2].frame, 2);
  }
}

TEST_F(LoaderFiles, EffectsTypeIsGlobals) {
  loadEffectsType();
  EXPECT_EQ(typeNames[kEffectsType], "globals");
  EXPECT_EQ(typeKinds[kEffectsType], kKindEffect);
  EXPECT_EQ(typeSprites[kEffectsType].frames.count, 6);
  EXPECT_EQ(typeSprites[kEffectsType].frames.texture[0], &typeTextures[kEffectsType]);
  EXPECT_EQ(scriptText(typeSprites[kEffectsType].script, 1), "BEGIN SMALLSPARK");
  EXPECT_DOUBLE_EQ(typeSprites[kEffectsType].frames.offsetX[0], 0);  // read at each spawn
}

TEST_F(LoaderFiles, PlayersLoadTheirOwnFiles) {
  entities[0].name = "hero";
  entities[1].name = "rival";
  playerCount = 2;
  loadPlayers();
  EXPECT_DOUBLE_EQ(entities[0].scriptWidth, 70);  // the last WIDTH of the whole script
  EXPECT_DOUBLE_EQ(entities[0].scriptHeight, 100);
  EXPECT_DOUBLE_EQ(entitySprites[0].bodyWidth, 0);  // statistics come later
  EXPECT_EQ(entities[1].alive, 1);
  EXPECT_EQ(entitySprites[1].autoSize, 1);
  EXPECT_EQ(entitySprites[0].frames.count, 2);
  EXPECT_EQ(entitySprites[1].frames.texture[1], &playerTextures[1][0]);
  EXPECT_DOUBLE_EQ(playerTextures[0][0].width, 16);
  EXPECT_DOUBLE_EQ(entitySprites[0].frames.offsetY[1], -17);
  EXPECT_DOUBLE_EQ(entitySprites[1].frames.offsetX[0], -6);
}

TEST_F(LoaderFiles, TypesAreNumberedInLoadOrderUpToTwentyFive) {
  typeCount = 0;
  loadEntityType("thug", 1);
  loadEntityType("crate", 0.5);
  EXPECT_EQ(typeCount, 2);
  EXPECT_EQ(typeNames[2], "crate");
  EXPECT_EQ(typeKinds[1], kKindFighter);
  EXPECT_EQ(typeKinds[2], 0);  // 0.5 rounds to the even 0
  EXPECT_EQ(typeSprites[1].frames.count, 3);
  EXPECT_EQ(scriptText(typeSprites[2].script, 2), "BEGIN STATIONARY");
  for (int t = 3; t <= 25; ++t) loadEntityType("crate", 0);
  typeNames[26] = "untouched";
  loadEntityType("thug", 1);
  EXPECT_EQ(typeCount, 25);
  EXPECT_EQ(typeNames[25], "crate");
  EXPECT_EQ(typeNames[26], "untouched");
}

struct PlaceCase {
  const char* name;
  double x, y, typeField;
  int placed;  // 1 when an entity is placed
  int x16, y16, type;
};
void PrintTo(const PlaceCase& c, std::ostream* os) { *os << c.name; }

class PlaceEntity : public LoaderFiles, public ::testing::WithParamInterface<PlaceCase> {};

TEST_P(PlaceEntity, AppendsAtTheNextIndex) {
  const PlaceCase& c = GetParam();
  typeCount = 0;
  loadEntityType("thug", 1);
  loadEntityType("crate", 0);
  lastEntity = 1;
  entities[2] = Entity{};
  placeEntity(c.x, c.y, c.typeField);
  EXPECT_EQ(lastEntity, 1 + c.placed);
  if (!c.placed) return;
  EXPECT_EQ(entities[2].x, c.x16);
  EXPECT_EQ(entities[2].y, c.y16);
  EXPECT_EQ(entities[2].type, c.type);
  EXPECT_EQ(entities[2].kind, typeKinds[c.type]);
  EXPECT_EQ(entities[2].facing, 1);
  EXPECT_EQ(entities[2].alive, 0);  // stage start sets it
  EXPECT_EQ(entitySprites[2].frames.count, c.type == 1 ? 3 : 2);
}

INSTANTIATE_TEST_SUITE_P(
    Placements, PlaceEntity,
    ::testing::Values(
        PlaceCase{"TypeZeroIsTheFirstDeclared", 100, 400, 0, 1, 100, 400, 1},
        PlaceCase{"TypeOneIsTheSecondDeclared", 100, 400, 1, 1, 100, 400, 2},
        PlaceCase{"PositionsRoundHalfToEven", 500.5, 401.5, 0, 1, 500, 402, 1},
        PlaceCase{"PositionsKeepSixteenBits", 40000, -40000, 0, 1, 40000 - 65536,
                  -40000 + 65536, 1},
        PlaceCase{"TypeFieldRoundsAfterAddingOne", 0, 0, 0.5, 1, 0, 0, 2},
        PlaceCase{"UndeclaredTypeIsSkipped", 0, 0, 2, 0, 0, 0, 0},
        PlaceCase{"NegativeTypeIsSkipped", 0, 0, -1, 0, 0, 0, 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(LoaderFiles, FullEntityTablePlacesNothing) {
  typeCount = 0;
  loadEntityType("crate", 0);
  lastEntity = 1000;
  entities[1000].x = 5;
  placeEntity(10, 10, 0);
  EXPECT_EQ(lastEntity, 1000);
  EXPECT_EQ(entities[1000].x, 5);
}

TEST_F(LoaderFiles, EachPlacedEntityGetsItsOwnTypesOffsets) {
  typeCount = 0;
  loadEntityType("thug", 1);
  loadEntityType("crate", 0);
  lastEntity = 1;
  for (double t : {1.0, 0.0, 1.0}) placeEntity(0, 0, t);
  entitySprites[3].frames.offsetX[1] = 42;
  entitySprites[0].frames.offsetX[0] = -1;
  applyTypeOffsets();
  EXPECT_EQ(entities[2].type, 2);
  EXPECT_EQ(entities[3].type, 1);
  EXPECT_EQ(entities[4].type, 2);
  EXPECT_DOUBLE_EQ(entitySprites[2].frames.offsetX[1], 9);
  EXPECT_DOUBLE_EQ(entitySprites[4].frames.offsetY[0], 8);
  EXPECT_DOUBLE_EQ(entitySprites[3].frames.offsetX[0], 1);
  EXPECT_DOUBLE_EQ(entitySprites[3].frames.offsetX[1], 42);  // blank line: kept
  EXPECT_DOUBLE_EQ(entitySprites[3].frames.offsetY[2], 6);
  EXPECT_DOUBLE_EQ(entitySprites[0].frames.offsetX[0], -1);  // players are not touched
}

}  // namespace
