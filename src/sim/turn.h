// The entity whose pass is running, a player's or an opponent's, and what both passes do for
// it: start an animation, ask whether it finished, turn it to face a way.
#pragma once
#include <string>

#include "sim/animation.h"
#include "sim/entity.h"

struct Turn {
  int index;
  Entity& self;
  SpriteSet& sprite;
};

inline void start(Turn& t, const std::string& name) { startAnimation(t.sprite, name); }
inline bool finished(const Turn& t) { return t.sprite.finished == 1; }
inline bool animationIs(const Turn& t, const char* name) { return t.sprite.animation == name; }
// Faces the way of a step along x: a negative direction is left, anything else right.
inline void faceToward(Turn& t, int direction) {
  t.self.facing = direction < 0 ? kFacingLeft : kFacingRight;
}
