// The animation script interpreter.
#pragma once
#include <string>

#include "render/sprite_set.h"

// Switches the sprite set (owned by entity currentEntity... see the .cpp) to the named block.
void startAnimation(SpriteSet& sprite, const std::string& name);
// Runs one tick of the running block for the entity at currentEntity.
void stepAnimation(SpriteSet& sprite);
