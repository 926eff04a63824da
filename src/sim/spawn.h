// Entities born during play (hit effects, and whatever a test or tool drops in).
#pragma once
#include <cstdint>
#include <string>

#include "content/sprite_set.h"

// A new entity of a loaded type in the lowest free slot 0..999, running `animation`; returns
// the slot, or -1 (nothing spawned) when every slot is taken.
int spawnEntity(int16_t x, int16_t y, int type, const std::string& animation);

// What a slot shows and runs (sprite frames and script) is its own, loaded at stage start,
// until a spawn copies a type's over it; sprite.contentFrom says which. A world restored to
// an earlier tick puts back whichever the slot held then:
// type t's frames (with the type's offsets, as a spawn applies them) and script,
void takeSpawnContent(SpriteSet& sprite, int type);
// or the slot's own, kept aside by the first spawn that covered them.
void takeOwnContent(int slot);
// A new stage: every slot's content is its own again, whatever it holds.
void forgetOwnContent();
