#include "sim/animation.h"
void startAnimation(SpriteSet&, const std::string&) {}
void stepAnimation(SpriteSet&) {}
