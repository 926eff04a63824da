// The test display's screen as the display server holds it, for whole-program tests.
#pragma once


#include <string>

// Pixels of the display's root window painted exactly the colour given (red, green, blue); -1
// when the display cannot be opened. A lone program's window sits at its corner.
long pixelsOfColour(const std::string& display, unsigned char r, unsigned char g, unsigned char b);
