// The animation script interpreter. Every call names the entity its sprite set acts for: an
// entity's own sprite set acts for its slot; a sprite set outside the entity table (an
// overworld marker) acts for the entity it stands for.
#pragma once
#include <cstdint>
#include <string>

#include "content/sprite_set.h"

// The entity whose hit list an animation start clears: the index of `sprite` in
// entitySprites when it lies in that table (a spark spawned during someone else's attack
// must not clear the attacker's list), otherwise the entity whose step is running, or -1.
int animationOwner(const SpriteSet& sprite);
// Switches the sprite set to the block whose BEGIN line names `name` in capitals; resets the
// loop and finished state and the owner's hit list. Runs no line: the next step does.
// A name the script lacks leaves the running block in place.
void startAnimation(int32_t owner, SpriteSet& sprite, const std::string& name);
// True when the script has a block of that name (in any case).
bool hasAnimation(const SpriteSet& sprite, const std::string& name);
// The same for a sprite set of the entity table, acting for its own slot.
void startAnimation(SpriteSet& sprite, const std::string& name);
// Runs one tick of the running block, writing into entities[owner]: every line up to and
// including the next LOOPEND, END, STOP or STOPFINISH. A tick never passes line 1000 nor runs
// more than 1001 lines (an ASSIGNANIMATION cycle); either ends it where it stands.
void stepAnimation(int32_t owner, SpriteSet& sprite);
