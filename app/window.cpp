#include "app/window.h"

#include <GL/freeglut.h>

const char* const windowTitle =
    "Visualiza\xE7\xE3o Computacional - Universo -  Representa\xE7\xE3o 3D ";

void initGraphics() {
    glClearColor(0, 0, 0, 0);
    glClearDepth(1.0);
    glDepthFunc(GL_LEQUAL);
    glEnable(GL_DEPTH_TEST);
    glShadeModel(GL_SMOOTH);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
}
