// The web page's icons for a home screen: the title's colours and a fighter's bust, with the
// important part inside the middle four fifths so that a launcher's round mask keeps it.
#include "canvas.h"
#include "fighter_looks.h"
#include "file_out.h"
#include "pack.h"
#include "portrait.h"

namespace {

const int kIconSizes[] = {192, 512};

Canvas paintIcon(int size) {
  Canvas c(size, size, rgb(16, 12, 40));
  c.verticalGradient(0, 0, size, size, rgb(16, 12, 40), rgb(90, 24, 44));
  const int margin = size / 10;
  paintPortrait(c, lookOf("kestor"), margin, margin, size - 2 * margin, size - 2 * margin, rgb(255, 90, 60, 255));
  // A band across the foot with the game's initial, readable at a launcher's size.
  const int scale = size / 48;
  const int band = 12 * scale + 2 * scale;
  c.blendRect(0, size - margin - band, size, band, rgb(0, 0, 0, 150));
  const std::string word = size >= 256 ? "BRAWLER" : "BRAWL";
  const int textScale = std::max(1, (size - 2 * margin) / (Canvas::textWidth(word, 1) + 1));
  const int x = (size - Canvas::textWidth(word, textScale)) / 2;
  const int y = size - margin - band + (band - 12 * textScale) / 2;
  c.text(word, x, y, textScale, rgb(255, 220, 120));
  return c;
}

}  // namespace

void writeWebIcons(const std::string& root) {
  for (int size : kIconSizes) {
    const std::string path = root + "/icon-" + std::to_string(size) + ".png";
    ensureParentFolder(path);
    paintIcon(size).savePngRgb(path);
  }
}
