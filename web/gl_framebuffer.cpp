// The framebuffer settings: viewport, clearing, depth test, culling,
// shading and line and point sizes.
#include <GL/gl.h>

#include "gl_draw.h"
#include "gl_state.h"

extern "C" {

void glViewport(GLint x, GLint y, GLsizei width, GLsizei height) {
    GLint* v = glState().viewport;
    v[0] = x;
    v[1] = y;
    v[2] = width;
    v[3] = height;
    framebufferStateChanged();
}

void glClearColor(GLclampf red, GLclampf green, GLclampf blue, GLclampf alpha) {
    GLfloat* c = glState().clearColor;
    c[0] = red;
    c[1] = green;
    c[2] = blue;
    c[3] = alpha;
}

void glClearDepth(GLclampd depth) { glState().clearDepth = static_cast<GLfloat>(depth); }

void glClear(GLbitfield mask) { clearFramebuffer(mask); }

void glDepthFunc(GLenum func) {
    glState().depthFunc = func;
    framebufferStateChanged();
}

void glDepthMask(GLboolean flag) {
    glState().depthMask = flag != GL_FALSE;
    framebufferStateChanged();
}

void glCullFace(GLenum mode) {
    glState().cullFaceMode = mode;
    framebufferStateChanged();
}

void glFrontFace(GLenum mode) {
    glState().frontFace = mode;
    framebufferStateChanged();
}

void glShadeModel(GLenum mode) { glState().shadeModel = mode; }

// Lines and points are always one pixel wide; the sizes are accepted.
void glLineWidth(GLfloat) {}
void glPointSize(GLfloat) {}

}  // extern "C"
