// The context itself, capabilities, framebuffer settings (viewport,
// clearing, depth test, culling, shading), pixel storage, errors, and glGet
// for the values kept on the CPU.
#include <GL/gl.h>

#include <cmath>

#include "web/gl/gl_backend.h"
#include "web/gl/gl_context.h"
#include "web/gl/gl_lighting.h"
#include "web/gl/gl_matrix_stacks.h"

namespace glcore {

Context::Context() {
    // Light 0 is white; the others start dark.
    for (int c = 0; c < 4; c++) {
        lights[0].diffuse[c] = 1;
        lights[0].specular[c] = 1;
    }
}

Context& context() {
    static Context state;
    return state;
}

void recordError(GLenum error) {
    Context& s = context();
    if (s.error == GL_NO_ERROR) s.error = error;
}

void setWindowSize(int width, int height) {
    Context& s = context();
    s.windowWidth = width;
    s.windowHeight = height;
}

namespace {

// The flag a capability names, or null for one that is not kept.
bool* capabilityFlag(GLenum cap) {
    Context& s = context();
    if (cap >= GL_LIGHT0 && cap < GL_LIGHT0 + kMaxLights) return &s.lights[cap - GL_LIGHT0].enabled;
    switch (cap) {
        case GL_LIGHTING: return &s.lighting;
        case GL_COLOR_MATERIAL: return &s.colorMaterial;
        case GL_DEPTH_TEST: return &s.depthTest;
        case GL_NORMALIZE: return &s.normalize;
        case GL_RESCALE_NORMAL: return &s.rescaleNormal;
        case GL_CULL_FACE: return &s.cullFace;
        case GL_BLEND: return &s.blend;
        case GL_TEXTURE_2D: return &s.texture2D;
        case GL_POLYGON_OFFSET_FILL: return &s.polygonOffsetFill;
        default: return nullptr;
    }
}

void setCapability(GLenum cap, bool on) {
    bool* flag = capabilityFlag(cap);
    if (!flag) {
        recordError(GL_INVALID_ENUM);
        return;
    }
    if (*flag == on) return;
    *flag = on;
    if (cap == GL_COLOR_MATERIAL && on) updateColorMaterial();
    if (cap == GL_DEPTH_TEST || cap == GL_CULL_FACE) framebufferStateChanged();
}

const MatrixStack& stack(GLenum mode) {
    const Matrices& m = context().matrices;
    return mode == GL_PROJECTION ? m.projection : mode == GL_TEXTURE ? m.texture : m.modelview;
}

const Matrix& top(const MatrixStack& s) { return s.entries[s.depth - 1]; }

// The GLint a glPixelStorei name sets, or null for a flag or an unknown name.
GLint* pixelStoreValue(GLenum pname) {
    PixelStore& p = context().pixelStore;
    switch (pname) {
        case GL_UNPACK_ALIGNMENT: return &p.unpack.alignment;
        case GL_UNPACK_ROW_LENGTH: return &p.unpack.rowLength;
        case GL_UNPACK_SKIP_ROWS: return &p.unpack.skipRows;
        case GL_UNPACK_SKIP_PIXELS: return &p.unpack.skipPixels;
        case GL_PACK_ALIGNMENT: return &p.pack.alignment;
        case GL_PACK_ROW_LENGTH: return &p.pack.rowLength;
        case GL_PACK_SKIP_ROWS: return &p.pack.skipRows;
        case GL_PACK_SKIP_PIXELS: return &p.pack.skipPixels;
        default: return nullptr;
    }
}

bool* pixelStoreFlag(GLenum pname) {
    PixelStore& p = context().pixelStore;
    switch (pname) {
        case GL_UNPACK_LSB_FIRST: return &p.unpack.lsbFirst;
        case GL_UNPACK_SWAP_BYTES: return &p.unpack.swapBytes;
        case GL_PACK_LSB_FIRST: return &p.pack.lsbFirst;
        case GL_PACK_SWAP_BYTES: return &p.pack.swapBytes;
        default: return nullptr;
    }
}

// Writes the value of `pname` as floats; returns how many, or 0 (and
// records GL_INVALID_ENUM) for a name that is not kept.
int queryFloats(GLenum pname, GLfloat* out) {
    const Context& s = context();
    auto copy = [out](const float* from, int count) {
        for (int i = 0; i < count; i++) out[i] = from[i];
        return count;
    };
    auto one = [out](float value) {
        out[0] = value;
        return 1;
    };
    switch (pname) {
        case GL_CURRENT_COLOR: return copy(s.color, 4);
        case GL_CURRENT_NORMAL: return copy(s.normal, 3);
        case GL_MODELVIEW_MATRIX: return copy(modelviewMatrix().m, 16);
        case GL_PROJECTION_MATRIX: return copy(projectionMatrix().m, 16);
        case GL_TEXTURE_MATRIX: return copy(top(stack(GL_TEXTURE)).m, 16);
        case GL_CURRENT_RASTER_POSITION: return copy(s.raster.window, 4);
        case GL_CURRENT_RASTER_COLOR: return copy(s.raster.color, 4);
        case GL_CURRENT_RASTER_POSITION_VALID: return one(s.raster.valid ? 1.0f : 0.0f);
        case GL_COLOR_CLEAR_VALUE: return copy(s.clearColor, 4);
        case GL_DEPTH_CLEAR_VALUE: return one(s.clearDepth);
        case GL_LIGHT_MODEL_AMBIENT: return copy(s.modelAmbient, 4);
        case GL_LIGHT_MODEL_TWO_SIDE: return one(s.twoSide ? 1.0f : 0.0f);
        case GL_LIGHT_MODEL_LOCAL_VIEWER: return one(s.localViewer ? 1.0f : 0.0f);
        case GL_VIEWPORT:
            for (int i = 0; i < 4; i++) out[i] = static_cast<float>(s.viewport[i]);
            return 4;
        case GL_MATRIX_MODE: return one(static_cast<float>(s.matrices.mode));
        case GL_MODELVIEW_STACK_DEPTH: return one(static_cast<float>(stack(GL_MODELVIEW).depth));
        case GL_PROJECTION_STACK_DEPTH: return one(static_cast<float>(stack(GL_PROJECTION).depth));
        case GL_TEXTURE_STACK_DEPTH: return one(static_cast<float>(stack(GL_TEXTURE).depth));
        case GL_MAX_MODELVIEW_STACK_DEPTH: return one(kModelviewStackDepth);
        case GL_MAX_PROJECTION_STACK_DEPTH: return one(kProjectionStackDepth);
        case GL_MAX_TEXTURE_STACK_DEPTH: return one(kTextureStackDepth);
        case GL_MAX_LIGHTS: return one(kMaxLights);
        case GL_DEPTH_FUNC: return one(static_cast<float>(s.depthFunc));
        case GL_DEPTH_WRITEMASK: return one(s.depthMask ? 1.0f : 0.0f);
        case GL_CULL_FACE_MODE: return one(static_cast<float>(s.cullFaceMode));
        case GL_FRONT_FACE: return one(static_cast<float>(s.frontFace));
        case GL_SHADE_MODEL: return one(static_cast<float>(s.shadeModel));
        case GL_COLOR_MATERIAL_FACE: return one(static_cast<float>(s.colorMaterialTarget.face));
        case GL_COLOR_MATERIAL_PARAMETER:
            return one(static_cast<float>(s.colorMaterialTarget.mode));
        case GL_LINE_WIDTH:
        case GL_POINT_SIZE: return one(1);
        default: break;
    }
    if (const GLint* value = pixelStoreValue(pname)) return one(static_cast<float>(*value));
    if (const bool* flag = pixelStoreFlag(pname)) return one(*flag ? 1.0f : 0.0f);
    if (const bool* flag = capabilityFlag(pname)) return one(*flag ? 1.0f : 0.0f);
    recordError(GL_INVALID_ENUM);
    return 0;
}

// Colours and normals convert to integers as GL maps them; everything else rounds.
bool isNormalisedValue(GLenum pname) {
    return pname == GL_CURRENT_COLOR || pname == GL_CURRENT_RASTER_COLOR ||
           pname == GL_COLOR_CLEAR_VALUE || pname == GL_LIGHT_MODEL_AMBIENT ||
           pname == GL_CURRENT_NORMAL;
}

// `value` as a GLint: rounded, or for a colour or normal [-1, 1] mapped onto
// the whole range. Values beyond what a GLint holds (a colour above 1, a
// huge matrix entry) give the nearest end of the range.
GLint toInteger(GLenum pname, float value) {
    const double largest = 2147483647.0, smallest = -2147483648.0;
    double scaled = isNormalisedValue(pname) ? value * largest : std::round(value);
    if (std::isnan(scaled)) return 0;
    if (scaled >= largest) return 2147483647;
    if (scaled <= smallest) return -2147483647 - 1;
    return static_cast<GLint>(scaled);
}

}  // namespace
}  // namespace glcore

using namespace glcore;

extern "C" {

void glEnable(GLenum cap) { setCapability(cap, true); }
void glDisable(GLenum cap) { setCapability(cap, false); }

GLboolean glIsEnabled(GLenum cap) {
    const bool* flag = capabilityFlag(cap);
    if (!flag) recordError(GL_INVALID_ENUM);
    return flag && *flag ? GL_TRUE : GL_FALSE;
}

GLenum glGetError(void) {
    Context& s = context();
    const GLenum error = s.error;
    s.error = GL_NO_ERROR;
    return error;
}

void glFlush(void) { flushDrawing(); }
void glFinish(void) { flushDrawing(); }

const GLubyte* glGetString(GLenum name) {
    static const char* const vendor = "Universo 3D";
    static const char* const renderer = "GL 1.x over WebGL";
    static const char* const version = "1.1";
    static const char* const none = "";
    const char* text = none;
    if (name == GL_VENDOR) text = vendor;
    if (name == GL_RENDERER) text = renderer;
    if (name == GL_VERSION) text = version;
    return reinterpret_cast<const GLubyte*>(text);
}

void glViewport(GLint x, GLint y, GLsizei width, GLsizei height) {
    if (width < 0 || height < 0) {
        recordError(GL_INVALID_VALUE);
        return;
    }
    GLint* v = context().viewport;
    v[0] = x;
    v[1] = y;
    v[2] = width;
    v[3] = height;
    framebufferStateChanged();
}

void glClearColor(GLclampf red, GLclampf green, GLclampf blue, GLclampf alpha) {
    GLfloat* c = context().clearColor;
    c[0] = red;
    c[1] = green;
    c[2] = blue;
    c[3] = alpha;
}

void glClearDepth(GLclampd depth) { context().clearDepth = static_cast<GLfloat>(depth); }

void glClear(GLbitfield mask) { clearFramebuffer(mask); }

void glDepthFunc(GLenum func) {
    context().depthFunc = func;
    framebufferStateChanged();
}

void glDepthMask(GLboolean flag) {
    context().depthMask = flag != GL_FALSE;
    framebufferStateChanged();
}

void glCullFace(GLenum mode) {
    context().cullFaceMode = mode;
    framebufferStateChanged();
}

void glFrontFace(GLenum mode) {
    context().frontFace = mode;
    framebufferStateChanged();
}

void glShadeModel(GLenum mode) { context().shadeModel = mode; }

// Lines and points are always one pixel wide; the sizes are accepted.
void glLineWidth(GLfloat) {}
void glPointSize(GLfloat) {}

void glPixelStorei(GLenum pname, GLint param) {
    const bool alignment = pname == GL_UNPACK_ALIGNMENT || pname == GL_PACK_ALIGNMENT;
    if (alignment && param != 1 && param != 2 && param != 4 && param != 8) {
        recordError(GL_INVALID_VALUE);
        return;
    }
    if (GLint* value = pixelStoreValue(pname)) {
        if (param < 0) {
            recordError(GL_INVALID_VALUE);
            return;
        }
        *value = param;
    } else if (bool* flag = pixelStoreFlag(pname)) {
        *flag = param != 0;
    } else {
        recordError(GL_INVALID_ENUM);
    }
}

void glGetFloatv(GLenum pname, GLfloat* params) { queryFloats(pname, params); }

void glGetDoublev(GLenum pname, GLdouble* params) {
    GLfloat values[16];
    const int count = queryFloats(pname, values);
    for (int i = 0; i < count; i++) params[i] = values[i];
}

void glGetIntegerv(GLenum pname, GLint* params) {
    if (pname == GL_VIEWPORT) {
        for (int i = 0; i < 4; i++) params[i] = context().viewport[i];
        return;
    }
    GLfloat values[16];
    const int count = queryFloats(pname, values);
    for (int i = 0; i < count; i++) params[i] = toInteger(pname, values[i]);
}

void glGetBooleanv(GLenum pname, GLboolean* params) {
    GLfloat values[16];
    const int count = queryFloats(pname, values);
    for (int i = 0; i < count; i++) params[i] = values[i] != 0 ? GL_TRUE : GL_FALSE;
}

}  // extern "C"
