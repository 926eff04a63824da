// Whether a sprite placed on the screen reaches into it.
#pragma once

#include "content/sprite_set.h"

// The sprite's rectangle at its anchor with the size it last drew at (a sprite never drawn
// and never sized is a single point) against the screen, touching edges included.
bool spriteOnScreen(const SpriteSet& sprite);
