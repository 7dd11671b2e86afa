// The shape cache, and a shape drawn through the CPU's vertex processing.
#include "web/gl/gl_shape_cache.h"

#include <map>
#include <memory>
#include <tuple>

#include "web/gl/gl_context.h"
#include "web/gl/gl_primitives.h"

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

void ShapeMesh::addPrimitive(GLenum primitive, const float* primitivePositions,
                             const float* primitiveNormals, int count) {
    std::vector<uint32_t> split;
    const DrawMode splitMode = splitPrimitive(primitive, static_cast<uint32_t>(count), split);
    if (split.empty()) return;
    if (chunks.empty()) mode = splitMode;
    if (splitMode != mode) return;
    const bool strip = primitive == GL_TRIANGLE_STRIP;
    const bool lineStrip = primitive == GL_LINE_STRIP || primitive == GL_LINE_LOOP;
    if (strip || lineStrip) {
        split.resize(count);
        for (int i = 0; i < count; i++) split[i] = static_cast<uint32_t>(i);
        if (primitive == GL_LINE_LOOP) split.push_back(0);
    }
    const int chunkMode = strip       ? GL_TRIANGLE_STRIP
                          : lineStrip ? GL_LINE_STRIP
                                      : (splitMode == DrawMode::Lines ? GL_LINES : GL_TRIANGLES);
    if (chunks.empty() || chunks.back().mode != chunkMode ||
        chunks.back().vertexCount + count > kMaxIndexedVertices) {
        chunks.push_back({vertexCount(), 0, static_cast<int>(indices.size()), 0, chunkMode});
    }
    ShapeChunk& chunk = chunks.back();
    const uint32_t first = static_cast<uint32_t>(chunk.vertexCount);
    if (lineStrip && chunk.indexCount > 0) {
        indices.push_back(kRestartIndex);
        chunk.indexCount++;
    }
    if (strip && chunk.indexCount > 0) {
        // The join: the last index again (twice when the strip so far is
        // odd, so that the next one starts on an even triangle), then the
        // next strip's first.
        const uint16_t last = indices.back();
        indices.push_back(last);
        if (chunk.indexCount % 2 == 1) indices.push_back(last);
        indices.push_back(static_cast<uint16_t>(first));
        chunk.indexCount += chunk.indexCount % 2 == 1 ? 3 : 2;
    }
    for (uint32_t at : split) indices.push_back(static_cast<uint16_t>(first + at));
    positions.insert(positions.end(), primitivePositions, primitivePositions + 3 * count);
    normals.insert(normals.end(), primitiveNormals, primitiveNormals + 3 * count);
    chunk.vertexCount += count;
    chunk.indexCount += static_cast<int>(split.size());
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

void chunkPrimitives(const ShapeMesh& mesh, const ShapeChunk& chunk, std::vector<uint32_t>& out) {
    const uint16_t* at = &mesh.indices[chunk.firstIndex];
    if (chunk.mode == GL_LINE_STRIP) {
        out.clear();
        for (int i = 1; i < chunk.indexCount; i++) {
            if (at[i - 1] != kRestartIndex && at[i] != kRestartIndex) {
                out.insert(out.end(), {at[i - 1], at[i]});
            }
        }
        return;
    }
    if (chunk.mode != GL_TRIANGLE_STRIP) {
        out.assign(at, at + chunk.indexCount);
        return;
    }
    std::vector<uint32_t> split;
    splitPrimitive(GL_TRIANGLE_STRIP, static_cast<uint32_t>(chunk.indexCount), split);
    out.clear();
    for (size_t t = 0; t < split.size(); t += 3) {
        const uint32_t a = at[split[t]], b = at[split[t + 1]], c = at[split[t + 2]];
        // A join's triangle repeats an index; a primitive's own never does.
        if (a != b && b != c && a != c) out.insert(out.end(), {a, b, c});
    }
}

void drawShapeOnCpu(const CachedShape& shape) {
    const ShapeMesh& mesh = shape.mesh;
    const bool flat = context().shadeModel == GL_FLAT;
    const size_t perPrimitive = mesh.mode == DrawMode::Lines ? 2 : 3;
    std::vector<DrawVertex> vertices;
    std::vector<uint32_t> indices;
    std::vector<DrawVertex> expanded;
    for (const ShapeChunk& chunk : mesh.chunks) {
        vertices.resize(chunk.vertexCount);
        for (int i = 0; i < chunk.vertexCount; i++) {
            const int at = 3 * (chunk.firstVertex + i);
            const float object[4] = {mesh.positions[at], mesh.positions[at + 1],
                                     mesh.positions[at + 2], 1};
            vertices[i] = processVertex(object, &mesh.normals[at]);
            if (mesh.mode == DrawMode::Lines) {
                for (int c = 0; c < 4; c++) vertices[i].back[c] = vertices[i].front[c];
            }
        }
        chunkPrimitives(mesh, chunk, indices);
        if (!flat) {
            drawIndexed(mesh.mode, vertices.data(), chunk.vertexCount, indices.data(),
                        static_cast<int>(indices.size()));
            continue;
        }
        // Flat: each line or triangle on vertices of its own, all with the
        // colours of its last (provoking) vertex.
        expanded.clear();
        for (size_t start = 0; start < indices.size(); start += perPrimitive) {
            const DrawVertex& provoking = vertices[indices[start + perPrimitive - 1]];
            for (size_t k = 0; k < perPrimitive; k++) {
                DrawVertex v = vertices[indices[start + k]];
                for (int c = 0; c < 4; c++) {
                    v.front[c] = provoking.front[c];
                    v.back[c] = provoking.back[c];
                }
                expanded.push_back(v);
            }
        }
        drawVertices(mesh.mode, expanded.data(), static_cast<int>(expanded.size()));
    }
}

int cachedShapeCount() { return static_cast<int>(shapes().size()); }

}  // namespace glcore
