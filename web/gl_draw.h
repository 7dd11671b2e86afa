// What vertex processing hands to the WebGL side (web/gl_webgl.cpp):
// finished vertices in clip coordinates with their colours, and the
// framebuffer operations.
#ifndef UNIVERSE_WEB_GL_DRAW_H
#define UNIVERSE_WEB_GL_DRAW_H

#include <GL/gl.h>

#include <cstdint>

struct DrawVertex {
    float position[4];  // clip coordinates
    float front[4];     // colour of front faces, lines and points
    float back[4];      // colour of back faces
};

enum class DrawMode { Points, Lines, Triangles };

// Queues independent points, lines (pairs) or triangles (triples).
void drawVertices(DrawMode mode, const DrawVertex* vertices, int count);

// The largest vertexCount drawIndexed takes.
constexpr int kMaxIndexedVertices = 65536;

// Queues points, lines or triangles given as indices into `vertices` (one,
// two or three per primitive); vertexCount is at most kMaxIndexedVertices.
// Draws the same pixels as drawVertices with the vertices the indices name.
void drawIndexed(DrawMode mode, const DrawVertex* vertices, int vertexCount,
                 const uint32_t* indices, int indexCount);

// Called after the viewport, depth or culling state changed: what is queued
// so far is drawn under the old state, what comes after under the new one.
void framebufferStateChanged();

// glClear with the current clear colour and depth, in order with the draws.
void clearFramebuffer(GLbitfield mask);

// Draws everything queued.
void flushDrawing();

#endif
