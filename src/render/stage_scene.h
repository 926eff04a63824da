// The stage scene, the heads-up display and the sheets every screen shares.
#pragma once

#include "content/sprite_set.h"
#include "sim/entity.h"

constexpr int kHudGauges = kEntityCount;

extern Texture fontTexture;
extern FrameList fontFrames;
constexpr int kInterfaceTextures = 11;
extern Texture interfaceTextures[kInterfaceTextures];

// Frames of the global interface sheet: the gauges and the panel behind them (all stretched
// to the size drawn), and the full-screen fade layer, drawn stretched over the screen.
enum InterfaceFrame {
  kInterfaceHealthFrame = 0, kInterfacePowerFrame = 1, kInterfacePanelFrame = 2,
  kInterfaceThirdFrame = 3, kInterfaceFadeFrame = 4
};

void loadInterfaceGraphics();
// The fade layer over the whole screen, 0 opaque .. 1 invisible; sets every field of
// drawParams but the frame's own size switch, which it turns off.
void drawScreenCover(double transparency);
// One frame of the global interface sheet stretched over a rectangle of the screen.
void drawInterfaceFrame(int32_t frame, int32_t x, int32_t y, int32_t width, int32_t height,
                        double transparency);
void drawStageScene();
void drawHud();

// What the heads-up display keeps of each fighter beside the world's figures: the health it
// shows, which drains towards the real value a little every frame, and the third gauge.
// Written by the HUD; a stage start shows every fighter's health in full.
struct HudGauge {
  double shownHp;
  double gauge3;
};
extern HudGauge hudGauges[kHudGauges];
// shownHp = hp for every entity up to the last.
void showFullHealth();
