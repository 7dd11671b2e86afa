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

#include <algorithm>
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
// webglContextEvent. Module.universeGL holds it all. Returns 0 without a
// canvas or WebGL, -1 when a shader does not compile or link (its log in
// Module.universeGLLog), else 1, plus 2 where the group program runs
// (ANGLE_instanced_arrays and 13 vertex attributes).
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
    var G = {gl: gl, canvas: canvas, lost: false, state: null,
             layout: JSON.parse(UTF8ToString(layout))};
    var L = G.layout;
    // The shape program's uniforms: name, first and end float in a kShape
    // command's uniforms, and how each is set.
    function matrix4(l, v) { gl.uniformMatrix4fv(l, false, v); }
    function matrix3(l, v) { gl.uniformMatrix3fv(l, false, v); }
    function vector4(l, v) { gl.uniform4fv(l, v); }
    function vector3(l, v) { gl.uniform3fv(l, v); }
    function scalar(l, v) { gl.uniform1fv(l, v); }
    G.shapeUniforms = [['modelviewProjection', 'normalMatrix', matrix4],
        ['normalMatrix', 'toLight', matrix3], ['toLight', 'halfVector', vector3],
        ['halfVector', 'base', vector3], ['base', 'diffuse', vector4],
        ['diffuse', 'specular', vector3], ['specular', 'shininess', vector3],
        ['shininess', 'faceSign', scalar], ['faceSign', 'shapeUniforms', scalar]
    ].map(function (u) { return [u[0], L[u[0]], L[u[1]], u[2]]; });
    // Programs and buffers; again after a lost context comes back.
    function setUp() {
        G.clip = link(clipSource, 'clip', ['position', 'front', 'back']);
        G.shape = link(shapeSource, 'shape', ['position', 'normal']);
        G.uniforms = {};
        G.shapeUniforms.forEach(function (u) {
            G.uniforms[u[0]] = gl.getUniformLocation(G.shape, u[0]);
        });
        // What the shape program's uniforms hold: nothing yet (NaN equals nothing).
        G.held = new Float32Array(L.shapeUniforms).fill(NaN);
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
    return G.group ? 3 : 1;
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
// the whole array when it outgrows the buffer; the group vertices go up
// the same way, the instances whole. Then each command runs. The commands,
// the uniforms and the arrays are laid out as web/webgl/command_stream.h
// declares them; G.layout holds its numbers.
EM_JS(void, webglReplayInPage, (const float* vertices, int vertexCount, int vertexFirst,
                                int vertexEnd, const uint16_t* indices, int indexCount,
                                int indexFirst, int indexEnd, const int* commands,
                                int commandCount, const float* uniforms,
                                const float* groupVertices, int groupCount, int groupFirst,
                                int groupEnd, const float* instances, int instanceCount), {
    var G = Module.universeGL;
    if (!G || G.lost) return;
    var gl = G.gl, L = G.layout, vertexBytes = 4 * L.vertexFloats;
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
            useAttributes(2);
            G.program = G.shape;
            G.drawnShape = -1;
        }
        if (G.drawnShape !== words[i + L.shapeId]) {
            gl.bindBuffer(gl.ELEMENT_ARRAY_BUFFER, buffers.indices);
            G.drawnShape = words[i + L.shapeId];
            G.chunkBase = -1;
        }
        // Only the uniforms that differ from what the program holds: from
        // one shape to the next mostly the matrices alone.
        var at = (uniforms >> 2) + words[i + L.shapeUniformsAt], f = HEAPF32, held = G.held;
        G.shapeUniforms.forEach(function (u) {
            var start = u[1], end = u[2], k = start;
            while (k < end && held[k] === f[at + k]) k++;
            if (k === end) return;
            var values = f.subarray(at + start, at + end);
            u[3](G.uniforms[u[0]], values);
            held.set(values, start);
        });
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
            gl.drawElements(words[c + L.chunkMode], words[c + L.chunkIndexCount], gl.UNSIGNED_SHORT,
                            words[c + L.chunkFirstIndex] * 2);
        }
    }
    function drawGroup(words, i) {
        if (!G.group) return;  // a context given back without instancing
        if (G.program !== G.group) {
            gl.useProgram(G.group);
            useAttributes(13);
            G.program = G.group;
        }
        var sizes = [3, 3, 4, 4, 3, 3], stride = 4 * L.groupVertexFloats;
        var offset = words[i + L.groupFirstVertex] * stride;
        gl.bindBuffer(gl.ARRAY_BUFFER, G.groupBuffer);
        for (var a = 0; a < 6; a++) {
            gl.vertexAttribPointer(a, sizes[a], gl.FLOAT, false, stride, offset);
            offset += sizes[a] * 4;
        }
        var instanceBytes = 4 * L.instanceFloats, instance = words[i + L.groupFirstInstance] * instanceBytes;
        gl.bindBuffer(gl.ARRAY_BUFFER, G.instanceBuffer);
        for (var a = 0; a < 4; a++) {
            gl.vertexAttribPointer(6 + a, 4, gl.FLOAT, false, instanceBytes, instance + a * 16);
        }
        for (var a = 0; a < 3; a++) {
            gl.vertexAttribPointer(10 + a, 3, gl.FLOAT, false, instanceBytes, instance + 64 + a * 12);
        }
        var u = G.groupUniforms, at = (uniforms >> 2) + words[i + L.groupUniformsAt], f = HEAPF32;
        function part(name, next) { return f.subarray(at + L[name], at + L[next]); }
        gl.uniform3fv(u.toLight, part('groupToLight', 'groupHalfVector'));
        gl.uniform3fv(u.halfVector, part('groupHalfVector', 'groupSpecular'));
        gl.uniform3fv(u.specular, part('groupSpecular', 'groupShininess'));
        gl.uniform1fv(u.shininess, part('groupShininess', 'groupFaceSign'));
        gl.uniform1fv(u.faceSign, part('groupFaceSign', 'groupUniforms'));
        G.instancing.drawArraysInstancedANGLE(gl.TRIANGLES, 0, words[i + L.groupVertexCount],
                                              words[i + L.groupInstanceCount]);
    }
    if (G.group) {
        gl.bindBuffer(gl.ARRAY_BUFFER, G.groupBuffer);
        upload(gl.ARRAY_BUFFER, 2, HEAPF32, groupVertices >> 2, L.groupVertexFloats, groupCount,
               groupFirst, groupEnd);
        gl.bindBuffer(gl.ARRAY_BUFFER, G.instanceBuffer);
        upload(gl.ARRAY_BUFFER, 3, HEAPF32, instances >> 2, L.instanceFloats, instanceCount, 0,
               instanceCount);
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
        } else if (op == L.shape) {
            drawShape(words, i);
            i += L.shapeWords;
        } else {
            drawGroup(words, i);
            i += L.groupWords;
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
// command's uniforms and an instance begin.
void currentMatrices(float* out) {
    std::memcpy(out + kUniformModelviewProjection, modelviewProjectionMatrix().m, 16 * sizeof(float));
    const float (&normal)[3][3] = normalTransform();
    for (int col = 0; col < 3; col++) {
        for (int row = 0; row < 3; row++) out[kUniformNormalMatrix + 3 * col + row] = normal[row][col];
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
                       frame.groupVertices.begin() + last[kGroupFirstVertex] * kGroupVertexFloats) &&
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
    words[kGroupFirstVertex] = static_cast<int32_t>(frame.groupVertices.size() / kGroupVertexFloats);
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
    float matrices[kInstanceFloats], uniforms[kGroupUniforms];
    currentMatrices(matrices);
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
    size_t vertexFirst, vertexEnd, indexFirst, indexEnd, groupFirst, groupEnd;
    changedSpan(frame.vertices, uploadedVertices, vertexFirst, vertexEnd);
    changedSpan(frame.indices, uploadedIndices, indexFirst, indexEnd);
    changedSpan(frame.groupVertices, uploadedGroupVertices, groupFirst, groupEnd);
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
                      static_cast<int>(frame.instances.size() / kInstanceFloats));
    // The buffers now hold this frame's arrays.
    std::swap(frame.vertices, uploadedVertices);
    std::swap(frame.indices, uploadedIndices);
    std::swap(frame.groupVertices, uploadedGroupVertices);
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
    if (made <= 0) return made < 0 ? WebGLStart::ShadersRefused : WebGLStart::NoWebGL;
    groupsInPage = (made & 2) != 0;
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

// The same for immediate mode's triangles lit on the GPU in groups (the stars).
extern "C" EMSCRIPTEN_KEEPALIVE void webglDrawTrianglesOnCpu(int onCpu) {
    trianglesOnCpu = onCpu != 0;
    tellListener(WebGLEvent::RedrawAsked);
}
