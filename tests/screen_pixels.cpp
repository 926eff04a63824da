// Kept apart from the tests: Xlib's macros collide with GoogleTest's names.
#include "screen_pixels.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>

bool readScreen(const std::string& name, ScreenShot* shot) {
  Display* display = XOpenDisplay(name.c_str());
  if (display == nullptr) return false;
  const Window root = DefaultRootWindow(display);
  XWindowAttributes size;
  XGetWindowAttributes(display, root, &size);
  XImage* image = XGetImage(display, root, 0, 0, size.width, size.height, AllPlanes, ZPixmap);
  shot->width = image != nullptr ? size.width : 0;
  shot->height = image != nullptr ? size.height : 0;
  shot->rgb.assign(static_cast<size_t>(shot->width) * shot->height, 0);
  for (int y = 0; y < shot->height; ++y)
    for (int x = 0; x < shot->width; ++x)
      shot->rgb[static_cast<size_t>(y) * shot->width + x] = XGetPixel(image, x, y) & 0xffffff;
  if (image != nullptr) XDestroyImage(image);
  XCloseDisplay(display);
  return shot->width > 0;
}

long pixelsOfColour(const std::string& name, unsigned char r, unsigned char g, unsigned char b) {
  ScreenShot shot;
  if (!readScreen(name, &shot)) return -1;
  const uint32_t wanted = (static_cast<uint32_t>(r) << 16) | (g << 8) | b;
  long count = 0;
  for (uint32_t pixel : shot.rgb)
    if (pixel == wanted) ++count;
  return count;
}
