// The WebGL back end: the GL core's draws, recorded as the frame's command
// stream (web/webgl/command_stream.h) and handed to the page's replay
// (web/webgl/webgl_library.js) at the end of the frame (or glFlush): one
// upload per buffer and one call into the page per frame instead of one
// per batch. Clip-space vertices that the CPU transformed and lit go as
// indexed draws; the cached shapes as their object-space arrays (sent
// once) with the matrices and lighting state as uniforms; immediate
// mode's triangles of one colour as groups drawn once per instance.
#include <GL/gl.h>
#include <emscripten.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <utility>
#include <vector>

#include "web/gl/gl_backend.h"
#include "web/gl/gl_context.h"
#include "web/gl/gl_lighting.h"
#include "web/gl/gl_matrix_stacks.h"
#include "web/gl/gl_shape_cache.h"
#include "web/webgl/command_stream.h"
#include "web/webgl/webgl_context.h"

// The page's side, in web/webgl/webgl_library.js (linked with
// --js-library). webglCreateContextInPage answers a CreateResult;
// webglReplayInPage draws a frame's arrays and commands, given as heap
// addresses with their counts and the spans that changed since the last
// upload.
extern "C" {
int webglCreateContextInPage(const char* selector, int width, int height, const char* layout);
void webglResizeInPage(int width, int height);
void webglReplayInPage(const float* vertices, int vertexCount, int vertexFirst, int vertexEnd,
                       const uint16_t* indices, int indexCount, int indexFirst, int indexEnd,
                       const int* commands, int commandCount, const float* uniforms,
                       const float* groupVertices, int groupCount, int groupFirst, int groupEnd,
                       const float* instances, int instanceCount, int instanceFirst,
                       int instanceEnd);
}

namespace glcore {
namespace {

// While false, nothing reaches WebGL (webglSetFrameVisible).
bool frameVisible = true;
// Whether shapes go through the CPU's vertex processing instead of the
// vertex shader (webglDrawShapesOnCpu).
bool shapesOnCpu = false;
// Whether the page draws triangle groups (the group program runs), and
// whether immediate mode's triangles go through the CPU all the same
// (webglDrawTrianglesOnCpu).
bool groupsInPage = false;
bool trianglesOnCpu = false;

// The frame so far: its vertices, the indices into them and the commands
// that draw them, in order.
FrameRecord frame;

// Immediate mode's triangles given under one set of matrices and one light
// make a group; a group equal to the last command's, vertex for vertex, is
// another instance of it. The open group is recorded when something else
// comes.
std::vector<float> openGroup;  // the open group's vertices
float openMatrices[kInstanceFloats];
float openUniforms[kGroupUniforms];
bool groupOpen = false;
size_t lastGroup = SIZE_MAX;  // where the last command starts when it is a kGroup

void beforeCommand();

// What the page's vertex, index and group buffers hold from the last upload.
std::vector<DrawVertex> uploadedVertices;
std::vector<uint16_t> uploadedIndices;
std::vector<float> uploadedGroupVertices;
std::vector<float> uploadedInstances;

// The framebuffer state last recorded, so an unchanged one is not sent again.
int32_t recordedState[kStateWords - 1];
bool stateRecorded = false;

int webglMode(DrawMode mode) {
    switch (mode) {
        case DrawMode::Points: return GL_POINTS;
        case DrawMode::Lines: return GL_LINES;
        case DrawMode::Triangles: return GL_TRIANGLES;
    }
    return GL_TRIANGLES;
}

int32_t floatBits(float value) {
    int32_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

// Records the framebuffer state with the viewport `viewport`.
void recordState(const GLint* viewport) {
    if (!frameVisible) return;
    const Context& s = context();
    const int32_t state[kStateWords - 1] = {viewport[0],
                                            viewport[1],
                                            viewport[2],
                                            viewport[3],
                                            s.depthTest,
                                            static_cast<int32_t>(s.depthFunc),
                                            s.depthMask,
                                            s.cullFace,
                                            static_cast<int32_t>(s.cullFaceMode),
                                            static_cast<int32_t>(s.frontFace)};
    if (stateRecorded && std::memcmp(state, recordedState, sizeof state) == 0) return;
    std::memcpy(recordedState, state, sizeof state);
    stateRecorded = true;
    beforeCommand();
    frame.commands.push_back(kState);
    frame.commands.insert(frame.commands.end(), state, state + kStateWords - 1);
    frame.lastDraw = SIZE_MAX;
}

void recordState() { recordState(context().viewport); }

int32_t heapAddress(const void* pointer) {
    return static_cast<int32_t>(reinterpret_cast<intptr_t>(pointer));
}

// The modelview-projection and the normal matrix, by columns, as a kShape
// command's uniforms begin.
void currentMatrices(float* out) {
    std::memcpy(out + kUniformModelviewProjection, modelviewProjectionMatrix().m,
                16 * sizeof(float));
    const float(&normal)[3][3] = normalTransform();
    for (int col = 0; col < 3; col++) {
        for (int row = 0; row < 3; row++)
            out[kUniformNormalMatrix + 3 * col + row] = normal[row][col];
    }
}

// A kShape command's uniforms, placed as ShapeUniform lays them out.
void recordShapeUniforms(const ShapeLighting& lighting) {
    const size_t at = frame.uniforms.size();
    frame.uniforms.resize(at + kShapeUniforms);
    float* u = &frame.uniforms[at];
    currentMatrices(u);
    std::memcpy(u + kUniformToLight, lighting.toLight, 3 * sizeof(float));
    std::memcpy(u + kUniformHalfVector, lighting.half, 3 * sizeof(float));
    for (int f = 0; f < 2; f++) {
        const FaceLighting& face = lighting.faces[f];
        std::memcpy(u + kUniformBase + 4 * f, face.base, 4 * sizeof(float));
        std::memcpy(u + kUniformDiffuse + 3 * f, face.diffuse, 3 * sizeof(float));
        std::memcpy(u + kUniformSpecular + 3 * f, face.specular, 3 * sizeof(float));
        u[kUniformShininess + f] = face.shininess;
        u[kUniformFaceSign + f] = face.sign;
    }
}

// A kGroup command's uniforms, placed as GroupUniform lays them out: what
// the group's vertices share.
void groupUniforms(const ShapeLighting& lighting, float out[kGroupUniforms]) {
    std::memcpy(out + kGroupProjection, projectionMatrix().m, 16 * sizeof(float));
    std::memcpy(out + kGroupToLight, lighting.toLight, 3 * sizeof(float));
    std::memcpy(out + kGroupHalfVector, lighting.half, 3 * sizeof(float));
    for (int f = 0; f < 2; f++) {
        const FaceLighting& face = lighting.faces[f];
        std::memcpy(out + kGroupSpecular + 3 * f, face.specular, 3 * sizeof(float));
        out[kGroupShininess + f] = face.shininess;
        out[kGroupFaceSign + f] = face.sign;
    }
}

// Records the open group: one more instance of the last command's group
// when it is the same, else a kGroup command of its own.
void closeGroup() {
    if (!groupOpen) return;
    groupOpen = false;
    std::vector<int32_t>& commands = frame.commands;
    frame.instances.insert(frame.instances.end(), openMatrices, openMatrices + kInstanceFloats);
    if (lastGroup != SIZE_MAX) {
        const int32_t* last = &commands[lastGroup];
        const size_t floats = static_cast<size_t>(last[kGroupVertexCount]) * kGroupVertexFloats;
        if (floats == openGroup.size() &&
            std::equal(openGroup.begin(), openGroup.end(),
                       frame.groupVertices.begin() +
                           last[kGroupFirstVertex] * kGroupVertexFloats) &&
            std::equal(openUniforms, openUniforms + kGroupUniforms,
                       frame.uniforms.begin() + last[kGroupUniformsAt])) {
            commands[lastGroup + kGroupInstanceCount]++;
            return;
        }
    }
    lastGroup = commands.size();
    commands.resize(commands.size() + kGroupWords);
    int32_t* words = &commands[lastGroup];
    words[0] = kGroup;
    words[kGroupFirstVertex] =
        static_cast<int32_t>(frame.groupVertices.size() / kGroupVertexFloats);
    words[kGroupVertexCount] = static_cast<int32_t>(openGroup.size() / kGroupVertexFloats);
    words[kGroupFirstInstance] = static_cast<int32_t>(frame.instances.size() / kInstanceFloats) - 1;
    words[kGroupInstanceCount] = 1;
    words[kGroupUniformsAt] = static_cast<int32_t>(frame.uniforms.size());
    frame.groupVertices.insert(frame.groupVertices.end(), openGroup.begin(), openGroup.end());
    frame.uniforms.insert(frame.uniforms.end(), openUniforms, openUniforms + kGroupUniforms);
}

// Before any other command: the open group goes first, and the next group
// cannot join the last one.
void beforeCommand() {
    closeGroup();
    lastGroup = SIZE_MAX;
}

}  // namespace

bool drawObjectTriangles(const float* positions, const float* normals, int count) {
    ShapeLighting lighting;
    if (!frameVisible || !groupsInPage || trianglesOnCpu || !shapeLighting(false, lighting)) {
        return false;
    }
    // An instance is the modelview's first three rows: the last must be
    // 0 0 0 1, and the 3x3 block invertible for the normal matrix.
    const float* m = modelviewMatrix().m;
    if (m[3] != 0 || m[7] != 0 || m[11] != 0 || m[15] != 1) return false;
    const float det = m[0] * (m[5] * m[10] - m[9] * m[6]) - m[4] * (m[1] * m[10] - m[9] * m[2]) +
                      m[8] * (m[1] * m[6] - m[5] * m[2]);
    if (std::fabs(det) < 1e-25f) return false;
    float matrices[kInstanceFloats], uniforms[kGroupUniforms];
    for (int row = 0; row < 3; row++) {
        for (int col = 0; col < 4; col++)
            matrices[kInstanceModelview + 4 * row + col] = m[4 * col + row];
    }
    groupUniforms(lighting, uniforms);
    if (groupOpen && !(std::equal(matrices, matrices + kInstanceFloats, openMatrices) &&
                       std::equal(uniforms, uniforms + kGroupUniforms, openUniforms))) {
        closeGroup();
    }
    if (!groupOpen) {
        groupOpen = true;
        frame.lastDraw = SIZE_MAX;
        std::copy(matrices, matrices + kInstanceFloats, openMatrices);
        std::copy(uniforms, uniforms + kGroupUniforms, openUniforms);
        openGroup.clear();
    }
    const FaceLighting& front = lighting.faces[0];
    const FaceLighting& back = lighting.faces[1];
    const size_t at = openGroup.size();
    openGroup.resize(at + static_cast<size_t>(count) * kGroupVertexFloats);
    for (int v = 0; v < count; v++) {
        float* vertex = &openGroup[at + static_cast<size_t>(v) * kGroupVertexFloats];
        std::memcpy(vertex + kGroupPosition, positions + 3 * v, 3 * sizeof(float));
        std::memcpy(vertex + kGroupNormal, normals + 3 * v, 3 * sizeof(float));
        std::memcpy(vertex + kGroupBaseFront, front.base, 4 * sizeof(float));
        std::memcpy(vertex + kGroupBaseBack, back.base, 4 * sizeof(float));
        std::memcpy(vertex + kGroupDiffuseFront, front.diffuse, 3 * sizeof(float));
        std::memcpy(vertex + kGroupDiffuseBack, back.diffuse, 3 * sizeof(float));
    }
    return true;
}

// Draws share one command while they can (recordDraw).
void drawIndexed(DrawMode mode, const DrawVertex* vertices, int vertexCount,
                 const uint32_t* indices, int indexCount) {
    if (indexCount <= 0 || !frameVisible) return;
    beforeCommand();
    recordDraw(frame, webglMode(mode), vertices, vertexCount, indices, indexCount);
}

// In pieces of whole primitives, each drawn through the indices 0, 1, 2...
void drawVertices(DrawMode mode, const DrawVertex* vertices, int count) {
    constexpr int kPiece = kMaxIndexedVertices - kMaxIndexedVertices % 6;  // whole pairs, triples
    static std::vector<uint32_t> sequence;
    if (sequence.empty()) {
        for (int i = 0; i < kPiece; i++) sequence.push_back(static_cast<uint32_t>(i));
    }
    for (int start = 0; start < count; start += kPiece) {
        const int n = count - start < kPiece ? count - start : kPiece;
        drawIndexed(mode, vertices + start, n, sequence.data(), n);
    }
}

void drawWindowPoints(const DrawVertex* vertices, int count) {
    const Context& s = context();
    const GLint window[4] = {0, 0, s.windowWidth, s.windowHeight};
    recordState(window);
    drawVertices(DrawMode::Points, vertices, count);
    recordState();
}

// On the GPU when the lighting state is one the vertex shader covers;
// otherwise through the CPU.
void drawShape(const CachedShape& shape) {
    if (!frameVisible) return;
    const ShapeMesh& mesh = shape.mesh;
    ShapeLighting lighting;
    if (shapesOnCpu || !shapeLighting(mesh.mode == DrawMode::Lines, lighting)) {
        drawShapeOnCpu(shape);
        return;
    }
    beforeCommand();
    const int32_t uniformsAt = static_cast<int32_t>(frame.uniforms.size());
    recordShapeUniforms(lighting);
    int32_t words[kShapeWords];
    words[0] = kShape;
    words[kShapeId] = shape.id;
    words[kShapePositions] = heapAddress(mesh.positions.data());
    words[kShapeNormals] = heapAddress(mesh.normals.data());
    words[kShapeVertexCount] = mesh.vertexCount();
    words[kShapeIndices] = heapAddress(mesh.indices.data());
    words[kShapeIndexCount] = static_cast<int32_t>(mesh.indices.size());
    words[kShapeUniformsAt] = uniformsAt;
    words[kShapeChunks] = heapAddress(mesh.chunks.data());
    words[kShapeChunkCount] = static_cast<int32_t>(mesh.chunks.size());
    frame.commands.insert(frame.commands.end(), words, words + kShapeWords);
    frame.lastDraw = SIZE_MAX;
}

void flushDrawing() {
    beforeCommand();
    if (!frameVisible) {
        frame.clear();
        return;
    }
    if (frame.commands.empty()) return;
    size_t vertexFirst, vertexEnd, indexFirst, indexEnd, groupFirst, groupEnd, instanceFirst,
        instanceEnd;
    changedSpan(frame.vertices, uploadedVertices, vertexFirst, vertexEnd);
    changedSpan(frame.indices, uploadedIndices, indexFirst, indexEnd);
    changedSpan(frame.groupVertices, uploadedGroupVertices, groupFirst, groupEnd);
    changedSpan(frame.instances, uploadedInstances, instanceFirst, instanceEnd);
    webglReplayInPage(frame.vertices.empty() ? nullptr : frame.vertices.front().position,
                      static_cast<int>(frame.vertices.size()), static_cast<int>(vertexFirst),
                      static_cast<int>(vertexEnd), frame.indices.data(),
                      static_cast<int>(frame.indices.size()), static_cast<int>(indexFirst),
                      static_cast<int>(indexEnd), frame.commands.data(),
                      static_cast<int>(frame.commands.size()), frame.uniforms.data(),
                      frame.groupVertices.data(),
                      static_cast<int>(frame.groupVertices.size() / kGroupVertexFloats),
                      static_cast<int>(groupFirst / kGroupVertexFloats),
                      static_cast<int>((groupEnd + kGroupVertexFloats - 1) / kGroupVertexFloats),
                      frame.instances.data(),
                      static_cast<int>(frame.instances.size() / kInstanceFloats),
                      static_cast<int>(instanceFirst / kInstanceFloats),
                      static_cast<int>((instanceEnd + kInstanceFloats - 1) / kInstanceFloats));
    // The buffers now hold this frame's arrays.
    std::swap(frame.vertices, uploadedVertices);
    std::swap(frame.indices, uploadedIndices);
    std::swap(frame.groupVertices, uploadedGroupVertices);
    std::swap(frame.instances, uploadedInstances);
    frame.clear();
}

void framebufferStateChanged() { recordState(); }

void clearFramebuffer(GLbitfield mask) {
    if (!frameVisible) return;
    const Context& s = context();
    const int32_t buffers =
        static_cast<int32_t>(mask & (GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT));
    beforeCommand();
    int32_t words[kClearWords];
    words[0] = kClear;
    words[kClearMask] = buffers;
    for (int c = 0; c < 4; c++) words[kClearRed + c] = floatBits(s.clearColor[c]);
    words[kClearDepth] = floatBits(s.clearDepth);
    frame.commands.insert(frame.commands.end(), words, words + kClearWords);
    frame.lastDraw = SIZE_MAX;
}

}  // namespace glcore

using namespace glcore;

namespace {
void (*contextListener)(WebGLEvent) = nullptr;

void tellListener(WebGLEvent event) {
    if (contextListener) contextListener(event);
}
}  // namespace

void webglSetListener(void (*listener)(WebGLEvent event)) { contextListener = listener; }

WebGLStart webglCreateContext(const char* canvasSelector, int width, int height) {
    const int made = webglCreateContextInPage(canvasSelector, width, height, commandStreamLayout());
    switch (made) {
        case kCreateReady:
        case kCreateReadyWithGroups: break;
        case kCreateNoWebGL: return WebGLStart::NoWebGL;
        case kCreateShadersRefused: return WebGLStart::ShadersRefused;
        default: return WebGLStart::LayoutRefused;  // also an answer the layout does not name
    }
    groupsInPage = made == kCreateReadyWithGroups;
    setWindowSize(width, height);
    GLint* viewport = context().viewport;
    if (viewport[2] == 0 && viewport[3] == 0) {
        viewport[2] = width;
        viewport[3] = height;
    }
    stateRecorded = false;
    uploadedVertices.clear();
    uploadedIndices.clear();
    uploadedGroupVertices.clear();
    uploadedInstances.clear();
    recordState();
    flushDrawing();
    return WebGLStart::Ready;
}

const char* webglShaderLog() { return emscripten_run_script_string("Module.universeGLLog || ''"); }

void webglResize(int width, int height) {
    webglResizeInPage(width, height);
    setWindowSize(width, height);
}

void webglSetFrameVisible(bool visible) {
    if (visible == frameVisible) return;
    flushDrawing();
    frameVisible = visible;
    // What WebGL last received may not be what the state is now.
    stateRecorded = false;
    recordState();
}

void webglEndFrame() { flushDrawing(); }

// Called by the page when the context is lost, back, back with shaders
// that WebGL refused, or when the replay met a command it does not know
// (PageEvent). A context back has new programs and empty buffers (the
// shapes go up again as they are drawn): the next frame draws everything
// again.
extern "C" EMSCRIPTEN_KEEPALIVE void webglContextEvent(int event) {
    switch (event) {
        case kEventLost: tellListener(WebGLEvent::Lost); break;
        case kEventRestored:
            stateRecorded = false;
            tellListener(WebGLEvent::Restored);
            break;
        case kEventShadersRefused: tellListener(WebGLEvent::RestoredWithoutShaders); break;
        case kEventStreamBroken: tellListener(WebGLEvent::StreamBroken); break;
    }
}

// For the page's test, which compares the vertex shader's pictures with the
// CPU's: draws the shapes through the CPU from the next frame on (or not),
// and asks for that frame.
extern "C" EMSCRIPTEN_KEEPALIVE void webglDrawShapesOnCpu(int onCpu) {
    shapesOnCpu = onCpu != 0;
    tellListener(WebGLEvent::RedrawAsked);
}

// The same for immediate mode's triangles lit on the GPU in groups (the stars).
extern "C" EMSCRIPTEN_KEEPALIVE void webglDrawTrianglesOnCpu(int onCpu) {
    trianglesOnCpu = onCpu != 0;
    tellListener(WebGLEvent::RedrawAsked);
}
