// The animation script interpreter.
#pragma once
#include <cstdint>
#include <string>

#include "content/sprite_set.h"

// The entity whose hit list an animation start clears: the index of `sprite` in
// entitySprites when it lies in that table (a spark spawned during someone else's attack
// must not clear the attacker's list), otherwise currentEntity.
int animationOwner(const SpriteSet& sprite);
// Switches the sprite set to the block whose BEGIN line names `name` in capitals; resets the
// loop and finished state and the owner's hit list. Runs no line: the next step does.
// A name the script lacks leaves the running block in place.
void startAnimation(SpriteSet& sprite, const std::string& name);
// Runs one tick of the running block, writing into entities[currentEntity]: every line up to
// and including the next LOOPEND, END, STOP or STOPFINISH. A tick never passes line 1000 nor
// runs more than 1001 lines (an ASSIGNANIMATION cycle); either ends it where it stands.
void stepAnimation(SpriteSet& sprite);
// The same for a sprite set outside the entity table that acts for entity `owner` (an
// overworld marker for its player): currentEntity is `owner` during the call and what it was
// before afterwards.
void startAnimationFor(int32_t owner, SpriteSet& sprite, const std::string& name);
void stepAnimationFor(int32_t owner, SpriteSet& sprite);
