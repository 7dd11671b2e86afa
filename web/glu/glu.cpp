// GLU's perspective, look-at and cylinder, computed as Mesa's libGLU 9.0
// computes them, step by step in the same precision (some steps in float,
// some in double), so that the matrices and vertices come out bit for bit
// as on the desktop.
#include <GL/glu.h>

#include <cmath>
#include <vector>

#include "web/gl/gl_shape_cache.h"

// The default quadric is the only one the viewer uses: filled, smooth
// normals, facing outside, no texture coordinates. It holds nothing.
struct GLUquadric {
    int unused;
};

namespace {

const double pi = 3.14159265358979323846;

// libGLU's cylinder keeps at most this many slices.
const int maxCylinderSlices = 239;

void normalize(float v[3]) {
    const float squared = v[0] * v[0] + v[1] * v[1] + v[2] * v[2];
    const float length = static_cast<float>(std::sqrt(static_cast<double>(squared)));
    if (length == 0.0f) return;
    v[0] /= length;
    v[1] /= length;
    v[2] /= length;
}

void cross(const float a[3], const float b[3], float result[3]) {
    result[0] = a[1] * b[2] - a[2] * b[1];
    result[1] = a[2] * b[0] - a[0] * b[2];
    result[2] = a[0] * b[1] - a[1] * b[0];
}

// Stacks of quad strips from z = 0 (baseRadius) to z = height (topRadius),
// the slices starting on the +y axis and turning towards +x, each vertex
// pair with its smooth normal: the primitives libGLU's gluCylinder draws,
// into the shape cache, once per set of arguments.
void buildCylinder(const glcore::ShapeKey& key, glcore::ShapeMesh& mesh) {
    const double baseRadius = key.sizes[0], topRadius = key.sizes[1], height = key.sizes[2];
    int slices = key.slices;
    const int stacks = key.stacks;
    if (slices > maxCylinderSlices) slices = maxCylinderSlices;
    if (slices < 2 || stacks < 1 || baseRadius < 0.0 || topRadius < 0.0 || height < 0.0) return;

    const float deltaRadius = static_cast<float>(baseRadius - topRadius);
    const float length = static_cast<float>(std::sqrt(deltaRadius * deltaRadius + height * height));
    if (length == 0.0f) return;
    const float zNormal = deltaRadius / length;
    const float xyNormalRatio = static_cast<float>(height / length);

    float sines[maxCylinderSlices + 1];
    float cosines[maxCylinderSlices + 1];
    float normalSines[maxCylinderSlices + 1];
    float normalCosines[maxCylinderSlices + 1];
    for (int i = 0; i < slices; i++) {
        const float angle = static_cast<float>(2 * pi * i / slices);
        normalSines[i] = static_cast<float>(xyNormalRatio * std::sin(static_cast<double>(angle)));
        normalCosines[i] = static_cast<float>(xyNormalRatio * std::cos(static_cast<double>(angle)));
        sines[i] = static_cast<float>(std::sin(static_cast<double>(angle)));
        cosines[i] = static_cast<float>(std::cos(static_cast<double>(angle)));
    }
    sines[slices] = sines[0];
    cosines[slices] = cosines[0];
    normalSines[slices] = normalSines[0];
    normalCosines[slices] = normalCosines[0];

    std::vector<float> positions, normals;
    for (int j = 0; j < stacks; j++) {
        const float zLow = static_cast<float>(j * height / stacks);
        const float zHigh = static_cast<float>((j + 1) * height / stacks);
        const float radiusLow =
            static_cast<float>(baseRadius - deltaRadius * (static_cast<float>(j) / stacks));
        const float radiusHigh =
            static_cast<float>(baseRadius - deltaRadius * (static_cast<float>(j + 1) / stacks));

        positions.clear();
        normals.clear();
        for (int i = 0; i <= slices; i++) {
            const float normal[3] = {normalSines[i], normalCosines[i], zNormal};
            const float low[3] = {radiusLow * sines[i], radiusLow * cosines[i], zLow};
            const float high[3] = {radiusHigh * sines[i], radiusHigh * cosines[i], zHigh};
            positions.insert(positions.end(), low, low + 3);
            positions.insert(positions.end(), high, high + 3);
            normals.insert(normals.end(), normal, normal + 3);
            normals.insert(normals.end(), normal, normal + 3);
        }
        mesh.addPrimitive(GL_QUAD_STRIP, positions.data(), normals.data(), 2 * (slices + 1));
    }
    // libGLU draws in immediate mode: the current normal stays at its last.
    mesh.leavesNormal = true;
    mesh.lastNormal[0] = normalSines[slices];
    mesh.lastNormal[1] = normalCosines[slices];
    mesh.lastNormal[2] = zNormal;
}

}  // namespace

extern "C" {

void gluPerspective(GLdouble fovy, GLdouble aspect, GLdouble zNear, GLdouble zFar) {
    const double radians = fovy / 2 * pi / 180;
    const double deltaZ = zFar - zNear;
    const double sine = std::sin(radians);
    if (deltaZ == 0 || sine == 0 || aspect == 0) return;
    const double cotangent = std::cos(radians) / sine;

    // Column by column, as GL keeps matrices.
    const GLdouble m[16] = {cotangent / aspect,
                            0,
                            0,
                            0,
                            0,
                            cotangent,
                            0,
                            0,
                            0,
                            0,
                            -(zFar + zNear) / deltaZ,
                            -1,
                            0,
                            0,
                            -2 * zNear * zFar / deltaZ,
                            0};
    glMultMatrixd(m);
}

void gluLookAt(GLdouble eyeX, GLdouble eyeY, GLdouble eyeZ, GLdouble centerX, GLdouble centerY,
               GLdouble centerZ, GLdouble upX, GLdouble upY, GLdouble upZ) {
    float forward[3] = {static_cast<float>(centerX - eyeX), static_cast<float>(centerY - eyeY),
                        static_cast<float>(centerZ - eyeZ)};
    float up[3] = {static_cast<float>(upX), static_cast<float>(upY), static_cast<float>(upZ)};
    float side[3];

    normalize(forward);
    cross(forward, up, side);
    normalize(side);
    cross(side, forward, up);

    const GLfloat m[16] = {side[0], up[0], -forward[0], 0, side[1], up[1], -forward[1], 0,
                           side[2], up[2], -forward[2], 0, 0,       0,     0,           1};
    glMultMatrixf(m);
    glTranslated(-eyeX, -eyeY, -eyeZ);
}

GLUquadric* gluNewQuadric(void) { return new GLUquadric{}; }

void gluDeleteQuadric(GLUquadric* quadric) { delete quadric; }

void gluCylinder(GLUquadric*, GLdouble baseRadius, GLdouble topRadius, GLdouble height,
                 GLint slices, GLint stacks) {
    glcore::drawCachedShape(
        glcore::ShapeKey{glcore::kCylinder, {baseRadius, topRadius, height}, slices, stacks},
        buildCylinder);
}

}  // extern "C"
