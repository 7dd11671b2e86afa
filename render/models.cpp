#include "render/models.h"

#include <GL/freeglut.h>

#include "state/app_state.h"

// A white 10-unit cube with a white wire outline, under the current
// transform.
static void drawOutlinedBox() {
    glColor3f(1, 1, 1);
    glutSolidCube(10);
    glColor3f(1, 1, 1);
    glutWireCube(10.0005);
}

// A white ball of `radius` stretched by (sx, sy, sz) at (x, y, z).
static void drawWhiteBall(float x, float y, float z, float sx, float sy, float sz, double radius) {
    glPushMatrix();
    glTranslatef(x, y, z);
    glScalef(sx, sy, sz);
    glColor3f(1, 1, 1);
    glutSolidSphere(radius, 200, 200);
    glPopMatrix();
}

// An outlined box stretched by (sx, sy, sz) at (x, y, z).
static void drawBox(float x, float y, float z, float sx, float sy, float sz) {
    glPushMatrix();
    glTranslatef(x, y, z);
    glScalef(sx, sy, sz);
    drawOutlinedBox();
    glPopMatrix();
}

// An arm box turned by `angle` about the x axis through the feet: the turn
// is saved apart, and the colour is set before the box is placed.
static void drawArm(float angle, float y) {
    glPushMatrix();
    glRotatef(angle, 1, 0, 0);
    glPushMatrix();
    glColor3f(1, 1, 1);
    glTranslatef(5, y, 270);
    glScalef(2, 1.5f, 20);
    drawOutlinedBox();
    glPopMatrix();
    glPopMatrix();
}

void drawAstronaut() {
    const int swing = appState.armSwing;
    const int spread = appState.armSpread;

    // Head, in the current colour.
    glPushMatrix();
    glTranslatef(0, 0, 280);
    glutSolidSphere(50, 200, 200);
    glPopMatrix();

    // Arms, shoulders and torso.
    drawArm(static_cast<float>(30 - swing), static_cast<float>(45 + spread));
    drawWhiteBall(5, -55, 210, 2.5f, 2.5f, 3.5f, 5);
    drawArm(static_cast<float>(swing - 30), static_cast<float>(-45 - spread));
    drawWhiteBall(5, 50, 210, 2.5f, 2.5f, 3.5f, 5);
    drawBox(0, 0, 180, 5, 10, 10);

    // Legs and feet.
    drawBox(10, -20, 100, 2, 1.5f, 15);
    drawBox(10, 20, 100, 2, 1.5f, 15);
    drawWhiteBall(30, 20, 30, 1.5f, 0.5f, 0.5f, 50);
    drawWhiteBall(30, -20, 30, 1.5f, 0.5f, 0.5f, 50);
}

// Lets glColor3f drive the lit front colour, whatever the frame chose.
static void trackColour() {
    glColorMaterial(GL_FRONT, GL_AMBIENT_AND_DIFFUSE);
    glEnable(GL_COLOR_MATERIAL);
}

void drawRocket() {
    GLUquadric* quadric = gluNewQuadric();
    trackColour();
    glRotated(180, 0, 1, 0);  // stays on the caller's matrix

    // Tail ball.
    glPushMatrix();
    glTranslatef(30, 0, 0);
    glColor3f(1, 0.69f, 0);
    glutSolidSphere(180, 200, 200);
    glPopMatrix();

    // Body: a tapering red tube, then a straight yellow one further along.
    glPushMatrix();
    glRotated(90, 0, 1, 0);
    glColor3f(1, 0, 0);
    gluCylinder(quadric, 200, 55, 500, 50, 10);
    glTranslatef(0, 0, 200);
    glColor3f(1, 1, 0);
    gluCylinder(quadric, 130, 130, 500, 50, 10);
    glPopMatrix();

    // Nose cone from x = 700 to 1100.
    glPushMatrix();
    glTranslatef(700, 0, 0);
    glRotated(90, 0, 1, 0);
    glColor3f(1, 0.69f, 0);
    glutSolidCone(130, 400, 100, 20);
    glColor3f(1, 0, 0);
    glutWireCone(130.005, 400.005, 10, 20);
    glPopMatrix();

    // Fin: the nose cone flattened.
    glPushMatrix();
    glTranslatef(250, 50, 50);
    glScalef(1, 5, 0.1f);
    glRotatef(90, 0, 1, 0);
    glColor3f(1, 0, 0);
    glutSolidCone(130, 400, 100, 20);
    glColor3f(1, 0, 1);
    glutWireCone(130.005, 400.005, 10, 20);
    glPopMatrix();

    gluDeleteQuadric(quadric);
}

// A satellite ball 300 out along the current x axis.
static void drawSatelliteBall(GLint slices) {
    glPushMatrix();
    glTranslatef(300, 0, 0);
    glutSolidSphere(100, slices, 200);
    glPopMatrix();
}

// A satellite arm tube along the current z axis.
static void drawSatelliteTube(GLUquadric* quadric) { gluCylinder(quadric, 100, 100, 300, 50, 10); }

void drawSatellite() {
    GLUquadric* quadric = gluNewQuadric();
    trackColour();
    // The turns between the arms are not saved: they add up to 540 degrees.
    drawSatelliteBall(100);
    drawSatelliteTube(quadric);
    glRotatef(90, 0, 1, 0);
    drawSatelliteBall(200);
    drawSatelliteTube(quadric);
    glRotatef(180, 0, 1, 0);
    drawSatelliteBall(200);
    drawSatelliteTube(quadric);
    glRotatef(270, 0, 1, 0);
    drawSatelliteBall(200);
    drawSatelliteTube(quadric);
    gluDeleteQuadric(quadric);
}

void drawShelledSphere(Colour body, double radius, int stacks, Colour shell, double shellRadius) {
    glColor3f(body.r, body.g, body.b);
    glutSolidSphere(radius, 200, stacks);
    glColor3f(shell.r, shell.g, shell.b);
    glutWireSphere(shellRadius, 200, 200);
}

void drawSun() { drawShelledSphere({1, 0, 0}, 590, 200, {1, 1, 0}, 590.005); }

void drawMoon() {
    glColor3f(1, 1, 1);
    glutSolidSphere(20, 200, 200);
}

void drawEarth() { drawShelledSphere({0, 0, 0}, 90, 200, {0, 0, 1}, 90.005); }

void drawRing() { glutSolidSphere(190, 200, 200); }
