#include <gtest/gtest.h>
#include <unistd.h>

#include "content/text_file.h"
#include "platform/null_platform.h"
#include "render/stage_scene.h"

namespace {

class SharedSheets : public ::testing::Test {
 protected:
  // The stage test folder holds a font of four glyphs and a five-frame interface sheet.
  void SetUp() override {
    useNullPlatform(true);
    ASSERT_EQ(chdir(BRAWLER_TEST_DATA "/play"), 0);
  }
};

TEST_F(SharedSheets, EverySpriteHoldsTheWholeSheet) {
  loadInterfaceGraphics();
  for (int j = 0; j <= 30; ++j) {
    const SpriteSet& s = interfaceSprites[j];
    EXPECT_EQ(s.autoSize, 1) << j;
    EXPECT_EQ(s.frames.count, 5) << j;
    EXPECT_EQ(s.frames.frame[4].texture, &interfaceTextures[0]) << j;
    EXPECT_EQ(s.frames.frame[2].x1, 0) << j;
    EXPECT_EQ(s.frames.frame[2].y2, 48) << j;
    EXPECT_EQ(s.frames.frame[4].x2, 64) << j;
  }
  EXPECT_EQ(interfaceSprites[31].frames.count, 0);
  EXPECT_EQ(interfaceTextures[0].width, 80);
}

TEST_F(SharedSheets, RecordsKeepWhatTheFileDoesNotDefine) {
  interfaceSprites[7].frames.frame[9].x2 = 77;  // a frame the sheet's list never reaches
  interfaceSprites[7].frames.offsetX[1] = 5;
  loadInterfaceGraphics();
  EXPECT_EQ(interfaceSprites[7].frames.frame[9].x2, 77);
  EXPECT_EQ(interfaceSprites[7].frames.offsetX[1], 5);
  EXPECT_EQ(interfaceSprites[7].frames.frame[4].x2, 64);
  EXPECT_EQ(interfaceSprites[8].frames.frame[9].x2, 0);
  EXPECT_EQ(interfaceSprites[8].frames.offsetX[1], 0);
}

TEST_F(SharedSheets, FontGlyphsAndOffsetsOfTheFirstCodes) {
  // The offset file has four lines; the shared offset lines past them keep older text.
  offsetLines[100] = "OFFSET 4 4";
  offsetLines[200] = "OFFSET 9 9";
  fontFrames.offsetX[200] = 3;
  loadInterfaceGraphics();
  EXPECT_EQ(fontFrames.count, 4);
  EXPECT_EQ(fontFrames.frame[3].texture, &fontTexture);
  EXPECT_EQ(fontFrames.frame[3].x1, 24);
  EXPECT_EQ(fontFrames.offsetY[1], -1);
  EXPECT_EQ(fontFrames.offsetX[2], 1);
  EXPECT_EQ(fontFrames.offsetX[100], 4);
  EXPECT_EQ(fontFrames.offsetX[200], 3);  // codes past 127 carry no offsets
  EXPECT_EQ(fontTexture.width, 32);
}

}  // namespace
