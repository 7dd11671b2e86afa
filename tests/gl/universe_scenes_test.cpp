// The two Universe scenes: where every ball goes (recorded frames), which
// bodies the offsets move, the manual scene's turn, frame hygiene, the zoom,
// and a few pixels of two really rendered frames.
#include <GL/freeglut.h>
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "app/frame_loop.h"
#include "app/menus.h"
#include "input/camera.h"
#include "scenes/universe_scenes.h"
#include "support/gl_test.h"
#include "support/transforms.h"

namespace {

// The solid balls of one frame in drawing order, and their radii.
enum Ball {
    Sun,
    Planet1,
    Planet2,
    Earth,
    Moon,
    EarthRocket,
    Satellite1,
    Satellite2 = 10,
    Satellite3 = 14,
    Planet3 = 18,
    Planet3Rocket,
    FreeSatellite,
    Planet4 = 24,
    RingedPlanet,
    Ring,
    RingMoon1,
    RingMoon2,
    RingMoon3,
    Planet5,
    Planet6,
    Planet7,
    BallCount
};
const double radii[BallCount] = {590, 60,  75,  90,  20,  180, 100, 100, 100, 100, 100,
                                 100, 100, 100, 100, 100, 100, 100, 130, 180, 100, 100,
                                 100, 100, 190, 180, 190, 20,  20,  20,  120, 120, 50};

// `distance` out along `degrees` from +x, plus `local` turned by `degrees`.
Point orbit(double degrees, double distance, const Point& local = {0, 0, 0}) {
    const Mat4 m = multiply(xform::rotate(degrees, 0, 0, 1), xform::translate(distance, 0, 0));
    return transformPoint(m, local[0], local[1], local[2]);
}

class UniverseScenes : public GlTest {
protected:
    void show(bool AppState::*scene) {
        appState.showIntro = appState.showUniverseAuto = appState.showUniverseManual = false;
        appState.*scene = true;
        appState.resetPending = false;  // keep the values a test has set
    }

    // World centres of the solid balls of one recorded, unrasterised frame.
    std::vector<Point> recordFrame(bool AppState::*scene) {
        show(scene);
        startDrawLog(DrawMode::RecordOnly);
        EXPECT_EQ(drawFrame(), unsigned(GL_NO_ERROR));
        stopDrawLog();
        const auto balls = callsOf("glutSolidSphere");
        EXPECT_EQ(balls.size(), size_t(BallCount));
        std::vector<Point> centres(BallCount);
        for (size_t i = 0; i < balls.size() && i < BallCount; ++i) {
            EXPECT_EQ(balls[i].args[0], radii[i]) << "ball " << i;
            centres[i] = worldOrigin(balls[i].modelview);
        }
        return centres;
    }

    std::array<int, 3> pixelAt(const Point& world) {
        const auto p = projectToWindow(world[0], world[1], world[2]);
        return frontPixel(int(std::floor(p[0])), int(std::floor(p[1])));
    }
};

const double tol = 0.01;
const std::array<int, 3> magenta = {255, 0, 255};

}  // namespace

TEST_F(UniverseScenes, BodiesSitOnTheirOrbitsAtTheSpinAngle) {
    // Bodies on circles about z: phase, rate times the spin angle, distance.
    const struct {
        Ball ball;
        double phase, rate, distance;
    } bodies[] = {{Planet1, -90, 3, 700},     {Planet2, 45, 5, 900},
                  {Earth, 45, 4, 1100},       {Planet3, -80, 3, 1400},
                  {Planet4, -40, 2, 2000},    {RingedPlanet, 160, 1.7, 2800},
                  {Planet5, -150, 1.2, 3500}, {Planet6, 30, 0.9, 3900},
                  {Planet7, 80, 0.5, 4200}};
    for (float spin : {0.0f, 10.0f}) {
        SCOPED_TRACE("spin " + std::to_string(spin));
        appState.spinAngle = spin;
        const auto at = recordFrame(&AppState::showUniverseAuto);
        expectPointNear(at[Sun], {0, 0, 0}, tol);
        for (const auto& b : bodies)
            expectPointNear(at[b.ball], orbit(b.phase + b.rate * spin, b.distance), tol);
        // The third planet's rocket circles it about z at eight times the
        // spin; its tail ball sits 3 further out in x (scaled 0.1).
        const Mat4 rocketFrame =
            xform::chain(xform::rotate(-80 + 3 * spin, 0, 0, 1), xform::translate(1400, 0, 0),
                         xform::rotate(8 * spin, 0, 0, 1));
        expectPointNear(at[Planet3Rocket], transformPoint(rocketFrame, 203, 200, 0), tol);
    }
    appState.spinAngle = 0;
    const auto at = recordFrame(&AppState::showUniverseAuto);
    expectPointNear(at[Planet1], {0, -700, 0}, 0.05);
    expectPointNear(at[Planet2], {636.4, 636.4, 0}, 0.05);
    expectPointNear(at[Earth], {777.8, 777.8, 0}, 0.05);
    // Bodies hanging off others: the Moon and the Earth's craft (scaled 0.1,
    // so the rocket's tail ball is 3 back in x and a satellite's first ball
    // 30 out), the third planet's rocket (whose two half turns cancel), the
    // free satellite (scaled 0.9) and the ringed planet's moons.
    const Point moon = orbit(45, 1100, {80, 80, 75});
    expectPointNear(at[Moon], moon, tol);
    const Point craft[] = {{77, 80, 75}, {120, 190, -200}, {-150, -180, -50}, {-150, 280, 100}};
    const Ball craftBalls[] = {EarthRocket, Satellite1, Satellite2, Satellite3};
    for (int i = 0; i < 4; ++i) {
        const Point p = orbit(45, 0, craft[i]);
        expectPointNear(at[craftBalls[i]], {moon[0] + p[0], moon[1] + p[1], moon[2] + p[2]}, tol);
    }
    expectPointNear(at[Planet3Rocket], orbit(-80, 1400, {203, 200, 0}), tol);
    expectPointNear(at[FreeSatellite], {-1980 + 270, -1980, -795}, tol);
    expectPointNear(at[Ring], orbit(160, 2800), tol);
    expectPointNear(at[RingMoon1], orbit(160, 2800, {-350, 400, 50}), tol);
    expectPointNear(at[RingMoon2], orbit(160, 2800, {-380, 400, 50}), tol);
    expectPointNear(at[RingMoon3], orbit(160, 2800, {380, 400, 50}), tol);

    // Colours as current at each ball; (1, 69, 0) is stored unclamped.
    const struct {
        Ball ball;
        float r, g, b;
    } colours[] = {{Sun, 1, 0, 0},
                   {Earth, 0, 0, 0},
                   {Moon, 1, 1, 1},
                   {RingMoon1, 1, 1, 1},
                   {Planet1, 0, 0, 0.5f},
                   {Planet2, 1, 0, 1},
                   {Planet3, 1, 0.2f, 0.3f},
                   {Planet4, 0.78f, 0.67f, 0.43f},
                   {Planet5, 0.4f, 0.75f, 0.25f},
                   {Planet6, 0, 0.65f, 0.4f},
                   {Planet7, 1, 0.75f, 0.5f},
                   {RingedPlanet, 1, 0, 0},
                   {Ring, 1, 1, 1},
                   {FreeSatellite, 1, 0, 0},
                   {Satellite1, 1, 0, 0},
                   {Satellite2, 1, 69, 0},
                   {Satellite3, 1, 69, 0}};
    startDrawLog(DrawMode::RecordOnly);
    drawFrame();
    const auto balls = callsOf("glutSolidSphere");
    ASSERT_EQ(balls.size(), size_t(BallCount));
    for (const auto& c : colours)
        EXPECT_EQ(balls[c.ball].colour, (std::array<float, 4>{c.r, c.g, c.b, 1})) << c.ball;

    // Two wire shells, each over its ball: the sun's yellow, the Earth's blue.
    const auto shells = callsOf("glutWireSphere");
    ASSERT_EQ(shells.size(), 2u);
    EXPECT_EQ(shells[0].args, (std::vector<double>{590.005, 200, 200}));
    EXPECT_EQ(shells[0].colour, (std::array<float, 4>{1, 1, 0, 1}));
    expectPointNear(worldOrigin(shells[0].modelview), at[Sun], tol);
    EXPECT_EQ(shells[1].args, (std::vector<double>{90.005, 200, 200}));
    EXPECT_EQ(shells[1].colour, (std::array<float, 4>{0, 0, 1, 1}));
    expectPointNear(worldOrigin(shells[1].modelview), at[Earth], tol);
}

TEST_F(UniverseScenes, OffsetsMoveOnlyTheTranslationsThatCarryThem) {
    const auto still = recordFrame(&AppState::showUniverseAuto);
    appState.manualOffsetZ = 500;
    const auto raised = recordFrame(&AppState::showUniverseAuto);
    // 500 where one translation carries the z offset; 1000 for the Earth's
    // craft (the Moon's translation and their own); nothing for the rest.
    for (int i = 0; i < BallCount; ++i) {
        double rise = 0;
        if (i == Moon || (i >= FreeSatellite && i < Planet4) || i >= RingMoon1) rise = 500;
        if (i >= EarthRocket && i < Planet3) rise = 1000;
        expectPointNear(raised[i], {still[i][0], still[i][1], still[i][2] + rise}, tol);
    }
    // The x offset lengthens the distances.
    appState.manualOffsetZ = 0;
    appState.manualOffsetX = 100;
    const auto wider = recordFrame(&AppState::showUniverseAuto);
    expectPointNear(wider[Planet1], {0, -800, 0}, tol);
    expectPointNear(wider[Earth], orbit(45, 1200), tol);
    expectPointNear(wider[Planet7], orbit(80, 4300), tol);
}

TEST_F(UniverseScenes, ManualSceneIsTheAutomaticOneTurnedAboutZ) {
    const auto automatic = recordFrame(&AppState::showUniverseAuto);
    const auto autoAxes = callsOf("gluCylinder", 20);
    const auto manual = recordFrame(&AppState::showUniverseManual);
    for (int i = 0; i < BallCount; ++i)
        expectPointNear(manual[i], {-automatic[i][1], automatic[i][0], automatic[i][2]}, tol);

    // The axes come first and are not turned; the motion is applied once,
    // to the camera matrix, before any ball.
    const auto axes = callsOf("gluCylinder", 20);
    ASSERT_EQ(axes.size(), 3u);
    for (int i = 0; i < 3; ++i) expectMatrixNear(axes[i].modelview, autoAxes[i].modelview, 1e-9);
    ASSERT_EQ(callsOf("applyManualMotion").size(), 1u);
    expectMatrixNear(callsOf("applyManualMotion")[0].modelview, cameraMatrix(), 1e-6);
    const auto& log = drawLog();
    size_t motionAt = 0, firstBallAt = 0;
    while (log[motionAt].kind != "applyManualMotion") ++motionAt;
    while (log[firstBallAt].kind != "glutSolidSphere") ++firstBallAt;
    EXPECT_EQ(log[motionAt - 1].kind, "gluCylinder");  // right after the last axis
    EXPECT_EQ(log[motionAt - 1].args[0], 20);
    EXPECT_LT(motionAt, firstBallAt);
    EXPECT_TRUE(appState.strideFlag);  // the stride is left alone
}

TEST_F(UniverseScenes, FramesLeaveTheStacksAsTheyFoundThem) {
    for (auto scene : {&AppState::showUniverseAuto, &AppState::showUniverseManual}) {
        show(scene);
        appState.spinAngle = 123.5f;
        const int depths[] = {modelviewDepth(), projectionDepth(), attribDepth()};
        resetGlCounters();
        startDrawLog(DrawMode::RecordOnly);
        EXPECT_EQ(drawFrame(), unsigned(GL_NO_ERROR));
        EXPECT_EQ(modelviewDepth(), depths[0]);
        EXPECT_EQ(projectionDepth(), depths[1]);
        EXPECT_EQ(attribDepth(), depths[2]);
        EXPECT_EQ(glCounters.swaps, 1);
        EXPECT_GT(glCounters.quadricsMade, 0);
        EXPECT_EQ(glCounters.quadricsFreed, glCounters.quadricsMade);
    }
    // The planet system restores the matrix; the two body functions move
    // the matrix their caller pushed but keep the depth.
    glLoadMatrixd(xform::translate(5, 6, 7).data());
    const int depth = modelviewDepth();
    drawPlanetSystem();
    expectMatrixNear(currentModelview(), xform::translate(5, 6, 7), 1e-9);
    drawEarthSystem();
    drawRingedPlanetSystem();
    EXPECT_EQ(modelviewDepth(), depth);
}

TEST_F(UniverseScenes, ZoomShowsOnlyAfterTheNextReshape) {
    show(&AppState::showUniverseAuto);
    const Mat4 before = currentProjection();
    moveCamera(appState, GLUT_KEY_F7);  // 50 -> 25 degrees
    startDrawLog(DrawMode::RecordOnly);
    drawFrame();
    expectMatrixNear(currentProjection(), before, 0);
    applyReshape(appState, 800, 600);
    const double f = 1 / std::tan(12.5 * std::acos(-1.0) / 180);  // cot(fovY / 2)
    EXPECT_NEAR(currentProjection()[5], f, 1e-6);
    EXPECT_NEAR(currentProjection()[0], f * 600 / 800, 1e-6);
}

TEST_F(UniverseScenes, RenderedFramesShowTheBodiesWhereTheyProject) {
    chooseOption(appState, 6);  // lighting off: colours are exact
    show(&AppState::showUniverseAuto);
    EXPECT_EQ(drawFrame(), unsigned(GL_NO_ERROR));
    // The sun at the origin: red under its yellow wire shell.
    const auto sun = projectToWindow(0, 0, 0);
    int red = 0;
    for (int dx = -3; dx <= 3; ++dx)
        for (int dy = -3; dy <= 3; ++dy) {
            const auto rgb = frontPixel(int(sun[0]) + dx, int(sun[1]) + dy);
            EXPECT_TRUE(rgb[0] == 255 && rgb[2] == 0 && (rgb[1] == 0 || rgb[1] == 255));
            red += rgb[1] == 0;
        }
    EXPECT_GT(red, 0);
    EXPECT_EQ(pixelAt(orbit(45, 900)), magenta);    // the second planet
    const auto green = pixelAt(orbit(-150, 3500));  // the fifth, (0.4, 0.75, 0.25)
    EXPECT_NEAR(green[0], 102, 1);
    EXPECT_NEAR(green[1], 191, 1);
    EXPECT_NEAR(green[2], 64, 1);

    // The manual scene at its reset values turns the second planet 90
    // degrees about z, from 45 to 135 degrees.
    show(&AppState::showUniverseManual);
    EXPECT_EQ(drawFrame(), unsigned(GL_NO_ERROR));
    EXPECT_EQ(pixelAt(orbit(135, 900)), magenta);
    EXPECT_NE(pixelAt(orbit(45, 900)), magenta);
    EXPECT_EQ(glCounters.swaps, 2);
}
