// The WebGL side: one shader program that draws clip-space vertices with a
// front and a back colour, and a queue of vertices that is drawn in one call
// whenever the primitive kind or the framebuffer state changes, at a clear
// or at the end of the frame. The JavaScript keeps to its own names, so it
// does not touch emscripten's GL library.
#include <emscripten.h>

#include <vector>

#include "gl_draw.h"
#include "gl_state.h"
#include "webgl_context.h"

// clang-format off
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
    for (var i = 0; i < 3; i++) {
        gl.enableVertexAttribArray(i);
        gl.vertexAttribPointer(i, 4, gl.FLOAT, false, 48, i * 16);
    }
    Module.universeWebGL = gl;
    return 1;
});

EM_JS(void, webglDrawInPage, (int mode, const float* vertices, int count), {
    var gl = Module.universeWebGL;
    if (!gl) return;
    var start = vertices >> 2;
    gl.bufferData(gl.ARRAY_BUFFER, HEAPF32.subarray(start, start + count * 12), gl.STREAM_DRAW);
    gl.drawArrays(mode, 0, count);
});

EM_JS(void, webglApplyStateInPage, (int x, int y, int width, int height, int depthTest,
                                    int depthFunc, int depthMask, int cullFace, int cullMode,
                                    int frontFace), {
    var gl = Module.universeWebGL;
    if (!gl) return;
    gl.viewport(x, y, width, height);
    if (depthTest) gl.enable(gl.DEPTH_TEST); else gl.disable(gl.DEPTH_TEST);
    gl.depthFunc(depthFunc);
    gl.depthMask(!!depthMask);
    if (cullFace) gl.enable(gl.CULL_FACE); else gl.disable(gl.CULL_FACE);
    gl.cullFace(cullMode);
    gl.frontFace(frontFace);
});

EM_JS(void, webglClearInPage, (int mask, float red, float green, float blue, float alpha,
                               float depth), {
    var gl = Module.universeWebGL;
    if (!gl) return;
    gl.clearColor(red, green, blue, alpha);
    gl.clearDepth(depth);
    gl.clear(mask);
});
// clang-format on

namespace {

std::vector<DrawVertex> queued;
DrawMode queuedMode = DrawMode::Triangles;

int webglMode(DrawMode mode) {
    switch (mode) {
        case DrawMode::Points: return GL_POINTS;
        case DrawMode::Lines: return GL_LINES;
        case DrawMode::Triangles: return GL_TRIANGLES;
    }
    return GL_TRIANGLES;
}

void applyState() {
    const GLState& s = glState();
    webglApplyStateInPage(s.viewport[0], s.viewport[1], s.viewport[2], s.viewport[3],
                          s.depthTest, static_cast<int>(s.depthFunc), s.depthMask, s.cullFace,
                          static_cast<int>(s.cullFaceMode), static_cast<int>(s.frontFace));
}

}  // namespace

void drawVertices(DrawMode mode, const DrawVertex* vertices, int count) {
    if (mode != queuedMode) flushDrawing();
    queuedMode = mode;
    queued.insert(queued.end(), vertices, vertices + count);
}

void flushDrawing() {
    if (queued.empty()) return;
    webglDrawInPage(webglMode(queuedMode), queued.front().position,
                    static_cast<int>(queued.size()));
    queued.clear();
}

void framebufferStateChanged() {
    flushDrawing();
    applyState();
}

void clearFramebuffer(GLbitfield mask) {
    flushDrawing();
    const GLState& s = glState();
    webglClearInPage(static_cast<int>(mask & (GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT)),
                     s.clearColor[0], s.clearColor[1], s.clearColor[2], s.clearColor[3],
                     s.clearDepth);
}

bool webglCreateContext(const char* canvasSelector, int width, int height) {
    if (!webglCreateContextInPage(canvasSelector, width, height)) return false;
    GLint* viewport = glState().viewport;
    if (viewport[2] == 0 && viewport[3] == 0) {
        viewport[2] = width;
        viewport[3] = height;
    }
    applyState();
    return true;
}

void webglEndFrame() { flushDrawing(); }
