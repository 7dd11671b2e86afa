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
#include <GL/freeglut.h>
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
#include "web/webgl/webgl_context.h"

// clang-format off
// Finds the canvas, creates the context and its programs and buffers, and
// listens for the context's loss and return. Module.universeGL holds it all.
// Returns 0 on failure, else 1, plus 2 where the group program runs (WebGL's
// ANGLE_instanced_arrays and 13 vertex attributes).
// A shader that does not compile or link puts its log in the page's message.
EM_JS(int, webglCreateContextInPage, (const char* selector, int width, int height), {
    var canvas = document.querySelector(UTF8ToString(selector));
    if (!canvas) return 0;
    canvas.width = width;
    canvas.height = height;
    var gl = canvas.getContext('webgl', {antialias: false, depth: true, stencil: false,
        alpha: false, preserveDrawingBuffer: true, premultipliedAlpha: false});
    if (!gl) return 0;
    function showMessage(text) {
        var message = document.getElementById('message');
        if (!message) return;
        message.textContent = text;
        if (text) message.removeAttribute('hidden'); else message.setAttribute('hidden', "");
    }
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
    var lightSource =
        'uniform vec3 toLight; uniform vec3 halfVector;\n' +
        'uniform vec3 specular[2]; uniform float shininess[2]; uniform float faceSign[2];\n' +
        'varying vec4 frontColour; varying vec4 backColour;\n' +
        'void light(vec3 n, vec4 base0, vec4 base1, vec3 diffuse0, vec3 diffuse1) {\n' +
        ' float nl = dot(n, toLight), nh = dot(n, halfVector);\n' +
        ' float backNl = faceSign[1] * nl, backNh = faceSign[1] * nh;\n' +
        ' bool frontLit = nl > 0.0;\n' +
        ' float h = max(frontLit ? nh : backNh, 0.0);\n' +
        ' float shine = frontLit ? shininess[0] : shininess[1];\n' +
        ' float highlight = h > 0.0 ? pow(h, shine) : (shine == 0.0 ? 1.0 : 0.0);\n' +
        ' frontColour = vec4(clamp(base0.rgb + max(nl, 0.0) * diffuse0 +\n' +
        '   (frontLit ? highlight : 0.0) * specular[0], 0.0, 1.0), base0.a);\n' +
        ' backColour = vec4(clamp(base1.rgb + max(backNl, 0.0) * diffuse1 +\n' +
        '   (backNl > 0.0 ? highlight : 0.0) * specular[1], 0.0, 1.0), base1.a);\n' +
        '}\n';
    var shapeSource = lightSource +
        'attribute vec3 position; attribute vec3 normal;\n' +
        'uniform mat4 modelviewProjection; uniform mat3 normalMatrix;\n' +
        'uniform vec4 base[2]; uniform vec3 diffuse[2];\n' +
        'void main() {\n' +
        ' gl_Position = modelviewProjection * vec4(position, 1.0);\n' +
        ' light(normalMatrix * normal, base[0], base[1], diffuse[0], diffuse[1]);\n' +
        '}\n';
    // Immediate mode's triangles in groups drawn as instances: the
    // vertices with the colour's lighting terms, the matrices an instance's.
    var groupSource = lightSource +
        'attribute vec3 position; attribute vec3 normal;\n' +
        'attribute vec4 base0; attribute vec4 base1; attribute vec3 diffuse0; attribute vec3 diffuse1;\n' +
        'attribute vec4 mvp0; attribute vec4 mvp1; attribute vec4 mvp2; attribute vec4 mvp3;\n' +
        'attribute vec3 normal0; attribute vec3 normal1; attribute vec3 normal2;\n' +
        'void main() {\n' +
        ' gl_Position = mat4(mvp0, mvp1, mvp2, mvp3) * vec4(position, 1.0);\n' +
        ' light(mat3(normal0, normal1, normal2) * normal, base0, base1, diffuse0, diffuse1);\n' +
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
    var G = {gl: gl, canvas: canvas, lost: false, state: null};
    // The shape program's uniforms: name, first and end float in a kShape
    // command's uniforms (recordShapeUniforms), and how each is set.
    function matrix4(l, v) { gl.uniformMatrix4fv(l, false, v); }
    function matrix3(l, v) { gl.uniformMatrix3fv(l, false, v); }
    function vector4(l, v) { gl.uniform4fv(l, v); }
    function vector3(l, v) { gl.uniform3fv(l, v); }
    function scalar(l, v) { gl.uniform1fv(l, v); }
    G.shapeUniforms = [['modelviewProjection', 0, 16, matrix4], ['normalMatrix', 16, 25, matrix3],
        ['toLight', 25, 28, vector3], ['halfVector', 28, 31, vector3], ['base', 31, 39, vector4],
        ['diffuse', 39, 45, vector3], ['specular', 45, 51, vector3], ['shininess', 51, 53, scalar],
        ['faceSign', 53, 55, scalar]];
    // Programs and buffers; again after a lost context comes back.
    function setUp() {
        G.clip = link(clipSource, 'clip', ['position', 'front', 'back']);
        G.shape = link(shapeSource, 'shape', ['position', 'normal']);
        G.uniforms = {};
        G.shapeUniforms.forEach(function (u) {
            G.uniforms[u[0]] = gl.getUniformLocation(G.shape, u[0]);
        });
        // What the shape program's uniforms hold: nothing yet (NaN equals nothing).
        G.held = new Float32Array(55).fill(NaN);
        G.instancing = gl.getExtension('ANGLE_instanced_arrays');
        G.group = null;
        if (G.instancing && gl.getParameter(gl.MAX_VERTEX_ATTRIBS) >= 13) {
            G.group = link(groupSource, 'group', ['position', 'normal', 'base0', 'base1',
                'diffuse0', 'diffuse1', 'mvp0', 'mvp1', 'mvp2', 'mvp3', 'normal0', 'normal1',
                'normal2']);
            G.groupUniforms = {};
            ['toLight', 'halfVector', 'specular', 'shininess', 'faceSign'].forEach(function (name) {
                G.groupUniforms[name] = gl.getUniformLocation(G.group, name);
            });
            for (var a = 6; a < 13; a++) G.instancing.vertexAttribDivisorANGLE(a, 1);
            G.groupBuffer = gl.createBuffer();
            G.instanceBuffer = gl.createBuffer();
        }
        G.vertexBuffer = gl.createBuffer();
        G.indexBuffer = gl.createBuffer();
        G.bytes = [0, 0, 0, 0];
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
        showMessage('O WebGL deste navegador n\u00e3o aceitou os shaders da p\u00e1gina (' +
                    error.message + ').');
        console.error(error.message);
        return 0;
    }
    canvas.addEventListener('webglcontextlost', function (event) {
        event.preventDefault();  // so that the browser may give it back
        G.lost = true;
        showMessage('O navegador perdeu o contexto WebGL: a imagem est\u00e1 parada at\u00e9 que ' +
                    'ele o devolva.');
    });
    canvas.addEventListener('webglcontextrestored', function () {
        try {
            setUp();
        } catch (error) {
            showMessage('O WebGL voltou mas n\u00e3o aceitou os shaders da p\u00e1gina (' +
                        error.message + ').');
            return;
        }
        G.lost = false;
        showMessage("");
        Module._webglContextRestored();
    });
    Module.universeGL = G;
    return G.group ? 3 : 1;
});

EM_JS(void, webglResizeInPage, (int width, int height), {
    var G = Module.universeGL;
    if (!G) return;
    G.canvas.width = width;
    G.canvas.height = height;
});

// Draws a frame's recorded commands in order. First the clip-space
// vertices (12 floats each) and their 16-bit indices go up, each into a
// buffer that keeps the previous upload: only the span [first, end) that
// changed is sent, or the whole array when it outgrows the buffer. Then
// each command runs. Commands are int32 words:
//   kDraw mode baseVertex firstIndex count (the indices count from baseVertex);
//   kState x y width height depthTest depthFunc depthMask cullFace cullMode frontFace;
//   kClear mask red green blue alpha depth (the colours and depth as float32 bits);
//   kShape id positions normals vertexCount indices indexCount uniformsAt
//     chunks chunkCount: a cached shape, its arrays (heap addresses) sent the
//     first time only, its uniforms at `uniforms` + uniformsAt floats (see
//     recordShapeUniforms), drawn a chunk at a time (ShapeChunk: five int32
//     words each, the last its mode);
//   kGroup firstVertex vertexCount firstInstance instanceCount uniformsAt:
//     triangles from the group vertices (kGroupVertexFloats floats each: position,
//     normal, base front and back, diffuse front and back) drawn once per
//     instance (kInstanceFloats floats each: the modelview-projection and the
//     normal matrix, by columns), the light's uniforms at `uniforms` +
//     uniformsAt (see recordGroupUniforms).
// The group vertices and the instances go up before the vertices, the
// group vertices as the vertices do, the instances whole.
EM_JS(void, webglReplayInPage, (const float* vertices, int vertexCount, int vertexFirst,
                                int vertexEnd, const uint16_t* indices, int indexCount,
                                int indexFirst, int indexEnd, const int* commands,
                                int commandCount, const float* uniforms,
                                const float* groupVertices, int groupCount, int groupFirst,
                                int groupEnd, const float* instances, int instanceCount), {
    var G = Module.universeGL;
    if (!G || G.lost) return;
    var gl = G.gl;
    // Enables the vertex attribute arrays below `count`, disables the rest.
    function useAttributes(count) {
        for (var a = 0; a < 13; a++) {
            if (a < count) gl.enableVertexAttribArray(a); else gl.disableVertexAttribArray(a);
        }
    }
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
            useAttributes(3);
            G.program = G.clip;
            G.base = -1;
        }
        if (base != G.base) {
            for (var a = 0; a < 3; a++) {
                gl.vertexAttribPointer(a, 4, gl.FLOAT, false, 48, base * 48 + a * 16);
            }
            G.base = base;
        }
    }
    function shapeBuffers(id, words, i) {
        var buffers = G.shapes[id];
        if (buffers) return buffers;
        var count = words[i + 4];
        buffers = {positions: gl.createBuffer(), normals: gl.createBuffer(),
                   indices: gl.createBuffer()};
        gl.bindBuffer(gl.ARRAY_BUFFER, buffers.positions);
        gl.bufferData(gl.ARRAY_BUFFER, HEAPF32.subarray(words[i + 2] >> 2,
                                                        (words[i + 2] >> 2) + count * 3), gl.STATIC_DRAW);
        gl.bindBuffer(gl.ARRAY_BUFFER, buffers.normals);
        gl.bufferData(gl.ARRAY_BUFFER, HEAPF32.subarray(words[i + 3] >> 2,
                                                        (words[i + 3] >> 2) + count * 3), gl.STATIC_DRAW);
        gl.bindBuffer(gl.ELEMENT_ARRAY_BUFFER, buffers.indices);
        gl.bufferData(gl.ELEMENT_ARRAY_BUFFER,
                      HEAPU16.subarray(words[i + 5] >> 1, (words[i + 5] >> 1) + words[i + 6]),
                      gl.STATIC_DRAW);
        G.shapes[id] = buffers;
        G.program = null;
        return buffers;
    }
    function drawShape(words, i) {
        var buffers = shapeBuffers(words[i + 1], words, i);
        if (G.program !== G.shape) {
            gl.useProgram(G.shape);
            useAttributes(2);
            G.program = G.shape;
            G.drawnShape = -1;
        }
        if (G.drawnShape !== words[i + 1]) {
            gl.bindBuffer(gl.ELEMENT_ARRAY_BUFFER, buffers.indices);
            G.drawnShape = words[i + 1];
            G.chunkBase = -1;
        }
        // Only the uniforms that differ from what the program holds: from
        // one shape to the next mostly the matrices alone.
        var at = (uniforms >> 2) + words[i + 7], f = HEAPF32, held = G.held;
        G.shapeUniforms.forEach(function (u) {
            var start = u[1], end = u[2], k = start;
            while (k < end && held[k] === f[at + k]) k++;
            if (k === end) return;
            var values = f.subarray(at + start, at + end);
            u[3](G.uniforms[u[0]], values);
            held.set(values, start);
        });
        for (var c = words[i + 8] >> 2, end = c + 5 * words[i + 9]; c < end; c += 5) {
            var base = words[c];
            if (base !== G.chunkBase) {
                gl.bindBuffer(gl.ARRAY_BUFFER, buffers.positions);
                gl.vertexAttribPointer(0, 3, gl.FLOAT, false, 0, base * 12);
                gl.bindBuffer(gl.ARRAY_BUFFER, buffers.normals);
                gl.vertexAttribPointer(1, 3, gl.FLOAT, false, 0, base * 12);
                G.chunkBase = base;
            }
            gl.drawElements(words[c + 4], words[c + 3], gl.UNSIGNED_SHORT, words[c + 2] * 2);
        }
    }
    function drawGroup(words, i) {
        if (!G.group) return;  // a context given back without instancing
        if (G.program !== G.group) {
            gl.useProgram(G.group);
            useAttributes(13);
            G.program = G.group;
        }
        var sizes = [3, 3, 4, 4, 3, 3], offset = words[i + 1] * 80;
        gl.bindBuffer(gl.ARRAY_BUFFER, G.groupBuffer);
        for (var a = 0; a < 6; a++) {
            gl.vertexAttribPointer(a, sizes[a], gl.FLOAT, false, 80, offset);
            offset += sizes[a] * 4;
        }
        var instance = words[i + 3] * 100;
        gl.bindBuffer(gl.ARRAY_BUFFER, G.instanceBuffer);
        for (var a = 0; a < 4; a++) {
            gl.vertexAttribPointer(6 + a, 4, gl.FLOAT, false, 100, instance + a * 16);
        }
        for (var a = 0; a < 3; a++) {
            gl.vertexAttribPointer(10 + a, 3, gl.FLOAT, false, 100, instance + 64 + a * 12);
        }
        var u = G.groupUniforms, at = (uniforms >> 2) + words[i + 5], f = HEAPF32;
        gl.uniform3fv(u.toLight, f.subarray(at, at + 3));
        gl.uniform3fv(u.halfVector, f.subarray(at + 3, at + 6));
        gl.uniform3fv(u.specular, f.subarray(at + 6, at + 12));
        gl.uniform1fv(u.shininess, f.subarray(at + 12, at + 14));
        gl.uniform1fv(u.faceSign, f.subarray(at + 14, at + 16));
        G.instancing.drawArraysInstancedANGLE(gl.TRIANGLES, 0, words[i + 2], words[i + 4]);
    }
    if (G.group) {
        gl.bindBuffer(gl.ARRAY_BUFFER, G.groupBuffer);
        upload(gl.ARRAY_BUFFER, 2, HEAPF32, groupVertices >> 2, 20, groupCount, groupFirst,
               groupEnd);
        gl.bindBuffer(gl.ARRAY_BUFFER, G.instanceBuffer);
        upload(gl.ARRAY_BUFFER, 3, HEAPF32, instances >> 2, 25, instanceCount, 0, instanceCount);
    }
    gl.bindBuffer(gl.ARRAY_BUFFER, G.vertexBuffer);
    upload(gl.ARRAY_BUFFER, 0, HEAPF32, vertices >> 2, 12, vertexCount, vertexFirst, vertexEnd);
    gl.bindBuffer(gl.ELEMENT_ARRAY_BUFFER, G.indexBuffer);
    upload(gl.ELEMENT_ARRAY_BUFFER, 1, HEAPU16, indices >> 1, 1, indexCount, indexFirst, indexEnd);
    if (G.program === G.shape) G.program = null;  // the element buffer bound is the frame's
    var words = HEAP32, floats = HEAPF32;
    var i = commands >> 2, stop = i + commandCount;
    while (i < stop) {
        var op = words[i];
        if (op == 0) {
            useClip(words[i + 2]);
            gl.drawElements(words[i + 1], words[i + 4], gl.UNSIGNED_SHORT, words[i + 3] * 2);
            i += 5;
        } else if (op == 1) {
            Module.universeApplyState(words.slice(i + 1, i + 11));
            i += 11;
        } else if (op == 2) {
            gl.clearColor(floats[i + 2], floats[i + 3], floats[i + 4], floats[i + 5]);
            gl.clearDepth(floats[i + 6]);
            gl.clear(words[i + 1]);
            i += 7;
        } else if (op == 3) {
            drawShape(words, i);
            i += 10;
        } else {
            drawGroup(words, i);
            i += 6;
        }
    }
});
// clang-format on

namespace glcore {
namespace {

// Recorded command kinds (see webglReplayInPage).
enum Op : int32_t { kDraw = 0, kState = 1, kClear = 2, kShape = 3, kGroup = 4 };
constexpr int kStateWords = 10;
constexpr int kGroupVertexFloats = 20;  // position, normal, base x 2, diffuse x 2
constexpr int kInstanceFloats = 25;     // modelview-projection, normal matrix
constexpr int kGroupUniformFloats = 16;
static_assert(sizeof(ShapeChunk) == 5 * sizeof(int32_t), "kShape's chunks are read as int32 words");

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
std::vector<DrawVertex> frameVertices;
std::vector<uint16_t> frameIndices;
std::vector<int32_t> commands;
std::vector<float> shapeUniforms;  // the kShape commands' uniforms
size_t lastDraw = SIZE_MAX;  // index in `commands` of the last command when it is a draw

// Immediate mode's triangles given under one set of matrices and one light
// make a group; a group equal to the last command's, vertex for vertex, is
// another instance of it. The open group is recorded when something else
// comes.
std::vector<float> groupVertices;  // the frame's, kGroupVertexFloats each
std::vector<float> instances;      // the frame's, kInstanceFloats each
std::vector<float> openGroup;      // the open group's vertices
float openMatrices[kInstanceFloats];
float openUniforms[kGroupUniformFloats];
bool groupOpen = false;
size_t lastGroup = SIZE_MAX;  // index in `commands` of the last command when it is a kGroup
std::vector<float> uploadedGroupVertices;

void beforeCommand();

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

// Records the framebuffer state with the viewport `viewport`.
void recordState(const GLint* viewport) {
    if (!frameVisible) return;
    const Context& s = context();
    const int32_t state[kStateWords] = {
        viewport[0], viewport[1], viewport[2], viewport[3],
        s.depthTest, static_cast<int32_t>(s.depthFunc), s.depthMask, s.cullFace,
        static_cast<int32_t>(s.cullFaceMode), static_cast<int32_t>(s.frontFace)};
    if (stateRecorded && std::memcmp(state, recordedState, sizeof state) == 0) return;
    std::memcpy(recordedState, state, sizeof state);
    stateRecorded = true;
    beforeCommand();
    commands.push_back(kState);
    commands.insert(commands.end(), state, state + kStateWords);
    lastDraw = SIZE_MAX;
}

void recordState() { recordState(context().viewport); }

int32_t heapAddress(const void* pointer) {
    return static_cast<int32_t>(reinterpret_cast<intptr_t>(pointer));
}

// A kShape command's uniforms, in the order webglReplayInPage reads them:
// the matrices, the light's vectors, then each field for both faces.
// The modelview-projection and the normal matrix, by columns.
void currentMatrices(float out[kInstanceFloats]) {
    const Matrix& mvp = modelviewProjectionMatrix();
    std::copy(mvp.m, mvp.m + 16, out);
    const float (&normal)[3][3] = normalTransform();
    for (int col = 0; col < 3; col++) {
        for (int row = 0; row < 3; row++) out[16 + 3 * col + row] = normal[row][col];
    }
}

void recordShapeUniforms(const ShapeLighting& lighting) {
    std::vector<float>& u = shapeUniforms;
    float matrices[kInstanceFloats];
    currentMatrices(matrices);
    u.insert(u.end(), matrices, matrices + kInstanceFloats);
    u.insert(u.end(), lighting.toLight, lighting.toLight + 3);
    u.insert(u.end(), lighting.half, lighting.half + 3);
    for (const FaceLighting& f : lighting.faces) u.insert(u.end(), f.base, f.base + 4);
    for (const FaceLighting& f : lighting.faces) u.insert(u.end(), f.diffuse, f.diffuse + 3);
    for (const FaceLighting& f : lighting.faces) u.insert(u.end(), f.specular, f.specular + 3);
    for (const FaceLighting& f : lighting.faces) u.push_back(f.shininess);
    for (const FaceLighting& f : lighting.faces) u.push_back(f.sign);
}

// A kGroup command's uniforms, in the order webglReplayInPage reads them:
// what the group's vertices share.
void groupUniforms(const ShapeLighting& lighting, float out[kGroupUniformFloats]) {
    float* u = std::copy(lighting.toLight, lighting.toLight + 3, out);
    u = std::copy(lighting.half, lighting.half + 3, u);
    for (const FaceLighting& f : lighting.faces) u = std::copy(f.specular, f.specular + 3, u);
    for (const FaceLighting& f : lighting.faces) *u++ = f.shininess;
    for (const FaceLighting& f : lighting.faces) *u++ = f.sign;
}

// Records the open group: one more instance of the last command's group
// when it is the same, else a kGroup command of its own.
void closeGroup() {
    if (!groupOpen) return;
    groupOpen = false;
    instances.insert(instances.end(), openMatrices, openMatrices + kInstanceFloats);
    if (lastGroup != SIZE_MAX) {
        const int32_t* last = &commands[lastGroup];
        const size_t floats = static_cast<size_t>(last[2]) * kGroupVertexFloats;
        if (floats == openGroup.size() &&
            std::equal(openGroup.begin(), openGroup.end(),
                       groupVertices.begin() + last[1] * kGroupVertexFloats) &&
            std::equal(openUniforms, openUniforms + kGroupUniformFloats,
                       shapeUniforms.begin() + last[5])) {
            commands[lastGroup + 4]++;
            return;
        }
    }
    lastGroup = commands.size();
    commands.insert(commands.end(),
                    {kGroup, static_cast<int32_t>(groupVertices.size() / kGroupVertexFloats),
                     static_cast<int32_t>(openGroup.size() / kGroupVertexFloats),
                     static_cast<int32_t>(instances.size() / kInstanceFloats) - 1, 1,
                     static_cast<int32_t>(shapeUniforms.size())});
    groupVertices.insert(groupVertices.end(), openGroup.begin(), openGroup.end());
    shapeUniforms.insert(shapeUniforms.end(), openUniforms, openUniforms + kGroupUniformFloats);
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
    float matrices[kInstanceFloats], uniforms[kGroupUniformFloats];
    currentMatrices(matrices);
    groupUniforms(lighting, uniforms);
    if (groupOpen && !(std::equal(matrices, matrices + kInstanceFloats, openMatrices) &&
                       std::equal(uniforms, uniforms + kGroupUniformFloats, openUniforms))) {
        closeGroup();
    }
    if (!groupOpen) {
        groupOpen = true;
        lastDraw = SIZE_MAX;
        std::copy(matrices, matrices + kInstanceFloats, openMatrices);
        std::copy(uniforms, uniforms + kGroupUniformFloats, openUniforms);
        openGroup.clear();
    }
    for (int v = 0; v < count; v++) {
        openGroup.insert(openGroup.end(), positions + 3 * v, positions + 3 * v + 3);
        openGroup.insert(openGroup.end(), normals + 3 * v, normals + 3 * v + 3);
        for (const FaceLighting& f : lighting.faces) openGroup.insert(openGroup.end(), f.base, f.base + 4);
        for (const FaceLighting& f : lighting.faces) {
            openGroup.insert(openGroup.end(), f.diffuse, f.diffuse + 3);
        }
    }
    return true;
}

// Draws share one command while they have the same kind, nothing comes
// between them and their vertices fit the 16-bit indices from its base.
void drawIndexed(DrawMode mode, const DrawVertex* vertices, int vertexCount,
                 const uint32_t* indices, int indexCount) {
    if (indexCount <= 0 || !frameVisible) return;
    beforeCommand();
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
    const int32_t uniformsAt = static_cast<int32_t>(shapeUniforms.size());
    recordShapeUniforms(lighting);
    commands.insert(commands.end(),
                    {kShape, shape.id, heapAddress(mesh.positions.data()),
                     heapAddress(mesh.normals.data()), mesh.vertexCount(),
                     heapAddress(mesh.indices.data()), static_cast<int32_t>(mesh.indices.size()),
                     uniformsAt, heapAddress(mesh.chunks.data()),
                     static_cast<int32_t>(mesh.chunks.size())});
    lastDraw = SIZE_MAX;
}

void flushDrawing() {
    beforeCommand();
    if (!frameVisible) {
        commands.clear();
        frameVertices.clear();
        frameIndices.clear();
        shapeUniforms.clear();
        groupVertices.clear();
        instances.clear();
        lastDraw = SIZE_MAX;
        return;
    }
    if (commands.empty()) return;
    size_t vertexFirst, vertexEnd, indexFirst, indexEnd, groupFirst, groupEnd;
    changedSpan(frameVertices, uploadedVertices, vertexFirst, vertexEnd);
    changedSpan(frameIndices, uploadedIndices, indexFirst, indexEnd);
    changedSpan(groupVertices, uploadedGroupVertices, groupFirst, groupEnd);
    webglReplayInPage(frameVertices.empty() ? nullptr : frameVertices.front().position,
                      static_cast<int>(frameVertices.size()), static_cast<int>(vertexFirst),
                      static_cast<int>(vertexEnd), frameIndices.data(),
                      static_cast<int>(frameIndices.size()), static_cast<int>(indexFirst),
                      static_cast<int>(indexEnd), commands.data(),
                      static_cast<int>(commands.size()), shapeUniforms.data(),
                      groupVertices.data(), static_cast<int>(groupVertices.size() / kGroupVertexFloats),
                      static_cast<int>(groupFirst / kGroupVertexFloats),
                      static_cast<int>((groupEnd + kGroupVertexFloats - 1) / kGroupVertexFloats),
                      instances.data(), static_cast<int>(instances.size() / kInstanceFloats));
    // The buffers now hold this frame's arrays.
    std::swap(frameVertices, uploadedVertices);
    std::swap(frameIndices, uploadedIndices);
    std::swap(groupVertices, uploadedGroupVertices);
    frameVertices.clear();
    frameIndices.clear();
    groupVertices.clear();
    instances.clear();
    commands.clear();
    shapeUniforms.clear();
    lastDraw = SIZE_MAX;
}

void framebufferStateChanged() { recordState(); }

void clearFramebuffer(GLbitfield mask) {
    if (!frameVisible) return;
    const Context& s = context();
    beforeCommand();
    const int32_t buffers =
        static_cast<int32_t>(mask & (GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT));
    commands.insert(commands.end(), {kClear, buffers, floatBits(s.clearColor[0]),
                                     floatBits(s.clearColor[1]), floatBits(s.clearColor[2]),
                                     floatBits(s.clearColor[3]), floatBits(s.clearDepth)});
    lastDraw = SIZE_MAX;
}

}  // namespace glcore

using namespace glcore;

bool webglCreateContext(const char* canvasSelector, int width, int height) {
    const int created = webglCreateContextInPage(canvasSelector, width, height);
    if (!created) return false;
    groupsInPage = (created & 2) != 0;
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
    recordState();
    flushDrawing();
    return true;
}

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

// Called by the page when a lost context is back, with new programs and
// empty buffers (the shapes go up again as they are drawn): the next frame
// draws everything again.
extern "C" EMSCRIPTEN_KEEPALIVE void webglContextRestored() {
    stateRecorded = false;
    glutPostRedisplay();
}

// For the page's test, which compares the vertex shader's pictures with the
// CPU's: draws the shapes through the CPU from the next frame on (or not),
// and asks for that frame.
extern "C" EMSCRIPTEN_KEEPALIVE void webglDrawShapesOnCpu(int onCpu) {
    shapesOnCpu = onCpu != 0;
    glutPostRedisplay();
}

// The same for immediate mode's triangles lit on the GPU in groups (the stars).
extern "C" EMSCRIPTEN_KEEPALIVE void webglDrawTrianglesOnCpu(int onCpu) {
    trianglesOnCpu = onCpu != 0;
    glutPostRedisplay();
}
