// The steps that open every animated frame: camera, axes, lighting, stars.
#include <GL/freeglut.h>

#include <cmath>

#include "render/scene_frame.h"
#include "render/stars.h"
#include "support/by_hand.h"
#include "support/feedback.h"
#include "support/gl_test.h"

namespace {

using SceneFrame = GlTest;

struct Depths {
    int modelview, projection, attrib;
};
Depths depths() { return {modelviewDepth(), projectionDepth(), attribDepth()}; }
void expectSameDepths(const Depths& a, const Depths& b) {
    EXPECT_EQ(a.modelview, b.modelview);
    EXPECT_EQ(a.projection, b.projection);
    EXPECT_EQ(a.attrib, b.attrib);
}

bool enabled(GLenum cap) { return glIsEnabled(cap) == GL_TRUE; }

TEST_F(SceneFrame, EveryStepKeepsTheStacksAndRaisesNoError) {
    startDrawLog(DrawMode::RecordOnly);
    const Depths start = depths();
    setupView();
    const Mat4 camera = currentModelview();
    for (bool on : {true, false}) {
        appState.axesOn = appState.lightOn = on;
        drawAxes();
        expectSameDepths(depths(), start);
        applyLighting();
        expectSameDepths(depths(), start);
        for (bool steady : {true, false}) {
            appState.starsSteady = steady;
            appState.starBlink = true;
            drawStars();
            expectSameDepths(depths(), start);
        }
        EXPECT_EQ(currentModelview(), camera);
    }
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(SceneFrame, SetupViewLoadsOnlyTheCameraLookingFromEyeToCentre) {
    appState.eyeX = 100;
    appState.eyeY = -200;
    appState.eyeZ = 300;
    appState.centerX = 1100;
    appState.centerY = -200;
    appState.centerZ = 300;
    glTranslatef(5, 5, 5);  // must be replaced, not multiplied
    setupView();
    const Mat4 m = currentModelview();
    // The eye maps to the eye-space origin, the centre straight ahead (-z),
    // and world +z (up) onto eye-space +y.
    const auto eye = transformPoint(m, 100, -200, 300);
    const auto centre = transformPoint(m, 1100, -200, 300);
    const auto above = transformPoint(m, 100, -200, 301);
    for (int i = 0; i < 3; ++i) EXPECT_NEAR(eye[i], 0, 1e-9);
    EXPECT_NEAR(centre[0], 0, 1e-9);
    EXPECT_NEAR(centre[1], 0, 1e-9);
    EXPECT_NEAR(centre[2], -1000, 1e-9);
    EXPECT_NEAR(above[1], 1, 1e-9);
}

TEST_F(SceneFrame, AxesAreThreeTubesRedGreenBlueAlongPositiveAxes) {
    setupView();
    const Mat4 camera = currentModelview();
    startDrawLog(DrawMode::RecordOnly);
    drawAxes();
    const auto tubes = callsOf("gluCylinder");
    ASSERT_EQ(tubes.size(), 3u);
    // Where each tube's far end (0, 0, 60000) lands in the world.
    const double ends[3][3] = {{60000, 0, 0}, {0, 60000, 0}, {0, 0, 60000}};
    const float colours[3][3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}};
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        const auto& args = tubes[i].args;
        EXPECT_EQ(args, (std::vector<double>{20, 10, 60000, 80, 10}));
        const auto end = transformPoint(multiply(inverse(camera), tubes[i].modelview), 0, 0, 60000);
        for (int k = 0; k < 3; ++k) EXPECT_NEAR(end[k], ends[i][k], 0.05);  // GL keeps floats
        for (int k = 0; k < 3; ++k) EXPECT_EQ(tubes[i].colour[k], colours[i][k]);
    }
    EXPECT_TRUE(enabled(GL_COLOR_MATERIAL));
    GLint face = 0, mode = 0;
    glGetIntegerv(GL_COLOR_MATERIAL_FACE, &face);
    glGetIntegerv(GL_COLOR_MATERIAL_PARAMETER, &mode);
    EXPECT_EQ(face, GL_FRONT);
    EXPECT_EQ(mode, GL_AMBIENT_AND_DIFFUSE);
    EXPECT_EQ(glCounters.quadricsMade, glCounters.quadricsFreed);

    appState.axesOn = false;
    startDrawLog(DrawMode::RecordOnly);
    drawAxes();
    EXPECT_TRUE(callsOf("gluCylinder").empty());
    EXPECT_FALSE(enabled(GL_COLOR_MATERIAL));
}

TEST_F(SceneFrame, LightingSwitchesAndTheLightShinesFromWorldDiagonal) {
    setupView();
    appState.axesOn = false;
    drawAxes();  // colour material off
    applyLighting();
    EXPECT_TRUE(enabled(GL_LIGHTING));
    EXPECT_TRUE(enabled(GL_LIGHT0));
    EXPECT_TRUE(enabled(GL_COLOR_MATERIAL));  // re-enabled by the lighting

    // The light's stored position is in eye space: the world direction
    // (1, 1, 1, 0) seen from the reset camera, i.e. its components along the
    // look-at basis (side, up, backward).
    const LookAtBasis b = lookAtBasis({5000, 5000, 3500}, {0, 0, 2});
    auto sum = [](const Vec3& v) { return v[0] + v[1] + v[2]; };
    const double expected[3] = {sum(b.side), sum(b.up), -sum(b.forward)};
    GLfloat position[4];
    glGetLightfv(GL_LIGHT0, GL_POSITION, position);
    for (int i = 0; i < 3; ++i) EXPECT_NEAR(position[i], expected[i], 1e-5);
    EXPECT_EQ(position[3], 0.0f);

    GLfloat specular[4], shininess;
    glGetMaterialfv(GL_FRONT, GL_SPECULAR, specular);
    glGetMaterialfv(GL_FRONT, GL_SHININESS, &shininess);
    EXPECT_EQ(specular[0] + specular[1] + specular[2] + specular[3], 4.0f);
    EXPECT_EQ(shininess, 10.0f);

    appState.lightOn = false;
    applyLighting();
    EXPECT_FALSE(enabled(GL_LIGHTING));
    EXPECT_FALSE(enabled(GL_LIGHT0));
    EXPECT_FALSE(enabled(GL_COLOR_MATERIAL));
}

// Mean vertex of each star cluster a drawing emits (24 triangles a cluster);
// the star is symmetric about (25, 25, 25) from its placement.
std::vector<Vertex> clusterCentres(const std::function<void()>& draw) {
    const auto triangles = captureTriangles(draw);
    std::vector<Vertex> centres;
    for (size_t first = 0; first + 24 <= triangles.size(); first += 24) {
        Vertex sum{0, 0, 0};
        for (size_t t = first; t < first + 24; ++t)
            for (const Vertex& v : triangles[t])
                for (int k = 0; k < 3; ++k) sum[k] += v[k] / 72;
        centres.push_back(sum);
    }
    EXPECT_EQ(triangles.size() % 24, 0u);
    return centres;
}

void expectNear(const Vertex& a, double x, double y, double z, double tol = 0.1) {
    EXPECT_NEAR(a[0], x, tol);
    EXPECT_NEAR(a[1], y, tol);
    EXPECT_NEAR(a[2], z, tol);
}

TEST_F(SceneFrame, StarSpans250UnitsAboutItsCentreWithSixSpikes) {
    const auto triangles = captureTriangles(drawStarCluster);
    ASSERT_EQ(triangles.size(), 24u);
    Vertex low{1e9, 1e9, 1e9}, high{-1e9, -1e9, -1e9};
    for (const auto& t : triangles)
        for (const Vertex& v : t)
            for (int k = 0; k < 3; ++k) {
                low[k] = std::min(low[k], v[k]);
                high[k] = std::max(high[k], v[k]);
            }
    expectNear(low, -100, -100, -100, 0.05);
    expectNear(high, 150, 150, 150, 0.05);
    expectNear(clusterCentres(drawStarCluster).at(0), 25, 25, 25, 0.05);
}

TEST_F(SceneFrame, StarBlockLatticeDoublesItsZSpacing) {
    const auto centres = clusterCentres([] { drawStarBlock(5, 5, 1); });
    ASSERT_EQ(centres.size(), 125u);
    // Cluster (i, j, k) is drawn at index 25 i + 5 j + k.
    expectNear(centres[25 * 4 + 5 * 0 + 3], -14000 + 25, 7000 + 25, 5600 + 25);
    expectNear(centres[25 * 2 + 5 * 2 + 2], 25, 25, 25);
    expectNear(centres[0], -14000 + 25, -14000 + 25, -5600 + 25);

    // With b = 0 each place is drawn five times: 125 clusters on 25 places.
    const auto flat = clusterCentres([] { drawStarBlock(-10, 0, -10); });
    ASSERT_EQ(flat.size(), 125u);
    int distinct = 0;
    for (size_t i = 0; i < flat.size(); ++i) {
        bool seen = false;
        for (size_t j = 0; j < i && !seen; ++j)
            seen = std::fabs(flat[i][0] - flat[j][0]) + std::fabs(flat[i][2] - flat[j][2]) < 1;
        distinct += seen ? 0 : 1;
        EXPECT_NEAR(flat[i][1], 25, 0.1);
    }
    EXPECT_EQ(distinct, 25);
    expectNear(flat[0], 28000 + 25, 25, 56000 + 25);  // i = j = 0 with a = c = -10
}

TEST_F(SceneFrame, StarBlocksTurnBySpinAngleAboutTheChosenAxis) {
    appState.spinAngle = 90;
    // The cluster of block (5, 5, 1) at i = 4, j = 0, k = 3 sits at
    // (-14000, 7000, 5600) before the turn.
    const double x = -14000 + 25, y = 7000 + 25, z = 5600 + 25;
    appState.starAxis = 'a';  // x axis: (x, y, z) -> (x, -z, y)
    expectNear(clusterCentres([] { drawStarBlock(5, 5, 1); })[103], x, -z, y);
    appState.starAxis = 'b';  // y axis: (x, y, z) -> (z, y, -x)
    expectNear(clusterCentres([] { drawStarBlock(5, 5, 1); })[103], z, y, -x);
    appState.starAxis = 'c';  // z axis: (x, y, z) -> (-y, x, z)
    expectNear(clusterCentres([] { drawStarBlock(5, 5, 1); })[103], -y, x, z);
}

TEST_F(SceneFrame, BlinkingFieldAndTheBlockThatNeverBlinks) {
    const size_t block = 125 * 24;
    // Blinking, phase on: the field (three blocks) and the fourth block.
    appState.starBlink = true;
    EXPECT_EQ(captureTriangles(drawStars).size(), 4 * block);
    EXPECT_TRUE(appState.starBlink);
    // Phase off: only the fourth block.
    appState.starBlink = false;
    EXPECT_EQ(captureTriangles(drawStars).size(), block);
    // Steady: the field exactly once whatever the phase, and the phase cleared.
    appState.starsSteady = true;
    for (bool phase : {true, false}) {
        appState.starBlink = phase;
        EXPECT_EQ(captureTriangles(drawStars).size(), 4 * block);
        EXPECT_FALSE(appState.starBlink);
    }
}

}  // namespace
