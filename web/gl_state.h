// The GL state the browser platform keeps on the CPU: capabilities, the
// current vertex attributes, lights and materials, and the framebuffer
// settings. One context, so one global state.
#ifndef UNIVERSE_WEB_GL_STATE_H
#define UNIVERSE_WEB_GL_STATE_H

#include <GL/gl.h>

constexpr int kMaxLights = 8;

struct LightSource {
    bool enabled = false;
    GLfloat ambient[4] = {0, 0, 0, 1};
    GLfloat diffuse[4] = {0, 0, 0, 1};   // light 0: (1, 1, 1, 1)
    GLfloat specular[4] = {0, 0, 0, 1};  // light 0: (1, 1, 1, 1)
    GLfloat eyePosition[4] = {0, 0, 1, 0};  // in eye coordinates
    GLfloat spotDirection[3] = {0, 0, -1};  // in eye coordinates
    GLfloat spotExponent = 0;
    GLfloat spotCutoff = 180;
    GLfloat constantAttenuation = 1;
    GLfloat linearAttenuation = 0;
    GLfloat quadraticAttenuation = 0;
};

struct Material {
    GLfloat ambient[4] = {0.2f, 0.2f, 0.2f, 1};
    GLfloat diffuse[4] = {0.8f, 0.8f, 0.8f, 1};
    GLfloat specular[4] = {0, 0, 0, 1};
    GLfloat emission[4] = {0, 0, 0, 1};
    GLfloat shininess = 0;
};

// Which material parameters follow the current colour (GL_COLOR_MATERIAL).
struct ColorMaterialTarget {
    GLenum face = GL_FRONT_AND_BACK;
    GLenum mode = GL_AMBIENT_AND_DIFFUSE;
};

struct GLState {
    // Capabilities.
    bool lighting = false;
    bool colorMaterial = false;
    bool depthTest = false;
    bool normalize = false;
    bool rescaleNormal = false;
    bool cullFace = false;

    // Current vertex attributes, kept across glBegin/glEnd pairs.
    GLfloat color[4] = {1, 1, 1, 1};
    GLfloat normal[3] = {0, 0, 1};

    // Lighting.
    LightSource lights[kMaxLights];
    Material materials[2];  // [0] front, [1] back
    GLfloat modelAmbient[4] = {0.2f, 0.2f, 0.2f, 1};
    bool twoSide = false;
    bool localViewer = false;
    ColorMaterialTarget colorMaterialTarget;
    GLenum shadeModel = GL_SMOOTH;

    // Framebuffer.
    GLint viewport[4] = {0, 0, 0, 0};
    GLfloat clearColor[4] = {0, 0, 0, 0};
    GLfloat clearDepth = 1;
    GLenum depthFunc = GL_LESS;
    bool depthMask = true;
    GLenum cullFaceMode = GL_BACK;
    GLenum frontFace = GL_CCW;
};

GLState& glState();

// Copies the current colour into the material parameters that track it;
// called when tracking starts or its target changes and on every colour
// change while it is on, so the material keeps the last colour after.
void updateColorMaterial();

#endif
