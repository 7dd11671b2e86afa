// The two Universe scenes: where every ball goes (recorded frames), which
// bodies the z offset moves, the manual scene's turn, frame hygiene, the zoom,
// and a few pixels of really rendered frames.
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

const double pi = std::acos(-1.0);

// The solid balls of one Universe frame, in drawing order, with their radii.
enum Ball {
    Sun, Planet1, Planet2, Earth, Moon, EarthRocketTail,
    Satellite1 = 6, Satellite2 = 10, Satellite3 = 14,
    Planet3 = 18, Planet3RocketTail, FreeSatellite,
    Planet4 = 24, RingedPlanet, Ring, RingMoon1, RingMoon2, RingMoon3,
    Planet5, Planet6, Planet7, BallCount
};
const double radii[BallCount] = {
    590, 60, 75, 90, 20, 180,
    100, 100, 100, 100, 100, 100, 100, 100, 100, 100, 100, 100,
    130, 180, 100, 100, 100, 100,
    190, 180, 190, 20, 20, 20,
    120, 120, 50};

// A point `distance` out along the direction `degrees` from +x in the
// xy-plane.
Point orbit(double degrees, double distance) {
    const double a = degrees * pi / 180;
    return {distance * std::cos(a), distance * std::sin(a), 0};
}

// `local` turned by `degrees` about z and added to `base`.
Point offsetTurned(const Point& base, double degrees, const Point& local) {
    const Point turned = transformPoint(rotationMatrix(degrees, 0, 0, 1), local[0], local[1],
                                        local[2]);
    return {base[0] + turned[0], base[1] + turned[1], base[2] + turned[2]};
}

class UniverseScenes : public GlTest {
protected:
    void show(bool AppState::*scene) {
        appState.showIntro = false;
        appState.showUniverseAuto = appState.showUniverseManual = false;
        appState.*scene = true;
        appState.resetPending = false;  // keep the values a test has set
    }

    // Draws one frame of `scene` without rasterising the recorded calls and
    // returns the world centres of its solid balls.
    std::vector<Point> recordFrame(bool AppState::*scene) {
        show(scene);
        startDrawLog(DrawMode::RecordOnly);
        EXPECT_EQ(drawFrame(), unsigned(GL_NO_ERROR));
        stopDrawLog();
        const auto balls = callsOf("glutSolidSphere");
        EXPECT_EQ(balls.size(), size_t(BallCount));
        std::vector<Point> centres;
        for (size_t i = 0; i < balls.size() && i < BallCount; ++i) {
            EXPECT_DOUBLE_EQ(balls[i].args[0], radii[i]) << "ball " << i;
            centres.push_back(worldOrigin(balls[i].modelview));
        }
        centres.resize(BallCount);
        return centres;
    }

    std::array<int, 3> pixelAt(const Point& world) {
        const auto p = projectToWindow(world[0], world[1], world[2]);
        return frontPixel(int(std::floor(p[0])), int(std::floor(p[1])));
    }
};

const double tol = 0.01;

}  // namespace

TEST_F(UniverseScenes, BodiesSitOnTheirOrbitsAtTheSpinAngle) {
    {
        SCOPED_TRACE("spin 0, the positions worked out by hand");
        const auto at = recordFrame(&AppState::showUniverseAuto);
        expectPointNear(at[Sun], {0, 0, 0}, tol);
        expectPointNear(at[Planet1], {0, -700, 0}, 0.05);
        expectPointNear(at[Planet2], {636.4, 636.4, 0}, 0.05);
        expectPointNear(at[Earth], {777.8, 777.8, 0}, 0.05);
    }

    // Bodies on circles about z: fixed phase, rate times the spin angle,
    // distance (the Earth's phase is its group's turn).
    struct Body {
        Ball ball;
        double phase, rate, distance;
    };
    static const Body bodies[] = {
        {Planet1, -90, 3, 700},     {Planet2, 45, 5, 900},      {Earth, 45, 4, 1100},
        {Planet3, -80, 3, 1400},    {Planet4, -40, 2, 2000},    {RingedPlanet, 160, 1.7, 2800},
        {Ring, 160, 1.7, 2800},     {Planet5, -150, 1.2, 3500}, {Planet6, 30, 0.9, 3900},
        {Planet7, 80, 0.5, 4200},
    };
    for (float spin : {0.0f, 10.0f}) {
        SCOPED_TRACE("spin " + std::to_string(spin));
        appState.spinAngle = spin;
        const auto at = recordFrame(&AppState::showUniverseAuto);
        for (const Body& b : bodies) {
            SCOPED_TRACE("ball " + std::to_string(b.ball));
            expectPointNear(at[b.ball], orbit(b.phase + b.rate * spin, b.distance), tol);
        }
        expectPointNear(at[Sun], {0, 0, 0}, tol);
        if (spin != 0) continue;

        // Bodies hanging off others, at spin 0: the Moon and the Earth's
        // craft in the Earth's frame (turned 45 degrees), the ringed planet's
        // moons in its frame (turned 160), the third planet's rocket in that
        // planet's frame (turned -80; its two half turns cancel, so the tail
        // ball sits 3 units towards local +x), the free satellite unturned.
        // Craft are scaled by 0.1, so a satellite's first ball is 30 out in x.
        const Point moon = offsetTurned(at[Earth], 45, {80, 80, 75});
        expectPointNear(at[Moon], moon, tol);
        expectPointNear(at[EarthRocketTail], offsetTurned(moon, 45, {77, 80, 75}), tol);
        expectPointNear(at[Satellite1], offsetTurned(moon, 45, {120, 190, -200}), tol);
        expectPointNear(at[Satellite2], offsetTurned(moon, 45, {-150, -180, -50}), tol);
        expectPointNear(at[Satellite3], offsetTurned(moon, 45, {-150, 280, 100}), tol);
        expectPointNear(at[Planet3RocketTail], offsetTurned(at[Planet3], -80, {203, 200, 0}),
                        tol);
        expectPointNear(at[FreeSatellite], {-1980 + 270, -1980, -795}, tol);
        expectPointNear(at[RingMoon1], offsetTurned(at[RingedPlanet], 160, {-350, 400, 50}), tol);
        expectPointNear(at[RingMoon2], offsetTurned(at[RingedPlanet], 160, {-380, 400, 50}), tol);
        expectPointNear(at[RingMoon3], offsetTurned(at[RingedPlanet], 160, {380, 400, 50}), tol);
    }

    // Colours as recorded at each ball.
    startDrawLog(DrawMode::RecordOnly);
    drawFrame();
    const auto balls = callsOf("glutSolidSphere");
    ASSERT_EQ(balls.size(), size_t(BallCount));
    struct Colour {
        Ball ball;
        float r, g, b;
    };
    static const Colour colours[] = {
        {Planet1, 0, 0, 0.5f},      {Planet2, 1, 0, 1},           {Planet3, 1, 0.2f, 0.3f},
        {FreeSatellite, 1, 0, 0},   {Planet4, 0.78f, 0.67f, 0.43f}, {RingedPlanet, 1, 0, 0},
        {Ring, 1, 1, 1},            {Planet5, 0.4f, 0.75f, 0.25f},  {Planet6, 0, 0.65f, 0.4f},
        {Planet7, 1, 0.75f, 0.5f},  {Satellite1, 1, 0, 0},
        {Satellite2, 1, 69, 0},     {Satellite3, 1, 69, 0},  // stored unclamped
    };
    for (const Colour& c : colours) {
        EXPECT_FLOAT_EQ(balls[c.ball].colour[0], c.r) << "ball " << c.ball;
        EXPECT_FLOAT_EQ(balls[c.ball].colour[1], c.g) << "ball " << c.ball;
        EXPECT_FLOAT_EQ(balls[c.ball].colour[2], c.b) << "ball " << c.ball;
    }
}

TEST_F(UniverseScenes, OffsetsMoveOnlyTheTranslationsThatCarryThem) {
    const auto still = recordFrame(&AppState::showUniverseAuto);
    appState.manualOffsetZ = 500;
    const auto raised = recordFrame(&AppState::showUniverseAuto);

    // Rise of each ball: 500 where one translation carries the z offset,
    // 1000 for the Earth's craft (the Moon's translation and their own).
    for (int i = 0; i < BallCount; ++i) {
        double rise = 0;
        if (i == Moon || (i >= FreeSatellite && i < Planet4) || i >= RingMoon1) rise = 500;
        if (i >= EarthRocketTail && i < Planet3) rise = 1000;
        SCOPED_TRACE("ball " + std::to_string(i));
        expectPointNear(raised[i], {still[i][0], still[i][1], still[i][2] + rise}, tol);
    }

    // The x offset lengthens the planets' distances.
    appState.manualOffsetZ = 0;
    appState.manualOffsetX = 100;
    const auto wider = recordFrame(&AppState::showUniverseAuto);
    expectPointNear(wider[Planet1], {0, -800, 0}, tol);
    expectPointNear(wider[Earth], orbit(45, 1200), tol);
    expectPointNear(wider[Planet7], orbit(80, 4300), tol);
}

TEST_F(UniverseScenes, ManualSceneIsTheAutomaticOneTurnedAboutZ) {
    appState.strideFlag = false;
    startDrawLog(DrawMode::RecordOnly);
    const auto automatic = recordFrame(&AppState::showUniverseAuto);
    const auto autoAxes = callsOf("gluCylinder", 20);
    EXPECT_TRUE(callsOf("applyManualMotion").empty());

    const auto manual = recordFrame(&AppState::showUniverseManual);
    for (int i = 0; i < BallCount; ++i) {
        SCOPED_TRACE("ball " + std::to_string(i));
        const Point& a = automatic[i];
        expectPointNear(manual[i], {-a[1], a[0], a[2]}, tol);
    }

    // The axes come before the manual motion and are not turned by it; the
    // motion is applied once, from the camera matrix, before any ball.
    const auto axes = callsOf("gluCylinder", 20);
    ASSERT_EQ(axes.size(), 3u);
    ASSERT_EQ(autoAxes.size(), 3u);
    for (int i = 0; i < 3; ++i) expectMatrixNear(axes[i].modelview, autoAxes[i].modelview, 1e-9);
    const auto motions = callsOf("applyManualMotion");
    ASSERT_EQ(motions.size(), 1u);
    expectMatrixNear(motions[0].modelview, cameraMatrix(), 1e-6);
    const auto& log = drawLog();
    size_t motionAt = 0, lastAxisAt = 0, firstBallAt = log.size();
    for (size_t i = 0; i < log.size(); ++i) {
        if (log[i].kind == "applyManualMotion") motionAt = i;
        if (log[i].kind == "gluCylinder" && log[i].args[0] == 20) lastAxisAt = i;
        if (log[i].kind == "glutSolidSphere" && firstBallAt == log.size()) firstBallAt = i;
    }
    EXPECT_LT(lastAxisAt, motionAt);
    EXPECT_LT(motionAt, firstBallAt);

    // The manual Universe leaves the stride alone.
    EXPECT_FALSE(appState.strideFlag);
    EXPECT_EQ(appState.armSwing, 0);
}

TEST_F(UniverseScenes, FramesLeaveTheStacksAsTheyFoundThem) {
    for (auto scene : {&AppState::showUniverseAuto, &AppState::showUniverseManual}) {
        show(scene);
        appState.spinAngle = 123.5f;
        const int modelview = modelviewDepth(), projection = projectionDepth(),
                  attrib = attribDepth();
        resetGlCounters();
        startDrawLog(DrawMode::RecordOnly);
        EXPECT_EQ(drawFrame(), unsigned(GL_NO_ERROR));
        EXPECT_EQ(modelviewDepth(), modelview);
        EXPECT_EQ(projectionDepth(), projection);
        EXPECT_EQ(attribDepth(), attrib);
        EXPECT_EQ(glCounters.swaps, 1);
        // The axes, rockets and satellites make quadrics; none may outlive
        // the frame.
        EXPECT_GT(glCounters.quadricsMade, 0);
        EXPECT_EQ(glCounters.quadricsFreed, glCounters.quadricsMade);
    }

    // The planet system restores the matrix; the two body functions move
    // the matrix their caller pushed but keep the depth.
    glLoadMatrixd(translationMatrix(5, 6, 7).data());
    const int depth = modelviewDepth();
    drawPlanetSystem();
    EXPECT_EQ(modelviewDepth(), depth);
    expectMatrixNear(currentModelview(), translationMatrix(5, 6, 7), 1e-9);
    drawEarthSystem();
    EXPECT_EQ(modelviewDepth(), depth);
    drawRingedPlanetSystem();
    EXPECT_EQ(modelviewDepth(), depth);
    EXPECT_EQ(glGetError(), unsigned(GL_NO_ERROR));
}

TEST_F(UniverseScenes, ZoomShowsOnlyAfterTheNextReshape) {
    show(&AppState::showUniverseAuto);
    const Mat4 before = currentProjection();
    moveCamera(appState, GLUT_KEY_F7);  // 50 -> 25 degrees
    startDrawLog(DrawMode::RecordOnly);
    drawFrame();
    expectMatrixNear(currentProjection(), before, 0);

    applyReshape(appState, 800, 600);
    const double f = 1 / std::tan(12.5 * pi / 180);
    const Mat4 projection = currentProjection();
    EXPECT_NEAR(projection[5], f, 1e-6);
    EXPECT_NEAR(projection[0], f * 600 / 800, 1e-6);
    EXPECT_NEAR(before[5], 1 / std::tan(25 * pi / 180), 1e-6);
}

TEST_F(UniverseScenes, RenderedFramesShowTheBodiesWhereTheyProject) {
    // Two real frames, lighting off so that colours are exact.
    chooseOption(appState, 6);
    show(&AppState::showUniverseAuto);
    EXPECT_EQ(drawFrame(), unsigned(GL_NO_ERROR));
    EXPECT_EQ(glCounters.swaps, 1);
    {
        SCOPED_TRACE("sun at the origin: red under its yellow wire shell");
        const auto centre = projectToWindow(0, 0, 0);
        int red = 0;
        for (int dx = -3; dx <= 3; ++dx)
            for (int dy = -3; dy <= 3; ++dy) {
                const auto rgb = frontPixel(int(centre[0]) + dx, int(centre[1]) + dy);
                EXPECT_EQ(rgb[0], 255);
                EXPECT_EQ(rgb[2], 0);
                if (rgb == std::array<int, 3>{255, 0, 0}) ++red;
            }
        EXPECT_GT(red, 0);
    }
    EXPECT_EQ(pixelAt(orbit(45, 900)), (std::array<int, 3>{255, 0, 255}));  // second planet
    const auto green = pixelAt(orbit(-150, 3500));  // fifth planet (0.4, 0.75, 0.25)
    EXPECT_NEAR(green[0], 102, 1);
    EXPECT_NEAR(green[1], 191, 1);
    EXPECT_NEAR(green[2], 64, 1);

    // The manual scene at its reset values: the second planet turned 90
    // degrees about z, from 45 to 135 degrees.
    show(&AppState::showUniverseManual);
    EXPECT_EQ(drawFrame(), unsigned(GL_NO_ERROR));
    EXPECT_EQ(glCounters.swaps, 2);
    EXPECT_EQ(pixelAt(orbit(135, 900)), (std::array<int, 3>{255, 0, 255}));
    EXPECT_NE(pixelAt(orbit(45, 900)), (std::array<int, 3>{255, 0, 255}));
}
