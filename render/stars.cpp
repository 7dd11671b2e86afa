#include "render/stars.h"

#include <GL/freeglut.h>

#include "state/app_state.h"

void drawStars() {
    if (appState.starsSteady) {
        drawStarField();
        appState.starBlink = false;
    }
    if (appState.starBlink) drawStarField();
    drawStarBlock(-10, 0, -10);
}

void drawStarField() {
    drawStarBlock(15, -15, 15);
    drawStarBlock(5, 5, 1);
    drawStarBlock(10, 0, -10);
}

// Lattice indices run from -half to +half on each axis; the z term is
// applied twice, so rows are 2800 * c apart.
void drawStarBlock(int a, int b, int c) {
    const int count = 5;
    const int half = count / 2;
    glPushMatrix();
    rotateStars();
    for (int i = 0; i < count; ++i) {
        for (int j = 0; j < count; ++j) {
            glPushMatrix();
            glTranslatef(1400.0f * (a * (j - half)), 0, 1400.0f * (c * (i - half)));
            for (int k = 0; k < count; ++k) {
                glPushMatrix();
                glTranslatef(0, 1400.0f * (b * (k - half)), 1400.0f * (c * (i - half)));
                drawStarCluster();
                glPopMatrix();
            }
            glPopMatrix();
        }
    }
    glPopMatrix();
}

void rotateStars() {
    const float angle = appState.spinAngle;
    switch (appState.starAxis) {
        case 'a': glRotatef(angle, 1, 0, 0); break;
        case 'b': glRotatef(angle, 0, 1, 0); break;
        case 'c': glRotatef(angle, 0, 0, 1); break;
        default: break;
    }
}

// Placements of the fan on the cube's faces, after the unplaced fan (+y):
// a turn, then a shift that brings the base back onto the cube.
struct FanPlacement {
    float angle, axisX, axisY, axisZ;
    float shiftX, shiftY, shiftZ;
};

static const FanPlacement fanPlacements[] = {
    // angle  axis         shift            spike along
    {90, 0, 0, 1, 0, -50, 0},     // -x
    {180, 0, 0, 1, -50, -50, 0},  // -y
    {270, 0, 0, 1, -50, 0, 0},    // +x
    {90, 1, 0, 0, 0, 0, -50},     // +z
    {270, 1, 0, 0, 0, -50, 0},    // -z
};

void drawStarCluster() {
    drawStarFan();
    for (const FanPlacement& p : fanPlacements) {
        glPushMatrix();
        glRotatef(p.angle, p.axisX, p.axisY, p.axisZ);
        glTranslatef(p.shiftX, p.shiftY, p.shiftZ);
        drawStarFan();
        glPopMatrix();
    }
}

// Triangles of the fan: colour, then three vertices from the shared apex.
struct FanTriangle {
    float r, g, b;
    int vertices[3][3];
};

static const FanTriangle fanTriangles[] = {
    {0.9f, 0.5f, 0.2f, {{25, 150, 25}, {0, 50, 50}, {50, 50, 50}}},
    {0.6f, 0.75f, 0.0f, {{25, 150, 25}, {0, 50, 50}, {0, 50, 0}}},
    {0.0f, 0.0f, 0.5f, {{25, 150, 25}, {50, 50, 0}, {50, 50, 50}}},
    {0.1f, 1.0f, 0.75f, {{25, 150, 25}, {50, 50, 0}, {0, 50, 0}}},
};

void drawStarFan() {
    for (const FanTriangle& t : fanTriangles) {
        glColor3f(t.r, t.g, t.b);
        glBegin(GL_TRIANGLES);
        for (const int* v : t.vertices) glVertex3i(v[0], v[1], v[2]);
        glEnd();
    }
}
