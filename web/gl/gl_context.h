// The browser platform's GL context: everything the GL calls keep on the
// CPU, in one structure in the namespace glcore. The pipeline's stages each
// have a file of their own and read and write their part of it:
//   gl_matrix_stacks.cpp  the matrix stacks (arithmetic in gl_matrix_math)
//   gl_primitives.cpp     current attributes, glBegin/glEnd, vertex processing
//   gl_lighting.cpp       lights, materials and the lighting of a vertex
//   gl_raster.cpp         the raster position and bitmaps
//   gl_state.cpp          capabilities, framebuffer settings, errors, glGet
//   gl_shape_cache.cpp    GLUT's and GLU's shapes, built once, drawn whole
// What they draw goes to a back end through gl_backend.h: in the page the
// WebGL one (web/webgl/), in the native test a recording one. There is
// one context, as the page has one canvas.
#ifndef UNIVERSE_WEB_GL_CONTEXT_H
#define UNIVERSE_WEB_GL_CONTEXT_H

#include <GL/gl.h>

#include <cstdint>
#include <vector>

#include "web/gl/gl_backend.h"
#include "web/gl/gl_matrix_math.h"

namespace glcore {

constexpr int kMaxLights = 8;
constexpr int kModelviewStackDepth = 32;
constexpr int kProjectionStackDepth = 32;
constexpr int kTextureStackDepth = 10;

struct LightSource {
    bool enabled = false;
    GLfloat ambient[4] = {0, 0, 0, 1};
    GLfloat diffuse[4] = {0, 0, 0, 1};      // light 0: (1, 1, 1, 1)
    GLfloat specular[4] = {0, 0, 0, 1};     // light 0: (1, 1, 1, 1)
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

// A directional light's unit direction and, with the viewer at infinity,
// its unit half vector: they depend only on the light's position, so they
// are kept with the position they were computed from.
struct DirectionalVectors {
    float position[3];
    bool computed = false;
    float toLight[3];
    float half[3];
};

struct MatrixStack {
    Matrix entries[kModelviewStackDepth];  // the deepest of the three stacks
    int depth;                             // entries in use, at least 1
    int maxDepth;                          // GL_MAX_*_STACK_DEPTH
};

struct Matrices {
    MatrixStack modelview{{identityMatrix()}, 1, kModelviewStackDepth};
    MatrixStack projection{{identityMatrix()}, 1, kProjectionStackDepth};
    // Kept and reported, but nothing is textured.
    MatrixStack texture{{identityMatrix()}, 1, kTextureStackDepth};
    GLenum mode = GL_MODELVIEW;

    // Derived from the modelview and projection, rebuilt on first use after
    // either changes.
    bool derivedValid = false;
    Matrix modelviewProjection;
    float normal[3][3];  // rows of the modelview's inverse transpose (upper 3x3)
};

// The primitive between glBegin and glEnd.
struct Primitive {
    bool open = false;
    GLenum mode = GL_POINTS;
    std::vector<DrawVertex> vertices;  // processed, as given
    std::vector<uint32_t> indices;     // lines or triangles, into `vertices`
    std::vector<DrawVertex> expanded;  // the same, as vertices of their own
    // The vertices in object space (x, y, z; w is 1) with their normals, as
    // given; whether all have the colour the first had (what
    // drawObjectTriangles takes), and whether `vertices` waits for glEnd.
    std::vector<float> objects;
    std::vector<float> normals;
    float firstColor[4];
    bool objectsValid = true;
    bool deferred = true;
};

struct RasterPosition {
    float window[4] = {0, 0, 0, 1};  // window x, y, depth in [0, 1], clip w
    float color[4] = {1, 1, 1, 1};
    bool valid = true;
};

// One direction of glPixelStorei's settings.
struct PixelLayout {
    GLint alignment = 4;
    GLint rowLength = 0;
    GLint skipRows = 0;
    GLint skipPixels = 0;
    bool lsbFirst = false;
    bool swapBytes = false;
};

// How glBitmap reads its rows; the pack settings are only kept for glGet.
struct PixelStore {
    PixelLayout unpack;
    PixelLayout pack;
};

struct Context {
    Context();

    // Capabilities.
    bool lighting = false;
    bool colorMaterial = false;
    bool depthTest = false;
    bool normalize = false;
    bool rescaleNormal = false;
    bool cullFace = false;
    // Kept and reported, but nothing blends, textures or offsets.
    bool blend = false;
    bool texture2D = false;
    bool polygonOffsetFill = false;

    // Current vertex attributes, kept across glBegin/glEnd pairs.
    GLfloat color[4] = {1, 1, 1, 1};
    GLfloat normal[3] = {0, 0, 1};

    Matrices matrices;
    Primitive primitive;

    // Lighting.
    LightSource lights[kMaxLights];
    Material materials[2];  // [0] front, [1] back
    GLfloat modelAmbient[4] = {0.2f, 0.2f, 0.2f, 1};
    bool twoSide = false;
    bool localViewer = false;
    ColorMaterialTarget colorMaterialTarget;
    GLenum shadeModel = GL_SMOOTH;
    DirectionalVectors directional[kMaxLights];

    RasterPosition raster;
    PixelStore pixelStore;

    // Framebuffer.
    GLint viewport[4] = {0, 0, 0, 0};
    GLfloat clearColor[4] = {0, 0, 0, 0};
    GLfloat clearDepth = 1;
    GLenum depthFunc = GL_LESS;
    bool depthMask = true;
    GLenum cullFaceMode = GL_BACK;
    GLenum frontFace = GL_CCW;
    // The window's drawing buffer in pixels (bitmaps are clipped to it).
    int windowWidth = 0;
    int windowHeight = 0;

    // The first error since glGetError last read it.
    GLenum error = GL_NO_ERROR;
};

Context& context();

// Records `error` unless one is already waiting to be read, as GL does.
void recordError(GLenum error);

// The window's size in pixels; the back end calls it when the canvas is
// sized.
void setWindowSize(int width, int height);

}  // namespace glcore

#endif
