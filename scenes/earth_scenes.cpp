#include "scenes/earth_scenes.h"

#include <GL/freeglut.h>

#include "render/manual_motion.h"
#include "render/models.h"
#include "render/scene_frame.h"
#include "render/stars.h"
#include "state/app_state.h"

// Frame opening, and the Earth at the base of the stack: its turn stays on
// the matrix so every object below turns with it.
static void drawEarthFrameStart() {
    setupView();
    drawAxes();
    applyLighting();
    drawStars();
    glRotatef(appState.spinAngle * 1, 0, 0, 10);
    drawShelledSphere({0, 0, 0}, 1200, 200, {0, 0, 1}, 1200.005);
}

// The Moon, the astronaut on it and the Moon's rocket, from the Moon group's
// turn, the three translations and the rocket's turn.
static void drawMoonGroup(float turn, float ox, float oy, float oz, float rocketTurn) {
    glRotatef(turn, 0, 0, 1);
    glTranslatef(1550 + ox, 1550 + oy, oz + 205);
    glColor3f(1, 1, 1);
    glutSolidSphere(190, 200, 200);
    glTranslatef(5 + ox, 5 + oy, oz + 155);
    drawAstronaut();
    glRotatef(rocketTurn, 0, 0, 1);
    glTranslatef(650 + ox, 650 + oy, oz);
    drawRocket();
}

// A rocket on a path about y, laid along the path by a further quarter turn.
static void drawPathRocket(float turn, float x, float y, float z) {
    glRotatef(turn, 0, 1, 0);
    glTranslatef(x, y, z);
    glRotatef(90, 0, 1, 0);
    drawRocket();
}

// A satellite on a path about y, spinning about its own x axis.
static void drawPathSatellite(float turn, float x, float y, float z, float spin, float r, float g,
                              float b) {
    glRotatef(turn, 0, 1, 0);
    glTranslatef(x, y, z);
    glRotatef(spin, 1, 0, 0);
    glColor3f(r, g, b);
    drawSatellite();
}

void drawEarthSceneAuto() {
    const AppState& st = appState;
    const float s = st.spinAngle;
    const float ox = st.manualOffsetX, oy = st.manualOffsetY, oz = st.manualOffsetZ;
    drawEarthFrameStart();

    glPushMatrix();
    drawMoonGroup(s * 5, ox, oy, oz, s);
    glPopMatrix();

    glPushMatrix();
    drawPathRocket(-s * 10, 2980 + ox, -2980 + oy, oz + 795);
    glPopMatrix();

    // The "green" satellite: GL clamps each channel of (1, 69, 0), so the red
    // stays: yellow-green, yellow where fully lit or with the light off.
    glPushMatrix();
    drawPathSatellite(-s * 10, -2080 + ox, 2080 + oy, oz - 795, s * 90, 1, 69, 0);
    glPopMatrix();

    glPushMatrix();
    drawPathSatellite(s * 5, -4080 + ox, -4080 + oy, oz - 795, s * 90, 1, 0, 0);
    glPopMatrix();

    glPushMatrix();
    drawPathSatellite(s * 15, -3080 + ox, 4080 + oy, oz + 595, -s * 90, 0, 0.5f, 0.5f);
    glPopMatrix();

    glutSwapBuffers();
}

void drawEarthSceneManual() {
    const AppState& st = appState;
    const float s = st.spinAngle;
    const float ox = st.manualOffsetX, oy = st.manualOffsetY, oz = st.manualOffsetZ;
    const float a = st.manualAngle;
    drawEarthFrameStart();

    // Each object: with its flag set, the manual motion first, then its own
    // chain with the offsets and the manual angle added; with it clear, the
    // fixed chain.
    glPushMatrix();
    if (st.moonGroupManual) {
        applyManualMotion();
        drawMoonGroup(s * 5 + a, ox, oy, oz, s + a);
    } else {
        drawMoonGroup(s * 5, 0, 0, 0, s);
    }
    glPopMatrix();

    glPushMatrix();
    if (st.earthRocketManual) {
        applyManualMotion();
        drawPathRocket(-s * 6 - a, 2980 + ox, -2980 + oy, oz + 1795);
    } else {
        drawPathRocket(-s * 10, 2980, -2980, 1795);
    }
    glPopMatrix();

    glPushMatrix();
    if (st.greenSatelliteManual) {
        applyManualMotion();
        drawPathSatellite(-s * 10 + a, -2080 + ox, 2080 + oy, oz - 795, s * 90 + a, 1, 69, 0);
    } else {
        drawPathSatellite(-s * 10, -2080, 2080, -795, s * 90, 1, 69, 0);
    }
    glPopMatrix();

    glPushMatrix();
    if (st.redSatelliteManual) {
        applyManualMotion();
        drawPathSatellite(s * 5 + a, -4080 + ox, -4080 + oy, oz - 795, s * 90 + a, 1, 0, 0);
    } else {
        drawPathSatellite(s * 5, -4080, -4080, -795, s * 90, 1, 0, 0);
    }
    glPopMatrix();

    glPushMatrix();
    if (st.blueSatelliteManual) {
        applyManualMotion();
        drawPathSatellite(s * 15 + a, -3080 + ox, 2680 + oy, oz + 95, -s * 90 + a, 0, 0.5f, 0.5f);
    } else {
        drawPathSatellite(s * 15, -3080, 4080, 95, -s * 90, 0, 0.5f, 0.5f);
    }
    glPopMatrix();

    glutSwapBuffers();
}
