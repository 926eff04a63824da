// Words on screen in the game's font: frame n of the font sheet is the glyph of character n.
#pragma once
#include <cstdint>
#include <string>

// Menus written in the font (the options rows, the title's OPTIONS, the pause choices, the
// initials' letters) dim every entry but the chosen one by this much, so that all look alike.
constexpr double kUnchosenEntryTransparency = 0.5;

// Width in pixels of `text` drawn `scale` times the glyphs' own size.
int32_t fontTextWidth(const std::string& text, int32_t scale);
// Height in pixels of its tallest glyph, at the same scale.
int32_t fontTextHeight(const std::string& text, int32_t scale);
// Draws `text` with its top-left corner at (x, y); leaves drawParams as the last glyph set it.
void drawFontText(const std::string& text, int32_t x, int32_t y, int32_t scale, double transparency);
// The same, centred on column centreX.
void drawFontTextCentred(const std::string& text, int32_t centreX, int32_t y, int32_t scale,
                         double transparency);
