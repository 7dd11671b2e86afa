// What the GL core hands to its back end (web/webgl/gl_webgl_backend.cpp in the
// page; the native test has a recording one): finished vertices in clip
// coordinates with their colours, cached shapes to draw with the current
// matrices and lighting, and the framebuffer operations.
#ifndef UNIVERSE_WEB_GL_BACKEND_H
#define UNIVERSE_WEB_GL_BACKEND_H

#include <GL/gl.h>

#include <cstdint>

namespace glcore {

struct DrawVertex {
    float position[4];  // clip coordinates
    float front[4];     // colour of front faces, lines and points
    float back[4];      // colour of back faces
};

enum class DrawMode { Points, Lines, Triangles };

struct CachedShape;

// Queues independent points, lines (pairs) or triangles (triples).
void drawVertices(DrawMode mode, const DrawVertex* vertices, int count);

// The largest vertexCount drawIndexed takes: 16-bit indices below 0xFFFF,
// which WebGL 2 takes for a restart of the strip.
constexpr int kMaxIndexedVertices = 65535;
constexpr uint16_t kRestartIndex = 0xFFFF;

// Queues points, lines or triangles given as indices into `vertices` (one,
// two or three per primitive); vertexCount is at most kMaxIndexedVertices.
// Draws the same pixels as drawVertices with the vertices the indices name.
void drawIndexed(DrawMode mode, const DrawVertex* vertices, int vertexCount,
                 const uint32_t* indices, int indexCount);

// Queues one-pixel points placed in window coordinates: x and y in
// [-1, 1] across the whole window, whatever the viewport (bitmaps).
void drawWindowPoints(const DrawVertex* vertices, int count);

// Offers `count` vertices of independent triangles in object space (x, y,
// z, with w = 1) with their normals, all of the current colour, to be
// transformed and lit with the current matrices and lighting on the GPU.
// Returns false when the back end does not take them: the caller then
// draws them through the CPU.
bool drawObjectTriangles(const float* positions, const float* normals, int count);

// Queues a cached shape under the current matrices and lighting. The
// shape stays alive as long as the program: the back end may keep its
// arrays on the GPU under its id.
void drawShape(const CachedShape& shape);

// Called after the viewport, depth or culling state changed: what is queued
// so far is drawn under the old state, what comes after under the new one.
void framebufferStateChanged();

// glClear with the current clear colour and depth, in order with the draws.
void clearFramebuffer(GLbitfield mask);

// Draws everything queued.
void flushDrawing();

}  // namespace glcore

#endif
