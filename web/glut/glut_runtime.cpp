// GLUT's window, callbacks and event loop over the page's canvas. Each
// browser frame (requestAnimationFrame) is one pass of the loop: the
// start-up work while there is some, else the pending reshape, one idle
// call unless paused, then the display callback if a redisplay was posted;
// nothing while the page has it quiet (glutWebQuiet).
// The window's size is the canvas's drawing buffer in device pixels, which
// the page lays out (glutWebResize). The page reaches the callbacks through
// the exported glutWeb* functions below.
#include <GL/freeglut.h>
#include <emscripten.h>
#include <emscripten/html5.h>

#include <string>

#include "web/glut/glut_calls.h"
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
bool quiet = false;
int framesSwapped = 0;
bool (*startUpWork)() = nullptr;

}  // namespace

// The page's side, in web/glut/page_bridge.js (linked with --js-library):
// window.universe (set up by the page) and its elements. Texts reach the
// page as UTF-8 (utf8FromLatin1).
extern "C" {
void pageSetTitle(const char* utf8);
void pageCountFrame(int frames);
void pageRecordFrameTime(double ms);
void pageSetPaused(int isPaused);
void pageSetReady();
// The page's message (hidden when empty), and window.universe.error: what
// was wrong with the address, or null.
void pageShowMessage(const char* utf8, const char* addressUtf8);
void pageShowProgress(double share);
void pageNote(const char* utf8);
// The picture's size in device pixels as the page lays it out (with the
// fixed size, if any, given first).
void pagePictureSize(int fixedWidth, int fixedHeight, int* width, int* height);
void pageSetEnded();
}

// The viewer's Latin-1 text as UTF-8.
static std::string utf8FromLatin1(const char* latin1) {
    std::string utf8;
    for (const unsigned char* at = reinterpret_cast<const unsigned char*>(latin1); *at; ++at) {
        if (*at < 0x80) {
            utf8 += static_cast<char>(*at);
        } else {
            utf8 += static_cast<char>(0xC0 | (*at >> 6));
            utf8 += static_cast<char>(0x80 | (*at & 0x3F));
        }
    }
    return utf8;
}

// The page's message is the runtime's alone: what the context says (lost,
// shaders refused) and what was wrong with the address, each kept until
// its own cause goes, both shown when both stand. UTF-8.
static std::string contextMessage;
static std::string addressMessage;

static void showMessages() {
    const char* gap = contextMessage.empty() || addressMessage.empty() ? "" : " ";
    pageShowMessage((contextMessage + gap + addressMessage).c_str(),
                    addressMessage.empty() ? nullptr : addressMessage.c_str());
}

static void onContextEvent(WebGLEvent event) {
    switch (event) {
        case WebGLEvent::Lost:
            contextMessage = utf8FromLatin1(
                "O navegador perdeu o contexto WebGL: a imagem est\xE1 parada at\xE9 que ele o devolva.");
            break;
        case WebGLEvent::Restored: contextMessage.clear(); break;
        case WebGLEvent::RestoredWithoutShaders:
            contextMessage =
                utf8FromLatin1("O WebGL voltou mas n\xE3o aceitou os shaders da p\xE1gina (") +
                webglShaderLog() + ").";
            break;
        case WebGLEvent::StreamBroken:
            contextMessage =
                utf8FromLatin1("A p\xE1gina recebeu um comando de desenho que n\xE3o conhece (") +
                webglShaderLog() + utf8FromLatin1("): a imagem est\xE1 parada.");
            break;
        case WebGLEvent::RedrawAsked: break;
    }
    if (event != WebGLEvent::RedrawAsked) showMessages();
    glutPostRedisplay();
}

static void applyPendingReshape() {
    reshapePending = false;
    if (nextWidth != windowWidth || nextHeight != windowHeight) {
        windowWidth = nextWidth;
        windowHeight = nextHeight;
        webglResize(windowWidth, windowHeight);
    }
    if (reshapeCallback) reshapeCallback(windowWidth, windowHeight);
}

static void callDisplay() {
    if (reshapePending) applyPendingReshape();
    redisplayPending = false;
    if (!displayCallback) return;
    callsFrameStarts();
    const double start = emscripten_get_now();
    displayCallback();
    pageRecordFrameTime(emscripten_get_now() - start);
}

static void loopPass() {
    if (quiet) return;
    if (startUpWork) {
        if (startUpWork()) startUpWork = nullptr;
        return;
    }
    if (held || ended) return;
    if (callsInspecting()) {
        // A resize, or a context given back, draws the cut frame again.
        if (reshapePending) {
            callsReshape(applyPendingReshape);
        } else if (redisplayPending) {
            callsReshape(nullptr);
        }
        redisplayPending = false;
        return;
    }
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
    pageSetTitle(utf8FromLatin1(title).c_str());
    pagePictureSize(0, 0, &windowWidth, &windowHeight);
    nextWidth = windowWidth;
    nextHeight = windowHeight;
    webglSetListener(onContextEvent);
    const WebGLStart start = webglCreateContext("#canvas", windowWidth, windowHeight);
    if (start == WebGLStart::NoWebGL) {
        contextMessage = utf8FromLatin1(
            "Este navegador n\xE3o d\xE1 \xE0 p\xE1gina o WebGL com que as imagens s\xE3o desenhadas.");
    } else if (start == WebGLStart::ShadersRefused) {
        contextMessage =
            utf8FromLatin1("O WebGL deste navegador n\xE3o aceitou os shaders da p\xE1gina (") +
            webglShaderLog() + ").";
    } else if (start == WebGLStart::LayoutRefused) {
        contextMessage =
            utf8FromLatin1(
                "A p\xE1gina e o programa n\xE3o concordam na forma dos comandos de desenho (") +
            webglShaderLog() + utf8FromLatin1("): nada \xE9 desenhado.");
    }
    if (start != WebGLStart::Ready) showMessages();
    return 1;
}

// The page stays as it is: its full-screen button is the user's to press.
void glutFullScreen() {}

void glutPostRedisplay() { redisplayPending = true; }

void glutSwapBuffers() {
    webglEndFrame();
    // The frame drawn again for inspection is no new frame.
    if (!callsInspecting()) pageCountFrame(++framesSwapped);
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
// on = 1: pauses the viewer, draws the frame shown again recording its
// calls, and returns how many there are (0 while the start-up frames are
// drawn, after the end, or before any frame). on = 0: draws the whole
// frame again and leaves inspection; the viewer stays paused.
EMSCRIPTEN_KEEPALIVE int glutWebInspect(int on) {
    if (!on) {
        callsStop();
        return 0;
    }
    if (startUpWork || ended || !callsReady()) return 0;
    glutWebSetPaused(true);
    return callsStart();
}

EMSCRIPTEN_KEEPALIVE int glutWebAcceptsInput() { return !held && !ended && !callsInspecting(); }

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

// While quiet (the picture out of sight) the event loop does nothing at
// all: no start-up work, no idle call, no display, so that the clocks stand
// still and it goes on from the same state. The user's pause stays as it is.
EMSCRIPTEN_KEEPALIVE void glutWebQuiet(int isQuiet) { quiet = isQuiet != 0; }

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
    int pictureWidth, pictureHeight;
    pagePictureSize(width, height, &pictureWidth, &pictureHeight);
    glutWebResize(pictureWidth, pictureHeight);
}

void glutWebSetPaused(bool pause) {
    paused = pause;
    pageSetPaused(pause ? 1 : 0);
}

void glutWebHold(bool hold) { held = hold; }

void glutWebEnd() {
    ended = true;
    emscripten_cancel_main_loop();
    pageSetEnded();
}

void glutWebSetReady() { pageSetReady(); }

void glutWebShowError(const char* latin1Message) {
    addressMessage = utf8FromLatin1(latin1Message);
    showMessages();
}

void glutWebClearError() {
    if (addressMessage.empty()) return;
    addressMessage.clear();
    showMessages();
}

void glutWebShowProgress(long done, long total) {
    pageShowProgress(static_cast<double>(done) / total);
}

void glutWebNote(const char* latin1Line) { pageNote(utf8FromLatin1(latin1Line).c_str()); }

const char* glutWebQueryString() { return emscripten_run_script_string("location.search"); }
