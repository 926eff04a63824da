// An SDL event as the seam's PlatformEvent: shared by the desktop's SDL 1.2 and the browser's
// built-in SDL 1.x, whose events have the same fields. Include it after SDL's own header.
#pragma once
#include "platform/picture_fit.h"
#include "platform/platform_backend.h"

inline PlatformEvent platformEventOf(const SDL_Event& in) {
  PlatformEvent e{};
  switch (in.type) {
    case SDL_KEYDOWN:
    case SDL_KEYUP:
      e.type = in.type == SDL_KEYDOWN ? kEventKeyDown : kEventKeyUp;
      e.key = in.key.keysym.sym;
      break;
    case SDL_MOUSEMOTION:
      e.type = kEventMouseMotion;
      e.dx = in.motion.xrel;
      e.dy = in.motion.yrel;
      // Whatever points at the picture thinks in its pixels, however large it is shown.
      windowToPicture(windowPicture, in.motion.x, in.motion.y, &e.x, &e.y);
      break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
      e.type = in.type == SDL_MOUSEBUTTONDOWN ? kEventMouseButtonDown : kEventMouseButtonUp;
      e.button = in.button.button;
      break;
    case SDL_JOYAXISMOTION:
      e.type = kEventJoyAxis;
      e.joystick = in.jaxis.which;
      e.index = in.jaxis.axis;
      e.value = in.jaxis.value;
      break;
    case SDL_JOYBALLMOTION:
      e.type = kEventJoyBall;
      e.joystick = in.jball.which;
      e.index = in.jball.ball;
      e.dx = in.jball.xrel;
      e.dy = in.jball.yrel;
      break;
    case SDL_JOYHATMOTION:
      e.type = kEventJoyHat;
      e.joystick = in.jhat.which;
      e.index = in.jhat.hat;
      e.value = in.jhat.value;
      break;
    case SDL_JOYBUTTONDOWN:
    case SDL_JOYBUTTONUP:
      e.type = in.type == SDL_JOYBUTTONDOWN ? kEventJoyButtonDown : kEventJoyButtonUp;
      e.joystick = in.jbutton.which;
      e.button = in.jbutton.button;
      break;
    case SDL_QUIT:
      e.type = kEventQuit;
      break;
    case SDL_VIDEORESIZE:
      e.type = kEventWindowResized;
      e.x = in.resize.w;
      e.y = in.resize.h;
      break;
    default:
      e.type = kEventOther;
      break;
  }
  return e;
}
