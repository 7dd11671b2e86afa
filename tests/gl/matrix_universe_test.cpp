// The universe placed with explicit matrices: where its bodies stand as the
// clock runs, the flat ring, the matrix left behind, and what a rendered
// frame shows with lighting off.
#include <cmath>
#include <string>

#include "app/menus.h"
#include "support/frame_probe.h"
#include "support/gl_test.h"
#include "support/transforms.h"

namespace {

using xform::chain;
using xform::translate;
using Point = std::array<double, 3>;

void recordAt(float clock) {
    showScene(&AppState::showMatrixUniverse);
    appState.matrixAngle = clock;
    recordFrame();
}

// The matrix of the one call of `kind` with radius `radius`.
Mat4 matrixOf(const std::string& kind, double radius) {
    const auto calls = callsOf(kind, radius);
    EXPECT_EQ(calls.size(), 1u) << kind << " " << radius;
    return calls.empty() ? Mat4{} : calls[0].modelview;
}

Point centreOf(double radius) {
    return xform::worldPoint(matrixOf("glutSolidSphere", radius), 0, 0, 0);
}

// A point `distance` out along +y after a turn of `angle` radians about z,
// at height z.
Point turnedY(double angle, double distance, double z = 0) {
    return {-distance * std::sin(angle), distance * std::cos(angle), z};
}

Point plus(const Point& a, const Point& b) { return {a[0] + b[0], a[1] + b[1], a[2] + b[2]}; }

using MatrixUniverseTest = GlTest;

TEST_F(MatrixUniverseTest, BodiesTurnWithTheClockInRadians) {
    const int depth = modelviewDepth();
    recordAt(0);
    EXPECT_EQ(glCounters.swaps, 1);
    EXPECT_EQ(modelviewDepth(), depth);
    expectNear(centreOf(590), {0, 0, 0}, 0.01, "sun");
    expectNear(centreOf(130), {1917.85, 567.32, 0}, 0.01, "first planet");
    expectNear(centreOf(180), {2397.31, 709.15, 0}, 0.01, "second planet");
    expectNear(centreOf(50), plus(turnedY(5, 2500), turnedY(5, 250, 80)), 0.01, "moon");
    // Each wire shell is drawn where its body is.
    for (double r : {590.0, 130.0, 200.0, 180.0, 50.0})
        EXPECT_EQ(matrixOf("glutWireSphere", r + 0.005), matrixOf("glutSolidSphere", r)) << r;
    // Nothing is popped after the bodies: the frame ends on the moon's matrix.
    const Mat4 left = currentModelview(), moon = matrixOf("glutSolidSphere", 50);
    for (int i = 0; i < 16; ++i) EXPECT_NEAR(left[i], moon[i], 1e-3) << "element " << i;

    // The first planet at a + 5, the second at 2a + 5, the moon a further
    // 2.5a about the second.
    const float a = 0.9f;
    recordAt(a);
    const double first = a + 5.0f, second = first + a;
    expectNear(centreOf(130), turnedY(first, 2000), 0.01, "first planet");
    expectNear(centreOf(180), turnedY(second, 2500), 0.01, "second planet");
    expectNear(centreOf(50), plus(turnedY(second, 2500), turnedY(second + a * 2.5, 250, 80)), 0.01,
               "moon");

    // A late clock where single precision shows: a + 5 is a single-precision
    // sum (here it rounds by half a unit in the last place, about one scene
    // unit at the first planet), a * 2.5 a double product (rounding it to
    // single would move the moon by about 0.18).
    const float late = 8189.0005f;
    recordAt(late);
    const double lateFirst = late + 5.0f, lateSecond = lateFirst + late;
    expectNear(centreOf(130), turnedY(lateFirst, 2000), 0.02, "late first planet");
    expectNear(centreOf(50),
               plus(turnedY(lateSecond, 2500), turnedY(lateSecond + late * 2.5, 250, 80)), 0.02,
               "late moon");
}

TEST_F(MatrixUniverseTest, RingIsAThinDiscAboutTheFirstPlanetAndItsMatricesCancel) {
    const float a = 0.9f;
    recordAt(a);
    const Mat4 planet = matrixOf("glutSolidSphere", 130), ring = matrixOf("glutSolidSphere", 200);
    const Point centre = xform::worldPoint(planet, 0, 0, 0);

    // Radius 200 in the planet's plane and 20 above and below it: 70 beyond
    // the planet's surface, 40 thick.
    expectNear(xform::worldPoint(ring, 0, 0, 0), centre, 0.01, "ring centre");
    for (const Point& rim : {Point{200, 0, 0}, Point{0, 200, 0}, Point{0, -200, 0}}) {
        const Point p = xform::worldPoint(ring, rim[0], rim[1], rim[2]);
        EXPECT_NEAR(std::hypot(p[0] - centre[0], p[1] - centre[1]), 200, 0.01);
        EXPECT_NEAR(p[2], centre[2], 0.01);
    }
    expectNear(xform::worldPoint(ring, 0, 0, 200), plus(centre, {0, 0, 20}), 0.01, "ring top");
    expectNear(xform::worldPoint(ring, 0, 0, -200), plus(centre, {0, 0, -20}), 0.01, "ring bottom");

    // Once the ring's flattening and the 2000 out are undone, the matrix is
    // the one the first turn left: taking the second planet's 2500 out and
    // its turn a off its matrix gives the first planet's less its 2000 out.
    const Mat4 afterFirstTurn = chain(planet, translate(0, -2000, 0));
    const Mat4 afterUndo =
        chain(matrixOf("glutSolidSphere", 180), translate(0, -2500, 0), xform::rotateZRadians(-a));
    for (int i = 0; i < 16; ++i)
        EXPECT_NEAR(afterUndo[i], afterFirstTurn[i], i >= 12 ? 5e-3 : 1e-5) << "element " << i;
}

TEST_F(MatrixUniverseTest, RenderedFrameShowsTheUnlitBodies) {
    chooseOption(appState, 6);  // lighting off: colours come out as given
    showScene(&AppState::showMatrixUniverse);
    renderCleanFrame();

    // The sun: red under a dense yellow wire shell.
    const auto sun = pixelsAround(projectToWindow(0, 0, 0), 4);
    EXPECT_GT(countOf(sun, {255, 255, 0}), 0);
    EXPECT_GT(countOf(sun, {255, 0, 0}), 0);
    EXPECT_EQ(countOf(sun, {255, 255, 0}) + countOf(sun, {255, 0, 0}), int(sun.size()));
    // Both planets blue at their centres, the moon magenta at its own.
    const auto first = pixelsAround(projectToWindow(1917.85, 567.32, 0), 2);
    EXPECT_EQ(countOf(first, {0, 0, 255}), int(first.size()));
    const auto second = pixelsAround(projectToWindow(2397.31, 709.15, 0), 2);
    EXPECT_EQ(countOf(second, {0, 0, 255}), int(second.size()));
    const Point moon = plus(turnedY(5, 2500), turnedY(5, 250, 80));
    const auto moonPixels = pixelsAround(projectToWindow(moon[0], moon[1], moon[2]), 1);
    EXPECT_EQ(countOf(moonPixels, {255, 0, 255}), int(moonPixels.size()));
    // The ring shows magenta beside the first planet, between its surface
    // (130) and its rim (200), on the side facing the camera.
    const Point ringSide = plus({1917.85, 567.32, 0}, {120, 120, 0});  // 170 out toward +x +y
    const auto ringPixels = pixelsAround(projectToWindow(ringSide[0], ringSide[1], ringSide[2]), 0);
    EXPECT_EQ(countOf(ringPixels, {255, 0, 255}), 1);
}

}  // namespace
