// The WebGL side of the browser platform's GL, for the GLUT runtime.
#ifndef UNIVERSE_WEB_WEBGL_CONTEXT_H
#define UNIVERSE_WEB_WEBGL_CONTEXT_H

// Sizes the canvas that `canvasSelector` (a CSS selector) finds to width x
// height and creates the WebGL 1 context that every GL call draws into: no
// antialiasing, a depth buffer, no stencil, an opaque drawing buffer that is
// kept between frames. Returns false when there is no such canvas or WebGL.
bool webglCreateContext(const char* canvasSelector, int width, int height);

// Draws everything still queued; glutSwapBuffers calls it at the end of
// each frame.
void webglEndFrame();

// Sets the canvas's drawing buffer to width x height device pixels; the
// GLUT runtime calls it before each reshape whose size changed.
void webglResize(int width, int height);

// While false, GL calls keep their state as usual but nothing reaches
// WebGL: the frames of a long address that nobody sees.
void webglSetFrameVisible(bool visible);

#endif
