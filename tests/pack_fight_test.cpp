// The shipped fighters under the game's own rules, without pictures: every fighter type the
// stages load walks up to player 1 and hurts it, and player 1's whole chain knocks an opponent
// down, after which it lands hard and gets up. A block that never finishes, a body too narrow
// to reach or a chain with a missing step shows up here as a fight that never happens.
#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "sim_support.h"

using namespace simtest;

namespace {

constexpr int kFoe = 2;
constexpr int kPlayerOneX = 300;

std::string packPath(const std::string& relative) { return std::string(BRAWLER_CONTENT_DIR) + "/" + relative; }

// Names of the fighter types (LOADENTITY name 1) of every stage of the pack.
std::vector<std::string> packFighterTypes() {
  std::set<std::string> names;
  std::error_code error;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(packPath("stage"), error)) {
    if (entry.path().extension() != ".lev") continue;
    StageLines lines{};
    readLines(entry.path().string(), lines);
    for (const std::string& line : lines)
      if (getField(line, 1) == "LOADENTITY" && toNumber(getField(line, 3)) == kKindFighter)
        names.insert(getField(line, 2));
  }
  return {names.begin(), names.end()};
}

// Kestor (player 1) at x 300, player 2 parked far away, the opponent at index 2 facing left.
class PackFight : public ::testing::Test {
 protected:
  void SetUp() override {
    resetSim();
    typeNames[kEffectsType] = "globals";
    readScript(packPath("scripts/globals.dat"), typeSprites[kEffectsType].script);
    floorBand = 300;
    lastEntity = kFoe;
    placeFighter(0, kPlayerOneX, 400, packPath("scripts/kestor.dat"));
    placeFighter(1, 6000, 400, packPath("scripts/bluesoldier.dat"));
  }
  void opponent(const std::string& name, int x, int aiTimer) {
    placeFighter(kFoe, x, 400, packPath("scripts/" + name + ".dat"));
    foe().facing = 1;
    foe().aiTimer = aiTimer;
  }
  void step(bool attack = false) {
    keys(attack ? std::vector<int>{kAttack} : std::vector<int>{});
    tick();
  }
  Entity& p1() { return entities[0]; }
  Entity& foe() { return entities[kFoe]; }
};

class PackOpponent : public PackFight, public ::testing::WithParamInterface<std::string> {};

TEST_P(PackOpponent, WalksUpToPlayerOneAndHurtsIt) {
  opponent(GetParam(), 900, 0);
  seedRandom(21);
  const double fullHp = p1().hp;
  int t = 0;
  for (; p1().hp == fullHp && t < 3000; ++t) step();
  EXPECT_LT(p1().hp, fullHp) << GetParam() << " never landed a blow in " << t << " ticks";
}

INSTANTIATE_TEST_SUITE_P(Types, PackOpponent, ::testing::ValuesIn(packFighterTypes()),
                         [](const auto& info) { return info.param; });

TEST_F(PackFight, WholeChainKnocksDownAndTheOpponentGetsUp) {
  opponent("punk", kPlayerOneX + 60, 1000);
  int longestChain = 0, t = 0;
  for (; foe().aiState != kAiKnockedDown && t < 300; ++t) {
    step(true);  // attack pressed in every poll
    if (p1().playerState == kPlayerAttacking && p1().comboStep > longestChain) longestChain = p1().comboStep;
  }
  ASSERT_EQ(foe().aiState, kAiKnockedDown) << "no knock-down after " << t << " ticks";
  EXPECT_EQ(longestChain, p1().attacksAmount) << "the chain runs through every numbered attack";
  EXPECT_GT(shakeX, 0) << "a knock-down shakes the screen";
  for (; (foe().down == 0 || foe().physicsOn == 1) && t < 600; ++t) step();
  EXPECT_EQ(entitySprites[kFoe].animation, "FALLLAND");
  for (; foe().down == 1 && t < 900; ++t) step();
  EXPECT_EQ(foe().down, 0) << "still down after " << t << " ticks";
  EXPECT_GT(foe().hp, 0);
  EXPECT_GT(p1().power, 0);
}

// Every player's opening jab must move a crate or a drum standing just in front of it on the
// same foot line: a prop shorter than half a fighter lets the blow pass over its top.
struct PropCase {
  const char* player;
  const char* prop;
};

class PackProp : public PackFight, public ::testing::WithParamInterface<PropCase> {};

TEST_P(PackProp, FirstAttackKnocksAPropInFront) {
  const PropCase& c = GetParam();
  placeFighter(0, kPlayerOneX, 400, packPath(std::string("scripts/") + c.player + ".dat"));
  Entity& prop = placeFighter(kFoe, 0, 0, packPath(std::string("scripts/") + c.prop + ".dat"));
  prop.kind = kKindObject;
  startAnimation(entitySprites[kFoe], "STATIONARY");
  const int kGap = 6;  // between the two bodies' edges
  prop.x = int16_t(kPlayerOneX + (entitySprites[0].bodyWidth + entitySprites[kFoe].bodyWidth) / 2 + kGap);
  prop.y = int16_t(p1().y + entitySprites[0].bodyHeight - entitySprites[kFoe].bodyHeight);
  const int16_t standingX = prop.x;
  bool knocked = false;
  for (int t = 0; t < 30 && !knocked; ++t) {
    step(t == 0);
    knocked = entitySprites[kFoe].animation == "DAMAGE";
  }
  EXPECT_TRUE(knocked) << c.player << "'s first attack passes over the " << c.prop;
  EXPECT_GT(prop.x, standingX) << "the blow pushes it away";
}

std::vector<PropCase> propCases() {
  std::vector<PropCase> cases;
  for (const char* player : {"kestor", "bluesoldier", "rider", "brick"})
    for (const char* prop : {"crate", "barrel"}) cases.push_back({player, prop});
  return cases;
}

INSTANTIATE_TEST_SUITE_P(Pack, PackProp, ::testing::ValuesIn(propCases()),
                         [](const auto& info) { return std::string(info.param.player) + "_" + info.param.prop; });

}  // namespace
