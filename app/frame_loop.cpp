#include "app/frame_loop.h"

#include <GL/freeglut.h>

#include <chrono>
#include <thread>

#include "app/platform.h"
#include "app/screens.h"
#include "input/camera.h"
#include "input/manual_controls.h"
#include "scenes/text_screens.h"
#include "state/app_state.h"

void resetView(AppState& state) {
    const AppState start;
    state.spinAngle = start.spinAngle;
    state.matrixAngle = start.matrixAngle;
    state.manualAngle = start.manualAngle;
    state.manualOffsetX = start.manualOffsetX;
    state.manualOffsetY = start.manualOffsetY;
    state.manualOffsetZ = start.manualOffsetZ;
    state.manualScaleX = start.manualScaleX;
    state.manualScaleY = start.manualScaleY;
    state.manualScaleZ = start.manualScaleZ;
    state.rotateMode = start.rotateMode;
    state.translateMode = start.translateMode;
    state.scaleMode = start.scaleMode;
    state.eyeX = start.eyeX;
    state.eyeY = start.eyeY;
    state.eyeZ = start.eyeZ;
    state.centerX = start.centerX;
    state.centerY = start.centerY;
    state.centerZ = start.centerZ;
}

// Clears, then draws the frame of every set scene flag (one, in practice),
// running the pending view reset before the first of them; `drawFarewell`
// draws the farewell screen.
void displayFrame(void (*drawFarewell)()) {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glLightModeli(GL_LIGHT_MODEL_TWO_SIDE, GL_TRUE);
    for (const Screen& screen : screens) {
        if (appState.*screen.flag) {
            if (appState.resetPending) {
                resetView(appState);
                appState.resetPending = false;
            }
            if (screen.draw) {
                screen.draw();
            } else {
                drawFarewell();
            }
        }
    }
}

void onDisplay() { displayFrame(drawFarewellScreen); }

void advanceClocks(AppState& state) {
    toggle(state.starBlink);
    const Screen& shown = shownScreen(state);
    if (shown.clock) {
        state.*shown.clock = state.*shown.clock + shown.clockStep;
        if (shown.tickStrides) stepStride(state);
    }
}

// How long an idle step waits while nobody can see the window: GLUT draws
// nothing then, and without the wait the idle loop would spin a whole core.
static const std::chrono::milliseconds hiddenIdleWait(75);

void onIdle() {
    if (!windowViewable()) std::this_thread::sleep_for(hiddenIdleWait);
    advanceClocks(appState);
    glutPostRedisplay();
}

void applyReshape(AppState& state, int width, int height) {
    if (height == 0) return;
    glViewport(0, 0, width, height);
    state.aspectRatio = static_cast<double>(width) / height;
    state.windowWidth = width;
    state.windowHeight = height;
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(state.fovY, state.aspectRatio, state.zNear, state.zFar);
    glMatrixMode(GL_MODELVIEW);
}

void onReshape(int width, int height) { applyReshape(appState, width, height); }

void registerCallbacks(void (*display)()) {
    glutReshapeFunc(onReshape);
    glutDisplayFunc(display);
    glutKeyboardFunc(onKeyboard);
    glutSpecialFunc(onSpecialKey);
    glutIdleFunc(onIdle);
}
