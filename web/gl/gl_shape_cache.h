// GLUT's and GLU's shapes, each built once per set of parameters into
// object-space arrays and drawn whole under the current matrices and
// lighting: the WebGL back end keeps the arrays on the GPU and transforms
// and lights them in its vertex shader; drawShapeOnCpu does the same work
// on the CPU as immediate mode would.
#ifndef UNIVERSE_WEB_GL_SHAPE_CACHE_H
#define UNIVERSE_WEB_GL_SHAPE_CACHE_H

#include <GL/gl.h>

#include <cstdint>
#include <vector>

#include "web/gl/gl_backend.h"

namespace glcore {

// A run of whole primitives drawn in one call, whose vertices fit 16-bit
// indices: its indices count from its first vertex. mode is GL_LINES,
// GL_LINE_STRIP, GL_TRIANGLES or GL_TRIANGLE_STRIP.
struct ShapeChunk {
    int firstVertex;
    int vertexCount;
    int firstIndex;
    int indexCount;
    int mode;
};

// A shape's primitives as glBegin/glEnd would draw them: each primitive's
// vertices in object space in the order given, and indices into them.
// Triangle strips stay strips, one after another in one strip joined by
// degenerate triangles (a repeated index; one more where the next strip
// would start on an odd triangle), so that each triangle keeps the vertices
// and facing glEnd gives it; line strips and loops stay strips, one after
// another in one strip parted by kRestartIndex (a loop ends on its first
// vertex again), which WebGL 2 draws in one call and the page turns into
// lines for WebGL 1; other primitives become lines or triangles, split and
// ordered as glEnd splits them. The vertices are not shared
// between primitives, as in immediate mode, so that each primitive's
// indices stay close together.
struct ShapeMesh {
    DrawMode mode = DrawMode::Triangles;  // Lines or Triangles: its first primitive's
    std::vector<float> positions;         // x, y, z per vertex
    std::vector<float> normals;           // x, y, z per vertex
    std::vector<uint16_t> indices;        // the chunks' indices, in their modes
    std::vector<ShapeChunk> chunks;
    // A shape drawn in immediate mode where it comes from leaves the current
    // normal at its last glNormal: this one.
    bool leavesNormal = false;
    float lastNormal[3] = {0, 0, 1};

    int vertexCount() const { return static_cast<int>(positions.size() / 3); }
    // Adds the primitive `mode` (GL_TRIANGLE_STRIP, GL_LINE_LOOP, ...) over
    // `count` vertices (x, y, z each), at most kMaxIndexedVertices. The mesh
    // is drawn in one mode: a primitive that splits into another mode than
    // the first one's is left out.
    void addPrimitive(GLenum mode, const float* positions, const float* normals, int count);
};

struct CachedShape {
    int id;  // 0, 1, 2... in the order the shapes were first drawn
    ShapeMesh mesh;
};

// The GLU and GLUT functions whose shapes the cache holds.
enum ShapeKind {
    kCylinder,
    kSolidSphere,
    kWireSphere,
    kSolidCone,
    kWireCone,
    kSolidCube,
    kWireCube
};

// What names a shape: its kind and its arguments as the caller gave them.
struct ShapeKey {
    ShapeKind kind;
    double sizes[3];
    int slices;
    int stacks;
};

using ShapeBuilder = void (*)(const ShapeKey& key, ShapeMesh& mesh);

// Draws the shape `key` names, built by `build` the first time.
void drawCachedShape(const ShapeKey& key, ShapeBuilder build);

// The chunk's lines or triangles as indices from its first vertex, in the
// order and with the facing glEnd gives them (a strip's joins and restarts
// left out).
void chunkPrimitives(const ShapeMesh& mesh, const ShapeChunk& chunk, std::vector<uint32_t>& out);

// Transforms and lights the shape's vertices on the CPU with the current
// state and queues them as clip-space vertices (lines take the front
// colour on both sides).
void drawShapeOnCpu(const CachedShape& shape);

// How many shapes are cached.
int cachedShapeCount();

}  // namespace glcore

#endif
