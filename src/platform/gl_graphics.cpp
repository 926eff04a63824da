// Every OpenGL call of the game: the real back end's graphics half.
//
// It keeps a frame's quads until the frame is shown and then draws them with as
// little work as gives the same pixels, which is what a software renderer charges for: quads
// that cannot show are left out, partly hidden ones are drawn only within the box of what
// still shows, and opaque ones are drawn without blending.
#include <GL/gl.h>

#include <algorithm>

#include "platform/gl_texture.h"
#include "platform/platform_backend.h"
#include "platform/quad_queue.h"

int gfxPlainDrawing = 0;

namespace {

constexpr double kOrthoNear = -1.0;
constexpr double kOrthoFar = 1.0;
constexpr double kQuadDepth = 0.0;  // every quad: with GL_LEQUAL the later draw covers

GLenum pixelFormat(bool rgba) { return rgba ? GL_RGBA : GL_RGB; }

// Asks GL, without allocating, whether it takes a texture of this size and layout.
bool textureSizeAccepted(int width, int height, GLenum format) {
  if (width <= 0 || height <= 0) return false;
  glTexImage2D(GL_PROXY_TEXTURE_2D, 0, format, width, height, 0, format, GL_UNSIGNED_BYTE, nullptr);
  GLint acceptedWidth = 0;
  glGetTexLevelParameteriv(GL_PROXY_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &acceptedWidth);
  return acceptedWidth != 0;
}

QuadQueue frame;
// Whether texturing is to be on once the queued quads are drawn: the last call decides.
bool texturingWanted = true;
bool blendingOn = true;  // as gfxInitState leaves it
bool scissorOn = false;

void drawQuadNow(uint32_t glName, const QuadVertex corners[4], double alpha) {
  glEnable(GL_TEXTURE_2D);
  glBindTexture(GL_TEXTURE_2D, glName);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  glColor4d(1.0, 1.0, 1.0, alpha);
  glBegin(GL_QUADS);
  for (int i = 0; i < 4; ++i) {
    glTexCoord2d(corners[i].u, corners[i].v);
    glVertex3d(corners[i].x, corners[i].y, kQuadDepth);
  }
  glEnd();
}

// Blending and the alpha test go off for opaque quads and come back on for the rest, and
// for whatever is drawn after the queue.
void setBlending(bool on) {
  if (on == blendingOn) return;
  blendingOn = on;
  if (on) {
    glEnable(GL_BLEND);
    glEnable(GL_ALPHA_TEST);
  } else {
    glDisable(GL_BLEND);
    glDisable(GL_ALPHA_TEST);
  }
}

void setScissor(bool on) {
  if (on == scissorOn) return;
  scissorOn = on;
  if (on)
    glEnable(GL_SCISSOR_TEST);
  else
    glDisable(GL_SCISSOR_TEST);
}

// A box of the picture as GL's scissor box in the window: both edges of a side map through the
// same rounding, so boxes that meet in the picture still meet on the screen.
void scissorPictureBox(const GridBox& box) {
  const PictureRect& p = windowPicture;
  const int32_t left = pictureToWindowSpan(box.left, screenWidth, p.width);
  const int32_t right = pictureToWindowSpan(box.right, screenWidth, p.width);
  const int32_t top = pictureToWindowSpan(box.top, screenHeight, p.height);
  const int32_t bottom = pictureToWindowSpan(box.bottom, screenHeight, p.height);
  // GL counts scissor rows from the bottom of the window.
  glScissor(p.x + left, windowPixelsHigh - (p.y + bottom), right - left, bottom - top);
}

// The quad once per box of it that can show; the boxes never overlap, so no pixel is drawn twice.
void drawPlannedQuad(const QueuedQuad& q, const QuadPlan& plan) {
  if (plan.boxCount == 0) return;
  setBlending(!q.opaque);
  setScissor(plan.clipped);
  if (!plan.clipped) {
    drawQuadNow(q.glName, q.corners, q.alpha);
    return;
  }
  for (int b = 0; b < plan.boxCount; ++b) {
    const GridBox& box = plan.boxes[b];
    scissorPictureBox(box);
    drawQuadNow(q.glName, q.corners, q.alpha);
  }
}

void drawQueuedQuads() {
  if (frame.quads.empty()) return;
  planQuadQueue(&frame);
  for (size_t i = 0; i < frame.quads.size(); ++i) drawPlannedQuad(frame.quads[i], frame.plans[i]);
  setBlending(true);
  setScissor(false);
  if (!texturingWanted) glDisable(GL_TEXTURE_2D);
  frame.quads.clear();
}

void initState() {
  // A new context: quads queued for the old one and what was known of its state are gone.
  frame.quads.clear();
  forgetAllTextureOpacity();
  blendingOn = true;
  scissorOn = false;
  texturingWanted = true;
  glFollowWindowPicture();
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glOrtho(0, screenWidth, screenHeight, 0, kOrthoNear, kOrthoFar);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glClearColor(0.0f, 0.0f, 0.0f, 0.5f);
  glClearDepth(1.0);
  glDepthFunc(GL_LEQUAL);
  glEnable(GL_DEPTH_TEST);
  glEnable(GL_BLEND);
  glEnable(GL_ALPHA_TEST);
  glEnable(GL_TEXTURE_2D);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  glShadeModel(GL_SMOOTH);
  glDisable(GL_CULL_FACE);
}

void clearBuffers() {
  drawQueuedQuads();
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}

uint32_t createTexture(const DecodedImage& image, bool rgba) {
  if (!textureSizeAccepted(image.width, image.height, pixelFormat(rgba))) return 0;
  return uploadTexture(image, rgba);
}

int maxTextureSide() {
  GLint side = 0;
  glGetIntegerv(GL_MAX_TEXTURE_SIZE, &side);
  return side;
}

void deleteTexture(uint32_t glName) {
  drawQueuedQuads();  // the queue may still draw from it
  freeTexture(glName);
}

void drawTexturedQuad(uint32_t glName, const QuadVertex corners[4], double alpha) {
  texturingWanted = true;
  if (gfxPlainDrawing) {
    drawQueuedQuads();
    drawQuadNow(glName, corners, alpha);
    return;
  }
  // Clamped to 0 by GL, such an alpha blends to exactly what lies beneath.
  if (!(alpha > 0.0)) return;
  frame.quads.push_back(queuedQuad(glName, corners, alpha));
}

void disableTexturing() {
  texturingWanted = false;
  if (frame.quads.empty()) glDisable(GL_TEXTURE_2D);
}

std::vector<unsigned char> readBackBuffer() {
  constexpr size_t kRowBytes = static_cast<size_t>(screenWidth) * 4;
  std::vector<unsigned char> bottomUp(kRowBytes * screenHeight);
  drawQueuedQuads();
  glFinish();
  glReadBuffer(GL_BACK);
  glPixelStorei(GL_PACK_ALIGNMENT, 4);
  glReadPixels(0, 0, screenWidth, screenHeight, GL_RGBA, GL_UNSIGNED_BYTE, bottomUp.data());
  // GL counts rows from the bottom; callers think in screen rows from the top.
  std::vector<unsigned char> topDown(bottomUp.size());
  for (int row = 0; row < screenHeight; ++row)
    std::copy_n(&bottomUp[(screenHeight - 1 - row) * kRowBytes], kRowBytes, &topDown[row * kRowBytes]);
  return topDown;
}

}  // namespace

// The picture keeps its own 1024x768 coordinates; only where it lands in the window moves.
void glFollowWindowPicture() {
  const PictureRect& p = windowPicture;
  glViewport(p.x, windowPixelsHigh - (p.y + p.height), p.width, p.height);
}

const GraphicsBackend glGraphics{initState,        clearBuffers,     createTexture,   deleteTexture,
                                 drawTexturedQuad, disableTexturing, drawQueuedQuads, readBackBuffer,
                                 maxTextureSide};
