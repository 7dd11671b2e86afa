// universe_screen_soak: draws every screen of the viewer for many frames in a
// small window, with idle ticks and the manual keys between frames, so that
// a leak checker sees whatever the frames left behind. Built with
// AddressSanitizer it runs LeakSanitizer's check itself at the end.
//   universe_screen_soak [FRAMES_PER_SCREEN [RASTERISE_EVERY]]
// Most frames record their drawing calls without rasterising the spheres,
// cones, cubes and cylinders (every code path of the viewer still runs);
// every RASTERISE_EVERY-th frame is drawn in full.
#include <GL/freeglut.h>

#include <cstdio>
#include <cstdlib>

#ifdef __SANITIZE_ADDRESS__
#include <sanitizer/lsan_interface.h>
#endif

#include "app/frame_loop.h"
#include "app/menus.h"
#include "app/screens.h"
#include "app/window.h"
#include "input/camera.h"
#include "input/manual_controls.h"
#include "state/app_state.h"
#include "support/gl_counters.h"
#include "support/screen_frame.h"

static void ignoreDisplay() {}

int main(int argc, char** argv) {
    const int frames = argc > 1 ? std::atoi(argv[1]) : 300;
    const int rasteriseEvery = argc > 2 ? std::atoi(argv[2]) : 50;
    const int width = 160, height = 120;

    glutInit(&argc, argv);
    glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH);
    glutInitWindowSize(width, height);
    glutInitWindowPosition(100, 100);
    glutCreateWindow(windowTitle);
    glutDisplayFunc(ignoreDisplay);
    initGraphics();
    buildMenus();
    applyReshape(appState, width, height);

    // Keys that change what the manual scenes draw: follow flags, modes,
    // steps, star axes, camera moves.
    static const unsigned char keys[] = "asdfgertxyz+-+";
    static const int specials[] = {GLUT_KEY_F1,   GLUT_KEY_F3,    GLUT_KEY_UP, GLUT_KEY_LEFT,
                                   GLUT_KEY_DOWN, GLUT_KEY_RIGHT, GLUT_KEY_F4, GLUT_KEY_F2};
    int errors = 0, drawn = 0;
    for (int screen = 0; screen < 7; ++screen) {
        if (screen < 6)
            onSceneMenu(41 + screen);  // the five scenes, then the intro
        else
            onMainMenu(findScreen("farewell")->menuValue);  // the farewell screen
        for (int f = 0; f < frames; ++f) {
            onKeyboard(keys[f % (sizeof keys - 1)], 0, 0);
            onSpecialKey(specials[f % 8], 0, 0);
            if (f % 97 == 0) onOptionsMenu(1 + f / 97 % 6);
            onIdle();
            startDrawLog(f % rasteriseEvery == 0 ? DrawMode::Forward : DrawMode::RecordOnly);
            if (drawScreenFrame() != GL_NO_ERROR) ++errors;
            ++drawn;
        }
    }
    stopDrawLog();

    const int openQuadrics = glCounters.quadricsMade - glCounters.quadricsFreed;
    std::printf("universe_screen_soak: %d frames of 7 screens, %d rasterised, %d GL errors, "
                "%d quadrics made, %d left open\n",
                drawn, (frames + rasteriseEvery - 1) / rasteriseEvery * 7, errors,
                glCounters.quadricsMade, openQuadrics);
#ifdef __SANITIZE_ADDRESS__
    // Look for leaks now, with the window, the context and the GL driver
    // still alive: at exit the driver is unloaded first, and what it leaves
    // then can no longer be traced to its library.
    __lsan_do_leak_check();
#endif
    return errors == 0 && openQuadrics == 0 ? 0 : 1;
}
