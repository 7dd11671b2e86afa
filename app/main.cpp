// The viewer: opens the window, sets the fixed OpenGL state, registers the
// callbacks and the menus, and hands control to GLUT's event loop.
#include <GL/freeglut.h>

#include "app/frame_loop.h"
#include "app/menus.h"
#include "app/platform.h"
#include "app/window.h"
#include "input/camera.h"
#include "input/manual_controls.h"
#include "state/app_state.h"

int main(int argc, char** argv) {
    glutInit(&argc, argv);
    glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH);
    glutInitWindowSize(appState.windowWidth, appState.windowHeight);
    glutInitWindowPosition(100, 100);
    glutCreateWindow(windowTitle);
    setNativeWindowTitle(windowTitle);
    initGraphics();

    glutReshapeFunc(onReshape);
    glutDisplayFunc(onDisplay);
    glutKeyboardFunc(onKeyboard);
    glutSpecialFunc(onSpecialKey);
    glutIdleFunc(onIdle);

    buildMenus();
    glutMainLoop();
    return 0;
}
