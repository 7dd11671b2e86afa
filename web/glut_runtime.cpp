// GLUT's window, callbacks and event loop over the page's canvas. Each
// browser frame (requestAnimationFrame) is one pass of the loop: the
// pending reshape, one idle call unless paused, then the display callback if
// a redisplay was posted. The page reaches the callbacks through the
// exported glutWeb* functions below.
#include <GL/freeglut.h>
#include <emscripten.h>
#include <emscripten/html5.h>

#include "web/glut_web.h"
#include "web/webgl_context.h"

namespace {

// The canvas of index.html; its drawing buffer never changes size.
const int canvasWidth = 800;
const int canvasHeight = 600;

void (*displayCallback)() = nullptr;
void (*reshapeCallback)(int, int) = nullptr;
void (*keyboardCallback)(unsigned char, int, int) = nullptr;
void (*specialCallback)(int, int, int) = nullptr;
void (*idleCallback)() = nullptr;

bool redisplayPending = false;
bool reshapePending = true;  // GLUT reshapes a window before its first display
bool paused = false;
bool held = false;
bool ended = false;
int framesSwapped = 0;

}  // namespace

// The page's side: window.universe (set up by the page) and its elements.
EM_JS(void, pageSetTitle, (const char* latin1), {
    var codes = [];
    for (var at = latin1; HEAPU8[at]; ++at) codes.push(HEAPU8[at]);
    var title = String.fromCharCode.apply(null, codes);
    document.title = title;
    var heading = document.getElementById('title');
    if (heading) heading.textContent = title;
});
EM_JS(void, pageCountFrame, (int frames), { window.universe.frames = frames; });
EM_JS(void, pageRecordFrameTime, (double ms), {
    var times = window.universe.frameMs;
    times.push(ms);
    if (times.length > 100) times.shift();
});
EM_JS(void, pageSetPaused, (bool isPaused), {
    window.universe.paused = !!isPaused;
    if (window.universePage) window.universePage.showPaused(!!isPaused);
});
EM_JS(void, pageSetReady, (), { window.universe.ready = true; });
EM_JS(void, pageShowError, (const char* latin1), {
    var codes = [];
    for (var at = latin1; HEAPU8[at]; ++at) codes.push(HEAPU8[at]);
    var message = String.fromCharCode.apply(null, codes);
    window.universe.error = message;
    if (window.universePage) window.universePage.showError(message);
});
EM_JS(void, pageSetEnded, (), {
    window.universe.ended = true;
    if (window.universePage) window.universePage.showEnded();
});

static void callDisplay() {
    if (reshapePending) {
        reshapePending = false;
        if (reshapeCallback) reshapeCallback(canvasWidth, canvasHeight);
    }
    redisplayPending = false;
    if (!displayCallback) return;
    const double start = emscripten_get_now();
    displayCallback();
    pageRecordFrameTime(emscripten_get_now() - start);
}

static void loopPass() {
    if (held || ended) return;
    if (reshapePending) redisplayPending = true;
    if (!paused && idleCallback) idleCallback();
    if (redisplayPending) callDisplay();
}

// A page resize reshapes the window again (its size stays the canvas's), so
// that a zoom waiting for the next reshape shows, as on the desktop.
static EM_BOOL onPageResize(int, const EmscriptenUiEvent*, void*) {
    reshapePending = true;
    return EM_FALSE;
}

extern "C" {

void glutInit(int*, char**) {}
void glutInitDisplayMode(unsigned int) {}
void glutInitWindowSize(int, int) {}
void glutInitWindowPosition(int, int) {}

int glutCreateWindow(const char* title) {
    pageSetTitle(title);
    if (!webglCreateContext("#canvas", canvasWidth, canvasHeight))
        pageShowError("This browser gives the page no WebGL, which the pictures are drawn with.");
    emscripten_set_resize_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, nullptr, EM_FALSE, onPageResize);
    return 1;
}

// The page stays as it is: the browser's own full-screen control is the
// user's to choose.
void glutFullScreen() {}

void glutPostRedisplay() { redisplayPending = true; }

void glutSwapBuffers() {
    webglEndFrame();
    pageCountFrame(++framesSwapped);
}

void glutDisplayFunc(void (*callback)()) { displayCallback = callback; }
void glutReshapeFunc(void (*callback)(int, int)) { reshapeCallback = callback; }
void glutKeyboardFunc(void (*callback)(unsigned char, int, int)) { keyboardCallback = callback; }
void glutSpecialFunc(void (*callback)(int, int, int)) { specialCallback = callback; }
void glutIdleFunc(void (*callback)()) { idleCallback = callback; }

// Never returns: the browser calls loopPass once per frame from now on.
void glutMainLoop() { emscripten_set_main_loop(loopPass, 0, 1); }

// The page's calls. Keys arrive with the pointer at the canvas's corner;
// the viewer does not read the position.
EMSCRIPTEN_KEEPALIVE int glutWebAcceptsInput() { return !held && !ended; }

EMSCRIPTEN_KEEPALIVE void glutWebKeyboard(int character) {
    if (!glutWebAcceptsInput() || !keyboardCallback) return;
    keyboardCallback(static_cast<unsigned char>(character), 0, 0);
    glutPostRedisplay();
}

EMSCRIPTEN_KEEPALIVE void glutWebSpecial(int key) {
    if (!glutWebAcceptsInput() || !specialCallback) return;
    specialCallback(key, 0, 0);
    glutPostRedisplay();
}

EMSCRIPTEN_KEEPALIVE void glutWebPause(int pause) { glutWebSetPaused(pause != 0); }

}  // extern "C"

void glutWebDisplayNow() { callDisplay(); }

void glutWebSetPaused(bool pause) {
    paused = pause;
    pageSetPaused(pause);
}

void glutWebHold(bool hold) { held = hold; }

void glutWebEnd() {
    ended = true;
    emscripten_cancel_main_loop();
    pageSetEnded();
}

void glutWebSetReady() { pageSetReady(); }

void glutWebShowError(const char* latin1Message) { pageShowError(latin1Message); }

const char* glutWebQueryString() { return emscripten_run_script_string("location.search"); }
