// GLUT's spheres, cubes and cones, solid and wire, as freeglut 3.4 draws
// them without shaders: the same circle tables, vertices and normals in the
// same float and double steps, the same primitives and the same vertex
// order. freeglut keeps them in arrays drawn with glDrawArrays and
// glDrawElements; here each shape's primitives are built once per set of
// arguments into the shape cache (web/gl/gl_shape_cache.h), split into lines
// and triangles as glBegin/glEnd would split them, and drawn from there.
// Like freeglut's array draws, they leave GL's current normal and colour
// as they were.
#include <GL/freeglut.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

#include "web/gl/gl_shape_cache.h"

using glcore::ShapeKey;
using glcore::ShapeKind;
using glcore::ShapeMesh;
using glcore::kSolidSphere, glcore::kWireSphere, glcore::kSolidCone, glcore::kWireCone,
    glcore::kSolidCube, glcore::kWireCube;

namespace {

const float pi = 3.14159265358979323846f;

struct Vertex {
    float position[3];
    float normal[3];
};

struct Mesh {
    std::vector<Vertex> vertices;
};

// Adds the indexed vertices to `out` in groups of partSize, each group as
// one primitive of the given type.
void addParts(const Mesh& mesh, const std::vector<int>& indices, int partSize, GLenum mode,
              ShapeMesh& out) {
    std::vector<float> positions(3 * partSize), normals(3 * partSize);
    for (std::size_t start = 0; start + partSize <= indices.size(); start += partSize) {
        for (int k = 0; k < partSize; k++) {
            const Vertex& vertex = mesh.vertices[indices[start + k]];
            std::copy(vertex.position, vertex.position + 3, &positions[3 * k]);
            std::copy(vertex.normal, vertex.normal + 3, &normals[3 * k]);
        }
        out.addPrimitive(mode, positions.data(), normals.data(), partSize);
    }
}

// sin and cos at n + 1 steps around a circle (or half a circle), the last
// equal to the first (or to the half turn); a negative n turns the other
// way.
void circleTable(std::vector<float>& sines, std::vector<float>& cosines, int n, bool halfCircle) {
    const int size = std::abs(n);
    const float angle = (halfCircle ? 1 : 2) * pi / static_cast<float>(n == 0 ? 1 : n);
    sines.assign(size + 1, 0.0f);
    cosines.assign(size + 1, 0.0f);
    sines[0] = 0.0f;
    cosines[0] = 1.0f;
    for (int i = 1; i < size; i++) {
        sines[i] = static_cast<float>(std::sin(static_cast<double>(angle * i)));
        cosines[i] = static_cast<float>(std::cos(static_cast<double>(angle * i)));
    }
    if (halfCircle) {
        sines[size] = 0.0f;
        cosines[size] = -1.0f;
    } else {
        sines[size] = sines[0];
        cosines[size] = cosines[0];
    }
}

// The top vertex, stacks - 1 rings of slices vertices from the top down,
// then the bottom vertex.
Mesh sphereMesh(float radius, int slices, int stacks) {
    std::vector<float> sines1, cosines1, sines2, cosines2;
    circleTable(sines1, cosines1, -slices, false);
    circleTable(sines2, cosines2, stacks, true);

    Mesh mesh;
    mesh.vertices.reserve(slices * (stacks - 1) + 2);
    mesh.vertices.push_back({{0.0f, 0.0f, radius}, {0.0f, 0.0f, 1.0f}});
    for (int i = 1; i < stacks; i++) {
        for (int j = 0; j < slices; j++) {
            const float x = cosines1[j] * sines2[i];
            const float y = sines1[j] * sines2[i];
            const float z = cosines2[i];
            mesh.vertices.push_back({{x * radius, y * radius, z * radius}, {x, y, z}});
        }
    }
    mesh.vertices.push_back({{0.0f, 0.0f, -radius}, {0.0f, 0.0f, -1.0f}});
    return mesh;
}

void buildSphere(float radius, int slices, int stacks, bool wire, ShapeMesh& out) {
    if (slices == 0 || stacks < 2) return;
    const Mesh mesh = sphereMesh(radius, slices, stacks);
    const int last = static_cast<int>(mesh.vertices.size()) - 1;

    if (wire) {
        // A line strip per slice from the top to the bottom, then a loop
        // per inner ring.
        std::vector<int> sliceIndices, stackIndices;
        for (int i = 0; i < slices; i++) {
            sliceIndices.push_back(0);
            for (int j = 0; j < stacks - 1; j++) sliceIndices.push_back(1 + i + j * slices);
            sliceIndices.push_back(last);
        }
        for (int i = 0; i < stacks - 1; i++)
            for (int j = 0; j < slices; j++) stackIndices.push_back(1 + i * slices + j);
        addParts(mesh, sliceIndices, stacks + 1, GL_LINE_STRIP, out);
        addParts(mesh, stackIndices, slices, GL_LINE_LOOP, out);
        return;
    }

    // A triangle strip per stack, each closed by repeating its first pair.
    std::vector<int> strips;
    strips.reserve((slices + 1) * 2 * stacks);
    for (int j = 0; j < slices; j++) {
        strips.push_back(j + 1);
        strips.push_back(0);
    }
    strips.push_back(1);
    strips.push_back(0);
    for (int i = 0; i < stacks - 2; i++) {
        const int offset = 1 + i * slices;
        for (int j = 0; j < slices; j++) {
            strips.push_back(offset + j + slices);
            strips.push_back(offset + j);
        }
        strips.push_back(offset + slices);
        strips.push_back(offset);
    }
    const int offset = 1 + (stacks - 2) * slices;
    for (int j = 0; j < slices; j++) {
        strips.push_back(last);
        strips.push_back(offset + j);
    }
    strips.push_back(last);
    strips.push_back(offset);
    addParts(mesh, strips, (slices + 1) * 2, GL_TRIANGLE_STRIP, out);
}

// The centre of the base, a ring on the base with the base's normal, then
// stacks + 1 rings from the base up to the tip with the side's normals.
Mesh coneMesh(float base, float height, int slices, int stacks) {
    std::vector<float> sines, cosines;
    circleTable(sines, cosines, -slices, false);

    float z = 0;
    float r = base;
    const float zStep = height / static_cast<float>(stacks > 0 ? stacks : 1);
    const float rStep = base / static_cast<float>(stacks > 0 ? stacks : 1);
    const double slant = std::sqrt(static_cast<double>(height * height + base * base));
    const float cosn = static_cast<float>(height / slant);
    const float sinn = static_cast<float>(base / slant);

    Mesh mesh;
    mesh.vertices.reserve(slices * (stacks + 2) + 1);
    mesh.vertices.push_back({{0.0f, 0.0f, z}, {0.0f, 0.0f, -1.0f}});
    for (int j = 0; j < slices; j++)
        mesh.vertices.push_back({{cosines[j] * r, sines[j] * r, z}, {0.0f, 0.0f, -1.0f}});
    for (int i = 0; i < stacks + 1; i++) {
        for (int j = 0; j < slices; j++)
            mesh.vertices.push_back(
                {{cosines[j] * r, sines[j] * r, z}, {cosines[j] * cosn, sines[j] * cosn, sinn}});
        z += zStep;
        r -= rStep;
    }
    return mesh;
}

void buildCone(float baseRadius, float height, int slices, int stacks, bool wire, ShapeMesh& out) {
    if (slices == 0 || stacks < 1) return;
    const Mesh mesh = coneMesh(baseRadius, height, slices, stacks);

    if (wire) {
        // A line per slice from the base to the tip, then a loop per ring
        // from the base up.
        std::vector<int> sliceIndices, stackIndices;
        for (int i = 0; i < slices; i++) {
            sliceIndices.push_back(1 + i + slices);
            sliceIndices.push_back(1 + i + (stacks + 1) * slices);
        }
        for (int i = 0; i < stacks; i++)
            for (int j = 0; j < slices; j++) stackIndices.push_back(1 + (i + 1) * slices + j);
        addParts(mesh, sliceIndices, slices * 2, GL_LINES, out);
        addParts(mesh, stackIndices, slices, GL_LINE_LOOP, out);
        return;
    }

    // The base as a strip around its centre, then a strip per stack.
    std::vector<int> strips;
    strips.reserve((slices + 1) * 2 * (stacks + 1));
    for (int j = 0; j < slices; j++) {
        strips.push_back(0);
        strips.push_back(j + 1);
    }
    strips.push_back(0);
    strips.push_back(1);
    for (int i = 0; i < stacks; i++) {
        const int offset = 1 + (i + 1) * slices;
        for (int j = 0; j < slices; j++) {
            strips.push_back(offset + j);
            strips.push_back(offset + j + slices);
        }
        strips.push_back(offset);
        strips.push_back(offset + slices);
    }
    addParts(mesh, strips, (slices + 1) * 2, GL_TRIANGLE_STRIP, out);
}

// The unit cube's corners, its faces' normals and its faces as corner
// indices, counter-clockwise seen from outside.
const float cubeCorners[8][3] = {
    {.5f, .5f, .5f},   {-.5f, .5f, .5f}, {-.5f, -.5f, .5f}, {.5f, -.5f, .5f},
    {.5f, -.5f, -.5f}, {.5f, .5f, -.5f}, {-.5f, .5f, -.5f}, {-.5f, -.5f, -.5f},
};
const float cubeNormals[6][3] = {
    {0.0f, 0.0f, 1.0f},  {1.0f, 0.0f, 0.0f},  {0.0f, 1.0f, 0.0f},
    {-1.0f, 0.0f, 0.0f}, {0.0f, -1.0f, 0.0f}, {0.0f, 0.0f, -1.0f},
};
const int cubeFaces[6][4] = {
    {0, 1, 2, 3}, {0, 3, 4, 5}, {0, 5, 6, 1}, {1, 6, 7, 2}, {7, 4, 3, 2}, {4, 7, 6, 5},
};
// Each face as two triangles, by position in the face.
const int quadAsTriangles[6] = {0, 1, 2, 0, 2, 3};

void buildCube(float size, bool wire, ShapeMesh& out) {
    // Four vertices per face, each with the face's normal.
    Mesh mesh;
    for (int face = 0; face < 6; face++) {
        for (int corner : cubeFaces[face]) {
            Vertex vertex{};
            for (int axis = 0; axis < 3; axis++) {
                vertex.position[axis] = size * cubeCorners[corner][axis];
                vertex.normal[axis] = cubeNormals[face][axis];
            }
            mesh.vertices.push_back(vertex);
        }
    }

    std::vector<int> indices;
    if (wire) {
        for (int k = 0; k < 24; k++) indices.push_back(k);
        addParts(mesh, indices, 4, GL_LINE_LOOP, out);
        return;
    }
    for (int face = 0; face < 6; face++)
        for (int corner : quadAsTriangles) indices.push_back(face * 4 + corner);
    addParts(mesh, indices, 36, GL_TRIANGLES, out);
}

// Builds the shape a key names, from the arguments as the caller gave them.
void buildShape(const ShapeKey& key, ShapeMesh& out) {
    const float a = static_cast<float>(key.sizes[0]), b = static_cast<float>(key.sizes[1]);
    switch (key.kind) {
        case kSolidSphere:
        case kWireSphere:
            buildSphere(a, key.slices, key.stacks, key.kind == kWireSphere, out);
            break;
        case kSolidCone:
        case kWireCone: buildCone(a, b, key.slices, key.stacks, key.kind == kWireCone, out); break;
        default: buildCube(a, key.kind == kWireCube, out); break;
    }
}

void drawShape(ShapeKind kind, double a, double b, int slices, int stacks) {
    glcore::drawCachedShape(ShapeKey{kind, {a, b, 0}, slices, stacks}, buildShape);
}

}  // namespace

extern "C" {

void glutSolidSphere(double radius, GLint slices, GLint stacks) {
    drawShape(kSolidSphere, radius, 0, slices, stacks);
}

void glutWireSphere(double radius, GLint slices, GLint stacks) {
    drawShape(kWireSphere, radius, 0, slices, stacks);
}

void glutSolidCone(double base, double height, GLint slices, GLint stacks) {
    drawShape(kSolidCone, base, height, slices, stacks);
}

void glutWireCone(double base, double height, GLint slices, GLint stacks) {
    drawShape(kWireCone, base, height, slices, stacks);
}

void glutSolidCube(double size) { drawShape(kSolidCube, size, 0, 0, 0); }

void glutWireCube(double size) { drawShape(kWireCube, size, 0, 0, 0); }

}  // extern "C"
