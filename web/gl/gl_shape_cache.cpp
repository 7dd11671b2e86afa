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

bool ownsCall(int chunkMode) { return chunkMode == GL_LINE_STRIP || chunkMode == GL_LINE_LOOP; }

}  // namespace

void ShapeMesh::addPrimitive(GLenum primitive, const float* primitivePositions,
                             const float* primitiveNormals, int count) {
    std::vector<uint32_t> split;
    const DrawMode splitMode = splitPrimitive(primitive, static_cast<uint32_t>(count), split);
    if (split.empty()) return;
    mode = splitMode;
    const bool strip = primitive == GL_TRIANGLE_STRIP;
    // Line strips and loops are drawn one call each (WebGL 1 cannot restart
    // one), on the base of the run of them before, so that only the
    // drawing call changes between them.
    const bool ownCall = primitive == GL_LINE_STRIP || primitive == GL_LINE_LOOP;
    if (strip || ownCall) {
        split.resize(count);
        for (int i = 0; i < count; i++) split[i] = static_cast<uint32_t>(i);
    }
    const int chunkMode = strip || ownCall ? static_cast<int>(primitive)
                          : splitMode == DrawMode::Lines ? GL_LINES : GL_TRIANGLES;
    const bool fits =
        !chunks.empty() && vertexCount() + count - chunks.back().firstVertex <= kMaxIndexedVertices;
    if (ownCall && fits && ownsCall(chunks.back().mode)) {
        const int base = chunks.back().firstVertex;
        chunks.push_back({base, vertexCount() - base, static_cast<int>(indices.size()), 0, chunkMode});
    } else if (!fits || ownCall || chunks.back().mode != chunkMode) {
        chunks.push_back({vertexCount(), 0, static_cast<int>(indices.size()), 0, chunkMode});
    }
    ShapeChunk& chunk = chunks.back();
    const uint32_t first = static_cast<uint32_t>(chunk.vertexCount);
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
    if (ownsCall(chunk.mode)) {
        // Indices running from the primitive's first vertex.
        splitPrimitive(static_cast<GLenum>(chunk.mode), static_cast<uint32_t>(chunk.indexCount), out);
        for (uint32_t& index : out) index += at[0];
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
    std::vector<uint32_t> indices, piece;
    std::vector<DrawVertex> expanded;
    // Chunks on one base (line strips and loops) are processed and queued
    // together: each vertex once.
    const auto queue = [&]() {
        if (indices.empty()) return;
        if (!flat) {
            drawIndexed(mesh.mode, vertices.data(), static_cast<int>(vertices.size()),
                        indices.data(), static_cast<int>(indices.size()));
        } else {
            // Flat: each line or triangle on vertices of its own, all with
            // the colours of its last (provoking) vertex.
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
        indices.clear();
    };
    int base = -1;
    for (const ShapeChunk& chunk : mesh.chunks) {
        if (chunk.firstVertex != base) {
            queue();
            base = chunk.firstVertex;
            vertices.clear();
        }
        for (int i = static_cast<int>(vertices.size()); i < chunk.vertexCount; i++) {
            const int at = 3 * (chunk.firstVertex + i);
            const float object[4] = {mesh.positions[at], mesh.positions[at + 1],
                                     mesh.positions[at + 2], 1};
            vertices.push_back(processVertex(object, &mesh.normals[at]));
            if (mesh.mode == DrawMode::Lines) {
                for (int c = 0; c < 4; c++) vertices.back().back[c] = vertices.back().front[c];
            }
        }
        chunkPrimitives(mesh, chunk, piece);
        indices.insert(indices.end(), piece.begin(), piece.end());
    }
    queue();
}

int cachedShapeCount() { return static_cast<int>(shapes().size()); }

}  // namespace glcore
