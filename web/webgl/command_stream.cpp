#include "web/webgl/command_stream.h"

#include <string>

namespace glcore {

const char* commandStreamLayout() {
    static const std::string json = [] {
        const struct {
            const char* name;
            size_t value;
        } numbers[] = {
            {"draw", kDraw}, {"state", kState}, {"clear", kClear}, {"shape", kShape},
            {"group", kGroup},
            {"drawMode", kDrawMode}, {"drawBaseVertex", kDrawBaseVertex},
            {"drawFirstIndex", kDrawFirstIndex}, {"drawCount", kDrawCount}, {"drawWords", kDrawWords},
            {"stateX", kStateX}, {"stateWords", kStateWords}, {"clearMask", kClearMask},
            {"clearRed", kClearRed}, {"clearDepth", kClearDepth}, {"clearWords", kClearWords},
            {"shapeId", kShapeId}, {"shapePositions", kShapePositions},
            {"shapeNormals", kShapeNormals}, {"shapeVertexCount", kShapeVertexCount},
            {"shapeIndices", kShapeIndices}, {"shapeIndexCount", kShapeIndexCount},
            {"shapeUniformsAt", kShapeUniformsAt},
            {"shapeChunks", kShapeChunks}, {"shapeChunkCount", kShapeChunkCount},
            {"shapeWords", kShapeWords},
            {"groupFirstVertex", kGroupFirstVertex}, {"groupVertexCount", kGroupVertexCount},
            {"groupFirstInstance", kGroupFirstInstance},
            {"groupInstanceCount", kGroupInstanceCount}, {"groupUniformsAt", kGroupUniformsAt},
            {"groupWords", kGroupWords}, {"groupVertexFloats", kGroupVertexFloats},
            {"instanceFloats", kInstanceFloats}, {"groupToLight", kGroupToLight},
            {"groupHalfVector", kGroupHalfVector}, {"groupSpecular", kGroupSpecular},
            {"groupShininess", kGroupShininess}, {"groupFaceSign", kGroupFaceSign},
            {"groupUniforms", kGroupUniforms},
            {"modelviewProjection", kUniformModelviewProjection},
            {"normalMatrix", kUniformNormalMatrix}, {"toLight", kUniformToLight},
            {"halfVector", kUniformHalfVector}, {"base", kUniformBase},
            {"diffuse", kUniformDiffuse}, {"specular", kUniformSpecular},
            {"shininess", kUniformShininess}, {"faceSign", kUniformFaceSign},
            {"shapeUniforms", kShapeUniforms},
            {"vertexFloats", sizeof(DrawVertex) / sizeof(float)},
            {"chunkWords", sizeof(ShapeChunk) / sizeof(int32_t)},
            {"chunkFirstVertex", offsetof(ShapeChunk, firstVertex) / sizeof(int32_t)},
            {"chunkFirstIndex", offsetof(ShapeChunk, firstIndex) / sizeof(int32_t)},
            {"chunkIndexCount", offsetof(ShapeChunk, indexCount) / sizeof(int32_t)},
            {"chunkMode", offsetof(ShapeChunk, mode) / sizeof(int32_t)},
        };
        std::string text = "{";
        for (const auto& number : numbers)
            text += std::string(text.size() > 1 ? "," : "") + "\"" + number.name +
                    "\":" + std::to_string(number.value);
        return text + "}";
    }();
    return json.c_str();
}

void FrameRecord::clear() {
    vertices.clear();
    indices.clear();
    commands.clear();
    uniforms.clear();
    groupVertices.clear();
    instances.clear();
    lastDraw = SIZE_MAX;
}

void recordDraw(FrameRecord& frame, int32_t glMode, const DrawVertex* vertices, int vertexCount,
                const uint32_t* indices, int indexCount) {
    std::vector<int32_t>& commands = frame.commands;
    const int32_t first = static_cast<int32_t>(frame.vertices.size());
    uint32_t offset = 0;
    if (frame.lastDraw != SIZE_MAX && commands[frame.lastDraw + kDrawMode] == glMode &&
        first + vertexCount - commands[frame.lastDraw + kDrawBaseVertex] <= kMaxIndexedVertices) {
        offset = static_cast<uint32_t>(first - commands[frame.lastDraw + kDrawBaseVertex]);
        commands[frame.lastDraw + kDrawCount] += indexCount;
    } else {
        frame.lastDraw = commands.size();
        commands.resize(commands.size() + kDrawWords);
        int32_t* words = &commands[frame.lastDraw];
        words[0] = kDraw;
        words[kDrawMode] = glMode;
        words[kDrawBaseVertex] = first;
        words[kDrawFirstIndex] = static_cast<int32_t>(frame.indices.size());
        words[kDrawCount] = indexCount;
    }
    frame.vertices.insert(frame.vertices.end(), vertices, vertices + vertexCount);
    const size_t at = frame.indices.size();
    frame.indices.resize(at + indexCount);
    uint16_t* out = frame.indices.data() + at;
    for (int i = 0; i < indexCount; i++) out[i] = static_cast<uint16_t>(indices[i] + offset);
}

size_t samePrefixBytes(const unsigned char* a, const unsigned char* b, size_t n) {
    size_t i = 0;
    for (; i + 8 <= n; i += 8) {
        uint64_t x, y;
        std::memcpy(&x, a + i, 8);
        std::memcpy(&y, b + i, 8);
        if (x != y) break;
    }
    while (i < n && a[i] == b[i]) i++;
    return i;
}

size_t sameSuffixBytes(const unsigned char* a, const unsigned char* b, size_t n) {
    size_t i = 0;
    for (; i + 8 <= n; i += 8) {
        uint64_t x, y;
        std::memcpy(&x, a + n - i - 8, 8);
        std::memcpy(&y, b + n - i - 8, 8);
        if (x != y) break;
    }
    while (i < n && a[n - i - 1] == b[n - i - 1]) i++;
    return i;
}

}  // namespace glcore
