#include "render/sprite_set.h"
SpriteSet typeSprites[kTypeSlots];
SpriteSet interfaceSprites[kInterfaceSprites];
SpriteSet portraitSprites[kPortraitSprites];
SpriteSet bgSprite;
void loadFrameList(FrameList&, const Texture&, const std::string&) {}
void applyOffsetLine(FrameList&, int, const std::string&) {}
