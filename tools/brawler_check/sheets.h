// Sprite sheets: an image, its frame list (".spr") and its offsets (".off").
#pragma once
#include <string>
#include <vector>

#include "content_files.h"

struct SheetInfo {
  bool listed = false;        // the ".spr" exists
  int lineCount = 0;          // lines of the ".spr" (the frame list's count)
  std::vector<bool> defined;  // frame n has a FRAME line
  bool isDefined(int frame) const {
    return frame >= 0 && frame < static_cast<int>(defined.size()) && defined[frame];
  }
};

// Checks the image and the frame list cut from it; each pair is checked once.
const SheetInfo& checkSheet(const std::string& imagePath, ImageLayout layout,
                            const std::string& sprPath, const std::string& whatLoadsIt);
// Empties the sheets checked, for a new content folder.
void forgetSheets();
// Checks an ".off" file that goes with the sheet; `required` false for optional offsets.
void checkOffsets(const std::string& offPath, const SheetInfo& sheet, bool required,
                  const std::string& whatLoadsIt);
// Reports frames that the game draws by number but the ".spr" does not define.
void requireFrames(const std::string& sprPath, const SheetInfo& sheet, int first, int last,
                   const std::string& purpose);
