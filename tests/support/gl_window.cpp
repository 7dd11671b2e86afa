#include "support/gl_window.h"

#include <GL/freeglut.h>
#include <GL/glu.h>
#include <GL/glx.h>

#include <chrono>
#include <cmath>
#include <thread>

#include "app/frame_loop.h"
#include "app/window.h"
#include "support/gl_counters.h"
#include "x_window_image.h"

static bool exposed = false;
static void noteExposed() { exposed = true; }

void ensureGlWindow() {
    static bool open = false;
    if (open) return;
    int argc = 1;
    char name[] = "universe-tests";
    char* argv[] = {name, nullptr};
    glutInit(&argc, argv);
    glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH);
    glutInitWindowSize(800, 600);
    glutInitWindowPosition(100, 100);
    glutCreateWindow(windowTitle);
    glutDisplayFunc(noteExposed);
    initGraphics();
    // Wait (bounded) for the window to be mapped and exposed, so that what
    // is drawn reaches the screen and can be read back.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (!exposed && std::chrono::steady_clock::now() < deadline) {
        glutMainLoopEvent();
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    open = true;
    setForwardRedisplay(true);
    resetForTest();
}

void resetForTest() {
    appState = AppState{};
    applyReshape(appState, 800, 600);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    while (glGetError() != GL_NO_ERROR) {}
    stopDrawLog();
    resetGlCounters();
}

unsigned drawFrame() {
    onDisplay();
    return glGetError();
}

static int readInt(GLenum what) {
    GLint value = 0;
    glGetIntegerv(what, &value);
    return value;
}

int modelviewDepth() { return readInt(GL_MODELVIEW_STACK_DEPTH); }
int projectionDepth() { return readInt(GL_PROJECTION_STACK_DEPTH); }
int attribDepth() { return readInt(GL_ATTRIB_STACK_DEPTH); }

Mat4 currentModelview() {
    Mat4 m;
    glGetDoublev(GL_MODELVIEW_MATRIX, m.data());
    return m;
}

Mat4 currentProjection() {
    Mat4 m;
    glGetDoublev(GL_PROJECTION_MATRIX, m.data());
    return m;
}

Mat4 multiply(const Mat4& a, const Mat4& b) {
    Mat4 r{};
    for (int col = 0; col < 4; ++col)
        for (int row = 0; row < 4; ++row) {
            double sum = 0;
            for (int k = 0; k < 4; ++k) sum += a[k * 4 + row] * b[col * 4 + k];
            r[col * 4 + row] = sum;
        }
    return r;
}

// Gauss-Jordan inverse with partial pivoting.
Mat4 inverse(const Mat4& m) {
    double a[4][8];
    for (int row = 0; row < 4; ++row)
        for (int col = 0; col < 4; ++col) {
            a[row][col] = m[col * 4 + row];
            a[row][col + 4] = (row == col) ? 1 : 0;
        }
    for (int col = 0; col < 4; ++col) {
        int pivot = col;
        for (int row = col + 1; row < 4; ++row)
            if (std::fabs(a[row][col]) > std::fabs(a[pivot][col])) pivot = row;
        for (int k = 0; k < 8; ++k) std::swap(a[col][k], a[pivot][k]);
        const double p = a[col][col];
        for (int k = 0; k < 8; ++k) a[col][k] /= p;
        for (int row = 0; row < 4; ++row) {
            if (row == col) continue;
            const double f = a[row][col];
            for (int k = 0; k < 8; ++k) a[row][k] -= f * a[col][k];
        }
    }
    Mat4 r;
    for (int row = 0; row < 4; ++row)
        for (int col = 0; col < 4; ++col) r[col * 4 + row] = a[row][col + 4];
    return r;
}

std::array<double, 3> transformPoint(const Mat4& m, double x, double y, double z) {
    const double w = m[3] * x + m[7] * y + m[11] * z + m[15];
    return {(m[0] * x + m[4] * y + m[8] * z + m[12]) / w,
            (m[1] * x + m[5] * y + m[9] * z + m[13]) / w,
            (m[2] * x + m[6] * y + m[10] * z + m[14]) / w};
}

Mat4 cameraMatrix() {
    const AppState& s = appState;
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    gluLookAt(s.eyeX, s.eyeY, s.eyeZ, s.centerX, s.centerY, s.centerZ, 0, 0, 1);
    Mat4 camera = currentModelview();
    glPopMatrix();
    return camera;
}

std::array<double, 3> worldOrigin(const Mat4& modelview) {
    return transformPoint(multiply(inverse(cameraMatrix()), modelview), 0, 0, 0);
}

std::array<double, 2> projectToWindow(double x, double y, double z) {
    const Mat4 clip = multiply(currentProjection(), cameraMatrix());
    const auto ndc = transformPoint(clip, x, y, z);
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    return {viewport[0] + (ndc[0] + 1) * viewport[2] / 2.0,
            viewport[1] + (ndc[1] + 1) * viewport[3] / 2.0};
}

std::array<int, 3> WindowPicture::at(int x, int y) const {
    if (x < 0 || y < 0 || x >= width || y >= height) return {0, 0, 0};
    const size_t i = (static_cast<size_t>(height - 1 - y) * width + x) * 3;
    return {rgb[i], rgb[i + 1], rgb[i + 2]};
}

// The window's contents on the X server, from the GLX drawable of the
// current context (the GLUT window).
WindowPicture grabWindow() {
    const RgbImage image = readWindowImage(glXGetCurrentDisplay(), glXGetCurrentDrawable());
    return {image.width, image.height, image.pixels};
}

std::array<int, 3> frontPixel(int x, int y) { return grabWindow().at(x, y); }
