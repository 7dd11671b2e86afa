// The models, through the primitives they issue and the matrix at each one
// (recorded without rasterising), plus one rendered satellite.
#include <GL/freeglut.h>
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "render/models.h"
#include "support/gl_test.h"
#include "support/transforms.h"

namespace {

// Each model starts in an unturned frame with colour material off and
// pointed elsewhere, so that a model that sets it shows.
class Models : public GlTest {
protected:
    void SetUp() override {
        GlTest::SetUp();
        glColorMaterial(GL_BACK, GL_SPECULAR);
        glDisable(GL_COLOR_MATERIAL);
        startDrawLog(DrawMode::RecordOnly);
    }
};

Point at(const DrawCall& call, double x = 0, double y = 0, double z = 0) {
    return transformPoint(call.modelview, x, y, z);
}

// Length of the image of the local vector (x, y, z).
double stretch(const DrawCall& call, double x, double y, double z) {
    const Point o = at(call), p = at(call, x, y, z);
    return std::hypot(p[0] - o[0], p[1] - o[1], p[2] - o[2]);
}

void expectCall(const DrawCall& call, const std::vector<double>& args,
                const std::array<float, 3>& colour) {
    EXPECT_EQ(call.args, args) << call.kind;
    for (int i = 0; i < 3; ++i) EXPECT_FLOAT_EQ(call.colour[i], colour[i]) << call.kind;
}

void expectColourMaterialSet() {
    GLint face = 0, parameter = 0;
    glGetIntegerv(GL_COLOR_MATERIAL_FACE, &face);
    glGetIntegerv(GL_COLOR_MATERIAL_PARAMETER, &parameter);
    EXPECT_TRUE(glIsEnabled(GL_COLOR_MATERIAL));
    EXPECT_EQ(face, GL_FRONT);
    EXPECT_EQ(parameter, GL_AMBIENT_AND_DIFFUSE);
}

const Mat4 halfTurnAboutY = xform::scale(-1, 1, -1);
const std::array<float, 3> white = {1, 1, 1}, red = {1, 0, 0}, orange = {1, 0.69f, 0};
const double tol = 1e-3;

}  // namespace

TEST_F(Models, RocketLiesAlongMinusXAndLeavesAHalfTurn) {
    drawRocket();
    const auto cones = callsOf("glutSolidCone"), wires = callsOf("glutWireCone");
    const auto balls = callsOf("glutSolidSphere"), tubes = callsOf("gluCylinder");
    ASSERT_EQ(cones.size(), 2u);
    ASSERT_EQ(wires.size(), 2u);
    ASSERT_EQ(balls.size(), 1u);
    ASSERT_EQ(tubes.size(), 2u);

    // Nose: orange cone from x = -700 to its tip at -1100, under a red wire.
    expectCall(cones[0], {130, 400, 100, 20}, orange);
    expectPointNear(at(cones[0], 0, 0, 400), {-1100, 0, 0}, tol);
    expectPointNear(at(cones[0]), {-700, 0, 0}, tol);
    expectCall(wires[0], {130.005, 400.005, 10, 20}, red);
    expectMatrixNear(wires[0].modelview, cones[0].modelview, 1e-6);
    // Fin: the nose cone flattened to half-axes 650 (y) and 13 (z), tip at
    // (-650, 50, -50), under a magenta wire.
    expectCall(cones[1], {130, 400, 100, 20}, red);
    expectPointNear(at(cones[1], 0, 0, 400), {-650, 50, -50}, tol);
    EXPECT_NEAR(stretch(cones[1], 0, 130, 0), 650, tol);
    EXPECT_NEAR(stretch(cones[1], 130, 0, 0), 13, tol);
    expectCall(wires[1], {130.005, 400.005, 10, 20}, {1, 0, 1});
    expectMatrixNear(wires[1].modelview, cones[1].modelview, 1e-6);
    // Tail ball and the two body tubes.
    expectCall(balls[0], {180, 200, 200}, orange);
    expectPointNear(at(balls[0]), {-30, 0, 0}, tol);
    expectCall(tubes[0], {200, 55, 500, 50, 10}, red);
    expectPointNear(at(tubes[0]), {0, 0, 0}, tol);
    expectPointNear(at(tubes[0], 0, 0, 500), {-500, 0, 0}, tol);
    expectCall(tubes[1], {130, 130, 500, 50, 10}, {1, 1, 0});
    expectPointNear(at(tubes[1]), {-200, 0, 0}, tol);
    expectPointNear(at(tubes[1], 0, 0, 500), {-700, 0, 0}, tol);

    expectMatrixNear(currentModelview(), halfTurnAboutY, 1e-6);
    expectColourMaterialSet();

    // A second rocket without restoring the matrix points the other way.
    startDrawLog(DrawMode::RecordOnly);
    drawRocket();
    expectPointNear(at(callsOf("glutSolidCone")[0], 0, 0, 400), {1100, 0, 0}, tol);
    expectMatrixNear(currentModelview(), xform::identity(), 1e-6);
    EXPECT_EQ(glCounters.quadricsMade, 2);
    EXPECT_EQ(glCounters.quadricsFreed, 2);
}

TEST_F(Models, SatelliteIsACrossInTheCurrentColour) {
    glColor3f(0.25f, 0.5f, 0.75f);
    drawSatellite();
    const auto balls = callsOf("glutSolidSphere"), tubes = callsOf("gluCylinder");
    ASSERT_EQ(balls.size(), 4u);
    ASSERT_EQ(tubes.size(), 4u);
    // Four tubes run 300 from the centre; a ball sits on each tube's end.
    const Point ballCentres[] = {{300, 0, 0}, {0, 0, -300}, {0, 0, 300}, {-300, 0, 0}};
    const Point tubeEnds[] = {{0, 0, 300}, {300, 0, 0}, {-300, 0, 0}, {0, 0, -300}};
    for (int i = 0; i < 4; ++i) {
        SCOPED_TRACE("arm " + std::to_string(i + 1));
        expectCall(balls[i], {100, i == 0 ? 100.0 : 200.0, 200}, {0.25f, 0.5f, 0.75f});
        expectPointNear(at(balls[i]), ballCentres[i], tol);
        expectCall(tubes[i], {100, 100, 300, 50, 10}, {0.25f, 0.5f, 0.75f});
        expectPointNear(at(tubes[i]), {0, 0, 0}, tol);
        expectPointNear(at(tubes[i], 0, 0, 300), tubeEnds[i], tol);
    }
    expectMatrixNear(currentModelview(), halfTurnAboutY, 1e-6);
    expectColourMaterialSet();
    EXPECT_EQ(glCounters.quadricsMade, 1);
    EXPECT_EQ(glCounters.quadricsFreed, 1);

    // Rendered unlit under the start camera, the colour (1, 69, 0) that some
    // scenes pass shows clamped to yellow.
    stopDrawLog();
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glDisable(GL_LIGHTING);
    glLoadMatrixd(cameraMatrix().data());
    glColor3f(1, 69, 0);
    drawSatellite();
    glutSwapBuffers();
    for (double x : {300.0, -300.0}) {
        const auto p = projectToWindow(x, 0, 0);
        EXPECT_EQ(frontPixel(int(p[0]), int(p[1])), (std::array<int, 3>{255, 255, 0})) << x;
    }
    EXPECT_EQ(glGetError(), unsigned(GL_NO_ERROR));
}

TEST_F(Models, AstronautArmsSwingAboutTheFeetAndNothingElseMoves) {
    const struct {
        int swing, spread;
        double angle1, angle2;  // arm turns about x, degrees
        double y1, y2;          // box centres (5, y, 270) before the turn
    } phases[] = {{0, 0, 30, -30, 45, -45}, {-10, 40, 40, -40, 85, -85}, {10, -40, 20, -20, 5, -5}};
    for (const auto& phase : phases) {
        SCOPED_TRACE("armSwing " + std::to_string(phase.swing));
        appState.armSwing = phase.swing;
        appState.armSpread = phase.spread;
        glColor3f(0.3f, 0.6f, 0.9f);
        startDrawLog(DrawMode::RecordOnly);
        drawAstronaut();
        const auto boxes = callsOf("glutSolidCube"), outlines = callsOf("glutWireCube");
        const auto balls = callsOf("glutSolidSphere");
        ASSERT_EQ(boxes.size(), 5u);
        ASSERT_EQ(outlines.size(), 5u);
        ASSERT_EQ(balls.size(), 5u);

        // Arm boxes 20 x 15 x 200, turned about the x axis through the feet.
        const Point arm1 = transformPoint(xform::rotate(phase.angle1, 1, 0, 0), 5, phase.y1, 270);
        const Point arm2 = transformPoint(xform::rotate(phase.angle2, 1, 0, 0), 5, phase.y2, 270);
        expectPointNear(at(boxes[0]), arm1, tol);
        expectPointNear(at(boxes[1]), arm2, tol);
        EXPECT_NEAR(stretch(boxes[0], 0, 0, 10), 200, tol);
        EXPECT_NEAR(stretch(boxes[1], 0, 10, 0), 15, tol);
        if (phase.swing == 0) {
            expectPointNear(at(boxes[0]), {5, -96.0, 256.3}, 0.05);
            expectPointNear(at(boxes[1]), {5, 96.0, 256.3}, 0.05);
        }
        // Torso and legs stay put.
        expectPointNear(at(boxes[2]), {0, 0, 180}, tol);
        expectPointNear(at(boxes[3]), {10, -20, 100}, tol);
        expectPointNear(at(boxes[4]), {10, 20, 100}, tol);
        EXPECT_NEAR(stretch(boxes[2], 10, 0, 0), 50, tol);
        EXPECT_NEAR(stretch(boxes[4], 0, 0, 10), 150, tol);
        for (int i = 0; i < 5; ++i) {
            expectCall(boxes[i], {10}, white);
            expectCall(outlines[i], {10.0005}, white);
            expectMatrixNear(outlines[i].modelview, boxes[i].modelview, 1e-6);
        }
        // Head in the caller's colour; white shoulders (y = -55 and +50) and feet.
        const struct {
            double radius;
            Point centre;
            double halfZ;
        } fixed[] = {{50, {0, 0, 280}, 50},
                     {5, {5, -55, 210}, 17.5},
                     {5, {5, 50, 210}, 17.5},
                     {50, {30, 20, 30}, 25},
                     {50, {30, -20, 30}, 25}};
        for (int i = 0; i < 5; ++i) {
            expectCall(balls[i], {fixed[i].radius, 200, 200},
                       i == 0 ? std::array<float, 3>{0.3f, 0.6f, 0.9f} : white);
            expectPointNear(at(balls[i]), fixed[i].centre, tol);
            EXPECT_NEAR(stretch(balls[i], 0, 0, fixed[i].radius), fixed[i].halfZ, tol);
        }
        // Each arm sets white under its turn alone, before the box is moved
        // and stretched.
        for (double angle : {phase.angle1, phase.angle2}) {
            int setUnderTurn = 0;
            const Mat4 turn = xform::rotate(angle, 1, 0, 0);
            for (const DrawCall& c : colourLog()) {
                bool underTurn = c.args == std::vector<double>{1, 1, 1};
                for (int i = 0; i < 16; ++i) underTurn &= std::abs(c.modelview[i] - turn[i]) < 1e-6;
                setUnderTurn += underTurn;
            }
            EXPECT_EQ(setUnderTurn, 1) << "arm turned " << angle;
        }
        expectMatrixNear(currentModelview(), xform::identity(), 0);
        EXPECT_FALSE(glIsEnabled(GL_COLOR_MATERIAL));  // left as the caller had it
    }
}
