// The models, through the primitives they issue and the matrices in force at
// each one (recorded without rasterising), plus one rendered satellite.
#include <GL/freeglut.h>
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "scene/models.h"
#include "support/gl_test.h"
#include "support/transforms.h"

namespace {

class Models : public GlTest {
protected:
    // Starts every model from an unturned frame, with colour material off
    // and pointed elsewhere, so that a model that sets it shows.
    void SetUp() override {
        GlTest::SetUp();
        glLoadIdentity();
        glColorMaterial(GL_BACK, GL_SPECULAR);
        glDisable(GL_COLOR_MATERIAL);
        startDrawLog(DrawMode::RecordOnly);
    }
};

Point at(const DrawCall& call, double x = 0, double y = 0, double z = 0) {
    return transformPoint(call.modelview, x, y, z);
}

// Length of the model-frame image of the local vector (x, y, z).
double stretch(const DrawCall& call, double x, double y, double z) {
    const Point o = at(call), p = at(call, x, y, z);
    return std::sqrt((p[0] - o[0]) * (p[0] - o[0]) + (p[1] - o[1]) * (p[1] - o[1]) +
                     (p[2] - o[2]) * (p[2] - o[2]));
}

void expectColour(const DrawCall& call, float r, float g, float b) {
    EXPECT_FLOAT_EQ(call.colour[0], r);
    EXPECT_FLOAT_EQ(call.colour[1], g);
    EXPECT_FLOAT_EQ(call.colour[2], b);
}

void expectArgs(const DrawCall& call, const std::vector<double>& args) {
    ASSERT_EQ(call.args.size(), args.size()) << call.kind;
    for (size_t i = 0; i < args.size(); ++i)
        EXPECT_DOUBLE_EQ(call.args[i], args[i]) << call.kind << " argument " << i;
}

void expectColourMaterialSet() {
    EXPECT_TRUE(glIsEnabled(GL_COLOR_MATERIAL));
    GLint face = 0, parameter = 0;
    glGetIntegerv(GL_COLOR_MATERIAL_FACE, &face);
    glGetIntegerv(GL_COLOR_MATERIAL_PARAMETER, &parameter);
    EXPECT_EQ(face, GL_FRONT);
    EXPECT_EQ(parameter, GL_AMBIENT_AND_DIFFUSE);
}

// A half turn about y: what the rocket and the satellite leave behind.
const Mat4 halfTurnAboutY = scaleMatrix(-1, 1, -1);

const double tol = 1e-3;

}  // namespace

TEST_F(Models, RocketLiesAlongMinusXAndLeavesAHalfTurn) {
    const int depth = modelviewDepth();
    drawRocket();

    const auto cones = callsOf("glutSolidCone");
    const auto wires = callsOf("glutWireCone");
    ASSERT_EQ(cones.size(), 2u);
    ASSERT_EQ(wires.size(), 2u);
    {
        SCOPED_TRACE("nose: orange cone from x = -700 to the tip at -1100, red wire");
        const DrawCall& nose = cones[0];
        expectArgs(nose, {130, 400, 100, 20});
        expectPointNear(at(nose, 0, 0, 400), {-1100, 0, 0}, tol);
        expectPointNear(at(nose), {-700, 0, 0}, tol);
        expectColour(nose, 1, 0.69f, 0);
        expectArgs(wires[0], {130.005, 400.005, 10, 20});
        expectMatrixNear(wires[0].modelview, nose.modelview, 1e-6);
        expectColour(wires[0], 1, 0, 0);
    }
    {
        SCOPED_TRACE("fin: the nose cone flattened, tip at (-650, 50, -50)");
        const DrawCall& fin = cones[1];
        expectArgs(fin, {130, 400, 100, 20});
        expectPointNear(at(fin, 0, 0, 400), {-650, 50, -50}, tol);
        expectPointNear(at(fin), {-250, 50, -50}, tol);
        EXPECT_NEAR(stretch(fin, 0, 130, 0), 650, tol);  // base half-axis along y
        EXPECT_NEAR(stretch(fin, 130, 0, 0), 13, tol);   // and along z
        expectColour(fin, 1, 0, 0);
        expectMatrixNear(wires[1].modelview, fin.modelview, 1e-6);
        expectColour(wires[1], 1, 0, 1);
    }
    {
        SCOPED_TRACE("tail ball and body tubes");
        const auto balls = callsOf("glutSolidSphere");
        ASSERT_EQ(balls.size(), 1u);
        expectArgs(balls[0], {180, 200, 200});
        expectPointNear(at(balls[0]), {-30, 0, 0}, tol);
        expectColour(balls[0], 1, 0.69f, 0);

        const auto tubes = callsOf("gluCylinder");
        ASSERT_EQ(tubes.size(), 2u);
        expectArgs(tubes[0], {200, 55, 500, 50, 10});
        expectPointNear(at(tubes[0]), {0, 0, 0}, tol);
        expectPointNear(at(tubes[0], 0, 0, 500), {-500, 0, 0}, tol);
        expectColour(tubes[0], 1, 0, 0);
        expectArgs(tubes[1], {130, 130, 500, 50, 10});
        expectPointNear(at(tubes[1]), {-200, 0, 0}, tol);
        expectPointNear(at(tubes[1], 0, 0, 500), {-700, 0, 0}, tol);
        expectColour(tubes[1], 1, 1, 0);
    }
    expectMatrixNear(currentModelview(), halfTurnAboutY, 1e-6);
    EXPECT_EQ(modelviewDepth(), depth);
    expectColourMaterialSet();

    // A second rocket without restoring the matrix points the other way.
    startDrawLog(DrawMode::RecordOnly);
    drawRocket();
    expectPointNear(at(callsOf("glutSolidCone")[0], 0, 0, 400), {1100, 0, 0}, tol);
    expectPointNear(at(callsOf("glutSolidSphere")[0]), {30, 0, 0}, tol);
    expectMatrixNear(currentModelview(), identityMatrix(), 1e-6);

    EXPECT_EQ(glCounters.quadricsMade, 2);
    EXPECT_EQ(glCounters.quadricsFreed, 2);
    EXPECT_EQ(glGetError(), unsigned(GL_NO_ERROR));
}

TEST_F(Models, SatelliteIsACrossInTheCurrentColour) {
    glColor3f(0.25f, 0.5f, 0.75f);
    const int depth = modelviewDepth();
    drawSatellite();

    const auto balls = callsOf("glutSolidSphere");
    const auto tubes = callsOf("gluCylinder");
    ASSERT_EQ(balls.size(), 4u);
    ASSERT_EQ(tubes.size(), 4u);
    // Each tube runs 300 from the centre; each ball sits on a tube's end.
    static const Point ballCentres[] = {{300, 0, 0}, {0, 0, -300}, {0, 0, 300}, {-300, 0, 0}};
    static const Point tubeEnds[] = {{0, 0, 300}, {300, 0, 0}, {-300, 0, 0}, {0, 0, -300}};
    for (int i = 0; i < 4; ++i) {
        SCOPED_TRACE("arm " + std::to_string(i + 1));
        expectArgs(balls[i], {100, i == 0 ? 100.0 : 200.0, 200});
        expectPointNear(at(balls[i]), ballCentres[i], tol);
        expectColour(balls[i], 0.25f, 0.5f, 0.75f);
        expectArgs(tubes[i], {100, 100, 300, 50, 10});
        expectPointNear(at(tubes[i]), {0, 0, 0}, tol);
        expectPointNear(at(tubes[i], 0, 0, 300), tubeEnds[i], tol);
        expectColour(tubes[i], 0.25f, 0.5f, 0.75f);
    }
    expectMatrixNear(currentModelview(), halfTurnAboutY, 1e-6);
    EXPECT_EQ(modelviewDepth(), depth);
    expectColourMaterialSet();
    EXPECT_EQ(glCounters.quadricsMade, 1);
    EXPECT_EQ(glCounters.quadricsFreed, 1);
}

TEST_F(Models, SatelliteInAnOverRangeColourShowsFullGreen) {
    // Rendered for real, unlit, under the viewer's start camera: the colour
    // (1, 69, 0) that some scenes pass is clamped to yellow.
    stopDrawLog();
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glDisable(GL_LIGHTING);
    glLoadMatrixd(cameraMatrix().data());
    glColor3f(1, 69, 0);
    drawSatellite();
    glutSwapBuffers();
    EXPECT_EQ(glGetError(), unsigned(GL_NO_ERROR));
    for (const Point& ball : {Point{300, 0, 0}, Point{-300, 0, 0}}) {
        const auto pixel = projectToWindow(ball[0], ball[1], ball[2]);
        const auto rgb = frontPixel(int(pixel[0]), int(pixel[1]));
        EXPECT_EQ(rgb, (std::array<int, 3>{255, 255, 0}))
            << "ball at x = " << ball[0] << ", pixel " << pixel[0] << ", " << pixel[1];
    }
}

TEST_F(Models, AstronautArmsSwingAboutTheFeetAndNothingElseMoves) {
    struct Phase {
        int swing, spread;
        double angle1, angle2;  // arm turns about x, degrees
        Point box1, box2;       // box centres before the turn
    };
    static const Phase phases[] = {
        {0, 0, 30, -30, {5, 45, 270}, {5, -45, 270}},
        {-10, 40, 40, -40, {5, 85, 270}, {5, -85, 270}},
        {10, -40, 20, -20, {5, 5, 270}, {5, -5, 270}},
    };
    for (const Phase& phase : phases) {
        SCOPED_TRACE("armSwing " + std::to_string(phase.swing) + ", armSpread " +
                     std::to_string(phase.spread));
        appState.armSwing = phase.swing;
        appState.armSpread = phase.spread;
        glColor3f(0.3f, 0.6f, 0.9f);
        glColorMaterial(GL_BACK, GL_SPECULAR);
        glDisable(GL_COLOR_MATERIAL);
        const int depth = modelviewDepth();
        startDrawLog(DrawMode::RecordOnly);
        drawAstronaut();

        const auto boxes = callsOf("glutSolidCube");
        const auto outlines = callsOf("glutWireCube");
        const auto balls = callsOf("glutSolidSphere");
        ASSERT_EQ(boxes.size(), 5u);
        ASSERT_EQ(outlines.size(), 5u);
        ASSERT_EQ(balls.size(), 5u);

        // Arms: a 20 x 15 x 200 box turned about the x axis through the feet.
        const Point arms[] = {phase.box1, phase.box2};
        const double angles[] = {phase.angle1, phase.angle2};
        for (int i = 0; i < 2; ++i) {
            SCOPED_TRACE("arm " + std::to_string(i + 1));
            expectPointNear(at(boxes[i]),
                            transformPoint(rotationMatrix(angles[i], 1, 0, 0), arms[i][0],
                                           arms[i][1], arms[i][2]),
                            tol);
            EXPECT_NEAR(stretch(boxes[i], 10, 0, 0), 20, tol);
            EXPECT_NEAR(stretch(boxes[i], 0, 10, 0), 15, tol);
            EXPECT_NEAR(stretch(boxes[i], 0, 0, 10), 200, tol);
        }
        if (phase.swing == 0) {
            expectPointNear(at(boxes[0]), {5, -96.0, 256.3}, 0.05);
            expectPointNear(at(boxes[1]), {5, 96.0, 256.3}, 0.05);
        }

        // Torso and legs: (centre, size) of each box, the same in every phase.
        struct Box {
            Point centre, size;
        };
        static const Box fixedBoxes[] = {{{0, 0, 180}, {50, 100, 100}},
                                         {{10, -20, 100}, {20, 15, 150}},
                                         {{10, 20, 100}, {20, 15, 150}}};
        for (int i = 0; i < 3; ++i) {
            const DrawCall& box = boxes[i + 2];
            expectPointNear(at(box), fixedBoxes[i].centre, tol);
            EXPECT_NEAR(stretch(box, 10, 0, 0), fixedBoxes[i].size[0], tol);
            EXPECT_NEAR(stretch(box, 0, 10, 0), fixedBoxes[i].size[1], tol);
            EXPECT_NEAR(stretch(box, 0, 0, 10), fixedBoxes[i].size[2], tol);
        }
        for (int i = 0; i < 5; ++i) {
            expectArgs(boxes[i], {10});
            expectArgs(outlines[i], {10.0005});
            expectMatrixNear(outlines[i].modelview, boxes[i].modelview, 1e-6);
            expectColour(boxes[i], 1, 1, 1);
            expectColour(outlines[i], 1, 1, 1);
        }

        // Head in the caller's colour; shoulders and feet white ellipsoids
        // (radius times scale gives the half-axes).
        struct Ball {
            double radius;
            Point centre, halfAxes;
        };
        static const Ball fixedBalls[] = {
            {50, {0, 0, 280}, {50, 50, 50}},       {5, {5, -55, 210}, {12.5, 12.5, 17.5}},
            {5, {5, 50, 210}, {12.5, 12.5, 17.5}}, {50, {30, 20, 30}, {75, 25, 25}},
            {50, {30, -20, 30}, {75, 25, 25}},
        };
        for (int i = 0; i < 5; ++i) {
            SCOPED_TRACE("ball " + std::to_string(i + 1));
            const Ball& b = fixedBalls[i];
            expectArgs(balls[i], {b.radius, 200, 200});
            expectPointNear(at(balls[i]), b.centre, tol);
            EXPECT_NEAR(stretch(balls[i], b.radius, 0, 0), b.halfAxes[0], tol);
            EXPECT_NEAR(stretch(balls[i], 0, b.radius, 0), b.halfAxes[1], tol);
            EXPECT_NEAR(stretch(balls[i], 0, 0, b.radius), b.halfAxes[2], tol);
            if (i == 0)
                expectColour(balls[i], 0.3f, 0.6f, 0.9f);
            else
                expectColour(balls[i], 1, 1, 1);
        }

        expectMatrixNear(currentModelview(), identityMatrix(), 0);
        EXPECT_EQ(modelviewDepth(), depth);
        EXPECT_FALSE(glIsEnabled(GL_COLOR_MATERIAL));
    }
    EXPECT_EQ(glCounters.quadricsMade, 0);
}

TEST_F(Models, BodiesAreBallsAtTheOriginInTheirColours) {
    struct Primitive {
        const char* kind;
        double radius;
        bool ownColour;
        float r, g, b;
    };
    struct Body {
        const char* name;
        void (*draw)();
        std::vector<Primitive> primitives;
    };
    const Body bodies[] = {
        {"sun", drawSun,
         {{"glutSolidSphere", 590, true, 1, 0, 0}, {"glutWireSphere", 590.005, true, 1, 1, 0}}},
        {"moon", drawMoon, {{"glutSolidSphere", 20, true, 1, 1, 1}}},
        {"earth", drawEarth,
         {{"glutSolidSphere", 90, true, 0, 0, 0}, {"glutWireSphere", 90.005, true, 0, 0, 1}}},
        {"ring", drawRing, {{"glutSolidSphere", 190, false, 0, 0, 0}}},
    };
    for (const Body& body : bodies) {
        SCOPED_TRACE(body.name);
        glColor3f(0.2f, 0.4f, 0.6f);
        startDrawLog(DrawMode::RecordOnly);
        body.draw();
        ASSERT_EQ(drawLog().size(), body.primitives.size());
        for (size_t i = 0; i < body.primitives.size(); ++i) {
            const Primitive& p = body.primitives[i];
            const DrawCall& call = drawLog()[i];
            EXPECT_EQ(call.kind, p.kind);
            expectArgs(call, {p.radius, 200, 200});
            expectMatrixNear(call.modelview, identityMatrix(), 0);
            if (p.ownColour)
                expectColour(call, p.r, p.g, p.b);
            else
                expectColour(call, 0.2f, 0.4f, 0.6f);
        }
        expectMatrixNear(currentModelview(), identityMatrix(), 0);
        EXPECT_FALSE(glIsEnabled(GL_COLOR_MATERIAL));
    }
    EXPECT_EQ(glCounters.quadricsMade, 0);
}
