// The manual motion: the matrix it multiplies for each axis choice, that it
// acts only in the manual scenes, and the stride step in the manual Earth one.
#include <GL/freeglut.h>
#include <gtest/gtest.h>

#include "render/manual_motion.h"
#include "support/gl_test.h"
#include "support/transforms.h"

using ManualMotion = GlTest;

TEST_F(ManualMotion, TurnsAboutTheStarAxisThenMovesThenScales) {
    appState.showIntro = false;
    appState.showUniverseManual = true;
    appState.manualAngle = 30;
    appState.manualOffsetX = 40;
    appState.manualOffsetY = -70;
    appState.manualOffsetZ = 200;
    appState.manualScaleX = appState.manualScaleY = appState.manualScaleZ = 1.4f;
    const double k = 1.4f;
    const Mat4 caller = xform::translate(1, 2, 3);
    const struct {
        int code;
        double x, y, z;
    } axes[] = {{'a', 1, 0, 0}, {'b', 0, 1, 0}, {'c', 0, 0, 1}};
    for (const auto& axis : axes) {
        SCOPED_TRACE(std::string("star axis ") + char(axis.code));
        appState.starAxis = axis.code;
        glLoadMatrixd(caller.data());
        const int depth = modelviewDepth();
        applyManualMotion();
        const Mat4 expected =
            multiply(multiply(caller, xform::rotate(30, axis.x, axis.y, axis.z)),
                     multiply(xform::translate(40, -70, 200), xform::scale(k, k, k)));
        expectMatrixNear(currentModelview(), expected, 1e-4);
        EXPECT_EQ(modelviewDepth(), depth);
    }
    EXPECT_EQ(glGetError(), unsigned(GL_NO_ERROR));
}

TEST_F(ManualMotion, ActsOnlyInTheManualScenesAndStepsTheStrideInTheEarthOne) {
    appState.manualOffsetZ = 100;
    const struct {
        bool AppState::*flag;
        bool moves;
    } scenes[] = {{&AppState::showUniverseAuto, false},   {&AppState::showEarthAuto, false},
                  {&AppState::showMatrixUniverse, false}, {&AppState::showIntro, false},
                  {&AppState::showFarewell, false},       {&AppState::showUniverseManual, true}};
    for (const auto& scene : scenes) {
        appState.showIntro = false;
        appState.*scene.flag = true;
        glLoadIdentity();
        applyManualMotion();
        EXPECT_EQ(currentModelview() != xform::identity(), scene.moves);
        EXPECT_TRUE(appState.strideFlag);  // the stride is left alone
        EXPECT_EQ(appState.armSwing, 0);
        appState.*scene.flag = false;
    }

    // In the manual Earth scene every call takes exactly one stride step.
    appState.showEarthManual = true;
    const struct {
        int swing, spread;
        bool next;
    } poses[] = {{-10, 40, false}, {10, -40, true}, {-10, 40, false}};
    for (const auto& pose : poses) {
        glLoadIdentity();
        applyManualMotion();
        EXPECT_NE(currentModelview(), xform::identity());
        EXPECT_EQ(appState.armSwing, pose.swing);
        EXPECT_EQ(appState.armSpread, pose.spread);
        EXPECT_EQ(appState.strideFlag, pose.next);
    }
}
