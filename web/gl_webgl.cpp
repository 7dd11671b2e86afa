// The WebGL side: one shader program that draws clip-space vertices with a
// front and a back colour. The frame's vertices, indices, draws,
// framebuffer state changes and clears are recorded in order and sent to
// WebGL together at the end of the frame (or glFlush): one upload per buffer
// and one call into the page per frame instead of one per batch. The
// JavaScript keeps to its own names, so it does not touch emscripten's GL
// library.
#include <emscripten.h>

#include <cstdint>
#include <cstring>
#include <utility>
#include <vector>

#include "gl_draw.h"
#include "gl_state.h"
#include "webgl_context.h"

// clang-format off
EM_JS(void, webglResizeInPage, (int width, int height), {
    var gl = Module.universeWebGL;
    if (!gl) return;
    gl.canvas.width = width;
    gl.canvas.height = height;
});

EM_JS(int, webglCreateContextInPage, (const char* selector, int width, int height), {
    var canvas = document.querySelector(UTF8ToString(selector));
    if (!canvas) return 0;
    canvas.width = width;
    canvas.height = height;
    var gl = canvas.getContext('webgl', {antialias: false, depth: true, stencil: false,
        alpha: false, preserveDrawingBuffer: true, premultipliedAlpha: false});
    if (!gl) return 0;
    function compile(type, source) {
        var shader = gl.createShader(type);
        gl.shaderSource(shader, source);
        gl.compileShader(shader);
        return shader;
    }
    var program = gl.createProgram();
    gl.attachShader(program, compile(gl.VERTEX_SHADER,
        'attribute vec4 position; attribute vec4 front; attribute vec4 back;' +
        'varying vec4 frontColour; varying vec4 backColour;' +
        'void main() { gl_Position = position; gl_PointSize = 1.0;' +
        ' frontColour = front; backColour = back; }'));
    // Back faces take the back colour; lines and points carry the front
    // colour in both.
    gl.attachShader(program, compile(gl.FRAGMENT_SHADER,
        'precision highp float; varying vec4 frontColour; varying vec4 backColour;' +
        'void main() { gl_FragColor = gl_FrontFacing ? frontColour : backColour; }'));
    gl.bindAttribLocation(program, 0, 'position');
    gl.bindAttribLocation(program, 1, 'front');
    gl.bindAttribLocation(program, 2, 'back');
    gl.linkProgram(program);
    if (!gl.getProgramParameter(program, gl.LINK_STATUS)) return 0;
    gl.useProgram(program);
    gl.bindBuffer(gl.ARRAY_BUFFER, gl.createBuffer());
    gl.bindBuffer(gl.ELEMENT_ARRAY_BUFFER, gl.createBuffer());
    Module.universeBytes = [0, 0];
    Module.universeBase = 0;
    for (var i = 0; i < 3; i++) {
        gl.enableVertexAttribArray(i);
        gl.vertexAttribPointer(i, 4, gl.FLOAT, false, 48, i * 16);
    }
    Module.universeWebGL = gl;
    return 1;
});

// Draws a frame's recorded commands in order. First the vertices (12 floats
// each) and the 16-bit indices go up, each into a buffer that keeps the
// previous upload: only the span [first, end) that changed is sent, or the
// whole array when it outgrows the buffer. Then each command runs. Commands
// are int32 words: kDraw mode baseVertex firstIndex count (the indices count
// from baseVertex); kState x y width height depthTest depthFunc depthMask
// cullFace cullMode frontFace; kClear mask red green blue alpha depth (the
// colours and depth as float32 bits).
EM_JS(void, webglReplayInPage, (const float* vertices, int vertexCount, int vertexFirst,
                                int vertexEnd, const uint16_t* indices, int indexCount,
                                int indexFirst, int indexEnd, const int* commands,
                                int commandCount), {
    var gl = Module.universeWebGL;
    if (!gl) return;
    function upload(target, slot, heap, start, size, count, first, end) {
        var bytes = heap.BYTES_PER_ELEMENT * size;
        if (count * bytes > Module.universeBytes[slot]) {
            gl.bufferData(target, heap.subarray(start, start + count * size), gl.DYNAMIC_DRAW);
            Module.universeBytes[slot] = count * bytes;
        } else if (end > first) {
            gl.bufferSubData(target, first * bytes,
                             heap.subarray(start + first * size, start + end * size));
        }
    }
    upload(gl.ARRAY_BUFFER, 0, HEAPF32, vertices >> 2, 12, vertexCount, vertexFirst, vertexEnd);
    upload(gl.ELEMENT_ARRAY_BUFFER, 1, HEAPU16, indices >> 1, 1, indexCount, indexFirst, indexEnd);
    var words = HEAP32, floats = HEAPF32;
    var i = commands >> 2, stop = i + commandCount;
    while (i < stop) {
        var op = words[i];
        if (op == 0) {
            var base = words[i + 2];
            if (base != Module.universeBase) {
                for (var a = 0; a < 3; a++) {
                    gl.vertexAttribPointer(a, 4, gl.FLOAT, false, 48, base * 48 + a * 16);
                }
                Module.universeBase = base;
            }
            gl.drawElements(words[i + 1], words[i + 4], gl.UNSIGNED_SHORT, words[i + 3] * 2);
            i += 5;
        } else if (op == 1) {
            gl.viewport(words[i + 1], words[i + 2], words[i + 3], words[i + 4]);
            if (words[i + 5]) gl.enable(gl.DEPTH_TEST); else gl.disable(gl.DEPTH_TEST);
            gl.depthFunc(words[i + 6]);
            gl.depthMask(!!words[i + 7]);
            if (words[i + 8]) gl.enable(gl.CULL_FACE); else gl.disable(gl.CULL_FACE);
            gl.cullFace(words[i + 9]);
            gl.frontFace(words[i + 10]);
            i += 11;
        } else {
            gl.clearColor(floats[i + 2], floats[i + 3], floats[i + 4], floats[i + 5]);
            gl.clearDepth(floats[i + 6]);
            gl.clear(words[i + 1]);
            i += 7;
        }
    }
});
// clang-format on

namespace {

// Recorded command kinds (see webglReplayInPage).
enum Op : int32_t { kDraw = 0, kState = 1, kClear = 2 };
constexpr int kStateWords = 10;

// The frame so far: its vertices, the indices into them and the commands
// that draw them, in order.
std::vector<DrawVertex> frameVertices;
std::vector<uint16_t> frameIndices;
std::vector<int32_t> commands;
size_t lastDraw = SIZE_MAX;  // index in `commands` of the last command when it is a draw

// What the page's vertex and index buffers hold from the last upload.
std::vector<DrawVertex> uploadedVertices;
std::vector<uint16_t> uploadedIndices;

// How many leading bytes of a and b (n each) are equal, give or take the
// last few.
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

// How many trailing bytes of a and b (n each) are equal.
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

// The elements [first, end) of `now` that differ, bit for bit, from those
// at the same places in `before`, or lie beyond its end: what an upload of
// `now` over `before` has to send. Empty when nothing changed.
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
    end = now.size() - sameSuffixBytes(a + offset, b + offset, (now.size() - first) * sizeof(T)) /
                           sizeof(T);
}

// The framebuffer state last recorded, so an unchanged one is not sent again.
int32_t recordedState[kStateWords];
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

// While false, nothing is recorded for WebGL (webglSetFrameVisible).
bool frameVisible = true;

void recordState() {
    if (!frameVisible) {
        stateRecorded = false;  // sent again once frames are shown
        return;
    }
    const GLState& s = glState();
    const int32_t state[kStateWords] = {
        s.viewport[0], s.viewport[1], s.viewport[2], s.viewport[3],
        s.depthTest, static_cast<int32_t>(s.depthFunc), s.depthMask, s.cullFace,
        static_cast<int32_t>(s.cullFaceMode), static_cast<int32_t>(s.frontFace)};
    if (stateRecorded && std::memcmp(state, recordedState, sizeof state) == 0) return;
    std::memcpy(recordedState, state, sizeof state);
    stateRecorded = true;
    commands.push_back(kState);
    commands.insert(commands.end(), state, state + kStateWords);
    lastDraw = SIZE_MAX;
}

}  // namespace

// Draws share one command while they have the same kind, nothing comes
// between them and their vertices fit the 16-bit indices from its base.
void drawIndexed(DrawMode mode, const DrawVertex* vertices, int vertexCount,
                 const uint32_t* indices, int indexCount) {
    if (indexCount <= 0 || !frameVisible) return;
    const int32_t glMode = webglMode(mode);
    const int32_t first = static_cast<int32_t>(frameVertices.size());
    uint32_t offset = 0;
    if (lastDraw != SIZE_MAX && commands[lastDraw + 1] == glMode &&
        first + vertexCount - commands[lastDraw + 2] <= kMaxIndexedVertices) {
        offset = static_cast<uint32_t>(first - commands[lastDraw + 2]);
        commands[lastDraw + 4] += indexCount;
    } else {
        lastDraw = commands.size();
        commands.insert(commands.end(), {kDraw, glMode, first,
                                         static_cast<int32_t>(frameIndices.size()), indexCount});
    }
    frameVertices.insert(frameVertices.end(), vertices, vertices + vertexCount);
    const size_t at = frameIndices.size();
    frameIndices.resize(at + indexCount);
    uint16_t* out = frameIndices.data() + at;
    for (int i = 0; i < indexCount; i++) out[i] = static_cast<uint16_t>(indices[i] + offset);
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

void flushDrawing() {
    if (commands.empty()) return;
    size_t vertexFirst, vertexEnd, indexFirst, indexEnd;
    changedSpan(frameVertices, uploadedVertices, vertexFirst, vertexEnd);
    changedSpan(frameIndices, uploadedIndices, indexFirst, indexEnd);
    webglReplayInPage(frameVertices.empty() ? nullptr : frameVertices.front().position,
                      static_cast<int>(frameVertices.size()), static_cast<int>(vertexFirst),
                      static_cast<int>(vertexEnd), frameIndices.data(),
                      static_cast<int>(frameIndices.size()), static_cast<int>(indexFirst),
                      static_cast<int>(indexEnd), commands.data(),
                      static_cast<int>(commands.size()));
    // The buffers now hold this frame's arrays.
    std::swap(frameVertices, uploadedVertices);
    std::swap(frameIndices, uploadedIndices);
    frameVertices.clear();
    frameIndices.clear();
    commands.clear();
    lastDraw = SIZE_MAX;
}

void framebufferStateChanged() { recordState(); }

void clearFramebuffer(GLbitfield mask) {
    if (!frameVisible) return;
    const GLState& s = glState();
    const int32_t buffers =
        static_cast<int32_t>(mask & (GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT));
    commands.insert(commands.end(), {kClear, buffers, floatBits(s.clearColor[0]),
                                     floatBits(s.clearColor[1]), floatBits(s.clearColor[2]),
                                     floatBits(s.clearColor[3]), floatBits(s.clearDepth)});
    lastDraw = SIZE_MAX;
}

bool webglCreateContext(const char* canvasSelector, int width, int height) {
    if (!webglCreateContextInPage(canvasSelector, width, height)) return false;
    GLint* viewport = glState().viewport;
    if (viewport[2] == 0 && viewport[3] == 0) {
        viewport[2] = width;
        viewport[3] = height;
    }
    stateRecorded = false;
    uploadedVertices.clear();
    uploadedIndices.clear();
    recordState();
    flushDrawing();
    return true;
}

void webglEndFrame() { flushDrawing(); }

void webglResize(int width, int height) { webglResizeInPage(width, height); }

void webglSetFrameVisible(bool visible) {
    if (!visible) flushDrawing();
    frameVisible = visible;
}
