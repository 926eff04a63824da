// Driving the front-end screens frame by frame through the null platform.
#pragma once
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "content/texture.h"
#include "input_events.h"
#include "platform/null_platform.h"
#include "render/stage_scene.h"
#include "shell/input.h"

// The shipped pack as the working folder, on the null platform; a build without a PNG decoder
// skips the test (a macro: the skip and the assertion leave the fixture's SetUp).
#define ENTER_SHIPPED_PACK()                                                           \
  do {                                                                                 \
    DecodedImage probe;                                                                \
    if (!platformDecodeImage(BRAWLER_CONTENT_DIR "/gfx/interface/global.png", &probe)) \
      GTEST_SKIP() << "no PNG decoder in this build";                                  \
    ASSERT_EQ(chdir(BRAWLER_CONTENT_DIR), 0);                                          \
    useNullPlatform(true);                                                             \
  } while (0)

namespace screen_driver {

constexpr int kLeft1 = 276, kRight1 = 275, kUp1 = 273, kDown1 = 274, kAttack1 = 122, kJump1 = 99;
// Player 2 plays on the first joystick: hat 0 for directions, buttons 2 (attack) and 0 (jump).
constexpr int kHatRight = 2, kHatLeft = 8, kHatCentred = 0, kAttackButton2 = 2, kJumpButton2 = 0;

inline void useScreenFixtures() {
  ASSERT_EQ(chdir(BRAWLER_TEST_DATA "/screens"), 0);
  clearInputTables();  // and the events an earlier test queued but never polled
  setDefaultBindings();
  // The global interface sheet as program start loads it (the fade layer is all we need).
  loadTextureRGBA("gfx\\interface\\global.png", interfaceTextures[0]);
  loadFrameList(interfaceSprites[0].frames, interfaceTextures[0], "gfx\\interface\\global.spr");
  nullQuads.clear();
}

inline void keyDown(int key) { nullQueueEvent(keyEvent(key, true)); }
inline void keyUp(int key) { nullQueueEvent(keyEvent(key, false)); }
// Down and up within one poll: pressed for that frame, never held.
inline void tapKey(int key) { keyDown(key), keyUp(key); }
inline void hat(int position) { nullQueueEvent(padEvent(kEventJoyHat, 0, 0, position)); }
inline void buttonDown(int button) { nullQueueEvent(padEvent(kEventJoyButtonDown, 0, button, 0)); }
inline void buttonUp(int button) { nullQueueEvent(padEvent(kEventJoyButtonUp, 0, button, 0)); }

inline std::vector<RecordedQuad> quadsOf(const Texture& texture) {
  std::vector<RecordedQuad> found;
  for (const RecordedQuad& q : nullQuads)
    if (q.glName == texture.glName) found.push_back(q);
  return found;
}

// Top-left and bottom-right corners of a drawn quad, in screen pixels.
struct QuadBox {
  double left, top, right, bottom;
  bool operator==(const QuadBox& o) const {
    return left == o.left && top == o.top && right == o.right && bottom == o.bottom;
  }
};
inline QuadBox boxOf(const RecordedQuad& q) { return {q.corners[0].x, q.corners[0].y, q.corners[2].x, q.corners[2].y}; }
constexpr QuadBox kWholeScreen{0, 0, 1024, 768};

// Every screen test: fixture content, default bindings, and an exit only where one is expected.
class ScreenTest : public ::testing::Test {
 protected:
  void SetUp() override {
    DecodedImage probe;
    if (!platformDecodeImage(BRAWLER_TEST_DATA "/screens/gfx/interface/global.png", &probe))
      GTEST_SKIP() << "no PNG decoder in this build";
    useScreenFixtures();
  }
};

// Runs up to n iterations of a screen loop; false as soon as the screen stops.
inline bool runFrames(bool (*frame)(), int n) {
  for (int i = 0; i < n; ++i)
    if (!frame()) return false;
  return true;
}

}  // namespace screen_driver
