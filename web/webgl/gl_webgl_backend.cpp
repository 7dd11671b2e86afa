// The WebGL side. Two shader programs: one draws clip-space vertices that
// the CPU transformed and lit, with a front and a back colour (immediate
// mode, bitmaps); the other draws the cached shapes from object-space
// arrays kept on the GPU, transforming and lighting each vertex with the
// matrices and lighting state of the moment as uniforms (the equation of
// web/gl/gl_lighting.cpp, as ShapeLighting reduces it). The frame's
// clip-space vertices, indices, draws, framebuffer state changes and clears
// are recorded in order and sent to WebGL together at the end of the frame
// (or glFlush): one upload per buffer and one call into the page per frame
// instead of one per batch. The JavaScript keeps to its own names, so it
// does not touch emscripten's GL library.
#include <GL/gl.h>
#include <emscripten.h>

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

// clang-format off
// Finds the canvas, creates the context and its programs and buffers, and
// listens for the context's loss and return, which it reports through
// webglContextEvent. Module.universeGL holds it all. Returns 1, 0 without a
// canvas or WebGL, or -1 when a shader does not compile or link (its log in
// Module.universeGLLog).
EM_JS(int, webglCreateContextInPage, (const char* selector, int width, int height,
                                      const char* layout), {
    var canvas = document.querySelector(UTF8ToString(selector));
    if (!canvas) return 0;
    canvas.width = width;
    canvas.height = height;
    var gl = canvas.getContext('webgl', {antialias: false, depth: true, stencil: false,
        alpha: false, preserveDrawingBuffer: true, premultipliedAlpha: false});
    if (!gl) return 0;
    // Back faces take the back colour; lines and points carry the front
    // colour in both. highp where the device has it in fragment shaders.
    var fragmentSource =
        '#ifdef GL_FRAGMENT_PRECISION_HIGH\nprecision highp float;\n#else\nprecision mediump float;\n#endif\n' +
        'varying vec4 frontColour; varying vec4 backColour;\n' +
        'void main() { gl_FragColor = gl_FrontFacing ? frontColour : backColour; }\n';
    var clipSource =
        'attribute vec4 position; attribute vec4 front; attribute vec4 back;\n' +
        'varying vec4 frontColour; varying vec4 backColour;\n' +
        'void main() { gl_Position = position; gl_PointSize = 1.0;\n' +
        ' frontColour = front; backColour = back; }\n';
    // colour = clamp(base + max(N.L, 0) diffuse + s specular), s = max(N.H, 0)^shininess
    // where N.L > 0 (1 for 0^0), N the eye normal turned by the face's sign
    // (faceSign[0] is 1). Two-sided, at most one face has N.L > 0, so one
    // pow serves both; one-sided, the back's uniforms are the front's.
    var shapeSource =
        'attribute vec3 position; attribute vec3 normal;\n' +
        'uniform mat4 modelviewProjection; uniform mat3 normalMatrix;\n' +
        'uniform vec3 toLight; uniform vec3 halfVector;\n' +
        'uniform vec4 base[2]; uniform vec3 diffuse[2]; uniform vec3 specular[2];\n' +
        'uniform float shininess[2]; uniform float faceSign[2];\n' +
        'varying vec4 frontColour; varying vec4 backColour;\n' +
        'void main() {\n' +
        ' gl_Position = modelviewProjection * vec4(position, 1.0);\n' +
        ' vec3 n = normalMatrix * normal;\n' +
        ' float nl = dot(n, toLight), nh = dot(n, halfVector);\n' +
        ' float backNl = faceSign[1] * nl, backNh = faceSign[1] * nh;\n' +
        ' bool frontLit = nl > 0.0;\n' +
        ' float h = max(frontLit ? nh : backNh, 0.0);\n' +
        ' float shine = frontLit ? shininess[0] : shininess[1];\n' +
        ' float highlight = h > 0.0 ? pow(h, shine) : (shine == 0.0 ? 1.0 : 0.0);\n' +
        ' frontColour = vec4(clamp(base[0].rgb + max(nl, 0.0) * diffuse[0] +\n' +
        '   (frontLit ? highlight : 0.0) * specular[0], 0.0, 1.0), base[0].a);\n' +
        ' backColour = vec4(clamp(base[1].rgb + max(backNl, 0.0) * diffuse[1] +\n' +
        '   (backNl > 0.0 ? highlight : 0.0) * specular[1], 0.0, 1.0), base[1].a);\n' +
        '}\n';
    function compile(type, source, what) {
        var shader = gl.createShader(type);
        gl.shaderSource(shader, source);
        gl.compileShader(shader);
        if (!gl.getShaderParameter(shader, gl.COMPILE_STATUS) && !gl.isContextLost())
            throw new Error('shader ' + what + ': ' + gl.getShaderInfoLog(shader));
        return shader;
    }
    function link(vertexSource, what, attributes) {
        var program = gl.createProgram();
        gl.attachShader(program, compile(gl.VERTEX_SHADER, vertexSource, what));
        gl.attachShader(program, compile(gl.FRAGMENT_SHADER, fragmentSource, 'fragment'));
        attributes.forEach(function (name, index) { gl.bindAttribLocation(program, index, name); });
        gl.linkProgram(program);
        if (!gl.getProgramParameter(program, gl.LINK_STATUS) && !gl.isContextLost())
            throw new Error('program ' + what + ': ' + gl.getProgramInfoLog(program));
        return program;
    }
    var G = {gl: gl, canvas: canvas, lost: false, state: null,
             layout: JSON.parse(UTF8ToString(layout))};
    // Programs and buffers; again after a lost context comes back.
    function setUp() {
        G.clip = link(clipSource, 'clip', ['position', 'front', 'back']);
        G.shape = link(shapeSource, 'shape', ['position', 'normal']);
        var u = {};
        ['modelviewProjection', 'normalMatrix', 'toLight', 'halfVector', 'base', 'diffuse',
         'specular', 'shininess', 'faceSign'].forEach(function (name) {
            u[name] = gl.getUniformLocation(G.shape, name);
        });
        G.uniforms = u;
        G.vertexBuffer = gl.createBuffer();
        G.indexBuffer = gl.createBuffer();
        G.bytes = [0, 0];
        G.shapes = [];
        G.program = null;
        G.base = -1;
        if (G.state) Module.universeApplyState(G.state);
    }
    Module.universeApplyState = function (w) {
        gl.viewport(w[0], w[1], w[2], w[3]);
        if (w[4]) gl.enable(gl.DEPTH_TEST); else gl.disable(gl.DEPTH_TEST);
        gl.depthFunc(w[5]);
        gl.depthMask(!!w[6]);
        if (w[7]) gl.enable(gl.CULL_FACE); else gl.disable(gl.CULL_FACE);
        gl.cullFace(w[8]);
        gl.frontFace(w[9]);
        G.state = w;
    };
    try {
        setUp();
    } catch (error) {
        Module.universeGLLog = error.message;
        console.error(error.message);
        return -1;
    }
    canvas.addEventListener('webglcontextlost', function (event) {
        event.preventDefault();  // so that the browser may give it back
        G.lost = true;
        Module._webglContextEvent(0);
    });
    canvas.addEventListener('webglcontextrestored', function () {
        try {
            setUp();
        } catch (error) {
            Module.universeGLLog = error.message;
            Module._webglContextEvent(2);
            return;
        }
        G.lost = false;
        Module._webglContextEvent(1);
    });
    Module.universeGL = G;
    return 1;
});

EM_JS(void, webglResizeInPage, (int width, int height), {
    var G = Module.universeGL;
    if (!G) return;
    G.canvas.width = width;
    G.canvas.height = height;
});

// Draws a frame's recorded commands in order. First the clip-space
// vertices and their 16-bit indices go up, each into a buffer that keeps
// the previous upload: only the span [first, end) that changed is sent, or
// the whole array when it outgrows the buffer. Then each command runs. The
// commands, the shape uniforms and the arrays are laid out as
// web/webgl/command_stream.h declares them; G.layout holds its numbers.
EM_JS(void, webglReplayInPage, (const float* vertices, int vertexCount, int vertexFirst,
                                int vertexEnd, const uint16_t* indices, int indexCount,
                                int indexFirst, int indexEnd, const int* commands,
                                int commandCount, const float* uniforms), {
    var G = Module.universeGL;
    if (!G || G.lost) return;
    var gl = G.gl, L = G.layout, vertexBytes = 4 * L.vertexFloats;
    function upload(target, slot, heap, start, size, count, first, end) {
        var bytes = heap.BYTES_PER_ELEMENT * size;
        if (count * bytes > G.bytes[slot]) {
            gl.bufferData(target, heap.subarray(start, start + count * size), gl.DYNAMIC_DRAW);
            G.bytes[slot] = count * bytes;
        } else if (end > first) {
            gl.bufferSubData(target, first * bytes,
                             heap.subarray(start + first * size, start + end * size));
        }
    }
    function useClip(base) {
        if (G.program !== G.clip) {
            gl.useProgram(G.clip);
            gl.bindBuffer(gl.ARRAY_BUFFER, G.vertexBuffer);
            gl.bindBuffer(gl.ELEMENT_ARRAY_BUFFER, G.indexBuffer);
            gl.enableVertexAttribArray(0);
            gl.enableVertexAttribArray(1);
            gl.enableVertexAttribArray(2);
            G.program = G.clip;
            G.base = -1;
        }
        if (base != G.base) {
            for (var a = 0; a < 3; a++) {
                gl.vertexAttribPointer(a, 4, gl.FLOAT, false, vertexBytes, base * vertexBytes + a * 16);
            }
            G.base = base;
        }
    }
    function shapeBuffers(id, words, i) {
        var buffers = G.shapes[id];
        if (buffers) return buffers;
        var count = words[i + L.shapeVertexCount];
        buffers = {positions: gl.createBuffer(), normals: gl.createBuffer(),
                   indices: gl.createBuffer()};
        gl.bindBuffer(gl.ARRAY_BUFFER, buffers.positions);
        gl.bufferData(gl.ARRAY_BUFFER, HEAPF32.subarray(words[i + L.shapePositions] >> 2,
                                                        (words[i + L.shapePositions] >> 2) + count * 3), gl.STATIC_DRAW);
        gl.bindBuffer(gl.ARRAY_BUFFER, buffers.normals);
        gl.bufferData(gl.ARRAY_BUFFER, HEAPF32.subarray(words[i + L.shapeNormals] >> 2,
                                                        (words[i + L.shapeNormals] >> 2) + count * 3), gl.STATIC_DRAW);
        gl.bindBuffer(gl.ELEMENT_ARRAY_BUFFER, buffers.indices);
        gl.bufferData(gl.ELEMENT_ARRAY_BUFFER,
                      HEAPU16.subarray(words[i + L.shapeIndices] >> 1,
                                       (words[i + L.shapeIndices] >> 1) + words[i + L.shapeIndexCount]),
                      gl.STATIC_DRAW);
        G.shapes[id] = buffers;
        G.program = null;
        return buffers;
    }
    function drawShape(words, i) {
        var buffers = shapeBuffers(words[i + L.shapeId], words, i);
        if (G.program !== G.shape) {
            gl.useProgram(G.shape);
            gl.disableVertexAttribArray(2);
            gl.enableVertexAttribArray(0);
            gl.enableVertexAttribArray(1);
            G.program = G.shape;
            G.drawnShape = -1;
        }
        if (G.drawnShape !== words[i + L.shapeId]) {
            gl.bindBuffer(gl.ELEMENT_ARRAY_BUFFER, buffers.indices);
            G.drawnShape = words[i + L.shapeId];
            G.chunkBase = -1;
        }
        var u = G.uniforms, at = (uniforms >> 2) + words[i + L.shapeUniformsAt], f = HEAPF32;
        function part(name, next) { return f.subarray(at + L[name], at + L[next]); }
        gl.uniformMatrix4fv(u.modelviewProjection, false, part('modelviewProjection', 'normalMatrix'));
        gl.uniformMatrix3fv(u.normalMatrix, false, part('normalMatrix', 'toLight'));
        gl.uniform3fv(u.toLight, part('toLight', 'halfVector'));
        gl.uniform3fv(u.halfVector, part('halfVector', 'base'));
        gl.uniform4fv(u.base, part('base', 'diffuse'));
        gl.uniform3fv(u.diffuse, part('diffuse', 'specular'));
        gl.uniform3fv(u.specular, part('specular', 'shininess'));
        gl.uniform1fv(u.shininess, part('shininess', 'faceSign'));
        gl.uniform1fv(u.faceSign, part('faceSign', 'shapeUniforms'));
        var chunk = L.chunkWords;
        for (var c = words[i + L.shapeChunks] >> 2, end = c + chunk * words[i + L.shapeChunkCount];
             c < end; c += chunk) {
            var base = words[c + L.chunkFirstVertex];
            if (base !== G.chunkBase) {
                gl.bindBuffer(gl.ARRAY_BUFFER, buffers.positions);
                gl.vertexAttribPointer(0, 3, gl.FLOAT, false, 0, base * 12);
                gl.bindBuffer(gl.ARRAY_BUFFER, buffers.normals);
                gl.vertexAttribPointer(1, 3, gl.FLOAT, false, 0, base * 12);
                G.chunkBase = base;
            }
            gl.drawElements(words[i + L.shapeMode], words[c + L.chunkIndexCount], gl.UNSIGNED_SHORT,
                            words[c + L.chunkFirstIndex] * 2);
        }
    }
    gl.bindBuffer(gl.ARRAY_BUFFER, G.vertexBuffer);
    upload(gl.ARRAY_BUFFER, 0, HEAPF32, vertices >> 2, L.vertexFloats, vertexCount, vertexFirst,
           vertexEnd);
    gl.bindBuffer(gl.ELEMENT_ARRAY_BUFFER, G.indexBuffer);
    upload(gl.ELEMENT_ARRAY_BUFFER, 1, HEAPU16, indices >> 1, 1, indexCount, indexFirst, indexEnd);
    if (G.program === G.shape) G.program = null;  // the element buffer bound is the frame's
    var words = HEAP32, floats = HEAPF32;
    var i = commands >> 2, stop = i + commandCount;
    while (i < stop) {
        var op = words[i];
        if (op == L.draw) {
            useClip(words[i + L.drawBaseVertex]);
            gl.drawElements(words[i + L.drawMode], words[i + L.drawCount], gl.UNSIGNED_SHORT,
                            words[i + L.drawFirstIndex] * 2);
            i += L.drawWords;
        } else if (op == L.state) {
            Module.universeApplyState(words.slice(i + L.stateX, i + L.stateWords));
            i += L.stateWords;
        } else if (op == L.clear) {
            var rgba = i + L.clearRed;
            gl.clearColor(floats[rgba], floats[rgba + 1], floats[rgba + 2], floats[rgba + 3]);
            gl.clearDepth(floats[i + L.clearDepth]);
            gl.clear(words[i + L.clearMask]);
            i += L.clearWords;
        } else {
            drawShape(words, i);
            i += L.shapeWords;
        }
    }
});
// clang-format on

namespace glcore {
namespace {

// While false, nothing reaches WebGL (webglSetFrameVisible).
bool frameVisible = true;
// Whether shapes go through the CPU's vertex processing instead of the
// vertex shader (webglDrawShapesOnCpu).
bool shapesOnCpu = false;

// The frame so far: its vertices, the indices into them and the commands
// that draw them, in order.
FrameRecord frame;

// What the page's vertex and index buffers hold from the last upload.
std::vector<DrawVertex> uploadedVertices;
std::vector<uint16_t> uploadedIndices;

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
    const int32_t state[kStateWords - 1] = {
        viewport[0], viewport[1], viewport[2], viewport[3],
        s.depthTest, static_cast<int32_t>(s.depthFunc), s.depthMask, s.cullFace,
        static_cast<int32_t>(s.cullFaceMode), static_cast<int32_t>(s.frontFace)};
    if (stateRecorded && std::memcmp(state, recordedState, sizeof state) == 0) return;
    std::memcpy(recordedState, state, sizeof state);
    stateRecorded = true;
    frame.commands.push_back(kState);
    frame.commands.insert(frame.commands.end(), state, state + kStateWords - 1);
    frame.lastDraw = SIZE_MAX;
}

void recordState() { recordState(context().viewport); }

int32_t heapAddress(const void* pointer) {
    return static_cast<int32_t>(reinterpret_cast<intptr_t>(pointer));
}

// A kShape command's uniforms, placed as ShapeUniform lays them out.
void recordShapeUniforms(const ShapeLighting& lighting) {
    const size_t at = frame.uniforms.size();
    frame.uniforms.resize(at + kShapeUniforms);
    float* u = &frame.uniforms[at];
    std::memcpy(u + kUniformModelviewProjection, modelviewProjectionMatrix().m, 16 * sizeof(float));
    const float (&normal)[3][3] = normalTransform();
    for (int col = 0; col < 3; col++) {
        for (int row = 0; row < 3; row++) u[kUniformNormalMatrix + 3 * col + row] = normal[row][col];
    }
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

}  // namespace

// Draws share one command while they can (recordDraw).
void drawIndexed(DrawMode mode, const DrawVertex* vertices, int vertexCount,
                 const uint32_t* indices, int indexCount) {
    if (indexCount <= 0 || !frameVisible) return;
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
    words[kShapeMode] = webglMode(mesh.mode);
    words[kShapeUniformsAt] = uniformsAt;
    words[kShapeChunks] = heapAddress(mesh.chunks.data());
    words[kShapeChunkCount] = static_cast<int32_t>(mesh.chunks.size());
    frame.commands.insert(frame.commands.end(), words, words + kShapeWords);
    frame.lastDraw = SIZE_MAX;
}

void flushDrawing() {
    if (!frameVisible) {
        frame.clear();
        return;
    }
    if (frame.commands.empty()) return;
    size_t vertexFirst, vertexEnd, indexFirst, indexEnd;
    changedSpan(frame.vertices, uploadedVertices, vertexFirst, vertexEnd);
    changedSpan(frame.indices, uploadedIndices, indexFirst, indexEnd);
    webglReplayInPage(frame.vertices.empty() ? nullptr : frame.vertices.front().position,
                      static_cast<int>(frame.vertices.size()), static_cast<int>(vertexFirst),
                      static_cast<int>(vertexEnd), frame.indices.data(),
                      static_cast<int>(frame.indices.size()), static_cast<int>(indexFirst),
                      static_cast<int>(indexEnd), frame.commands.data(),
                      static_cast<int>(frame.commands.size()), frame.uniforms.data());
    // The buffers now hold this frame's arrays.
    std::swap(frame.vertices, uploadedVertices);
    std::swap(frame.indices, uploadedIndices);
    frame.clear();
}

void framebufferStateChanged() { recordState(); }

void clearFramebuffer(GLbitfield mask) {
    if (!frameVisible) return;
    const Context& s = context();
    const int32_t buffers =
        static_cast<int32_t>(mask & (GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT));
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
    if (made <= 0) return made < 0 ? WebGLStart::ShadersRefused : WebGLStart::NoWebGL;
    setWindowSize(width, height);
    GLint* viewport = context().viewport;
    if (viewport[2] == 0 && viewport[3] == 0) {
        viewport[2] = width;
        viewport[3] = height;
    }
    stateRecorded = false;
    uploadedVertices.clear();
    uploadedIndices.clear();
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

// Called by the page when the context is lost (0), back (1) or back with
// shaders that WebGL refused (2). A context back has new programs and empty
// buffers (the shapes go up again as they are drawn): the next frame draws
// everything again.
extern "C" EMSCRIPTEN_KEEPALIVE void webglContextEvent(int event) {
    if (event == 1) stateRecorded = false;
    tellListener(event == 0 ? WebGLEvent::Lost : event == 1 ? WebGLEvent::Restored
                                                           : WebGLEvent::RestoredWithoutShaders);
}

// For the page's test, which compares the vertex shader's pictures with the
// CPU's: draws the shapes through the CPU from the next frame on (or not),
// and asks for that frame.
extern "C" EMSCRIPTEN_KEEPALIVE void webglDrawShapesOnCpu(int onCpu) {
    shapesOnCpu = onCpu != 0;
    tellListener(WebGLEvent::RedrawAsked);
}
