// Kept apart from the tests: Xlib's macros collide with GoogleTest's names.
#include "screen_pixels.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>

long pixelsOfColour(const std::string& name, unsigned char r, unsigned char g, unsigned char b) {
  Display* display = XOpenDisplay(name.c_str());
  if (display == nullptr) return -1;
  const Window root = DefaultRootWindow(display);
  XWindowAttributes size;
  XGetWindowAttributes(display, root, &size);
  XImage* image = XGetImage(display, root, 0, 0, size.width, size.height, AllPlanes, ZPixmap);
  long count = 0;
  const unsigned long wanted = (static_cast<unsigned long>(r) << 16) | (g << 8) | b;
  for (int y = 0; image != nullptr && y < size.height; ++y)
    for (int x = 0; x < size.width; ++x)
      if ((XGetPixel(image, x, y) & 0xffffff) == wanted) ++count;
  if (image != nullptr) XDestroyImage(image);
  XCloseDisplay(display);
  return count;
}

