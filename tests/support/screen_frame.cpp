#include "support/screen_frame.h"

#include <GL/freeglut.h>

#include "app/app_state.h"
#include "app/frame_loop.h"
#include "scenes/text_screens.h"
#include "support/gl_window.h"

unsigned drawScreenFrame() {
    if (!appState.showFarewell) return drawFrame();
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glLightModeli(GL_LIGHT_MODEL_TWO_SIDE, GL_TRUE);
    if (appState.resetPending) {
        resetView(appState);
        appState.resetPending = false;
    }
    drawFarewellFrame();
    return glGetError();
}
