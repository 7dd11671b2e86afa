// The manual motion: the matrix it multiplies for each axis choice, that it
// acts only in the manual scenes, and the stride step in the manual Earth
// scene.
#include <GL/freeglut.h>
#include <gtest/gtest.h>

#include "input/manual_controls.h"
#include "support/gl_test.h"
#include "support/transforms.h"

namespace {

class ManualMotion : public GlTest {
protected:
    void show(bool AppState::*scene) {
        appState.showIntro = false;
        appState.*scene = true;
    }
};

}  // namespace

TEST_F(ManualMotion, TurnsAboutTheStarAxisThenMovesThenScales) {
    show(&AppState::showUniverseManual);
    appState.manualAngle = 30;
    appState.manualOffsetX = 40;
    appState.manualOffsetY = -70;
    appState.manualOffsetZ = 200;
    appState.manualScaleX = appState.manualScaleY = appState.manualScaleZ = 1.4f;
    const double scale = 1.4f;

    struct Axis {
        int code;
        double x, y, z;
    };
    static const Axis axes[] = {{'a', 1, 0, 0}, {'b', 0, 1, 0}, {'c', 0, 0, 1}};
    const Mat4 camera = translationMatrix(1, 2, 3);  // an arbitrary caller matrix
    for (const Axis& axis : axes) {
        SCOPED_TRACE(std::string("star axis ") + char(axis.code));
        appState.starAxis = axis.code;
        glLoadMatrixd(camera.data());
        const int depth = modelviewDepth();
        applyManualMotion();
        const Mat4 expected = multiply(
            camera, multiply(rotationMatrix(30, axis.x, axis.y, axis.z),
                             multiply(translationMatrix(40, -70, 200),
                                      scaleMatrix(scale, scale, scale))));
        expectMatrixNear(currentModelview(), expected, 1e-4);
        EXPECT_EQ(modelviewDepth(), depth);
    }

    // The reset values turn by 90 degrees about z and nothing else: x goes
    // to y.
    appState.starAxis = 'c';
    appState.manualAngle = 90;
    appState.manualOffsetX = appState.manualOffsetY = appState.manualOffsetZ = 0;
    appState.manualScaleX = appState.manualScaleY = appState.manualScaleZ = 1;
    glLoadIdentity();
    applyManualMotion();
    expectPointNear(transformPoint(currentModelview(), 100, 0, 0), {0, 100, 0}, 1e-4);
    EXPECT_EQ(glGetError(), unsigned(GL_NO_ERROR));
}

TEST_F(ManualMotion, ActsOnlyInTheManualScenesAndStepsTheStrideInTheEarthOne) {
    appState.manualAngle = 45;
    appState.manualOffsetZ = 100;
    appState.manualScaleX = 2;
    struct Scene {
        const char* name;
        bool AppState::*flag;
        bool moves;
    };
    static const Scene scenes[] = {
        {"automatic Universe", &AppState::showUniverseAuto, false},
        {"automatic Earth", &AppState::showEarthAuto, false},
        {"matrix Universe", &AppState::showMatrixUniverse, false},
        {"intro", &AppState::showIntro, false},
        {"farewell", &AppState::showFarewell, false},
        {"manual Universe", &AppState::showUniverseManual, true},
    };
    for (const Scene& scene : scenes) {
        SCOPED_TRACE(scene.name);
        appState.showIntro = false;
        appState.*scene.flag = true;
        glLoadIdentity();
        applyManualMotion();
        const bool moved = currentModelview() != identityMatrix();
        EXPECT_EQ(moved, scene.moves);
        // The stride is left alone outside the manual Earth scene.
        EXPECT_TRUE(appState.strideFlag);
        EXPECT_EQ(appState.armSwing, 0);
        EXPECT_EQ(appState.armSpread, 0);
        appState.*scene.flag = false;
    }

    // In the manual Earth scene each call moves and takes exactly one step.
    appState.showEarthManual = true;
    struct Pose {
        int swing, spread;
        bool flagAfter;
    };
    static const Pose poses[] = {{-10, 40, false}, {10, -40, true}, {-10, 40, false}};
    for (const Pose& pose : poses) {
        glLoadIdentity();
        applyManualMotion();
        EXPECT_NE(currentModelview(), identityMatrix());
        EXPECT_EQ(appState.armSwing, pose.swing);
        EXPECT_EQ(appState.armSpread, pose.spread);
        EXPECT_EQ(appState.strideFlag, pose.flagAfter);
    }
    glLoadIdentity();
}
