// Big busts of the fighters for the character select screen and the title: painted at the size
// they are shown, with a face, hair and a fist of their own rather than the small figure scaled up.
#pragma once

#include "figure.h"

// Paints the bust into the w by h box whose top-left corner is (x, y), over a glowing disc.
void paintPortrait(Canvas& c, const Look& look, int x, int y, int w, int h, Color glow);
