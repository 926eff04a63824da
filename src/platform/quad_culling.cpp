#include "platform/quad_culling.h"

#include <algorithm>
#include <cmath>

#include "platform/platform.h"

namespace {

const GridBox kScreen{0, 0, screenWidth, screenHeight};
// Coordinates this far off the screen are all alike; keeps the conversions to int in range.
constexpr double kFarOff = 1 << 20;

BitGrid covered;  // pixels painted over by opaque quads later in the frame

int toPixel(double coordinate, double (*round)(double)) {
  return static_cast<int>(round(std::clamp(coordinate, -kFarOff, kFarOff)));
}

// Corners (L,T) (R,T) (R,B) (L,B), with u following x alone and v following y alone.
bool isTexturedRectangle(const QuadVertex c[4]) {
  return c[0].y == c[1].y && c[2].y == c[3].y && c[0].x == c[3].x && c[1].x == c[2].x && c[0].v == c[1].v &&
         c[2].v == c[3].v && c[0].u == c[3].u && c[1].u == c[2].u;
}

// The screen rows, as a real interval, onto which the texture rows of `band` fall.
void bandRows(const QuadVertex c[4], const OpaqueBand& band, double* top, double* bottom) {
  const double scale = (c[2].y - c[0].y) / (c[2].v - c[0].v);
  const double a = c[0].y + (band.from - c[0].v) * scale, b = c[0].y + (band.to - c[0].v) * scale;
  *top = std::min(a, b);
  *bottom = std::max(a, b);
}

// The boxes of a quad's pixels within `area` that nothing later covers: rows holding such
// pixels, grouped into runs between fully covered rows.
int visibleBoxes(const GridBox& area, GridBox boxes[kMostVisibleBoxes]) {
  int count = 0;
  bool inRun = false;
  for (int y = area.top; y < area.bottom; ++y) {
    int first = 0, end = 0;
    if (!gridRowClearSpan(covered, y, area.left, area.right, &first, &end)) {
      inRun = false;
      continue;
    }
    if (!inRun && count < kMostVisibleBoxes) boxes[count++] = GridBox{first, y, end, y};
    inRun = true;
    GridBox& box = boxes[count - 1];
    box.left = std::min(box.left, first);
    box.right = std::max(box.right, end);
    box.bottom = y + 1;
  }
  return count;
}

}  // namespace

CullQuad cullQuadOf(const QuadVertex corners[4], const OpaqueBand& band) {
  double left = corners[0].x, right = left, top = corners[0].y, bottom = top;
  bool finite = true;
  for (int i = 0; i < 4; ++i) {
    finite = finite && std::isfinite(corners[i].x) && std::isfinite(corners[i].y);
    left = std::min(left, corners[i].x);
    right = std::max(right, corners[i].x);
    top = std::min(top, corners[i].y);
    bottom = std::max(bottom, corners[i].y);
  }
  // Nothing is known of where such a quad lands: it is drawn, and hides nothing.
  if (!finite) return {kScreen, GridBox{}};
  // A pixel is painted when its centre lies inside: rounding the edges outwards takes in every
  // pixel the quad may touch, inwards only pixels it surely covers.
  CullQuad quad{{toPixel(left, std::floor), toPixel(top, std::floor), toPixel(right, std::ceil),
                 toPixel(bottom, std::ceil)},
                GridBox{}};
  if (bandEmpty(band) || !isTexturedRectangle(corners) || corners[0].v == corners[2].v) return quad;
  double bandTop = 0, bandBottom = 0;
  bandRows(corners, band, &bandTop, &bandBottom);
  quad.cover = {toPixel(left, std::ceil), toPixel(std::max(top, bandTop), std::ceil), toPixel(right, std::floor),
                toPixel(std::min(bottom, bandBottom), std::floor)};
  return quad;
}

void planFrame(const std::vector<CullQuad>& quads, std::vector<QuadPlan>* plans) {
  resetGrid(covered, screenWidth, screenHeight);
  plans->assign(quads.size(), QuadPlan{});
  // From the last quad to the first: what a quad hides is known before the quads under it.
  for (size_t i = quads.size(); i-- > 0;) {
    QuadPlan& plan = (*plans)[i];
    const GridBox onScreen = intersectBoxes(quads[i].reach, kScreen);
    if (!boxEmpty(onScreen)) plan.boxCount = visibleBoxes(onScreen, plan.boxes);
    const GridBox& first = plan.boxes[0];
    plan.clipped = plan.boxCount > 1 || (plan.boxCount == 1 && (first.left != onScreen.left || first.top != onScreen.top ||
                                                                first.right != onScreen.right ||
                                                                first.bottom != onScreen.bottom));
    setGridBox(covered, intersectBoxes(quads[i].cover, kScreen));
  }
}
