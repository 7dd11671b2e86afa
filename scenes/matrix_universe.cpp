#include "scenes/matrix_universe.h"

#include <GL/freeglut.h>

#include <cmath>

#include "render/models.h"
#include "render/scene_frame.h"
#include "render/stars.h"
#include "state/app_state.h"

namespace {

// A column-major 4 x 4 matrix as glMultMatrixf reads it.
struct Matrix {
    GLfloat m[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
};

Matrix identity() { return Matrix{}; }

// Turn about z by `t` radians, counter-clockwise; built from -t.
Matrix rotationZ(double t) {
    const double n = -t;
    Matrix r;
    r.m[0] = static_cast<GLfloat>(std::cos(n));
    r.m[1] = static_cast<GLfloat>(-std::sin(n));
    r.m[4] = static_cast<GLfloat>(std::sin(n));
    r.m[5] = static_cast<GLfloat>(std::cos(n));
    return r;
}

Matrix translation(GLfloat x, GLfloat y, GLfloat z) {
    Matrix t;
    t.m[12] = x;
    t.m[13] = y;
    t.m[14] = z;
    return t;
}

Matrix scaling(GLfloat x, GLfloat y, GLfloat z) {
    Matrix s;
    s.m[0] = x;
    s.m[5] = y;
    s.m[10] = z;
    return s;
}

void multiply(const Matrix& matrix) { glMultMatrixf(matrix.m); }

// A solid body with a slightly larger wire shell, both in one colour.
void drawShelledBody(Colour colour, double radius, double shellRadius) {
    drawShelledSphere(colour, radius, 100, colour, shellRadius);
}

}  // namespace

void drawMatrixUniverse() {
    setupView();
    drawAxes();
    applyLighting();
    drawStars();
    drawMatrixSystem();
    glutSwapBuffers();
}

void drawMatrixSystem() {
    const float a = appState.matrixAngle;
    glMatrixMode(GL_MODELVIEW);
    multiply(identity());

    // The sun: red with a yellow wire shell.
    drawShelledSphere({1, 0, 0}, 590, 100, {1, 1, 0}, 590.005);

    // First planet, 2000 out at orbit angle a + 5, with its flat ring.
    multiply(rotationZ(a + 5.0f));
    multiply(translation(0, 2000, 0));
    drawShelledBody({0, 0, 1}, 130, 130.005);
    multiply(scaling(1, 1, 0.1f));
    multiply(identity());
    drawShelledBody({1, 0, 1}, 200, 200.005);
    multiply(scaling(1, 1, 10));

    // Back to the sun's centre, then the second planet 2500 out.
    multiply(translation(0, -2000, 0));
    multiply(rotationZ(a));
    multiply(translation(0, 2500, 0));
    drawShelledBody({0, 0, 1}, 180, 180.005);

    // Its moon.
    multiply(rotationZ(a * 2.5));
    multiply(translation(0, 250, 80));
    drawShelledBody({1, 0, 1}, 50, 50.005);
}
