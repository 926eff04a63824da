// The heads-up display sheet: gauges, the player panel and the full-screen fade layer.
#include "file_out.h"
#include "interface_sheet.h"
#include "pack.h"
#include "sheet.h"

namespace {

const int kSheetW = 256, kSheetH = 128;
const int kPanelW = 250, kPanelH = 80;
// Gauges are drawn 11 pixels right of the panel's left edge; rows relative to the panel's top.
const int kGaugeX = 11;
const int kHealthRow = 10, kHealthH = 25;
const int kPowerRow = 40, kPowerH = 15;
const int kThirdRow = 59, kThirdH = 3;
const int kGaugeLength = 200;

void gauge(Canvas& c, int x, int y, int w, int h, Color top, Color mid, Color bottom) {
  for (int j = 0; j < h; ++j) {
    double t = h > 1 ? static_cast<double>(j) / (h - 1) : 0;
    Color col = t < 0.5 ? mixed(top, mid, t * 2) : mixed(mid, bottom, (t - 0.5) * 2);
    if (j == 1 && h > 4) col = mixed(col, rgb(255, 255, 255), 0.55);
    c.fillRect(x, y + j, w, 1, col);
  }
}

void trough(Canvas& c, int x, int y, int w, int h) {
  c.fillRect(x - 2, y - 2, w + 4, h + 4, rgb(230, 220, 190, 255));
  c.fillRect(x - 1, y - 1, w + 2, h + 2, rgb(16, 12, 28, 255));
  c.fillRect(x, y, w, h, rgb(50, 20, 30, 255));
}

}  // namespace

Canvas interfaceSheet(std::vector<FrameRect>& frames) {
  Canvas c(kSheetW, kSheetH);
  frames.clear();
  gauge(c, 0, 0, 8, kHealthH, rgb(255, 244, 140), rgb(250, 190, 40), rgb(206, 86, 20));
  frames.push_back({0, 0, 8, kHealthH});
  gauge(c, 8, 0, 8, kPowerH, rgb(190, 250, 255), rgb(60, 170, 250), rgb(30, 70, 200));
  frames.push_back({8, 0, 8, kPowerH});
  const int px = 0, py = 32;
  c.fillRect(px, py, kPanelW, kPanelH, rgb(236, 226, 196));
  c.fillRect(px + 2, py + 2, kPanelW - 4, kPanelH - 4, rgb(24, 22, 52));
  c.verticalGradient(px + 2, py + 2, kPanelW - 4, kPanelH - 4, rgb(60, 56, 120, 255), rgb(14, 12, 34, 255));
  trough(c, px + kGaugeX, py + kHealthRow, kGaugeLength, kHealthH);
  trough(c, px + kGaugeX, py + kPowerRow, kGaugeLength, kPowerH);
  trough(c, px + kGaugeX, py + kThirdRow, kGaugeLength, kThirdH);
  c.text("HP", px + kGaugeX + kGaugeLength + 6, py + kHealthRow + 5, 2, rgb(255, 230, 120));
  c.text("P", px + kGaugeX + kGaugeLength + 10, py + kPowerRow + 1, 2, rgb(140, 210, 255));
  for (int x : {px, px + kPanelW - 3}) c.fillRect(x, py, 3, 3, rgb(24, 22, 52, 0));  // rounded corners
  frames.push_back({px, py, kPanelW, kPanelH});
  gauge(c, 16, 0, 8, kThirdH, rgb(180, 255, 160), rgb(80, 220, 90), rgb(30, 140, 50));
  frames.push_back({16, 0, 8, kThirdH});
  c.fillRect(32, 0, 16, 16, rgb(0, 0, 0));
  frames.push_back({32, 0, 16, 16});
  return c;
}

void writeInterface(const std::string& root) {
  std::vector<FrameRect> frames;
  Canvas sheet = interfaceSheet(frames);
  sheet.savePngRgba(root + "/gfx/interface/global.png");
  writeTextFile(root + "/gfx/interface/global.spr", frameLinesOf(frames));
}
