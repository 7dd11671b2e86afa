// GLUT's window, callbacks and event loop over the page's canvas. Each
// browser frame (requestAnimationFrame) is one pass of the loop: the
// start-up work while there is some, else the pending reshape, one idle
// call unless paused, then the display callback if a redisplay was posted.
// The window's size is the canvas's drawing buffer in device pixels, which
// the page lays out (glutWebResize). The page reaches the callbacks through
// the exported glutWeb* functions below.
#include <GL/freeglut.h>
#include <emscripten.h>
#include <emscripten/html5.h>

#include "web/glut/glut_web.h"
#include "web/webgl/webgl_context.h"

namespace {

// The window's size in device pixels, and the size the page asks for next.
int windowWidth = 800;
int windowHeight = 600;
int nextWidth = 800;
int nextHeight = 600;

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
bool (*startUpWork)() = nullptr;

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
EM_JS(bool, pageShowsMessage, (), {
    var message = document.getElementById('message');
    return !!message && !message.hidden;
});
EM_JS(void, pageClearError, (), {
    if (window.universe.error === null) return;
    window.universe.error = null;
    if (window.universePage) window.universePage.clearError();
});
EM_JS(void, pageShowProgress, (double share), {
    window.universe.progress = share;
    if (window.universePage) window.universePage.showProgress(share);
});
EM_JS(void, pageNote, (const char* latin1), {
    var codes = [];
    for (var at = latin1; HEAPU8[at]; ++at) codes.push(HEAPU8[at]);
    console.info(String.fromCharCode.apply(null, codes));
});
// The picture's size in device pixels as the page lays it out (with the
// fixed size, if any, given first); packed as width * 65536 + height.
EM_JS(int, pagePictureSize, (int fixedWidth, int fixedHeight), {
    var size = window.universePage ? window.universePage.pictureSize(fixedWidth, fixedHeight) : [800, 600];
    return size[0] * 65536 + size[1];
});
EM_JS(void, pageSetEnded, (), {
    window.universe.ended = true;
    if (window.universePage) window.universePage.showEnded();
});

static void callDisplay() {
    if (reshapePending) {
        reshapePending = false;
        if (nextWidth != windowWidth || nextHeight != windowHeight) {
            windowWidth = nextWidth;
            windowHeight = nextHeight;
            webglResize(windowWidth, windowHeight);
        }
        if (reshapeCallback) reshapeCallback(windowWidth, windowHeight);
    }
    redisplayPending = false;
    if (!displayCallback) return;
    const double start = emscripten_get_now();
    displayCallback();
    pageRecordFrameTime(emscripten_get_now() - start);
}

static void loopPass() {
    if (startUpWork) {
        if (startUpWork()) startUpWork = nullptr;
        return;
    }
    if (held || ended) return;
    if (reshapePending) redisplayPending = true;
    if (!paused && idleCallback) idleCallback();
    if (redisplayPending) callDisplay();
}

extern "C" {

void glutInit(int*, char**) {}
void glutInitDisplayMode(unsigned int) {}
void glutInitWindowSize(int, int) {}
void glutInitWindowPosition(int, int) {}

int glutCreateWindow(const char* title) {
    pageSetTitle(title);
    const int size = pagePictureSize(0, 0);
    windowWidth = nextWidth = size / 65536;
    windowHeight = nextHeight = size % 65536;
    // A shader that WebGL refused has already put its log in the message.
    if (!webglCreateContext("#canvas", windowWidth, windowHeight) && !pageShowsMessage())
        pageShowError("Este navegador n\xE3o d\xE1 \xE0 p\xE1gina o WebGL com que as imagens s\xE3o desenhadas.");
    return 1;
}

// The page stays as it is: its full-screen button is the user's to press.
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

// The page laid the picture out anew (a resize, a turn of the phone, full
// screen): a reshape to `width` x `height` device pixels, also when the size
// stays, so that a zoom waiting for the next reshape shows, as on the
// desktop.
EMSCRIPTEN_KEEPALIVE void glutWebResize(int width, int height) {
    if (width < 1 || height < 1) return;
    nextWidth = width;
    nextHeight = height;
    reshapePending = true;
}

}  // extern "C"

void glutWebDisplayNow(bool visible) {
    webglSetFrameVisible(visible);
    callDisplay();
    webglSetFrameVisible(true);
}

void glutWebStartUp(bool (*work)()) { startUpWork = work; }

bool glutWebPaused() { return paused; }

void glutWebFixSize(int width, int height) {
    const int size = pagePictureSize(width, height);
    glutWebResize(size / 65536, size % 65536);
}

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

void glutWebClearError() { pageClearError(); }

void glutWebShowProgress(long done, long total) { pageShowProgress(static_cast<double>(done) / total); }

void glutWebNote(const char* latin1Line) { pageNote(latin1Line); }

const char* glutWebQueryString() { return emscripten_run_script_string("location.search"); }
