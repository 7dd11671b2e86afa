// The Earth, Moon, Rocket and Man scenes: where each object is drawn in the
// automatic and the manual scene, which objects follow the manual motion,
// and what a rendered frame shows with lighting off.
#include <bitset>
#include <string>
#include <vector>

#include "app/menus.h"
#include "input/manual_controls.h"
#include "support/frame_probe.h"
#include "support/gl_test.h"
#include "support/transforms.h"

namespace {

using xform::chain;
using xform::rotate;
using xform::translate;

// Follow flags as bits, in the order the scene handles the objects.
enum Follow : unsigned { MoonGroup = 1, EarthRocket = 2, Green = 4, Red = 8, Blue = 16 };

void setFollowers(unsigned mask) {
    appState.moonGroupManual = mask & MoonGroup;
    appState.earthRocketManual = mask & EarthRocket;
    appState.greenSatelliteManual = mask & Green;
    appState.redSatelliteManual = mask & Red;
    appState.blueSatelliteManual = mask & Blue;
}

size_t followers(unsigned mask) { return std::bitset<5>(mask).count(); }

std::string colourName(const std::array<float, 4>& c) {
    if (c[0] == 1 && c[1] >= 1 && c[2] == 0) return "green";  // (1, 69, 0), clamped or not
    if (c[0] == 1 && c[1] == 0 && c[2] == 0) return "red";
    if (c[0] == 0 && c[1] == 0.5f && c[2] == 0.5f) return "blue";
    return "other";
}

// The calls that mark the objects, in this order: the Moon's sphere, the
// astronaut's head, the tail balls of the Moon's and the Earth's rockets,
// and the first ball (the only one of 100 slices) of the green, red and
// blue satellites.
const char* const markerNames[] = {"Moon",  "head", "Moon's rocket", "Earth's rocket",
                                   "green", "red",  "blue"};
using Markers = std::array<Mat4, 7>;

Markers recordedMarkers() {
    Markers m{};
    const auto moon = callsOf("glutSolidSphere", 190);
    const auto balls50 = callsOf("glutSolidSphere", 50);  // head, then two feet
    const auto tails = callsOf("glutSolidSphere", 180);
    EXPECT_EQ(moon.size(), 1u);
    EXPECT_EQ(balls50.size(), 3u);
    EXPECT_EQ(tails.size(), 2u);
    if (moon.size() != 1 || balls50.size() != 3 || tails.size() != 2) return m;
    m = {moon[0].modelview, balls50[0].modelview, tails[0].modelview, tails[1].modelview};
    int satellites = 0;
    for (const DrawCall& c : callsOf("glutSolidSphere", 100)) {
        if (c.args[1] != 100) continue;
        ++satellites;
        const std::string name = colourName(c.colour);
        for (int i = 4; i < 7; ++i)
            if (name == markerNames[i]) m[i] = c.modelview;
    }
    EXPECT_EQ(satellites, 3);
    return m;
}

// Compares recorded matrices with expected world-frame ones through the
// images of the origin and of three points off the axes, so turns count too.
void expectMarkers(const Markers& recorded, const Markers& expected) {
    const double probes[4][3] = {{0, 0, 0}, {100, 0, 0}, {0, 100, 0}, {0, 0, 100}};
    for (int i = 0; i < 7; ++i)
        for (const auto& p : probes)
            expectNear(xform::worldPoint(recorded[i], p[0], p[1], p[2]),
                       transformPoint(expected[i], p[0], p[1], p[2]), 0.05, markerNames[i]);
}

// Where the tables of the two scenes put the markers in the current state;
// `manual` picks the manual scene, `follow` its follow flags.
Markers expectedMarkers(bool manual, unsigned follow) {
    const AppState& st = appState;
    const double s = st.spinAngle;
    const Mat4 earth = rotate(s, 0, 0, 10);
    const Mat4 motion =
        chain(rotate(st.manualAngle, st.starAxis == 'a', st.starAxis == 'b', st.starAxis == 'c'),
              translate(st.manualOffsetX, st.manualOffsetY, st.manualOffsetZ),
              xform::scale(st.manualScaleX, st.manualScaleY, st.manualScaleZ));
    // Per object: where its chain starts, its offsets, its added angle.
    struct Setting {
        Mat4 start;
        double ox, oy, oz, a;
        bool follows;
    };
    auto setting = [&](unsigned bit) {
        if (manual && (follow & bit))
            return Setting{chain(earth, motion), st.manualOffsetX, st.manualOffsetY,
                           st.manualOffsetZ,     st.manualAngle,   true};
        if (manual) return Setting{earth, 0, 0, 0, 0, false};
        return Setting{earth, st.manualOffsetX, st.manualOffsetY, st.manualOffsetZ, 0, false};
    };
    const Mat4 rocketTail = chain(rotate(180, 0, 1, 0), translate(30, 0, 0));
    const Mat4 firstBall = translate(300, 0, 0);

    const Setting m = setting(MoonGroup), r = setting(EarthRocket), g = setting(Green),
                  d = setting(Red), b = setting(Blue);
    const Mat4 moon = chain(m.start, rotate(s * 5 + m.a, 0, 0, 1),
                            translate(1550 + m.ox, 1550 + m.oy, m.oz + 205));
    const Mat4 astronaut = chain(moon, translate(5 + m.ox, 5 + m.oy, m.oz + 155));
    return {moon,
            chain(astronaut, translate(0, 0, 280)),
            chain(astronaut, rotate(s + m.a, 0, 0, 1), translate(650 + m.ox, 650 + m.oy, m.oz),
                  rocketTail),
            chain(r.start, rotate(r.follows ? -s * 6 - r.a : -s * 10, 0, 1, 0),
                  translate(2980 + r.ox, -2980 + r.oy, r.oz + (manual ? 1795 : 795)),
                  rotate(90, 0, 1, 0), rocketTail),
            chain(g.start, rotate(-s * 10 + g.a, 0, 1, 0),
                  translate(-2080 + g.ox, 2080 + g.oy, g.oz - 795), rotate(s * 90 + g.a, 1, 0, 0),
                  firstBall),
            chain(d.start, rotate(s * 5 + d.a, 0, 1, 0),
                  translate(-4080 + d.ox, -4080 + d.oy, d.oz - 795), rotate(s * 90 + d.a, 1, 0, 0),
                  firstBall),
            chain(b.start, rotate(s * 15 + b.a, 0, 1, 0),
                  translate(-3080 + b.ox, (b.follows ? 2680 : 4080) + b.oy,
                            b.oz + (manual ? 95 : 595)),
                  rotate(-s * 90 + b.a, 1, 0, 0), firstBall)};
}

// A state away from every default: the clock at a value whose spins are
// not whole turns, offsets on all three axes, a manual angle and scale, and
// the x axis for the manual turn.
void setBusyState() {
    appState.spinAngle = 12.5f;
    appState.manualOffsetX = 30;
    appState.manualOffsetY = -70;
    appState.manualOffsetZ = 150;
    appState.manualAngle = 120;
    appState.manualScaleX = appState.manualScaleY = appState.manualScaleZ = 1.2f;
    appState.starAxis = 'a';
}

bool sameLog(const std::vector<DrawCall>& a, const std::vector<DrawCall>& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (a[i].kind != b[i].kind || a[i].args != b[i].args || a[i].modelview != b[i].modelview)
            return false;
    return true;
}

using EarthScenesTest = GlTest;

TEST_F(EarthScenesTest, ObjectsStandAtTheirPlacesWhileTheClockIsAtZero) {
    // Each marker's point that is the object's origin, and where that stands
    // in the automatic and in the manual scene with no flag set.
    const struct {
        std::array<double, 3> local, automatic, manual;
    } places[] = {
        {{0, 0, 0}, {1550, 1550, 205}, {1550, 1550, 205}},
        {{0, 0, -280}, {1555, 1555, 360}, {1555, 1555, 360}},
        {{-30, 0, 0}, {2205, 2205, 360}, {2205, 2205, 360}},
        {{-30, 0, 0}, {2980, -2980, 795}, {2980, -2980, 1795}},
        {{-300, 0, 0}, {-2080, 2080, -795}, {-2080, 2080, -795}},
        {{-300, 0, 0}, {-4080, -4080, -795}, {-4080, -4080, -795}},
        {{-300, 0, 0}, {-3080, 4080, 595}, {-3080, 4080, 95}},
    };
    for (bool manual : {false, true}) {
        SCOPED_TRACE(manual ? "manual" : "automatic");
        resetForTest();
        showScene(manual ? &AppState::showEarthManual : &AppState::showEarthAuto);
        recordFrame();
        EXPECT_EQ(glCounters.swaps, 1);
        EXPECT_EQ(callsOf("applyManualMotion").size(), 0u);
        const Markers m = recordedMarkers();
        for (int i = 0; i < 7; ++i) {
            const auto& p = places[i];
            expectNear(xform::worldPoint(m[i], p.local[0], p.local[1], p.local[2]),
                       manual ? p.manual : p.automatic, 0.01, markerNames[i]);
        }
        // The Earth at the origin, and the astronaut's head in the Moon's white.
        ASSERT_EQ(callsOf("glutWireSphere", 1200.005).size(), 1u);
        expectNear(xform::worldPoint(callsOf("glutWireSphere", 1200.005)[0].modelview, 0, 0, 0),
                   {0, 0, 0}, 0.01, "Earth");
        EXPECT_EQ(callsOf("glutSolidSphere", 50)[0].colour, (std::array<float, 4>{1, 1, 1, 1}));
    }
}

TEST_F(EarthScenesTest, AutomaticSceneTurnsWithTheClockAndIgnoresTheFollowFlags) {
    showScene(&AppState::showEarthAuto);
    setBusyState();
    recordFrame();
    expectMarkers(recordedMarkers(), expectedMarkers(false, 0));
    const std::vector<DrawCall> before = drawLog();

    // Follow flags set while this scene is shown change nothing in it.
    setFollowers(31);
    recordFrame();
    EXPECT_TRUE(sameLog(before, drawLog()));
    EXPECT_EQ(callsOf("applyManualMotion").size(), 0u);
}

TEST_F(EarthScenesTest, ManualSceneMovesOnlyTheObjectsThatFollow) {
    showScene(&AppState::showEarthManual);
    setBusyState();
    // Two complementary sets, so that every object is seen both ways.
    for (unsigned follow : {MoonGroup | Green | Blue, EarthRocket | Red}) {
        SCOPED_TRACE("follow mask " + std::to_string(follow));
        setFollowers(follow);
        recordFrame();
        expectMarkers(recordedMarkers(), expectedMarkers(true, follow));
        // Each manual motion starts from the Earth's turn inside its object's
        // own push, not on top of the previous object's motion.
        const auto motions = callsOf("applyManualMotion");
        EXPECT_EQ(motions.size(), followers(follow));
        const Mat4 earth = rotate(appState.spinAngle, 0, 0, 1);
        for (const DrawCall& c : motions)
            for (const auto& p : {std::array<double, 3>{0, 0, 0}, {100, 0, 0}, {0, 100, 0}})
                expectNear(xform::worldPoint(c.modelview, p[0], p[1], p[2]),
                           transformPoint(earth, p[0], p[1], p[2]), 0.01, "manual motion start");
    }
}

// The object that the call at `index` of the log is made for: the first
// sphere drawn after it names it.
std::string objectAfter(size_t index) {
    const auto& log = drawLog();
    for (size_t i = index + 1; i < log.size(); ++i) {
        const DrawCall& c = log[i];
        if (c.kind != "glutSolidSphere") continue;
        if (c.args[0] == 190) return "Moon group";
        if (c.args[0] == 180) return "Earth's rocket";
        if (c.args[0] == 100 && c.args[1] == 100) return colourName(c.colour);
        return "other";
    }
    return "none";
}

TEST_F(EarthScenesTest, ManualMotionRunsOncePerFollowingObjectInTheFixedOrder) {
    showScene(&AppState::showEarthManual);
    setFollowers(31);
    recordFrame();
    std::vector<std::string> order;
    for (size_t i = 0; i < drawLog().size(); ++i)
        if (drawLog()[i].kind == "applyManualMotion") order.push_back(objectAfter(i));
    EXPECT_EQ(order,
              (std::vector<std::string>{"Moon group", "Earth's rocket", "green", "red", "blue"}));

    // Each call takes one stride step, so the astronaut's arms (the first two
    // solid cubes) swap pose from frame to frame exactly when an odd number
    // of objects follow. The first frame is left out: where the Moon group
    // does not follow, it still shows the start pose, which no step gives.
    for (unsigned follow : {0u, 1u, 3u, 7u, 15u, 31u, 20u, 10u}) {
        SCOPED_TRACE("follow mask " + std::to_string(follow));
        resetForTest();
        showScene(&AppState::showEarthManual);
        setFollowers(follow);
        recordFrame();
        std::vector<std::array<Mat4, 2>> arms;
        for (int frame = 0; frame < 3; ++frame) {
            recordFrame();
            const auto cubes = callsOf("glutSolidCube", 10);
            ASSERT_GE(cubes.size(), 2u);
            arms.push_back({cubes[0].modelview, cubes[1].modelview});
        }
        const bool odd = followers(follow) % 2 == 1;
        EXPECT_EQ(arms[0] != arms[1], odd);
        EXPECT_EQ(arms[1] != arms[2], odd);
        EXPECT_EQ(arms[0], arms[2]);
    }
}

TEST_F(EarthScenesTest, ManualKeysMoveNothingWhileNoObjectFollows) {
    showScene(&AppState::showEarthManual);
    recordFrame();
    const std::vector<DrawCall> before = drawLog();

    // Every mode on, then steps both ways about each axis.
    for (char key : {'e', 'r', 't', '+', '+', '-', 'x', '+', 'y', '+', 'z', '+'})
        pressKey(appState, key);
    ASSERT_EQ(appState.manualOffsetZ, 400);
    recordFrame();
    EXPECT_TRUE(sameLog(before, drawLog()));
    EXPECT_EQ(callsOf("applyManualMotion").size(), 0u);

    // Once the Moon group follows, the same values move it.
    pressKey(appState, 'a');
    recordFrame();
    EXPECT_FALSE(sameLog(before, drawLog()));
}

TEST_F(EarthScenesTest, RenderedFramesShowTheUnlitColours) {
    chooseOption(appState, 6);  // lighting off: colours come out as given
    showScene(&AppState::showEarthAuto);
    renderCleanFrame();
    // Through a point inside the Earth, off the axes, the near side of the
    // black ball shows its blue wire shell and nothing else.
    const auto shell = pixelsAround(projectToWindow(-600, 600, 400), 4);
    EXPECT_GT(countOf(shell, {0, 0, 255}), 10);
    EXPECT_EQ(countOf(shell, {0, 0, 255}) + countOf(shell, {0, 0, 0}), int(shell.size()));
    // The green satellite's (1, 69, 0), clamped: yellow at the tubes' crossing.
    const auto green = pixelsAround(projectToWindow(-2080, 2080, -795), 2);
    EXPECT_EQ(countOf(green, {255, 255, 0}), int(green.size()));

    // Manual scene: the blue satellite shows at (-2680, 95, 3080) only once
    // it follows the reset motion (90 degrees about z), which takes its
    // centre (-3080, 2680, 95) through its turn of 90 about y to
    // (95, 2680, 3080) and then about z.
    resetForTest();
    chooseOption(appState, 6);
    showScene(&AppState::showEarthManual);
    auto tealCount = [] {
        int teal = 0;
        for (const Rgb& p : pixelsAround(projectToWindow(-2680, 95, 3080), 2))
            teal += p[0] == 0 && p[1] >= 127 && p[1] <= 128 && p[1] == p[2];
        return teal;
    };
    renderCleanFrame();
    EXPECT_EQ(tealCount(), 0);
    setFollowers(Blue);
    renderCleanFrame();
    EXPECT_EQ(tealCount(), 25);
}

}  // namespace
