// The game's icon for the desktop's menus: the title's hero, Kestor, on the title's colours in
// a rounded plate. Painted once large and averaged down to each size the icon themes ask for,
// so that every size is the same picture and the small ones stay smooth.
#include <algorithm>
#include <cmath>

#include "canvas.h"
#include "fighter_looks.h"
#include "pack.h"
#include "portrait.h"

namespace {

const int kMasterSize = 512;
// The sizes of the freedesktop icon theme's fixed-size folders.
const int kIconSizes[] = {16, 22, 24, 32, 48, 64, 128, 256};
// The plate's corner radius and rim, as parts of the master's side.
const double kCornerPart = 0.18;
const int kRim = 14;

bool insideRoundedSquare(int x, int y, int size, double radius) {
  const double cx = std::clamp(x + 0.5, radius, size - radius);
  const double cy = std::clamp(y + 0.5, radius, size - radius);
  return std::hypot(x + 0.5 - cx, y + 0.5 - cy) <= radius;
}

Canvas paintMaster() {
  const int n = kMasterSize;
  const double radius = n * kCornerPart;
  Canvas plate(n, n);
  // The title's night sky and the gold of its plates' rims.
  plate.verticalGradient(0, 0, n, n, rgb(16, 12, 40), rgb(60, 20, 40));
  paintPortrait(plate, lookOf("kestor"), -40, -10, 592, 700, rgb(255, 90, 60, 255));
  Canvas icon(n, n);
  for (int y = 0; y < n; ++y)
    for (int x = 0; x < n; ++x) {
      if (!insideRoundedSquare(x, y, n, radius)) continue;
      const bool rim = !insideRoundedSquare(x - kRim, y - kRim, n - 2 * kRim, radius - kRim) ||
                       x < kRim || y < kRim || x >= n - kRim || y >= n - kRim;
      icon.set(x, y, rim ? rgb(200, 180, 120) : plate.get(x, y));
    }
  return icon;
}

}  // namespace

void writeIcons(const std::string& root) {
  const Canvas master = paintMaster();
  for (int size : kIconSizes) {
    const std::string folder = std::to_string(size) + "x" + std::to_string(size);
    averagedDown(master, size).savePngRgba(root + "/hicolor/" + folder + "/apps/brawler.png");
  }
}
