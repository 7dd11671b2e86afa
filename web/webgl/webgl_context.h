// The WebGL side of the browser platform's GL, for the GLUT runtime.
#ifndef UNIVERSE_WEB_WEBGL_CONTEXT_H
#define UNIVERSE_WEB_WEBGL_CONTEXT_H

// Sizes the canvas that `canvasSelector` (a CSS selector) finds to width x
// height and creates the WebGL 1 context that every GL call draws into: no
// antialiasing, a depth buffer, no stencil, an opaque drawing buffer that is
// kept between frames. Returns false when there is no such canvas or WebGL,
// or when its shaders do not compile (their log is then in the page's
// message). A lost context is reported in the page's message and rebuilt
// when the browser gives it back.
bool webglCreateContext(const char* canvasSelector, int width, int height);

// The window's new size in device pixels: the canvas's drawing buffer
// becomes width x height, and bitmaps are clipped to it.
void webglResize(int width, int height);

// While false, GL calls keep all their CPU-side state as usual but nothing
// reaches WebGL: no clear, no draw, no upload.
void webglSetFrameVisible(bool visible);

// Draws everything still queued; glutSwapBuffers calls it at the end of
// each frame.
void webglEndFrame();

#endif
