// The frame's command stream from the GL core to the page's WebGL replay,
// declared once: the op codes, each record's words, the shape uniforms'
// floats, the arrays' layouts, and the codes the page's script answers
// with. The replay (web/webgl/webgl_library.js) reads every number it uses
// from commandStreamLayout() and checks them at start-up against what its
// shaders declare. Plain C++: the native test checks the batching and the
// upload spans.
#ifndef UNIVERSE_WEB_WEBGL_COMMAND_STREAM_H
#define UNIVERSE_WEB_WEBGL_COMMAND_STREAM_H

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "web/gl/gl_backend.h"
#include "web/gl/gl_shape_cache.h"

namespace glcore {

// Each record is an op word followed by its fields, int32 words; the enum
// names each field's word from the record's start, and `Words` its length.
enum Op : int32_t { kDraw = 0, kState = 1, kClear = 2, kShape = 3, kGroup = 4 };
// kDraw: indices count from baseVertex.
enum DrawWord { kDrawMode = 1, kDrawBaseVertex, kDrawFirstIndex, kDrawCount, kDrawWords };
// kState: the framebuffer state.
enum StateWord {
    kStateX = 1,
    kStateY,
    kStateWidth,
    kStateHeight,
    kStateDepthTest,
    kStateDepthFunc,
    kStateDepthMask,
    kStateCullFace,
    kStateCullMode,
    kStateFrontFace,
    kStateWords
};
// kClear: the colours and depth as float32 bits.
enum ClearWord {
    kClearMask = 1,
    kClearRed,
    kClearGreen,
    kClearBlue,
    kClearAlpha,
    kClearDepth,
    kClearWords
};
// kShape: a cached shape, its arrays as heap addresses (sent the first time
// only), its uniforms at `uniformsAt` floats into the frame's uniforms,
// drawn a ShapeChunk at a time, each in its own mode.
enum ShapeWord {
    kShapeId = 1,
    kShapePositions,
    kShapeNormals,
    kShapeVertexCount,
    kShapeIndices,
    kShapeIndexCount,
    kShapeUniformsAt,
    kShapeChunks,
    kShapeChunkCount,
    kShapeWords
};
// kGroup: independent triangles from the frame's group vertices, drawn once
// per instance from its first, with the light's uniforms at `uniformsAt`.
enum GroupWord {
    kGroupFirstVertex = 1,
    kGroupVertexCount,
    kGroupFirstInstance,
    kGroupInstanceCount,
    kGroupUniformsAt,
    kGroupWords
};
// A group vertex, floats from its start: position, normal, then the base
// and diffuse terms of the front and the back face.
enum GroupVertexFloat {
    kGroupPosition = 0,
    kGroupNormal = 3,
    kGroupBaseFront = 6,
    kGroupBaseBack = 10,
    kGroupDiffuseFront = 14,
    kGroupDiffuseBack = 17,
    kGroupVertexFloats = 20
};
// An instance: the modelview's first three rows (its last is 0 0 0 1); the
// group program finds the normal matrix from them, so that each instance
// sends 12 floats a frame rather than 25.
constexpr int kInstanceModelview = 0;
constexpr int kInstanceFloats = 12;
// A cached shape's positions and normals: x, y, z per vertex.
constexpr int kShapeVertexFloats = 3;
// A kShape command's uniforms, floats from its uniformsAt: the matrices,
// the light's vectors, then each field for both faces.
enum ShapeUniform {
    kUniformModelviewProjection = 0,
    kUniformNormalMatrix = 16,
    kUniformToLight = 25,
    kUniformHalfVector = 28,
    kUniformBase = 31,
    kUniformDiffuse = 39,
    kUniformSpecular = 45,
    kUniformShininess = 51,
    kUniformFaceSign = 53,
    kShapeUniforms = 55
};
// A kGroup command's uniforms: the projection (by columns), the light's
// vectors, then each field for both faces.
enum GroupUniform {
    kGroupProjection = 0,
    kGroupToLight = 16,
    kGroupHalfVector = 19,
    kGroupSpecular = 22,
    kGroupShininess = 28,
    kGroupFaceSign = 30,
    kGroupUniforms = 32
};

// What the page's script tells the back end (webglContextEvent): the
// context was lost, came back, came back but refused the shaders, or the
// replay met a command it does not know (it draws nothing more).
enum PageEvent { kEventLost = 0, kEventRestored, kEventShadersRefused, kEventStreamBroken };
// How the page's script answers webglCreateContextInPage: no canvas or no
// WebGL, shaders refused, a layout its shaders do not match, or ready
// (with the group program where instancing and its nine attributes exist).
enum CreateResult {
    kCreateNoWebGL = 0,
    kCreateShadersRefused,
    kCreateLayoutRefused,
    kCreateReady,
    kCreateReadyWithGroups
};

// The replay reads a DrawVertex as 12 floats (position, front, back) and a
// ShapeChunk as five int32 words; the layout hands it the offsets.
static_assert(sizeof(float) == 4 && sizeof(int) == 4, "32-bit words");
static_assert(sizeof(DrawVertex) == 48 && offsetof(DrawVertex, front) == 16 &&
                  offsetof(DrawVertex, back) == 32,
              "DrawVertex as the replay reads it");
static_assert(sizeof(ShapeChunk) == 20 && offsetof(ShapeChunk, firstVertex) == 0 &&
                  offsetof(ShapeChunk, vertexCount) == 4 && offsetof(ShapeChunk, firstIndex) == 8 &&
                  offsetof(ShapeChunk, indexCount) == 12 && offsetof(ShapeChunk, mode) == 16,
              "ShapeChunk as the replay reads it");

// The numbers above as a JSON object for the replay: each number by name,
// and the lists the programs are set up from (each attribute's name, first
// float, floats, and for the group program whether it is an instance's;
// each uniform's name, first float and floats, in the command's order).
const char* commandStreamLayout();

// A frame's recorded arrays and commands, in order.
struct FrameRecord {
    std::vector<DrawVertex> vertices;
    std::vector<uint16_t> indices;
    std::vector<int32_t> commands;
    std::vector<float> uniforms;       // the kShape and kGroup commands'
    std::vector<float> groupVertices;  // kGroupVertexFloats each
    std::vector<float> instances;      // kInstanceFloats each
    size_t lastDraw = SIZE_MAX;        // where the last command starts when it is a kDraw

    void clear();
};

// Appends a draw of `indexCount` indices into `vertices` with the WebGL mode
// `glMode`. It joins the last command when that is a draw of the same mode
// and the vertices still fit 16-bit indices from its base vertex.
void recordDraw(FrameRecord& frame, int32_t glMode, const DrawVertex* vertices, int vertexCount,
                const uint32_t* indices, int indexCount);

// The elements [first, end) of `now` that differ, bit for bit, from those
// at the same places in `before`, or lie beyond its end: what an upload of
// `now` over `before` has to send. Empty (first == end) when nothing changed.
size_t samePrefixBytes(const unsigned char* a, const unsigned char* b, size_t n);
size_t sameSuffixBytes(const unsigned char* a, const unsigned char* b, size_t n);
template <typename T>
void changedSpan(const std::vector<T>& now, const std::vector<T>& before, size_t& first,
                 size_t& end) {
    const auto* a = reinterpret_cast<const unsigned char*>(now.data());
    const auto* b = reinterpret_cast<const unsigned char*>(before.data());
    const size_t common = now.size() < before.size() ? now.size() : before.size();
    first = samePrefixBytes(a, b, common * sizeof(T)) / sizeof(T);
    if (now.size() > before.size()) {
        end = now.size();
        return;
    }
    const size_t offset = first * sizeof(T);
    end = now.size() -
          sameSuffixBytes(a + offset, b + offset, (now.size() - first) * sizeof(T)) / sizeof(T);
}

}  // namespace glcore

#endif
