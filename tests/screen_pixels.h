// The test display's screen as the display server holds it, for whole-program tests.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

// Pixels of the display's root window painted exactly the colour given (red, green, blue); -1
// when the display cannot be opened. A lone program's window sits at its corner.
long pixelsOfColour(const std::string& display, unsigned char r, unsigned char g, unsigned char b);

// The display's whole root window, 0xRRGGBB per pixel in rows from the top; false when the
// display cannot be opened.
struct ScreenShot {
  int width = 0;
  int height = 0;
  std::vector<uint32_t> rgb;
};
bool readScreen(const std::string& display, ScreenShot* shot);
