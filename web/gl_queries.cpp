// glGet for the values kept on the CPU: current attributes, matrices, the
// raster position, the viewport and a few settings.
#include <GL/gl.h>

#include "gl_matrices.h"
#include "gl_raster.h"
#include "gl_state.h"

namespace {

constexpr int kModelviewStackMax = 32;
constexpr int kProjectionStackMax = 32;

// Writes the value of `pname` as floats; returns how many (0 if unknown).
int queryFloats(GLenum pname, GLfloat* out) {
    const GLState& s = glState();
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
        case GL_CURRENT_RASTER_POSITION: return copy(rasterPosition().window, 4);
        case GL_CURRENT_RASTER_COLOR: return copy(rasterPosition().color, 4);
        case GL_CURRENT_RASTER_POSITION_VALID: return one(rasterPosition().valid ? 1.0f : 0.0f);
        case GL_COLOR_CLEAR_VALUE: return copy(s.clearColor, 4);
        case GL_DEPTH_CLEAR_VALUE: return one(s.clearDepth);
        case GL_LIGHT_MODEL_AMBIENT: return copy(s.modelAmbient, 4);
        case GL_LIGHT_MODEL_TWO_SIDE: return one(s.twoSide ? 1.0f : 0.0f);
        case GL_LIGHT_MODEL_LOCAL_VIEWER: return one(s.localViewer ? 1.0f : 0.0f);
        case GL_VIEWPORT:
            for (int i = 0; i < 4; i++) out[i] = static_cast<float>(s.viewport[i]);
            return 4;
        case GL_MATRIX_MODE: return one(static_cast<float>(currentMatrixMode()));
        case GL_MODELVIEW_STACK_DEPTH: return one(static_cast<float>(modelviewStackDepth()));
        case GL_PROJECTION_STACK_DEPTH: return one(static_cast<float>(projectionStackDepth()));
        case GL_MAX_MODELVIEW_STACK_DEPTH: return one(kModelviewStackMax);
        case GL_MAX_PROJECTION_STACK_DEPTH: return one(kProjectionStackMax);
        case GL_MAX_LIGHTS: return one(kMaxLights);
        case GL_DEPTH_FUNC: return one(static_cast<float>(s.depthFunc));
        case GL_DEPTH_WRITEMASK: return one(s.depthMask ? 1.0f : 0.0f);
        case GL_SHADE_MODEL: return one(static_cast<float>(s.shadeModel));
        case GL_COLOR_MATERIAL_FACE: return one(static_cast<float>(s.colorMaterialTarget.face));
        case GL_COLOR_MATERIAL_PARAMETER:
            return one(static_cast<float>(s.colorMaterialTarget.mode));
        case GL_LINE_WIDTH:
        case GL_POINT_SIZE: return one(1);
        default: return one(glIsEnabled(pname) ? 1.0f : 0.0f);
    }
}

// Colours and normals convert to integers as GL maps them; everything else rounds.
bool isNormalisedValue(GLenum pname) {
    return pname == GL_CURRENT_COLOR || pname == GL_CURRENT_RASTER_COLOR ||
           pname == GL_COLOR_CLEAR_VALUE || pname == GL_LIGHT_MODEL_AMBIENT ||
           pname == GL_CURRENT_NORMAL;
}

}  // namespace

extern "C" {

void glGetFloatv(GLenum pname, GLfloat* params) { queryFloats(pname, params); }

void glGetDoublev(GLenum pname, GLdouble* params) {
    GLfloat values[16];
    const int count = queryFloats(pname, values);
    for (int i = 0; i < count; i++) params[i] = values[i];
}

void glGetIntegerv(GLenum pname, GLint* params) {
    if (pname == GL_VIEWPORT) {
        for (int i = 0; i < 4; i++) params[i] = glState().viewport[i];
        return;
    }
    GLfloat values[16];
    const int count = queryFloats(pname, values);
    for (int i = 0; i < count; i++) {
        if (isNormalisedValue(pname)) {
            // [-1, 1] onto the whole integer range, as GL returns colours.
            params[i] = static_cast<GLint>(values[i] * 2147483647.0);
        } else {
            params[i] = static_cast<GLint>(values[i] + (values[i] < 0 ? -0.5f : 0.5f));
        }
    }
}

void glGetBooleanv(GLenum pname, GLboolean* params) {
    GLfloat values[16];
    const int count = queryFloats(pname, values);
    for (int i = 0; i < count; i++) params[i] = values[i] != 0 ? GL_TRUE : GL_FALSE;
}

}  // extern "C"
