// The heads-up display sheet, shared by the stage and the character select screen (which
// loads its own copy into the same texture slot, so both must keep the same frame layout).
#pragma once

#include <vector>

#include "canvas.h"
#include "sheet.h"

Canvas interfaceSheet(std::vector<FrameRect>& frames);
