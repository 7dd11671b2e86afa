// The display dispatch, the reshape, the fixed GL state and what a frame
// leaves behind, in a real GL context.
#include <GL/freeglut.h>

#include <cmath>

#include "app/frame_loop.h"
#include "app/menus.h"
#include "app/window.h"
#include "support/gl_test.h"

namespace {

using FrameLoop = GlTest;

TEST_F(FrameLoop, FixedStateFromStartUp) {
    initGraphics();
    GLfloat clear[4];
    glGetFloatv(GL_COLOR_CLEAR_VALUE, clear);
    EXPECT_EQ(clear[0] + clear[1] + clear[2] + clear[3], 0.0f);
    GLdouble depthClear = 0;
    glGetDoublev(GL_DEPTH_CLEAR_VALUE, &depthClear);
    EXPECT_EQ(depthClear, 1.0);
    GLint depthFunc = 0, shade = 0, mode = 0;
    glGetIntegerv(GL_DEPTH_FUNC, &depthFunc);
    glGetIntegerv(GL_SHADE_MODEL, &shade);
    glGetIntegerv(GL_MATRIX_MODE, &mode);
    EXPECT_EQ(depthFunc, GL_LEQUAL);
    EXPECT_EQ(shade, GL_SMOOTH);
    EXPECT_EQ(mode, GL_MODELVIEW);
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
    EXPECT_EQ(glutGet(GLUT_WINDOW_RGBA), 1);
    EXPECT_EQ(glutGet(GLUT_WINDOW_DOUBLEBUFFER), 1);
    EXPECT_GT(glutGet(GLUT_WINDOW_DEPTH_SIZE), 0);
}

// The perspective matrix for a vertical field of view, aspect and clip
// planes, worked out from the definition.
Mat4 perspective(double fovY, double aspect, double zNear, double zFar) {
    const double f = 1 / std::tan(fovY * M_PI / 360);
    Mat4 m{};
    m[0] = f / aspect;
    m[5] = f;
    m[10] = (zFar + zNear) / (zNear - zFar);
    m[11] = -1;
    m[14] = 2 * zFar * zNear / (zNear - zFar);
    return m;
}

void expectMatrixNear(const Mat4& a, const Mat4& b) {
    for (int i = 0; i < 16; ++i) EXPECT_NEAR(a[i], b[i], 1e-6 * (1 + std::fabs(b[i]))) << i;
}

TEST_F(FrameLoop, ReshapeSetsViewportAspectAndProjection) {
    applyReshape(appState, 1024, 512);
    EXPECT_EQ(appState.aspectRatio, 2.0);
    EXPECT_EQ(appState.windowWidth, 1024);
    EXPECT_EQ(appState.windowHeight, 512);
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(viewport[2], 1024);
    EXPECT_EQ(viewport[3], 512);
    expectMatrixNear(currentProjection(), perspective(50, 2.0, 300, 30000));
    GLint mode = 0;
    glGetIntegerv(GL_MATRIX_MODE, &mode);
    EXPECT_EQ(mode, GL_MODELVIEW);

    // A non-integral aspect is a true division.
    applyReshape(appState, 800, 600);
    EXPECT_DOUBLE_EQ(appState.aspectRatio, 800.0 / 600.0);

    // Height 0 changes nothing at all.
    const Mat4 before = currentProjection();
    applyReshape(appState, 640, 0);
    EXPECT_EQ(appState.windowWidth, 800);
    EXPECT_EQ(appState.windowHeight, 600);
    EXPECT_DOUBLE_EQ(appState.aspectRatio, 800.0 / 600.0);
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(viewport[2], 800);
    EXPECT_EQ(currentProjection(), before);
}

TEST_F(FrameLoop, ZoomShowsOnlyFromTheNextReshape) {
    const Mat4 before = currentProjection();
    appState.fovY = 25;
    chooseScene(appState, 46);
    drawFrame();
    EXPECT_EQ(currentProjection(), before);
    applyReshape(appState, 800, 600);
    expectMatrixNear(currentProjection(), perspective(25, 800.0 / 600.0, 300, 30000));
}

TEST_F(FrameLoop, FirstFrameResetsTheViewOnceThenDrawsTheIntro) {
    appState.eyeX = 1;
    appState.centerZ = 99;
    appState.spinAngle = 7;
    appState.fovY = 75;
    glLightModeli(GL_LIGHT_MODEL_TWO_SIDE, GL_FALSE);
    EXPECT_EQ(drawFrame(), static_cast<unsigned>(GL_NO_ERROR));
    EXPECT_EQ(glCounters.swaps, 1);
    EXPECT_FALSE(appState.resetPending);
    EXPECT_EQ(appState.eyeX, 5000.0);
    EXPECT_EQ(appState.centerZ, 2.0);
    EXPECT_EQ(appState.spinAngle, 0.0f);
    EXPECT_EQ(appState.fovY, 75.0);
    GLint twoSide = 0;
    glGetIntegerv(GL_LIGHT_MODEL_TWO_SIDE, &twoSide);
    EXPECT_EQ(twoSide, GL_TRUE);

    // Later frames leave the camera where the keys put it.
    appState.eyeX = 1;
    drawFrame();
    EXPECT_EQ(appState.eyeX, 1.0);
    EXPECT_EQ(glCounters.swaps, 2);
}

TEST_F(FrameLoop, EverySceneDrawsOneFrameWithBalancedStacksAndNoError) {
    startDrawLog(DrawMode::RecordOnly);
    for (int value = 41; value <= 46; ++value) {
        SCOPED_TRACE(value);
        chooseScene(appState, value);
        appState.spinAngle = 3;
        resetGlCounters();
        const int modelview = modelviewDepth(), projection = projectionDepth();
        for (int frame = 0; frame < 2; ++frame) {
            EXPECT_EQ(drawFrame(), static_cast<unsigned>(GL_NO_ERROR));
            advanceClocks(appState);
        }
        EXPECT_EQ(glCounters.swaps, 2);
        EXPECT_EQ(modelviewDepth(), modelview);
        EXPECT_EQ(projectionDepth(), projection);
        // Quadrics made while drawing are all released again.
        EXPECT_EQ(glCounters.quadricsMade, glCounters.quadricsFreed);
        EXPECT_GT(glCounters.quadricsMade, 0);  // the axes at least
    }
}

TEST_F(FrameLoop, TwoSetFlagsWouldDrawBothScenesInTableOrder) {
    startDrawLog(DrawMode::RecordOnly);
    appState.showMatrixUniverse = true;  // with showIntro, as at start-up
    drawFrame();
    EXPECT_EQ(glCounters.swaps, 2);
    EXPECT_FALSE(appState.resetPending);
}

}  // namespace
