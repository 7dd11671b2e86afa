// The shape cache, and a shape drawn through the CPU's vertex processing.
#include "gl_shape_cache.h"

#include <map>
#include <memory>
#include <tuple>

#include "gl_context.h"
#include "gl_primitives.h"

namespace glcore {
namespace {

struct KeyOrder {
    bool operator()(const ShapeKey& a, const ShapeKey& b) const {
        return std::tie(a.kind, a.sizes[0], a.sizes[1], a.sizes[2], a.slices, a.stacks) <
               std::tie(b.kind, b.sizes[0], b.sizes[1], b.sizes[2], b.slices, b.stacks);
    }
};

// Entries live as long as the program: the back end keeps their arrays on
// the GPU under their ids.
std::map<ShapeKey, std::unique_ptr<CachedShape>, KeyOrder>& shapes() {
    static std::map<ShapeKey, std::unique_ptr<CachedShape>, KeyOrder> cache;
    return cache;
}

}  // namespace

int ShapeMesh::add(const float position[3], const float normal[3]) {
    positions.insert(positions.end(), position, position + 3);
    normals.insert(normals.end(), normal, normal + 3);
    return vertexCount() - 1;
}

void ShapeMesh::addPrimitive(GLenum primitive, const int* vertices, int count) {
    std::vector<uint32_t> split;
    const DrawMode splitMode = splitPrimitive(primitive, static_cast<uint32_t>(count), split);
    if (split.empty()) return;
    mode = splitMode;
    for (uint32_t at : split) indices.push_back(static_cast<uint32_t>(vertices[at]));
}

void drawCachedShape(const ShapeKey& key, ShapeBuilder build) {
    auto& cache = shapes();
    std::unique_ptr<CachedShape>& entry = cache[key];
    if (!entry) {
        entry = std::make_unique<CachedShape>();
        entry->id = static_cast<int>(cache.size()) - 1;
        build(key, entry->mesh);
    }
    const ShapeMesh& mesh = entry->mesh;
    if (!mesh.indices.empty()) drawShape(*entry);
    if (mesh.leavesNormal) {
        for (int c = 0; c < 3; c++) context().normal[c] = mesh.lastNormal[c];
    }
}

void drawShapeOnCpu(const CachedShape& shape) {
    const ShapeMesh& mesh = shape.mesh;
    const int n = mesh.vertexCount();
    std::vector<DrawVertex> vertices(n);
    for (int i = 0; i < n; i++) {
        const float object[4] = {mesh.positions[3 * i], mesh.positions[3 * i + 1],
                                 mesh.positions[3 * i + 2], 1};
        vertices[i] = processVertex(object, &mesh.normals[3 * i]);
        if (mesh.mode == DrawMode::Lines) {
            for (int c = 0; c < 4; c++) vertices[i].back[c] = vertices[i].front[c];
        }
    }
    const bool flat = context().shadeModel == GL_FLAT;
    if (!flat && n <= kMaxIndexedVertices) {
        drawIndexed(mesh.mode, vertices.data(), n, mesh.indices.data(),
                    static_cast<int>(mesh.indices.size()));
        return;
    }
    // Each line or triangle on its own vertices; flat, all take the colours
    // of its last (provoking) vertex.
    const size_t perPrimitive = mesh.mode == DrawMode::Lines ? 2 : 3;
    std::vector<DrawVertex> expanded;
    expanded.reserve(mesh.indices.size());
    for (size_t start = 0; start < mesh.indices.size(); start += perPrimitive) {
        const DrawVertex& provoking = vertices[mesh.indices[start + perPrimitive - 1]];
        for (size_t k = 0; k < perPrimitive; k++) {
            DrawVertex v = vertices[mesh.indices[start + k]];
            if (flat) {
                for (int c = 0; c < 4; c++) {
                    v.front[c] = provoking.front[c];
                    v.back[c] = provoking.back[c];
                }
            }
            expanded.push_back(v);
        }
    }
    drawVertices(mesh.mode, expanded.data(), static_cast<int>(expanded.size()));
}

int cachedShapeCount() { return static_cast<int>(shapes().size()); }

}  // namespace glcore
