#include "render/scene_frame.h"

#include <GL/freeglut.h>

#include "state/app_state.h"

void setupView() {
    const AppState& s = appState;
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glLoadIdentity();
    gluLookAt(s.eyeX, s.eyeY, s.eyeZ, s.centerX, s.centerY, s.centerZ, 0, 0, 1);
}

// One axis: an open tube from the origin along the quadric's +z, radius 20
// tapering to 10 over 60000 units.
static void drawAxisTube(GLUquadric* quadric) { gluCylinder(quadric, 20, 10, 60000, 80, 10); }

void drawAxes() {
    if (!appState.axesOn) {
        glDisable(GL_COLOR_MATERIAL);
        return;
    }
    GLUquadric* quadric = gluNewQuadric();
    glColorMaterial(GL_FRONT, GL_AMBIENT_AND_DIFFUSE);
    glEnable(GL_COLOR_MATERIAL);

    // x axis, red: the tube's +z turned onto +x.
    glColor3f(1, 0, 0);
    glPushMatrix();
    glRotated(90, 0, 1, 0);
    drawAxisTube(quadric);
    glPopMatrix();

    // y axis, green: +z turned onto +y.
    glColor3f(0, 1, 0);
    glPushMatrix();
    glRotated(-90, 1, 0, 0);
    drawAxisTube(quadric);
    glPopMatrix();

    // z axis, blue, unturned.
    glColor3f(0, 0, 1);
    glPushMatrix();
    drawAxisTube(quadric);
    glPopMatrix();

    gluDeleteQuadric(quadric);
}

void applyLighting() {
    if (!appState.lightOn) {
        glDisable(GL_COLOR_MATERIAL);
        glDisable(GL_LIGHT0);
        glDisable(GL_LIGHTING);
        return;
    }
    static const GLfloat specular[] = {1, 1, 1, 1};
    static const GLfloat diffuse[] = {1, 1, 0, 1};
    static const GLfloat shininess[] = {10};
    static const GLfloat direction[] = {1, 1, 1, 0};  // w = 0: directional

    glColorMaterial(GL_FRONT, GL_AMBIENT_AND_DIFFUSE);
    glEnable(GL_COLOR_MATERIAL);
    glShadeModel(GL_SMOOTH);
    glMaterialfv(GL_FRONT, GL_SPECULAR, specular);
    glMaterialfv(GL_FRONT, GL_DIFFUSE, diffuse);
    glMaterialfv(GL_FRONT, GL_SHININESS, shininess);
    glLightfv(GL_LIGHT0, GL_POSITION, direction);
    glEnable(GL_LIGHTING);
    glEnable(GL_LIGHT0);
}
