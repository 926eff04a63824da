// Shaded, outlined round shapes: the building blocks of figures and props.
// Light falls from the upper left, so every part shows a lit side, a mid tone and a shadow side.
#pragma once

#include "canvas.h"

// A rounded limb from a (radius ra) to b (radius rb) with a one-pixel outline.
void shadedCapsule(Canvas& canvas, Point a, Point b, double ra, double rb, const Ramp& ramp);
void shadedDisc(Canvas& canvas, Point centre, double r, const Ramp& ramp);
// As shadedDisc, but only on the side of the line through `through` that `normal` points to.
void shadedDiscClipped(Canvas& canvas, Point centre, double r, const Ramp& ramp, Point through, Point normal);
