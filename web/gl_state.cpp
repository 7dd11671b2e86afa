// The global state, the capabilities and the calls that only report.
#include "gl_state.h"

#include "gl_draw.h"

GLState& glState() {
    static GLState state = [] {
        GLState s;
        // Light 0 is white; the others start dark.
        for (int c = 0; c < 4; c++) {
            s.lights[0].diffuse[c] = 1;
            s.lights[0].specular[c] = 1;
        }
        return s;
    }();
    return state;
}

namespace {

// The flag a capability names, or null for one that is not kept.
bool* capabilityFlag(GLenum cap) {
    GLState& s = glState();
    if (cap >= GL_LIGHT0 && cap < GL_LIGHT0 + kMaxLights) return &s.lights[cap - GL_LIGHT0].enabled;
    switch (cap) {
        case GL_LIGHTING: return &s.lighting;
        case GL_COLOR_MATERIAL: return &s.colorMaterial;
        case GL_DEPTH_TEST: return &s.depthTest;
        case GL_NORMALIZE: return &s.normalize;
        case GL_RESCALE_NORMAL: return &s.rescaleNormal;
        case GL_CULL_FACE: return &s.cullFace;
        default: return nullptr;
    }
}

void setCapability(GLenum cap, bool on) {
    bool* flag = capabilityFlag(cap);
    if (!flag || *flag == on) return;
    *flag = on;
    if (cap == GL_COLOR_MATERIAL && on) updateColorMaterial();
    if (cap == GL_DEPTH_TEST || cap == GL_CULL_FACE) framebufferStateChanged();
}

}  // namespace

extern "C" {

void glEnable(GLenum cap) { setCapability(cap, true); }
void glDisable(GLenum cap) { setCapability(cap, false); }

GLboolean glIsEnabled(GLenum cap) {
    const bool* flag = capabilityFlag(cap);
    return flag && *flag ? GL_TRUE : GL_FALSE;
}

GLenum glGetError(void) { return GL_NO_ERROR; }

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

}  // extern "C"
