#include "frame_window.h"

#include <GL/freeglut.h>
#include <X11/Xlib.h>

#include <chrono>

#include "app/frame_loop.h"
#include "app/window.h"
#include "scenes/text_screens.h"
#include "state/app_state.h"

namespace {
bool reshaped = false;

void reshapeAndNote(int width, int height) {
    onReshape(width, height);
    reshaped = true;
}

// The tools draw when they choose, never from GLUT's redisplay requests.
void ignoreDisplay() {}
}  // namespace

std::string openFrameWindow(const char* title, int width, int height) {
    // freeglut ends the process when it cannot open the display; check first
    // so that the message says what to do. The check's connection stays open
    // until GLUT has its own: an X server with no clients left resets and
    // refuses connections meanwhile.
    Display* display = XOpenDisplay(nullptr);
    if (!display) return "cannot open the X display (set DISPLAY, or run under scripts/with-xvfb)";

    int argc = 1;
    char name[] = "universe-tool";
    char* argv[] = {name, nullptr};
    glutInit(&argc, argv);
    glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH);
    glutInitWindowSize(width, height);
    glutInitWindowPosition(100, 100);
    glutCreateWindow(title);
    XCloseDisplay(display);
    initGraphics();
    glutReshapeFunc(reshapeAndNote);
    glutDisplayFunc(ignoreDisplay);

    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!reshaped && std::chrono::steady_clock::now() < deadline) glutMainLoopEvent();
    GLint viewport[4] = {0, 0, 0, 0};
    glGetIntegerv(GL_VIEWPORT, viewport);
    const int shownWidth = glutGet(GLUT_WINDOW_WIDTH), shownHeight = glutGet(GLUT_WINDOW_HEIGHT);
    if (!reshaped || shownWidth != width || shownHeight != height || viewport[2] != width ||
        viewport[3] != height || appState.windowWidth != width || appState.windowHeight != height) {
        return "asked for a " + std::to_string(width) + "x" + std::to_string(height) +
               " window, got " + std::to_string(shownWidth) + "x" + std::to_string(shownHeight);
    }
    return "";
}

void drawViewerFrame() { displayFrame(drawFarewellFrame); }

void idleTickAndFrame() {
    advanceClocks(appState);
    drawViewerFrame();
}
