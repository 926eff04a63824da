#include "render/texture.h"
void loadTextureRGBA(const std::string&, Texture&) {}
void loadTextureRGB(const std::string&, Texture&) {}
