// The GL, GLU and GLUT calls the web GL core's test makes, as a table, so
// that the same calls run through the system's libraries (Mesa) and
// through the browser platform's GL core compiled for this machine.
#pragma once

struct GLUquadric;

struct GLCalls {
    void (*matrixMode)(unsigned mode);
    void (*loadIdentity)();
    void (*loadMatrixf)(const float* m);
    void (*pushMatrix)();
    void (*popMatrix)();
    void (*rotatef)(float angle, float x, float y, float z);
    void (*translatef)(float x, float y, float z);
    void (*viewport)(int x, int y, int width, int height);
    void (*perspective)(double fovy, double aspect, double zNear, double zFar);
    void (*lookAt)(double eyeX, double eyeY, double eyeZ, double centerX, double centerY,
                   double centerZ, double upX, double upY, double upZ);
    void (*enable)(unsigned cap);
    void (*disable)(unsigned cap);
    void (*lightfv)(unsigned light, unsigned pname, const float* params);
    void (*lightModeli)(unsigned pname, int param);
    void (*materialfv)(unsigned face, unsigned pname, const float* params);
    void (*colorMaterial)(unsigned face, unsigned mode);
    void (*color3f)(float r, float g, float b);
    void (*normal3f)(float x, float y, float z);
    void (*begin)(unsigned mode);
    void (*end)();
    void (*vertex3i)(int x, int y, int z);
    void (*solidSphere)(double radius, int slices, int stacks);
    void (*wireSphere)(double radius, int slices, int stacks);
    void (*solidCone)(double base, double height, int slices, int stacks);
    void (*wireCone)(double base, double height, int slices, int stacks);
    void (*solidCube)(double size);
    void (*wireCube)(double size);
    GLUquadric* (*newQuadric)();
    void (*cylinder)(GLUquadric* quadric, double base, double top, double height, int slices,
                     int stacks);
    void (*deleteQuadric)(GLUquadric* quadric);
    unsigned (*getError)();
    void (*getIntegerv)(unsigned pname, int* params);
    void (*getFloatv)(unsigned pname, float* params);
    void (*pixelStorei)(unsigned pname, int param);
    void (*bitmap)(int width, int height, float xorig, float yorig, float xmove, float ymove,
                   const unsigned char* bitmap);
    void (*clearColor)(float red, float green, float blue, float alpha);
    void (*clearDepth)(double depth);
    void (*depthFunc)(unsigned func);
    void (*cullFace)(unsigned mode);
    void (*frontFace)(unsigned mode);
    void (*shadeModel)(unsigned mode);
};

// The functions that fill a GLCalls, in its order: the system's where the
// names are theirs, the core's where they are renamed.
#define WEB_GL_TEST_CALLS                                                                          \
    glMatrixMode, glLoadIdentity, glLoadMatrixf, glPushMatrix, glPopMatrix, glRotatef,             \
        glTranslatef, glViewport, gluPerspective, gluLookAt, glEnable, glDisable, glLightfv,       \
        glLightModeli, glMaterialfv, glColorMaterial, glColor3f, glNormal3f, glBegin, glEnd,       \
        glVertex3i, glutSolidSphere, glutWireSphere, glutSolidCone, glutWireCone, glutSolidCube,   \
        glutWireCube, gluNewQuadric, gluCylinder, gluDeleteQuadric, glGetError, glGetIntegerv,     \
        glGetFloatv, glPixelStorei, glBitmap, glClearColor, glClearDepth, glDepthFunc, glCullFace, \
        glFrontFace, glShadeModel

// The browser platform's GL core (tests/web_gl/core/core_calls.cpp).
const GLCalls& webCoreCalls();

// Replays the calls 1 to `last` of a recorded frame through the core
// (web/calls/call_replay.h).
namespace calls {
struct CallFrame;
}
void replayInCore(const calls::CallFrame& frame, int last);
