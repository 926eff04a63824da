// The browser's back end, graphics half: the game's textured quads through WebGL, one shader
// pair and one vertex buffer filled once per frame. The frame's quads are planned as on the
// desktop (what cannot show is left out, opaque quads drawn without blending); runs of quads
// on one texture go to the GPU as one draw. Built instead of gl_graphics.cpp for the web.
#include <GLES2/gl2.h>

#include <algorithm>
#include <cstdio>

#include "platform/gl_texture.h"
#include "platform/platform_backend.h"
#include "platform/quad_queue.h"

namespace {

// Screen pixels to clip space (y downwards, as the desktop's orthographic projection), and
// each vertex's colour alpha beside its texture coordinates.
const char* const kVertexShader = R"(
attribute vec2 position;
attribute vec2 texCoord;
attribute float alpha;
uniform vec2 screenSize;
varying highp vec2 sheetCoord;
varying float shade;
void main() {
  sheetCoord = texCoord;
  shade = alpha;
  gl_Position = vec4(position.x * 2.0 / screenSize.x - 1.0, 1.0 - position.y * 2.0 / screenSize.y, 0.0, 1.0);
}
)";
// A sheet 2048 texels wide needs more than medium precision to hit its texels.
const char* const kFragmentShader = R"(
precision highp float;
uniform sampler2D sheet;
varying highp vec2 sheetCoord;
varying float shade;
void main() {
  gl_FragColor = texture2D(sheet, sheetCoord) * vec4(1.0, 1.0, 1.0, shade);
}
)";

enum Attribute { kPosition = 0, kTexCoord = 1, kAlpha = 2 };
struct Vertex {
  float x, y, u, v, alpha;
};
// Two triangles per quad, drawn from its four corners in this order.
constexpr int kQuadCorners[] = {0, 1, 2, 0, 2, 3};
constexpr int kVerticesPerQuad = 6;

QuadQueue frame;
std::vector<Vertex> vertices;
GLuint program = 0;
GLuint vertexBuffer = 0;
bool clearPending = false;  // presentFrame clears right after the swap; the browser shows later
int largestSide = 0;

GLuint compile(GLenum kind, const char* source) {
  const GLuint shader = glCreateShader(kind);
  glShaderSource(shader, 1, &source, nullptr);
  glCompileShader(shader);
  GLint ok = 0;
  glGetShaderiv(shader, GL_COMPILE_STATUS, &ok);
  if (!ok) {
    char log[512] = {};
    glGetShaderInfoLog(shader, sizeof log, nullptr, log);
    std::printf("WebGL shader: %s\n", log);
  }
  return shader;
}

void buildProgram() {
  program = glCreateProgram();
  glAttachShader(program, compile(GL_VERTEX_SHADER, kVertexShader));
  glAttachShader(program, compile(GL_FRAGMENT_SHADER, kFragmentShader));
  glBindAttribLocation(program, kPosition, "position");
  glBindAttribLocation(program, kTexCoord, "texCoord");
  glBindAttribLocation(program, kAlpha, "alpha");
  glLinkProgram(program);
  glUseProgram(program);
  glUniform2f(glGetUniformLocation(program, "screenSize"), screenWidth, screenHeight);
  glUniform1i(glGetUniformLocation(program, "sheet"), 0);
  glGenBuffers(1, &vertexBuffer);
  glBindBuffer(GL_ARRAY_BUFFER, vertexBuffer);
  const GLsizei stride = sizeof(Vertex);
  glVertexAttribPointer(kPosition, 2, GL_FLOAT, GL_FALSE, stride, reinterpret_cast<void*>(offsetof(Vertex, x)));
  glVertexAttribPointer(kTexCoord, 2, GL_FLOAT, GL_FALSE, stride, reinterpret_cast<void*>(offsetof(Vertex, u)));
  glVertexAttribPointer(kAlpha, 1, GL_FLOAT, GL_FALSE, stride, reinterpret_cast<void*>(offsetof(Vertex, alpha)));
  glEnableVertexAttribArray(kPosition);
  glEnableVertexAttribArray(kTexCoord);
  glEnableVertexAttribArray(kAlpha);
}

// Each a single switch: a frame makes a few dozen draws at most.
void setBlending(bool on) { on ? glEnable(GL_BLEND) : glDisable(GL_BLEND); }
void setScissor(bool on) { on ? glEnable(GL_SCISSOR_TEST) : glDisable(GL_SCISSOR_TEST); }

void clearIfPending() {
  if (!clearPending) return;
  clearPending = false;
  setScissor(false);
  glClear(GL_COLOR_BUFFER_BIT);
}

void fillVertices() {
  vertices.clear();
  for (const QueuedQuad& q : frame.quads) {
    // The colour's alpha is clamped, as glColor clamps it.
    const float alpha = static_cast<float>(std::clamp(q.alpha, 0.0, 1.0));
    for (int corner : kQuadCorners) {
      const QuadVertex& c = q.corners[corner];
      vertices.push_back({static_cast<float>(c.x), static_cast<float>(c.y), static_cast<float>(c.u),
                          static_cast<float>(c.v), alpha});
    }
  }
  glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(vertices.size() * sizeof(Vertex)), vertices.data(),
               GL_STREAM_DRAW);
}

// Quads [first, end) share a texture and a blend and are drawn whole.
void drawRun(size_t first, size_t end) {
  if (first == end) return;
  const QueuedQuad& q = frame.quads[first];
  setBlending(!q.opaque);
  setScissor(false);
  glBindTexture(GL_TEXTURE_2D, q.glName);
  glDrawArrays(GL_TRIANGLES, static_cast<GLint>(first * kVerticesPerQuad),
               static_cast<GLsizei>((end - first) * kVerticesPerQuad));
}

// A quad partly covered is drawn once per box of it that shows; the boxes never overlap.
void drawClipped(size_t index) {
  const QueuedQuad& q = frame.quads[index];
  const QuadPlan& plan = frame.plans[index];
  setBlending(!q.opaque);
  setScissor(true);
  glBindTexture(GL_TEXTURE_2D, q.glName);
  for (int b = 0; b < plan.boxCount; ++b) {
    const GridBox& box = plan.boxes[b];
    // GL counts scissor rows from the bottom of the canvas.
    glScissor(box.left, screenHeight - box.bottom, box.right - box.left, box.bottom - box.top);
    glDrawArrays(GL_TRIANGLES, static_cast<GLint>(index * kVerticesPerQuad), kVerticesPerQuad);
  }
}

void drawQueuedQuads() {
  clearIfPending();
  if (frame.quads.empty()) return;
  planQuadQueue(&frame);
  fillVertices();
  size_t runStart = 0;
  for (size_t i = 0; i < frame.quads.size(); ++i) {
    const QueuedQuad& q = frame.quads[i];
    const QuadPlan& plan = frame.plans[i];
    const bool joinsRun = plan.boxCount > 0 && !plan.clipped && i > runStart &&
                          q.glName == frame.quads[runStart].glName && q.opaque == frame.quads[runStart].opaque;
    if (joinsRun) continue;
    drawRun(runStart, i);
    runStart = i;
    if (plan.boxCount == 0 || plan.clipped) {
      if (plan.clipped) drawClipped(i);
      runStart = i + 1;
    }
  }
  drawRun(runStart, frame.quads.size());
  setBlending(true);
  setScissor(false);
  frame.quads.clear();
}

void initState() {
  frame.quads.clear();
  forgetAllTextureOpacity();
  if (program == 0) buildProgram();
  glGetIntegerv(GL_MAX_TEXTURE_SIZE, &largestSide);
  glViewport(0, 0, screenWidth, screenHeight);
  glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
  glDisable(GL_DEPTH_TEST);  // quads all lie at one depth: drawing order decides
  glDisable(GL_CULL_FACE);
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  glActiveTexture(GL_TEXTURE0);
  clearPending = true;
}

void clearBuffers() {
  drawQueuedQuads();
  clearPending = true;
}

uint32_t createTexture(const DecodedImage& image, bool rgba) {
  if (image.width <= 0 || image.height <= 0 || image.width > largestSide || image.height > largestSide) return 0;
  glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
  const uint32_t name = uploadTexture(image, rgba);
  // WebGL 1 samples a sheet whose sides are not powers of two only when it does not repeat.
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
  return name;
}

void deleteTexture(uint32_t glName) {
  drawQueuedQuads();  // the queue may still draw from it
  freeTexture(glName);
}

void drawTexturedQuad(uint32_t glName, const QuadVertex corners[4], double alpha) {
  // Clamped to 0, such an alpha blends to exactly what lies beneath.
  if (!(alpha > 0.0)) return;
  frame.quads.push_back(queuedQuad(glName, corners, alpha));
}

// Every quad the game draws is textured; there is nothing to switch off.
void disableTexturing() {}

// Only the desktop's tests read the screen back.
std::vector<unsigned char> readBackBuffer() { return {}; }

int maxTextureSide() { return largestSide; }

}  // namespace

const GraphicsBackend webGraphics{initState,        clearBuffers,     createTexture,   deleteTexture,
                                  drawTexturedQuad, disableTexturing, drawQueuedQuads, readBackBuffer,
                                  maxTextureSide};
