// The frame laid open: the page's exported calls that list the frame shown
// call by call (recorded by the wrappers of web/calls/ while the frame is
// drawn again) and draw it cut after any call, by replaying the list from
// the GL state the frame started with. Inspecting pauses the viewer and
// changes none of its state: the viewer draws the frame again through the
// function glutWebInspectFunc names, which keeps its state as it was.
#include <GL/freeglut.h>
#include <emscripten.h>

#include <algorithm>
#include <cstdio>
#include <string>

#include "web/calls/call_replay.h"
#include "web/gl/gl_context.h"
#include "web/glut/glut_calls.h"
#include "web/glut/glut_web.h"
#include "web/webgl/webgl_context.h"

namespace {

bool inspecting = false;
bool frameStartKept = false;
glcore::Context frameStart;
calls::CallFrame frame;
int cut = 0;  // the last call drawn
void (*inspectCallback)() = nullptr;

void restoreFrameStart() {
    glcore::context() = frameStart;
    glcore::framebufferStateChanged();
}

// Draws the frame's calls 1 to `last` from its starting state, on black
// (what the first call, a clear, covers), and shows the picture.
void drawUpTo(int last) {
    restoreFrameStart();
    glcore::Context& gl = glcore::context();
    const GLfloat clearColor[4] = {gl.clearColor[0], gl.clearColor[1], gl.clearColor[2],
                                   gl.clearColor[3]};
    gl.clearColor[0] = gl.clearColor[1] = gl.clearColor[2] = 0;
    gl.clearColor[3] = 1;
    glcore::clearFramebuffer(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    std::copy(clearColor, clearColor + 4, gl.clearColor);
    replayCalls(frame, last);
    webglEndFrame();
    cut = last;
}

void appendNumbers(std::string& json, const char* name, const float* values, int count) {
    json += std::string("\"") + name + "\":[";
    char number[32];
    for (int i = 0; i < count; i++) {
        std::snprintf(number, sizeof number, "%s%.9g", i ? "," : "",
                      static_cast<double>(values[i]));
        json += number;
    }
    json += "],";
}

}  // namespace

void callsFrameStarts() {
    frameStart = glcore::context();
    frameStartKept = true;
}

bool callsInspecting() { return inspecting; }

void callsReshape(void (*reshape)()) {
    if (reshape) {
        restoreFrameStart();
        reshape();
        frameStart = glcore::context();
    }
    drawUpTo(cut);
}

void glutWebInspectFunc(void (*redraw)()) { inspectCallback = redraw; }

bool callsReady() { return frameStartKept && inspectCallback; }

int callsStart() {
    inspecting = true;
    restoreFrameStart();
    calls::recordCalls(&frame);
    inspectCallback();
    calls::recordCalls(nullptr);
    cut = frame.count;
    return frame.count;
}

void callsStop() {
    if (inspecting) drawUpTo(frame.count);
    inspecting = false;
    frame = calls::CallFrame{};
}

extern "C" {

// The list as text, UTF-8 (web/calls/call_recorder.h describes its lines).
EMSCRIPTEN_KEEPALIVE const char* glutWebCallsText() {
    static std::string text;
    text = calls::callsText(frame);
    return text.c_str();
}

// Draws the frame up to and including call `last`; 0 draws nothing after
// the frame's start, a number below 0 or past the end the whole frame.
EMSCRIPTEN_KEEPALIVE void glutWebShowCallsUpTo(int last) {
    if (!inspecting) return;
    drawUpTo(last < 0 || last > frame.count ? frame.count : last);
}

// The state after the last call drawn, as JSON: the modelview and
// projection matrices (column by column, as GL keeps them), the current
// colour, and whether lighting, the depth test and each light are on.
EMSCRIPTEN_KEEPALIVE const char* glutWebCallState() {
    static std::string json;
    const glcore::Context& gl = glcore::context();
    const glcore::Matrices& m = gl.matrices;
    json = "{";
    appendNumbers(json, "modelview", m.modelview.entries[m.modelview.depth - 1].m, 16);
    appendNumbers(json, "projection", m.projection.entries[m.projection.depth - 1].m, 16);
    appendNumbers(json, "color", gl.color, 4);
    json += std::string("\"lighting\":") + (gl.lighting ? "true" : "false");
    json += std::string(",\"depthTest\":") + (gl.depthTest ? "true" : "false");
    json += ",\"lights\":[";
    for (int i = 0; i < glcore::kMaxLights; i++)
        json += std::string(i ? "," : "") + (gl.lights[i].enabled ? "true" : "false");
    json += "]}";
    return json.c_str();
}

}  // extern "C"
