// The WebGL side of the browser platform's GL, for the GLUT runtime.
#ifndef UNIVERSE_WEB_WEBGL_CONTEXT_H
#define UNIVERSE_WEB_WEBGL_CONTEXT_H

// What the back end tells its listener, the GLUT runtime: the context was
// lost, came back (and is rebuilt), came back but refused the shaders
// (webglShaderLog), the page's replay met a command it does not know and
// draws nothing more (webglShaderLog says which), or a frame is wanted
// (after webglDrawShapesOnCpu).
enum class WebGLEvent { Lost, Restored, RestoredWithoutShaders, StreamBroken, RedrawAsked };
void webglSetListener(void (*listener)(WebGLEvent event));

// How webglCreateContext went: ready, no WebGL, the shaders refused, or
// the command stream's layout refused by the page's replay, which found
// it does not fit its shaders (webglShaderLog says how). Unless ready,
// nothing is drawn.
enum class WebGLStart { Ready, NoWebGL, ShadersRefused, LayoutRefused };

// Sizes the canvas that `canvasSelector` (a CSS selector) finds to width x
// height and creates the context that every GL call draws into: WebGL 2
// where the browser has it, else WebGL 1 (or WebGL 1 when the page asks);
// no antialiasing, a depth buffer, no stencil, an opaque drawing buffer
// that is kept between frames. A lost context is rebuilt, on the same
// version, when the browser gives it back.
WebGLStart webglCreateContext(const char* canvasSelector, int width, int height);

// What WebGL said when it last refused the shaders, or why the replay
// refused the layout or stopped (UTF-8).
const char* webglShaderLog();

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
