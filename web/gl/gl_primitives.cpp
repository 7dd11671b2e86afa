// Immediate mode: the current colour and normal, glBegin/glEnd, the
// processing of each vertex (transform and lighting), and the splitting of
// each primitive into points, lines and triangles in the order Mesa's draw
// module splits them (the provoking vertex last).
#include <GL/gl.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <initializer_list>
#include <vector>

#include "web/gl/gl_primitives.h"

#include "web/gl/gl_context.h"
#include "web/gl/gl_lighting.h"
#include "web/gl/gl_matrix_stacks.h"

namespace glcore {
namespace {

float clamp01(float v) { return v < 0 ? 0 : (v > 1 ? 1 : v); }

}  // namespace

void processDeferredVertices() {
    Primitive& p = context().primitive;
    if (!p.deferred) return;
    p.deferred = false;
    const size_t count = p.objects.size() / 3;
    for (size_t v = p.vertices.size(); v < count; v++) {
        const float object[4] = {p.objects[3 * v], p.objects[3 * v + 1], p.objects[3 * v + 2], 1};
        p.vertices.push_back(processVertex(object, &p.normals[3 * v]));
    }
}

namespace {

void setColor(float r, float g, float b, float a) {
    Context& s = context();
    if (s.primitive.open) processDeferredVertices();
    s.color[0] = r;
    s.color[1] = g;
    s.color[2] = b;
    s.color[3] = a;
    if (s.colorMaterial) updateColorMaterial();
}

void setNormal(float x, float y, float z) {
    Context& s = context();
    s.normal[0] = x;
    s.normal[1] = y;
    s.normal[2] = z;
}

// Keeps the vertex in object space with its normal; it is transformed and
// lit when glEnd draws it on the CPU, or as it comes once the colour has
// changed inside the primitive (processDeferredVertices). Triangles lit on
// the GPU are never processed here.
void addVertex(float x, float y, float z) {
    Context& s = context();
    Primitive& p = s.primitive;
    if (!p.open) return;
    const float object[4] = {x, y, z, 1};
    for (int c = 0; c < 3; c++) {
        p.objects.push_back(object[c]);
        p.normals.push_back(s.normal[c]);
    }
    if (p.objects.size() == 3) std::copy(s.color, s.color + 4, p.firstColor);
    p.objectsValid = p.objectsValid && std::equal(s.color, s.color + 4, p.firstColor);
    if (!p.deferred) p.vertices.push_back(processVertex(object, s.normal));
}

// Lines and points take the front colour whichever way they face.
void useFrontColours() {
    for (DrawVertex& v : context().primitive.vertices) {
        for (int c = 0; c < 4; c++) v.back[c] = v.front[c];
    }
}

// The assembled lines or triangles as vertices of their own; with flat
// shading every vertex takes the colours of its primitive's provoking (last)
// one.
void expand(int perPrimitive, bool flat) {
    Primitive& p = context().primitive;
    p.expanded.clear();
    for (size_t start = 0; start < p.indices.size(); start += perPrimitive) {
        const DrawVertex& provoking = p.vertices[p.indices[start + perPrimitive - 1]];
        for (int k = 0; k < perPrimitive; k++) {
            DrawVertex v = p.vertices[p.indices[start + k]];
            if (flat) {
                for (int c = 0; c < 4; c++) {
                    v.front[c] = provoking.front[c];
                    v.back[c] = provoking.back[c];
                }
            }
            p.expanded.push_back(v);
        }
    }
}

}  // namespace

DrawMode splitPrimitive(GLenum primitive, uint32_t n, std::vector<uint32_t>& out) {
    out.clear();
    auto emit = [&out](std::initializer_list<uint32_t> indices) { out.insert(out.end(), indices); };
    switch (primitive) {
        case GL_LINES:
            for (uint32_t i = 0; i + 1 < n; i += 2) emit({i, i + 1});
            return DrawMode::Lines;
        case GL_LINE_STRIP:
        case GL_LINE_LOOP:
            for (uint32_t i = 0; i + 1 < n; i++) emit({i, i + 1});
            if (primitive == GL_LINE_LOOP && n >= 2) emit({n - 1, 0});
            return DrawMode::Lines;
        case GL_TRIANGLES:
            for (uint32_t i = 0; i + 2 < n; i += 3) emit({i, i + 1, i + 2});
            return DrawMode::Triangles;
        case GL_TRIANGLE_STRIP:
            for (uint32_t i = 0; i + 2 < n; i++) {
                if (i & 1) {
                    emit({i + 1, i, i + 2});
                } else {
                    emit({i, i + 1, i + 2});
                }
            }
            return DrawMode::Triangles;
        case GL_TRIANGLE_FAN:
            for (uint32_t i = 0; i + 2 < n; i++) emit({0, i + 1, i + 2});
            return DrawMode::Triangles;
        case GL_QUADS:
            for (uint32_t i = 0; i + 3 < n; i += 4) {
                emit({i, i + 1, i + 3});
                emit({i + 1, i + 2, i + 3});
            }
            return DrawMode::Triangles;
        case GL_QUAD_STRIP:
            for (uint32_t i = 0; i + 3 < n; i += 2) {
                emit({i + 2, i, i + 3});
                emit({i, i + 1, i + 3});
            }
            return DrawMode::Triangles;
        case GL_POLYGON:
            // The first vertex is the polygon's provoking vertex, so it comes last.
            for (uint32_t i = 0; i + 2 < n; i++) emit({i + 1, i + 2, 0});
            return DrawMode::Triangles;
        default: return DrawMode::Points;
    }
}

DrawVertex processVertex(const float object[4]) { return processVertex(object, context().normal); }

DrawVertex processVertex(const float object[4], const float objectNormal[3]) {
    const Context& s = context();
    DrawVertex v;
    transformPoint(modelviewProjectionMatrix(), object, v.position);
    if (!s.lighting) {
        for (int c = 0; c < 4; c++) v.front[c] = v.back[c] = clamp01(s.color[c]);
        return v;
    }
    float eye[4] = {0, 0, 0, 1};
    if (lightingNeedsEyePosition()) transformPoint(modelviewMatrix(), object, eye);
    // Normals go through the inverse transpose and keep the length that
    // gives them, unless GL_NORMALIZE is on.
    const float(&n)[3][3] = normalTransform();
    float normal[3];
    for (int r = 0; r < 3; r++) {
        normal[r] =
            n[r][0] * objectNormal[0] + n[r][1] * objectNormal[1] + n[r][2] * objectNormal[2];
    }
    if (s.normalize) {
        const float length =
            std::sqrt(normal[0] * normal[0] + normal[1] * normal[1] + normal[2] * normal[2]);
        if (length > 0) {
            for (float& c : normal) c /= length;
        }
    }
    lightVertex(eye, normal, v.front, v.back);
    return v;
}

}  // namespace glcore

using namespace glcore;

extern "C" {

void glBegin(GLenum mode) {
    Primitive& p = context().primitive;
    if (p.open) {
        recordError(GL_INVALID_OPERATION);
        return;
    }
    if (mode > GL_POLYGON) {
        recordError(GL_INVALID_ENUM);
        return;
    }
    p.open = true;
    p.mode = mode;
    p.vertices.clear();
    p.objects.clear();
    p.normals.clear();
    p.objectsValid = true;
    p.deferred = true;
}

void glEnd(void) {
    Primitive& p = context().primitive;
    if (!p.open) {
        recordError(GL_INVALID_OPERATION);
        return;
    }
    p.open = false;
    const int n = static_cast<int>(p.objects.size() / 3);
    const bool flat = context().shadeModel == GL_FLAT;
    // Triangles of one colour may be lit on the GPU (the stars).
    if (p.mode == GL_TRIANGLES && n >= 3 && !flat && p.objectsValid &&
        drawObjectTriangles(p.objects.data(), p.normals.data(), n - n % 3)) {
        return;
    }
    processDeferredVertices();
    const DrawMode mode = splitPrimitive(p.mode, static_cast<uint32_t>(n), p.indices);
    if (mode != DrawMode::Triangles) useFrontColours();
    if (mode == DrawMode::Points) {
        if (n > 0) drawVertices(mode, p.vertices.data(), n);
        return;
    }
    if (p.indices.empty()) return;
    if (!flat && n <= kMaxIndexedVertices) {
        // Shared vertices go up once.
        drawIndexed(mode, p.vertices.data(), n, p.indices.data(),
                    static_cast<int>(p.indices.size()));
        return;
    }
    expand(mode == DrawMode::Lines ? 2 : 3, flat);
    drawVertices(mode, p.expanded.data(), static_cast<int>(p.expanded.size()));
}

void glVertex3d(GLdouble x, GLdouble y, GLdouble z) {
    addVertex(static_cast<float>(x), static_cast<float>(y), static_cast<float>(z));
}
void glVertex3i(GLint x, GLint y, GLint z) {
    addVertex(static_cast<float>(x), static_cast<float>(y), static_cast<float>(z));
}

void glNormal3f(GLfloat x, GLfloat y, GLfloat z) { setNormal(x, y, z); }
void glNormal3d(GLdouble x, GLdouble y, GLdouble z) {
    setNormal(static_cast<float>(x), static_cast<float>(y), static_cast<float>(z));
}

void glColor3f(GLfloat r, GLfloat g, GLfloat b) { setColor(r, g, b, 1); }

}  // extern "C"
