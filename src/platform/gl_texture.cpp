#include "platform/gl_texture.h"

#ifdef __EMSCRIPTEN__
#include <GLES2/gl2.h>
#else
#include <GL/gl.h>
#endif

#include "platform/platform.h"
#include "platform/quad_queue.h"

uint32_t uploadTexture(const DecodedImage& image, bool rgba) {
  const GLenum format = rgba ? GL_RGBA : GL_RGB;
  GLuint name = 0;
  glGenTextures(1, &name);
  glBindTexture(GL_TEXTURE_2D, name);
  glTexImage2D(GL_TEXTURE_2D, 0, format, image.width, image.height, 0, format, GL_UNSIGNED_BYTE,
               image.pixels.data());
  // Pixel art: a texel stays one sharp block however far the picture is scaled.
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
  noteTextureOpacity(name, image, rgba);
  return name;
}

void freeTexture(uint32_t glName) {
  forgetTextureOpacity(glName);
  GLuint name = glName;
  glDeleteTextures(1, &name);
}
