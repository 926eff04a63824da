// The test display's screen as the display server holds it, for whole-program tests.
#pragma once

// Pixels of the display's root window painted exactly the colour given (red, green, blue); -1
// when the display cannot be opened. A program's window on the test display sits at its corner.
long pixelsOfColour(unsigned char r, unsigned char g, unsigned char b);
