// What vertex processing hands to the WebGL side (web/gl_webgl.cpp):
// finished vertices in clip coordinates with their colours, and the
// framebuffer operations.
#ifndef UNIVERSE_WEB_GL_DRAW_H
#define UNIVERSE_WEB_GL_DRAW_H

#include <GL/gl.h>

struct DrawVertex {
    float position[4];  // clip coordinates
    float front[4];     // colour of front faces, lines and points
    float back[4];      // colour of back faces
};

enum class DrawMode { Points, Lines, Triangles };

// Queues independent points, lines (pairs) or triangles (triples).
void drawVertices(DrawMode mode, const DrawVertex* vertices, int count);

// Called after the viewport, depth or culling state changed: draws what is
// queued under the old state first.
void framebufferStateChanged();

// glClear with the current clear colour and depth.
void clearFramebuffer(GLbitfield mask);

// Draws everything queued.
void flushDrawing();

#endif
