// Whole-frame figures in the real window (run it under a display, e.g. Xvfb):
//
//   brawler-frame-probe CONTENT_DIR pacing-sleep|pacing-spin [FRAMES]
//     stage3 as the game starts it; the frame period (mean, minimum), the time spent in
//     presentFrame (swap, clear and wait) and the processor time taken there, per frame, and
//     the process's processor share over the run.
//   brawler-frame-probe CONTENT_DIR wait-sleep|wait-spin [FRAMES]
//     the same figures for the wait alone: no window, nothing drawn, the real clock.
//   brawler-frame-probe CONTENT_DIR draw-stage3|draw-crowded [FRAMES]
//     the cost of drawing one frame (scene, heads-up display, swap, clear) against a bare loop
//     that draws the very same quads with the same textures and nothing else, each both ways:
//     as the game draws (hidden quads left out, opaque ones unblended) and with every quad
//     drawn blended as it comes; the four are interleaved frame by frame. The crowded frame has
//     every entity and scenery slot in use and in view.
//   brawler-frame-probe CONTENT_DIR draw-fullscreen [FRAMES]
//     the stage3 frame (scene, heads-up display, swap, clear) in the 1024x768 window and
//     fullscreen at the desktop's size, the picture scaled to fit and by whole multiples, in
//     alternating blocks of 20 frames; run it on a display of the size to measure (e.g. Xvfb at
//     1920x1080).
#include <sys/resource.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "content/pack_layout.h"
#include "content/stage_loader.h"
#include "crowded_stage.h"
#include "platform/null_platform.h"
#include "render/stage_scene.h"
#include "shell/game_start.h"
#include "shell/input.h"
#include "shell/play_loop.h"
#include "shell/screen_state.h"
#include "shell/stage_start.h"
#include "shell/window.h"
#include "sim/entity.h"
#include "sim/game_state.h"
#include "sim/random.h"

namespace {

constexpr int kFadeFrames = 40;  // the first frames carry the fade cover: left out

double seconds(clockid_t clock) {
  timespec t;
  clock_gettime(clock, &t);
  return t.tv_sec + t.tv_nsec * 1e-9;
}
double wallMs() { return seconds(CLOCK_MONOTONIC) * 1000; }
double threadCpuMs() { return seconds(CLOCK_THREAD_CPUTIME_ID) * 1000; }
double processCpuMs() {
  rusage u;
  getrusage(RUSAGE_SELF, &u);
  return (u.ru_utime.tv_sec + u.ru_stime.tv_sec) * 1000.0 + (u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1000.0;
}

double mean(const std::vector<double>& v) {
  double sum = 0;
  for (double x : v) sum += x;
  return v.empty() ? 0 : sum / v.size();
}
double median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v.empty() ? 0 : v[v.size() / 2];
}

void openGame() {
  useNullPlatform(false);
  startUp(1);
}

void startStage3() {
  stageName = kStartStage;
  startPlaystage();
  enterStage();
}

void runTick() {
  pollInput();
  buildPlayerCommands();
  simulateTick();
  drawStageScene();
  drawHud();
}

// `withStage` false: the wait alone, on the real clock with no window, each frame's own work
// left out; what the wait costs whatever the frame costs.
int pacing(bool spin, bool withStage, int frames) {
  if (withStage) {
    openGame();
    startStage3();
  } else {
    useNullPlatform(false);
  }
  framePacingBusyWait = spin ? 1 : 0;
  for (int f = 0; f < kFadeFrames; ++f) withStage ? stageTick() : presentFrame();
  std::vector<double> period, inPresent, cpuInPresent, swapAndClear, sleeping, spinning;
  int fewestTicks = INT_MAX;  // between the ends of two waits, by the game's tick counter
  double last = wallMs();
  const double wallStart = last, cpuStart = processCpuMs(), threadStart = threadCpuMs();
  for (int f = 0; f < frames; ++f) {
    if (withStage) runTick();
    const double w0 = wallMs(), c0 = threadCpuMs();
    const int16_t previousEnd = lastFrameTicks;
    presentFrame();
    fewestTicks = std::min(fewestTicks, static_cast<int>(static_cast<int16_t>(lastFrameTicks - previousEnd)));
    const double w1 = wallMs(), c1 = threadCpuMs();
    inPresent.push_back(w1 - w0);
    cpuInPresent.push_back(c1 - c0);
    swapAndClear.push_back(lastPresentTimes.swapAndClear);
    sleeping.push_back(lastPresentTimes.sleeping);
    spinning.push_back(lastPresentTimes.spinning);
    period.push_back(w1 - last);
    last = w1;
  }
  const double wall = wallMs() - wallStart;
  const double share = (processCpuMs() - cpuStart) / wall, mainShare = (threadCpuMs() - threadStart) / wall;
  std::vector<double> spinOrder = spinning;
  std::sort(spinOrder.begin(), spinOrder.end());
  const double spin99 = spinOrder[spinOrder.size() * 99 / 100];
  std::printf("%s, %d frames: period mean %.2f ms, minimum %.2f ms (%d ticks); in presentFrame mean %.2f ms (swap and clear "
              "%.2f, asleep %.2f, spinning %.2f, spinning 99th percentile %.2f, most %.2f), of it on the processor "
              "mean %.2f ms, most "
              "%.2f ms; processor share: process %.1f %%, game thread %.1f %%\n",
              spin ? (withStage ? "busy wait" : "busy wait alone") : (withStage ? "sleep then spin" : "sleep then spin alone"),
              frames, mean(period),
              *std::min_element(period.begin(), period.end()), fewestTicks, mean(inPresent), mean(swapAndClear), mean(sleeping),
              mean(spinning), spin99, spinOrder.back(), mean(cpuInPresent),
              *std::max_element(cpuInPresent.begin(), cpuInPresent.end()), share * 100, mainShare * 100);
  return 0;
}

// Every entity and scenery slot in use, all of them in front of the camera.
void crowdTheView() {
  startCrowdedStage();
  for (int e = 0; e <= lastEntity; ++e) {
    entities[e].alive = 1;
    entities[e].x = static_cast<int16_t>(cameraX + (e * 37) % (screenWidth - 100));
  }
  const int placed = lastObject + 1;
  for (int i = placed; i < kSceneryCount && placed > 0; ++i) {
    sceneryObjects[i] = sceneryObjects[i % placed];
    scenerySprites[i] = scenerySprites[i % placed];
    sceneryObjects[i].x = static_cast<int16_t>(sceneryObjects[i].x % 2048 + (i * 53) % 512);
  }
  lastObject = kSceneryCount - 1;
}

void drawScene() {
  drawStageScene();
  drawHud();
}

// One way of drawing the frame, timed frame by frame alongside the others.
struct DrawWay {
  const char* name;
  bool bare;  // the recorded quads alone, not the game's drawing
  int plain;  // gfxPlainDrawing
  std::vector<double> wall, processor;
};

int drawing(bool crowded, int frames) {
  openGame();
  if (crowded) crowdTheView();
  else startStage3();
  for (int f = 0; f < kFadeFrames; ++f) stageTick();  // settles the camera and the fade
  framePacingBusyWait = 0;
  // The same frame, once recorded by the null version: its quads, with the real GL names.
  useNullPlatform(true);
  nullQuads.clear();
  drawScene();
  const std::vector<RecordedQuad> quads = nullQuads;
  nullQuads.clear();
  useNullPlatform(false);
  platformClearBuffers();

  // Interleaved frame by frame, so that a change in the machine's load falls on every way alike.
  DrawWay ways[] = {{"game", false, 0, {}, {}},
                    {"game, every quad blended", false, 1, {}, {}},
                    {"bare loop", true, 0, {}, {}},
                    {"bare loop, every quad blended", true, 1, {}, {}}};
  for (int f = 0; f < frames; ++f) {
    for (DrawWay& way : ways) {
      gfxPlainDrawing = way.plain;
      const double t0 = wallMs(), c0 = processCpuMs();
      if (way.bare) {
        for (const RecordedQuad& q : quads) gfxDrawTexturedQuad(q.glName, q.corners, q.alpha);
      } else {
        drawScene();
      }
      platformSwapBuffers();
      platformClearBuffers();
      way.wall.push_back(wallMs() - t0);
      way.processor.push_back(processCpuMs() - c0);
    }
  }
  gfxPlainDrawing = 0;
  std::printf("%s, %zu quads, %d frames each way, wall median (mean) / processor median (mean), ms:\n",
              crowded ? "crowded frame" : "stage3 frame", quads.size(), frames);
  for (const DrawWay& way : ways)
    std::printf("  %-30s %8.3f (%8.3f) / %8.3f (%8.3f)\n", way.name, median(way.wall), mean(way.wall),
                median(way.processor), mean(way.processor));
  std::printf("  game against every quad blended: wall %.2f, processor %.2f\n",
              median(ways[0].wall) / median(ways[1].wall), median(ways[0].processor) / median(ways[1].processor));
  return 0;
}

// The stage3 frame in the 1024x768 window and fullscreen at the desktop's size (the picture
// scaled to fit), in alternating blocks of frames: a mode change is too slow to interleave
// frame by frame, and blocks still spread a change in the machine's load over both.
int drawingBySize(int frames) {
  constexpr int kBlock = 20;
  constexpr int kSettleFrames = 5;  // the first frames after a mode change
  openGame();
  startStage3();
  for (int f = 0; f < kFadeFrames; ++f) stageTick();
  WindowMode windowed;
  WindowMode fullscreen;
  fullscreen.fullscreen = 1;
  WindowMode wholeMultiples = fullscreen;
  wholeMultiples.wholeMultiples = 1;
  struct SizeWay {
    const char* name;
    WindowMode mode;
    std::vector<double> wall, processor;
  } ways[] = {{"1024x768 window", windowed, {}, {}},
              {"fullscreen, fit", fullscreen, {}, {}},
              {"fullscreen, whole multiples", wholeMultiples, {}, {}}};
  for (int done = 0; done < frames; done += kBlock)
    for (SizeWay& way : ways) {
      std::string reason;
      if (!platformSetWindowMode(way.mode, &reason)) {
        std::fprintf(stderr, "cannot set the mode: %s\n", reason.c_str());
        return 1;
      }
      for (int f = 0; f < kSettleFrames + kBlock; ++f) {
        const double t0 = wallMs(), c0 = processCpuMs();
        drawScene();
        platformSwapBuffers();
        platformClearBuffers();
        if (f < kSettleFrames) continue;
        way.wall.push_back(wallMs() - t0);
        way.processor.push_back(processCpuMs() - c0);
      }
    }
  int32_t width = 0, height = 0;
  platformDesktopSize(&width, &height);
  std::printf("stage3 frame, desktop %dx%d, %zu frames each way, wall median (mean) / processor median (mean), ms:\n",
              width, height, ways[0].wall.size());
  for (const SizeWay& way : ways)
    std::printf("  %-30s %8.3f (%8.3f) / %8.3f (%8.3f)\n", way.name, median(way.wall), mean(way.wall),
                median(way.processor), mean(way.processor));
  std::printf("  fullscreen against the window: wall %.2f, processor %.2f\n", median(ways[1].wall) / median(ways[0].wall),
              median(ways[1].processor) / median(ways[0].processor));
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3 || chdir(argv[1]) != 0) {
    std::fprintf(stderr,
                 "usage: brawler-frame-probe CONTENT_DIR "
                 "pacing-sleep|pacing-spin|wait-sleep|wait-spin|draw-stage3|draw-crowded|draw-fullscreen [FRAMES]\n");
    return 2;
  }
  const std::string mode = argv[2];
  const int frames = argc > 3 ? std::atoi(argv[3]) : 1000;
  if (mode == "pacing-sleep" || mode == "pacing-spin") return pacing(mode == "pacing-spin", true, frames);
  if (mode == "wait-sleep" || mode == "wait-spin") return pacing(mode == "wait-spin", false, frames);
  if (mode == "draw-stage3" || mode == "draw-crowded") return drawing(mode == "draw-crowded", frames);
  if (mode == "draw-fullscreen") return drawingBySize(frames);
  std::fprintf(stderr, "unknown mode %s\n", mode.c_str());
  return 2;
}
