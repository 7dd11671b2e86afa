#include "scenes/universe_scenes.h"

#include <GL/freeglut.h>

#include "render/manual_motion.h"
#include "render/models.h"
#include "render/scene_frame.h"
#include "render/stars.h"
#include "state/app_state.h"

// Both Universe frames; the manual one moves everything after the axes.
static void drawUniverse(bool manual) {
    setupView();
    drawAxes();
    applyLighting();
    if (manual) applyManualMotion();
    drawStars();
    drawSun();
    drawPlanetSystem();
    glutSwapBuffers();
}

void drawUniverseAuto() { drawUniverse(false); }

void drawUniverseManual() { drawUniverse(true); }

// A plain planet: turned to its starting angle, then along its orbit by
// `orbitAngle` about `spinAxisZ`-scaled z, out at `distance` (+ offsets).
struct PlanetOrbit {
    float phase;
    float spinAxisZ;
    float distance;
    bool zOffset;  // whether the translation's z carries manualOffsetZ
    float r, g, b;
    double radius;
};

static void drawPlanet(const PlanetOrbit& p, float orbitAngle, void (*extra)() = nullptr) {
    const AppState& s = appState;
    glPushMatrix();
    glRotatef(p.phase, 0, 0, 15);
    glPushMatrix();
    glRotatef(orbitAngle, 0, 0, p.spinAxisZ);
    glTranslatef(p.distance + s.manualOffsetX, s.manualOffsetY, p.zOffset ? s.manualOffsetZ : 0);
    glColor3f(p.r, p.g, p.b);
    glutSolidSphere(p.radius, 200, 200);
    if (extra) extra();
    glPopMatrix();
    glPopMatrix();
}

// A group whose body function moves the pushed matrix itself.
static void drawGroup(float phase, void (*body)()) {
    glPushMatrix();
    glRotatef(phase, 0, 0, 15);
    glPushMatrix();
    body();
    glPopMatrix();
    glPopMatrix();
}

// The small rocket that circles the third planet, in the planet's frame.
static void drawPlanetRocket() {
    const AppState& s = appState;
    glRotatef(s.spinAngle * 8, 0, 0, 1);
    glTranslatef(200 + s.manualOffsetX, 200 + s.manualOffsetY, 0);
    glScalef(0.1f, 0.1f, 0.1f);
    glRotatef(180, 0, 1, 0);
    drawRocket();
}

// The red satellite on its wide path about the y axis.
static void drawFreeSatellite() {
    const AppState& s = appState;
    glPushMatrix();
    glRotatef(s.spinAngle * 5, 0, 1, 0);
    glTranslatef(-1980 + s.manualOffsetX, -1980 + s.manualOffsetY, s.manualOffsetZ - 795);
    glRotatef(s.spinAngle * 90, 1, 0, 0);
    glColor3f(1, 0, 0);
    glScalef(0.9f, 0.9f, 0.9f);
    drawSatellite();
    glPopMatrix();
}

void drawPlanetSystem() {
    const float s = appState.spinAngle;
    //                        phase  axis z  distance  z off  colour               radius
    static const PlanetOrbit first = {-90, 1, 700, false, 0, 0, 0.5f, 60};
    static const PlanetOrbit second = {45, 15, 900, false, 1, 0, 1, 75};
    static const PlanetOrbit third = {-80, 1, 1400, false, 1, 0.2f, 0.3f, 130};
    static const PlanetOrbit fourth = {-40, 1, 2000, false, 0.78f, 0.67f, 0.43f, 190};
    static const PlanetOrbit fifth = {-150, 1, 3500, true, 0.4f, 0.75f, 0.25f, 120};
    static const PlanetOrbit sixth = {30, 1, 3900, true, 0, 0.65f, 0.4f, 120};
    static const PlanetOrbit seventh = {80, 1, 4200, true, 1, 0.75f, 0.5f, 50};

    drawPlanet(first, s * 3);
    drawPlanet(second, s * 5);
    drawGroup(45, drawEarthSystem);
    drawPlanet(third, s * 3, drawPlanetRocket);
    drawFreeSatellite();
    drawPlanet(fourth, s * 2);
    drawGroup(160, drawRingedPlanetSystem);
    drawPlanet(fifth, s * 1.2);
    drawPlanet(sixth, s * 0.9);
    drawPlanet(seventh, s * 0.5);
}

// A small satellite of the Earth group, in the Moon's frame.
static void drawSmallSatellite(float x, float y, float z, float r, float g, float b) {
    const AppState& s = appState;
    glPushMatrix();
    glRotatef(s.spinAngle * 5, 0, 1, 0);
    glTranslatef(x + s.manualOffsetX, y + s.manualOffsetY, s.manualOffsetZ + z);
    glRotatef(s.spinAngle * 90, 1, 0, 0);
    glColor3f(r, g, b);
    glScalef(0.1f, 0.1f, 0.1f);
    drawSatellite();
    glPopMatrix();
}

void drawEarthSystem() {
    const AppState& s = appState;
    const float ox = s.manualOffsetX, oy = s.manualOffsetY, oz = s.manualOffsetZ;

    // Earth on its orbit, then the Moon about it.
    glRotatef(s.spinAngle * 4, 0, 0, 10);
    glTranslatef(1100 + ox, oy, 0);
    drawEarth();
    glRotatef(-s.spinAngle * 30, 0, 0, 1);
    glTranslatef(80 + ox, 80 + oy, oz + 75);
    drawMoon();

    // The Moon's rocket.
    glPushMatrix();
    glRotatef(s.spinAngle * 30, 1, 0, 0);
    glTranslatef(80 + ox, 80 + oy, oz + 75);
    glScalef(0.1f, 0.1f, 0.1f);
    drawRocket();
    glPopMatrix();

    // Three satellites. GL clamps each channel of (1, 69, 0), so the red stays
    // and the colour is yellow-green, yellow where fully lit or unlit.
    drawSmallSatellite(90, 190, -200, 1, 0, 0);
    drawSmallSatellite(-180, -180, -50, 1, 69, 0);
    drawSmallSatellite(-180, 280, 100, 1, 69, 0);
}

// One of the ringed planet's moons, turned by `angle` about (x, y, z).
static void drawRingMoon(float angle, float ax, float ay, float az, float x) {
    const AppState& s = appState;
    glPushMatrix();
    glRotatef(angle, ax, ay, az);
    glTranslatef(x + s.manualOffsetX, 400 + s.manualOffsetY, s.manualOffsetZ + 50);
    drawMoon();
    glPopMatrix();
}

void drawRingedPlanetSystem() {
    const AppState& s = appState;
    glRotatef(s.spinAngle * 1.7, 0, 0, 15);
    glTranslatef(2800 + s.manualOffsetX, s.manualOffsetY, 0);
    glColor3f(1, 0, 0);
    glutSolidSphere(180, 200, 200);

    // The ring: a white sphere tilted and flattened into a disc.
    glPushMatrix();
    glRotatef(-20, 1, 1, 0);
    glScalef(1.6f, 1.6f, 0.1f);
    glColor3f(1, 1, 1);
    drawRing();
    glPopMatrix();

    drawRingMoon(-s.spinAngle * 40, 1, 1, 0, -350);
    drawRingMoon(-s.spinAngle * 50, 0, 1, 0, -380);
    drawRingMoon(-s.spinAngle * 60, 1, 0, 0, 380);
}
