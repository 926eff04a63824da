#include "sheets.h"

#include <map>
#include <memory>

#include "content/sprite_set.h"
#include "content/text_file.h"
#include "findings.h"
#include "line_shapes.h"

namespace {

const TextFormat kFrameListFormat{"frame list", {"FRAME"}, kFrameCount};
const TextFormat kOffsetFormat{"offset file", {"OFFSET"}, kOffsetCount};

// One frame list can cut several images (every stage background uses "gfx/stage/bg.spr").
std::map<std::pair<std::string, std::string>, SheetInfo> sheets;

std::string number(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%g", value);
  return text;
}

// The frames as the game's own loader reads them; a defined frame is one that refers to the
// sheet's texture. A list longer than the frame table is read from its text instead, so that
// the checker survives what it reports.
std::unique_ptr<FrameList> readFrames(const std::string& sprPath, const TextFile& file,
                                      const Texture& sheetTexture) {
  auto frames = std::make_unique<FrameList>();
  if (static_cast<int>(file.lines.size()) <= kFrameCount) {
    loadFrameList(*frames, sheetTexture, sprPath);
    return frames;
  }
  for (int k = 0; k < kFrameCount; ++k) {
    const std::string& text = file.lines[k];
    if (getField(text, 1) != "FRAME") continue;
    frames->frame[k].texture = &sheetTexture;
    frames->frame[k].x1 = toNumber(getField(text, 2));
    frames->frame[k].y1 = toNumber(getField(text, 3));
    frames->frame[k].x2 = toNumber(getField(text, 4));
    frames->frame[k].y2 = toNumber(getField(text, 5));
  }
  return frames;
}

void checkRectangles(const std::string& path, const FrameList& frames, const Texture& sheetTexture,
                     const ImageInfo& image, SheetInfo& sheet) {
  for (int k = 0; k < kFrameCount; ++k) {
    if (frames.frame[k].texture != &sheetTexture) continue;
    sheet.defined[k] = true;
    double x1 = frames.frame[k].x1, y1 = frames.frame[k].y1, x2 = frames.frame[k].x2, y2 = frames.frame[k].y2;
    std::string rect = "(" + number(x1) + ", " + number(y1) + ")-(" + number(x2) + ", " +
                       number(y2) + ")";
    if (x2 <= x1 || y2 <= y1)
      reportWarning(path, k + 1, "frame " + std::to_string(k) + " rectangle " + rect +
                                     " has no area; x2 and y2 lie one past the bottom-right pixel");
    if (!image.decoded) continue;
    bool inside = x1 >= 0 && y1 >= 0 && x2 >= 0 && y2 >= 0 && x1 <= image.width &&
                  x2 <= image.width && y1 <= image.height && y2 <= image.height;
    if (!inside)
      reportError(path, k + 1, "frame " + std::to_string(k) + " rectangle " + rect +
                                   " lies outside the " + std::to_string(image.width) + "x" +
                                   std::to_string(image.height) + " image");
  }
}

}  // namespace

void forgetSheets() { sheets.clear(); }

const SheetInfo& checkSheet(const std::string& imagePath, ImageLayout layout,
                            const std::string& sprPath, const std::string& whatLoadsIt) {
  const ImageInfo& image = checkImage(imagePath, layout, whatLoadsIt);
  std::string path = shownPath(sprPath);
  auto key = std::make_pair(path, shownPath(imagePath));
  auto found = sheets.find(key);
  if (found != sheets.end()) return found->second;
  SheetInfo& sheet = sheets[key];
  sheet.defined.assign(kFrameCount, false);
  if (!requireFile(path, whatLoadsIt + "; without it nothing of the sheet is drawn")) return sheet;
  const TextFile& file = textFile(path);
  sheet.listed = true;
  sheet.lineCount = static_cast<int>(file.lines.size());
  checkLineShapes(path, file, kFrameListFormat);
  static const Texture sheetTexture{};
  std::unique_ptr<FrameList> frames = readFrames(path, file, sheetTexture);
  checkRectangles(path, *frames, sheetTexture, image, sheet);
  return sheet;
}

void checkOffsets(const std::string& offPath, const SheetInfo& sheet, bool required,
                  const std::string& whatLoadsIt) {
  std::string path = shownPath(offPath);
  if (!required && !contentFileExists(path)) return;
  if (!requireFile(path, whatLoadsIt + "; without it every frame is drawn from the anchor's corner"))
    return;
  const TextFile& file = textFile(path);
  checkLineShapes(path, file, kOffsetFormat);
  int count = static_cast<int>(file.lines.size());
  if (sheet.listed && count != sheet.lineCount)
    reportWarning(path, 0, "has " + std::to_string(count) + " lines but its frame list has " +
                               std::to_string(sheet.lineCount) +
                               "; line n gives the offset of frame n");
}

void requireFrames(const std::string& sprPath, const SheetInfo& sheet, int first, int last,
                   const std::string& purpose) {
  if (!sheet.listed) return;
  for (int k = first; k <= last; ++k) {
    if (!sheet.isDefined(k))
      reportError(shownPath(sprPath), 0,
                  "frame " + std::to_string(k) + " is not defined, but the game draws it as " +
                      purpose);
  }
}
