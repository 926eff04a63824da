// The screens only an online arcade shows: the wait for the other machine, and how the
// session ended (refused, DESYNC, CONNECTION LOST, the other player left).
#include <cstdio>

#include "arcade/arcade.h"
#include "arcade/arcade_online.h"
#include "render/font_text.h"
#include "render/stage_scene.h"
#include "screens/screens.h"
#include "shell/input.h"
#include "shell/window.h"

namespace {

constexpr int32_t kHeadingY = 200;
constexpr int32_t kHeadingScale = 2;
constexpr int32_t kFirstLineY = 320;
constexpr int32_t kLineStep = 44;
constexpr int32_t kHintY = 640;
constexpr double kHintDim = 0.5;
// Long enough to read a line twice; a machine nobody watches still gets back to its title.
constexpr int32_t kMessageTicks = 8 * kTicksPerSecond;
// A key still down from the fight must not pass the message unread.
constexpr int32_t kMessageUnskippableTicks = kTicksPerSecond / 2;

void drawLines(const std::string& heading, const std::vector<std::string>& lines, const std::string& hint) {
  drawScreenCover(0.0);
  drawFontTextCentred(heading, screenWidth / 2, kHeadingY, kHeadingScale, 0.0);
  int32_t y = kFirstLineY;
  for (const std::string& line : lines) {
    drawFontTextCentred(line, screenWidth / 2, y, 1, 0.0);
    y += kLineStep;
  }
  drawFontTextCentred(hint, screenWidth / 2, kHintY, 1, kHintDim);
  presentFrame();
}

}  // namespace

void drawOnlineWait(const std::string& title, const std::vector<std::string>& lines) {
  drawLines(title, lines, "ESCAPE: BACK TO THE TITLE");
}

bool onlineMessageFrame(const std::string& message, int32_t shownTicks) {
  pollInput();
  if (windowCloseRequested != 0) endProgram();
  if (shownTicks >= kMessageTicks || (shownTicks > kMessageUnskippableTicks && anyInputPressed())) return false;
  drawLines("ONLINE PLAY ENDED", {message}, "ANY KEY: TITLE");
  return true;
}
