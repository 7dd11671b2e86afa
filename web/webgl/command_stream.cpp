#include "web/webgl/command_stream.h"

#include <string>

namespace glcore {

namespace {

// A JSON list of objects, each added as its fields' text.
struct JsonList {
    std::string text = "[";
    void add(const std::string& fields) { text += (text.size() > 1 ? ",{" : "{") + fields + "}"; }
};

std::string field(const char* name, size_t value) {
    return std::string("\"") + name + "\":" + std::to_string(value);
}

std::string named(const char* name) { return std::string("\"name\":\"") + name + "\""; }

// An attribute: its name, first float and floats in its array; for the
// group program whether it is an instance's (one per instance, divisor 1),
// for the shape program the kShape word that holds its array's address.
std::string attribute(const char* name, size_t at, size_t size) {
    return named(name) + "," + field("at", at) + "," + field("size", size);
}

std::string clipAttributes() {
    JsonList list;
    const size_t floatBytes = sizeof(float);
    list.add(attribute("position", offsetof(DrawVertex, position) / floatBytes, 4));
    list.add(attribute("front", offsetof(DrawVertex, front) / floatBytes, 4));
    list.add(attribute("back", offsetof(DrawVertex, back) / floatBytes, 4));
    return list.text + "]";
}

std::string shapeAttributes() {
    JsonList list;
    list.add(attribute("position", 0, kShapeVertexFloats) + "," + field("word", kShapePositions));
    list.add(attribute("normal", 0, kShapeVertexFloats) + "," + field("word", kShapeNormals));
    return list.text + "]";
}

std::string groupAttributes() {
    JsonList list;
    const auto vertex = [&](const char* name, size_t at, size_t size) {
        list.add(attribute(name, at, size) + "," + field("divisor", 0));
    };
    const auto instance = [&](const char* name, size_t at, size_t size) {
        list.add(attribute(name, at, size) + "," + field("divisor", 1));
    };
    vertex("position", kGroupPosition, kGroupNormal - kGroupPosition);
    vertex("normal", kGroupNormal, kGroupBaseFront - kGroupNormal);
    vertex("base0", kGroupBaseFront, kGroupBaseBack - kGroupBaseFront);
    vertex("base1", kGroupBaseBack, kGroupDiffuseFront - kGroupBaseBack);
    vertex("diffuse0", kGroupDiffuseFront, kGroupDiffuseBack - kGroupDiffuseFront);
    vertex("diffuse1", kGroupDiffuseBack, kGroupVertexFloats - kGroupDiffuseBack);
    // The modelview's rows.
    static const char* const rows[] = {"modelview0", "modelview1", "modelview2"};
    for (size_t r = 0; r < 3; r++) instance(rows[r], kInstanceModelview + 4 * r, 4);
    return list.text + "]";
}

// A uniform: its name, first float and floats in its command's uniforms.
struct Uniform {
    const char* name;
    size_t at;
};

std::string uniforms(const Uniform* uniforms, size_t count, size_t end) {
    JsonList list;
    for (size_t u = 0; u < count; u++) {
        const size_t next = u + 1 < count ? uniforms[u + 1].at : end;
        list.add(named(uniforms[u].name) + "," + field("at", uniforms[u].at) + "," +
                 field("size", next - uniforms[u].at));
    }
    return list.text + "]";
}

std::string shapeUniforms() {
    static const Uniform list[] = {
        {"modelviewProjection", kUniformModelviewProjection},
        {"normalMatrix", kUniformNormalMatrix},
        {"toLight", kUniformToLight},
        {"halfVector", kUniformHalfVector},
        {"base", kUniformBase},
        {"diffuse", kUniformDiffuse},
        {"specular", kUniformSpecular},
        {"shininess", kUniformShininess},
        {"faceSign", kUniformFaceSign},
    };
    return uniforms(list, sizeof list / sizeof list[0], kShapeUniforms);
}

std::string groupUniforms() {
    static const Uniform list[] = {
        {"projection", kGroupProjection}, {"toLight", kGroupToLight},
        {"halfVector", kGroupHalfVector}, {"specular", kGroupSpecular},
        {"shininess", kGroupShininess},   {"faceSign", kGroupFaceSign},
    };
    return uniforms(list, sizeof list / sizeof list[0], kGroupUniforms);
}

}  // namespace

const char* commandStreamLayout() {
    static const std::string json = [] {
        const struct {
            const char* name;
            size_t value;
        } numbers[] = {
            {"draw", kDraw},
            {"state", kState},
            {"clear", kClear},
            {"shape", kShape},
            {"group", kGroup},
            {"drawMode", kDrawMode},
            {"drawBaseVertex", kDrawBaseVertex},
            {"drawFirstIndex", kDrawFirstIndex},
            {"drawCount", kDrawCount},
            {"drawWords", kDrawWords},
            {"stateX", kStateX},
            {"stateY", kStateY},
            {"stateWidth", kStateWidth},
            {"stateHeight", kStateHeight},
            {"stateDepthTest", kStateDepthTest},
            {"stateDepthFunc", kStateDepthFunc},
            {"stateDepthMask", kStateDepthMask},
            {"stateCullFace", kStateCullFace},
            {"stateCullMode", kStateCullMode},
            {"stateFrontFace", kStateFrontFace},
            {"stateWords", kStateWords},
            {"clearMask", kClearMask},
            {"clearRed", kClearRed},
            {"clearGreen", kClearGreen},
            {"clearBlue", kClearBlue},
            {"clearAlpha", kClearAlpha},
            {"clearDepth", kClearDepth},
            {"clearWords", kClearWords},
            {"shapeId", kShapeId},
            {"shapeVertexCount", kShapeVertexCount},
            {"shapeIndices", kShapeIndices},
            {"shapeIndexCount", kShapeIndexCount},
            {"shapeUniformsAt", kShapeUniformsAt},
            {"shapeChunks", kShapeChunks},
            {"shapeChunkCount", kShapeChunkCount},
            {"shapeWords", kShapeWords},
            {"shapeUniforms", kShapeUniforms},
            {"groupFirstVertex", kGroupFirstVertex},
            {"groupVertexCount", kGroupVertexCount},
            {"groupFirstInstance", kGroupFirstInstance},
            {"groupInstanceCount", kGroupInstanceCount},
            {"groupUniformsAt", kGroupUniformsAt},
            {"groupWords", kGroupWords},
            {"groupVertexFloats", kGroupVertexFloats},
            {"instanceFloats", kInstanceFloats},
            {"groupUniforms", kGroupUniforms},
            {"vertexFloats", sizeof(DrawVertex) / sizeof(float)},
            {"chunkWords", sizeof(ShapeChunk) / sizeof(int32_t)},
            {"chunkFirstVertex", offsetof(ShapeChunk, firstVertex) / sizeof(int32_t)},
            {"chunkFirstIndex", offsetof(ShapeChunk, firstIndex) / sizeof(int32_t)},
            {"chunkIndexCount", offsetof(ShapeChunk, indexCount) / sizeof(int32_t)},
            {"chunkMode", offsetof(ShapeChunk, mode) / sizeof(int32_t)},
            {"restartIndex", kRestartIndex},
            {"eventLost", kEventLost},
            {"eventRestored", kEventRestored},
            {"eventShadersRefused", kEventShadersRefused},
            {"eventStreamBroken", kEventStreamBroken},
            {"createNoWebGL", kCreateNoWebGL},
            {"createShadersRefused", kCreateShadersRefused},
            {"createLayoutRefused", kCreateLayoutRefused},
            {"createReady", kCreateReady},
            {"createReadyWithGroups", kCreateReadyWithGroups},
        };
        std::string text = "{";
        for (const auto& number : numbers) text += field(number.name, number.value) + ",";
        return text + "\"clipAttributes\":" + clipAttributes() +
               ",\"shapeAttributes\":" + shapeAttributes() +
               ",\"groupAttributes\":" + groupAttributes() +
               ",\"shapeUniformList\":" + shapeUniforms() +
               ",\"groupUniformList\":" + groupUniforms() + "}";
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
