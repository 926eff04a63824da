#include <gtest/gtest.h>

#include "recorded_quads.h"
#include "render/stage_scene.h"
#include "sim/entity.h"

namespace {

// Each frame of the interface sheet draws with its own texture so that the quads tell which
// gauge they belong to.
constexpr uint32_t kHealthName = 10, kPowerName = 11, kPanelName = 12, kThirdName = 13;
Texture frameTextures[4];

void resetHud() {
  startRecording();
  playerCount = 2;
  for (int f = 0; f < 4; ++f) frameTextures[f].glName = kHealthName + f;
  for (int s = 0; s < 12; ++s) {
    interfaceSprites[s] = SpriteSet{};
    for (int f = 0; f < 4; ++f) giveFrame(interfaceSprites[s].frames, f, frameTextures[f], 60, 80);
    interfaceSprites[s].autoSize = 1;
  }
  for (int p = 0; p < 2; ++p) {
    Entity& e = entities[p];
    e.hp = hudGauges[p].shownHp = e.maxHp = 500;
    e.power = 0;
    e.maxPower = 100;
    hudGauges[p].gauge3 = 0;
  }
}

// Length of player p's gauge as drawn, or 0 when it was not drawn.
double drawnLength(uint32_t name, int p) {
  std::vector<RecordedQuad> quads = quadsOf(name);
  for (const RecordedQuad& q : quads)
    if (quadLeft(q) == 275 * p + 21) return quadWidth(q);
  return 0;
}

struct GaugeCase {
  const char* name;
  double shownHp, maxHp;
  double power, maxPower;
  double gauge3;
  double health, powerLength, third;  // 0: not drawn
  friend void PrintTo(const GaugeCase& c, std::ostream* os) { *os << c.name; }
};

class GaugeLength : public ::testing::TestWithParam<GaugeCase> {};

TEST_P(GaugeLength, ScalesToTwoHundredLessOne) {
  const GaugeCase& c = GetParam();
  resetHud();
  Entity& e = entities[1];
  e.hp = hudGauges[1].shownHp = c.shownHp;
  e.maxHp = c.maxHp;
  e.power = c.power;
  e.maxPower = c.maxPower;
  hudGauges[1].gauge3 = c.gauge3;
  drawHud();
  EXPECT_EQ(drawnLength(kHealthName, 1), c.health);
  EXPECT_EQ(drawnLength(kPowerName, 1), c.powerLength);
  EXPECT_EQ(drawnLength(kThirdName, 1), c.third);
}

INSTANTIATE_TEST_SUITE_P(
    Lengths, GaugeLength,
    ::testing::Values(GaugeCase{"FullIs199", 500, 500, 100, 100, 500.0 / 6, 199, 199, 199},
                      GaugeCase{"HalfIs99", 250, 500, 50, 100, 500.0 / 12, 99, 99, 99},
                      GaugeCase{"HalfPercentIsNotDrawn", 2.5, 500, 0.5, 100, 0, 0, 0, 0},
                      GaugeCase{"RoundsHalfToEven", 500, 500, 3.75, 100, 0, 199, 6, 0},
                      GaugeCase{"ThirdAboveItsCapIsFull", 500, 500, 0, 100, 200, 199, 0, 199},
                      GaugeCase{"NoMaximumHealthDrawsNoHealth", 500, 0, 50, 100, 20, 0, 99, 0},
                      GaugeCase{"NoMaximumPowerDrawsNoPower", 500, 500, 50, 0, 0, 199, 0, 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Gauges, SitUnderEachPlayersPanel) {
  resetHud();
  entities[0].power = 100;
  hudGauges[0].gauge3 = 1000;
  drawHud();
  std::vector<RecordedQuad> panels = quadsOf(kPanelName);
  ASSERT_EQ(panels.size(), 2u);
  EXPECT_EQ(quadLeft(panels[0]), 10);
  EXPECT_EQ(quadLeft(panels[1]), 285);
  EXPECT_EQ(quadTop(panels[0]), 10);
  EXPECT_EQ(quadWidth(panels[0]), 60);  // the panel keeps its frame's own size
  EXPECT_DOUBLE_EQ(panels[0].alpha, 0.5);
  struct Row { uint32_t name; double top, height; };
  for (Row row : {Row{kHealthName, 20, 25}, Row{kPowerName, 50, 15}, Row{kThirdName, 69, 3}}) {
    ASSERT_FALSE(quadsOf(row.name).empty()) << row.name;
    const RecordedQuad q = quadsOf(row.name)[0];
    EXPECT_EQ(quadLeft(q), 21) << row.name;
    EXPECT_EQ(quadTop(q), row.top) << row.name;
    EXPECT_EQ(quadHeight(q), row.height) << row.name;
    EXPECT_DOUBLE_EQ(q.alpha, 1.0) << row.name;
  }
  EXPECT_DOUBLE_EQ(hudGauges[0].gauge3, 500.0 / 6);
}

TEST(HealthCatchUp, ShrinksHalfAPointAFrameAfterTheLengthIsTaken) {
  resetHud();
  entities[0].hp = 440;
  drawHud();
  EXPECT_EQ(drawnLength(kHealthName, 0), 199);
  EXPECT_EQ(hudGauges[0].shownHp, 499.5);
  for (int frame = 2; frame <= 119; ++frame) drawHud();
  EXPECT_EQ(hudGauges[0].shownHp, 440.5);
  drawHud();
  EXPECT_EQ(hudGauges[0].shownHp, 440);
  nullQuads.clear();
  drawHud();
  EXPECT_EQ(drawnLength(kHealthName, 0), 175);
}

TEST(HealthCatchUp, StopsAtTheHitPointsAndNeverRises) {
  resetHud();
  entities[0].hp = 499.8;
  drawHud();
  EXPECT_EQ(hudGauges[0].shownHp, 499.8);
  entities[0].hp = 500;
  drawHud();
  EXPECT_EQ(hudGauges[0].shownHp, 499.8);
}

}  // namespace
