// The viewer: reads its own options, opens the window, sets the fixed
// OpenGL state, registers the callbacks and the menus, and hands control to
// GLUT's event loop.
#include <GL/freeglut.h>

#include <string>

#include "app/frame_loop.h"
#include "app/menus.h"
#include "app/options.h"
#include "app/platform.h"
#include "app/screens.h"
#include "app/window.h"
#include "state/app_state.h"

int main(int argc, char** argv) {
    const ViewerOptions options = parseViewerOptions(argc, argv);
    if (options.action != ViewerOptions::Run) return answerWithoutWindow(options);
    const std::string noDisplay = displayProblem(options.displayName);
    if (!noDisplay.empty()) {
        showUserText(("universe: " + noDisplay + "\n").c_str(), true);
        return 1;
    }

    glutInit(&argc, argv);
    endDisplayCheck();
    glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH);
    glutInitWindowSize(appState.windowWidth, appState.windowHeight);
    // Full screen starts from the top-left corner: without a window manager,
    // freeglut moves the window by minus its start position when it fills
    // the screen.
    const int corner = options.fullscreen ? 0 : 100;
    glutInitWindowPosition(corner, corner);
    glutCreateWindow(windowTitle);
    setNativeWindowTitle(windowTitle);
    decorateWindow();
    if (options.fullscreen) glutFullScreen();
    initGraphics();

    registerCallbacks(onDisplay);

    buildMenus();
    // As if chosen from the scenes menu before the first frame.
    if (options.startScene) chooseScreen(appState, *options.startScene);
    glutMainLoop();
    return 0;
}
