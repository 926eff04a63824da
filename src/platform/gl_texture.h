// Textures as both GL back ends (desktop GL, WebGL) make and free them. Who calls: each back
// end's createTexture, after checking the size, and its deleteTexture, after drawing what is
// queued from the texture.
#pragma once
#include <cstdint>

struct DecodedImage;

// `image` (four channels when `rgba`, three otherwise) as a new texture sampled at its nearest
// texel, left bound, its opacity noted for the quad queue; its GL name.
uint32_t uploadTexture(const DecodedImage& image, bool rgba);
void freeTexture(uint32_t glName);
