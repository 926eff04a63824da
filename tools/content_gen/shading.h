// Shaded, outlined round shapes: the building blocks of figures and props.
// Light falls from the upper left, so every part shows a lit side, a mid tone and a shadow side.
#pragma once

#include <vector>

#include "canvas.h"

// A rounded limb from a (radius ra) to b (radius rb) with a one-pixel outline.
void shadedCapsule(Canvas& canvas, Point a, Point b, double ra, double rb, const Ramp& ramp);
void shadedDisc(Canvas& canvas, Point centre, double r, const Ramp& ramp);
struct Capsule {
  Point a, b;
  double ra, rb;
};
// Several rounded parts painted as one body: one outline round all of them, no seams inside.
void shadedGroup(Canvas& canvas, const std::vector<Capsule>& parts, const Ramp& ramp);
// As shadedDisc, but only on the side of the line through `through` that `normal` points to.
void shadedDiscClipped(Canvas& canvas, Point centre, double r, const Ramp& ramp, Point through, Point normal);
