// Lights, materials, the light model and colour material, and the lighting
// of one vertex.
#include "web/gl/gl_lighting.h"

#include <GL/gl.h>

#include <cmath>
#include <cstring>

#include "web/gl/gl_context.h"
#include "web/gl/gl_matrix_stacks.h"
#include "web/gl/gl_primitives.h"

namespace glcore {
namespace {

float clamp01(float v) { return v < 0 ? 0 : (v > 1 ? 1 : v); }

float dot3(const float a[3], const float b[3]) { return a[0] * b[0] + a[1] * b[1] + a[2] * b[2]; }

void normalize3(float v[3]) {
    const float length = std::sqrt(dot3(v, v));
    if (length == 0) return;
    const float inverse = 1.0f / length;
    v[0] *= inverse;
    v[1] *= inverse;
    v[2] *= inverse;
}

void copy4(float* to, const float* from) {
    for (int i = 0; i < 4; i++) to[i] = from[i];
}

const DirectionalVectors& directionalVectors(const LightSource& light) {
    Context& s = context();
    DirectionalVectors& d = s.directional[&light - s.lights];
    if (d.computed && std::memcmp(d.position, light.eyePosition, sizeof d.position) == 0) return d;
    std::memcpy(d.position, light.eyePosition, sizeof d.position);
    d.computed = true;
    for (int c = 0; c < 3; c++) d.toLight[c] = light.eyePosition[c];
    normalize3(d.toLight);
    for (int c = 0; c < 3; c++) d.half[c] = d.toLight[c];
    d.half[2] += 1;  // the viewer at infinity, along +z
    normalize3(d.half);
    return d;
}

// Lights one face: `sign` is 1 for the front, -1 for the back (the normal
// turned around).
void lightFace(const Material& material, float sign, const float eyePosition[4],
               const float normal[3], float out[4]) {
    const Context& s = context();
    float colour[3];
    for (int c = 0; c < 3; c++) {
        colour[c] = s.modelAmbient[c] * material.ambient[c] + material.emission[c];
    }
    for (const LightSource& light : s.lights) {
        if (!light.enabled) continue;
        float toLight[3];
        float attenuation = 1;
        const bool positional = light.eyePosition[3] != 0;
        if (positional) {
            for (int c = 0; c < 3; c++) {
                toLight[c] = light.eyePosition[c] / light.eyePosition[3] - eyePosition[c];
            }
            const float distance = std::sqrt(dot3(toLight, toLight));
            if (distance > 0) {
                for (float& v : toLight) v /= distance;
            }
            attenuation = 1.0f / (light.constantAttenuation + light.linearAttenuation * distance +
                                  light.quadraticAttenuation * distance * distance);
            if (light.spotCutoff != 180) {
                float spotDirection[3] = {light.spotDirection[0], light.spotDirection[1],
                                          light.spotDirection[2]};
                normalize3(spotDirection);
                const float cosine = -dot3(toLight, spotDirection);
                const float cutoff = std::cos(static_cast<float>(light.spotCutoff * M_PI / 180.0));
                attenuation *= cosine < cutoff ? 0 : std::pow(cosine, light.spotExponent);
            }
        }

        float half[3];
        if (!positional && !s.localViewer) {
            // The same for every vertex: computed once per light position.
            const DirectionalVectors& d = directionalVectors(light);
            for (int c = 0; c < 3; c++) {
                toLight[c] = d.toLight[c];
                half[c] = d.half[c];
            }
        } else {
            if (!positional) {
                for (int c = 0; c < 3; c++) toLight[c] = light.eyePosition[c];
                normalize3(toLight);
            }
            if (s.localViewer) {
                float toEye[3] = {-eyePosition[0], -eyePosition[1], -eyePosition[2]};
                normalize3(toEye);
                for (int c = 0; c < 3; c++) half[c] = toLight[c] + toEye[c];
            } else {
                for (int c = 0; c < 3; c++) half[c] = toLight[c];
                half[2] += 1;  // the viewer at infinity, along +z
            }
            normalize3(half);
        }

        const float diffuseFactor = sign * dot3(normal, toLight);
        const float halfFactor = sign * dot3(normal, half);
        float specularFactor = 0;
        if (diffuseFactor > 0) {
            specularFactor = std::pow(halfFactor > 0 ? halfFactor : 0.0f, material.shininess);
        }
        const float lit = diffuseFactor > 0 ? diffuseFactor : 0;
        for (int c = 0; c < 3; c++) {
            colour[c] += attenuation * (light.ambient[c] * material.ambient[c]);
            colour[c] += attenuation * lit * (light.diffuse[c] * material.diffuse[c]);
            colour[c] += attenuation * specularFactor * (light.specular[c] * material.specular[c]);
        }
    }
    for (int c = 0; c < 3; c++) out[c] = clamp01(colour[c]);
    out[3] = clamp01(material.diffuse[3]);
}

// Which faces a glMaterial or glColorMaterial face names: bit 0 front, bit 1 back.
int faceBits(GLenum face) {
    switch (face) {
        case GL_FRONT: return 1;
        case GL_BACK: return 2;
        case GL_FRONT_AND_BACK: return 3;
        default: return 0;
    }
}

// Bits of the material parameters a name covers.
enum MaterialBits { kAmbient = 1, kDiffuse = 2, kSpecular = 4, kEmission = 8, kShininess = 16 };

int parameterBits(GLenum pname) {
    switch (pname) {
        case GL_AMBIENT: return kAmbient;
        case GL_DIFFUSE: return kDiffuse;
        case GL_SPECULAR: return kSpecular;
        case GL_EMISSION: return kEmission;
        case GL_SHININESS: return kShininess;
        case GL_AMBIENT_AND_DIFFUSE: return kAmbient | kDiffuse;
        default: return 0;
    }
}

void setMaterial(Material& material, int bits, const GLfloat* params) {
    if (bits & kAmbient) copy4(material.ambient, params);
    if (bits & kDiffuse) copy4(material.diffuse, params);
    if (bits & kSpecular) copy4(material.specular, params);
    if (bits & kEmission) copy4(material.emission, params);
    if (bits & kShininess) material.shininess = params[0];
}

LightSource* lightNamed(GLenum light) {
    if (light < GL_LIGHT0 || light >= GL_LIGHT0 + kMaxLights) return nullptr;
    return &context().lights[light - GL_LIGHT0];
}

}  // namespace

void lightVertex(const float eyePosition[4], const float eyeNormal[3], float front[4],
                 float back[4]) {
    const Context& s = context();
    lightFace(s.materials[0], 1, eyePosition, eyeNormal, front);
    if (s.twoSide) {
        lightFace(s.materials[1], -1, eyePosition, eyeNormal, back);
    } else {
        copy4(back, front);
    }
}

bool lightingNeedsEyePosition() {
    const Context& s = context();
    if (s.localViewer) return true;
    for (const LightSource& light : s.lights) {
        if (light.enabled && light.eyePosition[3] != 0) return true;
    }
    return false;
}

void updateColorMaterial() {
    Context& s = context();
    const int faces = faceBits(s.colorMaterialTarget.face);
    const int bits = parameterBits(s.colorMaterialTarget.mode);
    for (int face = 0; face < 2; face++) {
        if (faces & (1 << face)) setMaterial(s.materials[face], bits, s.color);
    }
}

bool shapeLighting(bool lines, ShapeLighting& out) {
    const Context& s = context();
    if (!s.lighting) {
        for (FaceLighting& face : out.faces) {
            for (int c = 0; c < 4; c++) face.base[c] = clamp01(s.color[c]);
            for (int c = 0; c < 3; c++) face.diffuse[c] = face.specular[c] = 0;
            face.shininess = 0;
            face.sign = 1;
        }
        for (int c = 0; c < 3; c++) out.toLight[c] = out.half[c] = c == 2 ? 1.0f : 0.0f;
        return true;
    }
    for (int i = 1; i < kMaxLights; i++) {
        if (s.lights[i].enabled) return false;
    }
    const LightSource& light = s.lights[0];
    if ((light.enabled && light.eyePosition[3] != 0) || s.localViewer || s.normalize ||
        s.rescaleNormal || s.shadeModel != GL_SMOOTH) {
        return false;
    }
    if (light.enabled) {
        const DirectionalVectors& d = directionalVectors(light);
        for (int c = 0; c < 3; c++) {
            out.toLight[c] = d.toLight[c];
            out.half[c] = d.half[c];
        }
    } else {
        for (int c = 0; c < 3; c++) out.toLight[c] = out.half[c] = c == 2 ? 1.0f : 0.0f;
    }
    const bool twoSided = s.twoSide && !lines;
    for (int f = 0; f < 2; f++) {
        const Material& material = s.materials[twoSided ? f : 0];
        FaceLighting& face = out.faces[f];
        // Summed in lightFace's order.
        for (int c = 0; c < 3; c++) {
            face.base[c] = s.modelAmbient[c] * material.ambient[c] + material.emission[c];
            if (light.enabled) face.base[c] += 1.0f * (light.ambient[c] * material.ambient[c]);
            face.diffuse[c] = light.enabled ? light.diffuse[c] * material.diffuse[c] : 0.0f;
            face.specular[c] = light.enabled ? light.specular[c] * material.specular[c] : 0.0f;
        }
        face.base[3] = clamp01(material.diffuse[3]);
        face.shininess = material.shininess;
        face.sign = twoSided && f == 1 ? -1.0f : 1.0f;
    }
    return true;
}

}  // namespace glcore

using namespace glcore;

extern "C" {

void glLightfv(GLenum light, GLenum pname, const GLfloat* params) {
    LightSource* l = lightNamed(light);
    if (!l) {
        recordError(GL_INVALID_ENUM);
        return;
    }
    switch (pname) {
        case GL_AMBIENT: copy4(l->ambient, params); break;
        case GL_DIFFUSE: copy4(l->diffuse, params); break;
        case GL_SPECULAR: copy4(l->specular, params); break;
        case GL_POSITION: {
            // Stored in eye coordinates: through the modelview of this moment.
            const float position[4] = {params[0], params[1], params[2], params[3]};
            transformPoint(modelviewMatrix(), position, l->eyePosition);
            break;
        }
        case GL_SPOT_DIRECTION: {
            // A direction: through the modelview's upper 3x3.
            const float* m = modelviewMatrix().m;
            for (int r = 0; r < 3; r++) {
                l->spotDirection[r] =
                    m[r] * params[0] + m[4 + r] * params[1] + m[8 + r] * params[2];
            }
            break;
        }
        case GL_SPOT_EXPONENT: l->spotExponent = params[0]; break;
        case GL_SPOT_CUTOFF: l->spotCutoff = params[0]; break;
        case GL_CONSTANT_ATTENUATION: l->constantAttenuation = params[0]; break;
        case GL_LINEAR_ATTENUATION: l->linearAttenuation = params[0]; break;
        case GL_QUADRATIC_ATTENUATION: l->quadraticAttenuation = params[0]; break;
        default: recordError(GL_INVALID_ENUM); break;
    }
}

void glLightModelfv(GLenum pname, const GLfloat* params) {
    Context& s = context();
    switch (pname) {
        case GL_LIGHT_MODEL_AMBIENT: copy4(s.modelAmbient, params); break;
        case GL_LIGHT_MODEL_TWO_SIDE: s.twoSide = params[0] != 0; break;
        case GL_LIGHT_MODEL_LOCAL_VIEWER: s.localViewer = params[0] != 0; break;
        default: break;
    }
}

void glLightModelf(GLenum pname, GLfloat param) {
    const GLfloat params[4] = {param, 0, 0, 0};
    glLightModelfv(pname, params);
}

void glLightModeli(GLenum pname, GLint param) { glLightModelf(pname, static_cast<GLfloat>(param)); }

void glMaterialfv(GLenum face, GLenum pname, const GLfloat* params) {
    Context& s = context();
    if (s.primitive.open) processDeferredVertices();
    int bits = parameterBits(pname);
    for (int f = 0; f < 2; f++) {
        if (!(faceBits(face) & (1 << f))) continue;
        int settable = bits;
        // Parameters that follow the colour ignore glMaterial while they do.
        if (s.colorMaterial && (faceBits(s.colorMaterialTarget.face) & (1 << f))) {
            settable &= ~parameterBits(s.colorMaterialTarget.mode);
        }
        setMaterial(s.materials[f], settable, params);
    }
}

void glColorMaterial(GLenum face, GLenum mode) {
    Context& s = context();
    s.colorMaterialTarget = {face, mode};
    if (s.colorMaterial) updateColorMaterial();
}

}  // extern "C"
