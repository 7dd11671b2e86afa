// Camera keys: the moves from the reset camera, the turn, the zoom, the codes
// that do nothing, and the horizontal eye-centre distance no key changes.
#include <GL/freeglut.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <random>
#include <string>

#include "app/frame_loop.h"
#include "input/camera.h"
#include "support/gl_counters.h"
#include "support/state_text.h"

namespace {

// Eye (5000, 5000, 3500), centre (0, 0, 2): the camera every scene restores.
AppState resetCamera() {
    AppState s;
    s.eyeX = s.centerZ = -1;
    resetView(s);
    return s;
}

AppState after(std::initializer_list<int> keys) {
    AppState s = resetCamera();
    for (int key : keys) moveCamera(s, key);
    return s;
}

// Eye and centre within `tol` (0.005: the listed values carry two decimals).
void expectCamera(const AppState& s, double ex, double ey, double ez, double cx, double cy,
                  double cz, double tol = 0.005) {
    EXPECT_NEAR(s.eyeX, ex, tol);
    EXPECT_NEAR(s.eyeY, ey, tol);
    EXPECT_NEAR(s.eyeZ, ez, tol);
    EXPECT_NEAR(s.centerX, cx, tol);
    EXPECT_NEAR(s.centerY, cy, tol);
    EXPECT_NEAR(s.centerZ, cz, tol);
}

}  // namespace

TEST(CameraKeys, MovesFromTheResetCamera) {
    // Up walks along the full 3D view direction, so the camera descends 22.17.
    expectCamera(after({GLUT_KEY_UP}), 4968.31, 4968.31, 3477.83, -31.69, -31.69, -20.17);
    // F3 slides by the horizontal part of the unit vector only: 44.82, not 50.
    const AppState slid = after({GLUT_KEY_F3});
    expectCamera(slid, 5031.69, 4968.31, 3500, 31.69, -31.69, 2);
    EXPECT_NEAR(std::hypot(slid.eyeX - 5000, slid.eyeY - 5000), 44.82, 0.005);
    expectCamera(after({GLUT_KEY_LEFT}), 5000, 5000, 3500, 5616.28, -2044.16, 2);
    expectCamera(after({GLUT_KEY_RIGHT}), 5000, 5000, 3500, -2044.16, 5616.28, 2);
    expectCamera(after({GLUT_KEY_F5}), 5000, 5000, 3500, 0, 0, 52, 0);
    expectCamera(after({GLUT_KEY_F1}), 5000, 5000, 3550, 0, 0, 52, 0);
    // Each move undone by its opposite.
    expectCamera(after({GLUT_KEY_F1, GLUT_KEY_F2}), 5000, 5000, 3500, 0, 0, 2, 0);
    expectCamera(after({GLUT_KEY_LEFT, GLUT_KEY_RIGHT}), 5000, 5000, 3500, 0, 0, 2, 1e-9);
    expectCamera(after({GLUT_KEY_UP, GLUT_KEY_DOWN}), 5000, 5000, 3500, 0, 0, 2, 1e-9);
    expectCamera(after({GLUT_KEY_F3, GLUT_KEY_F4}), 5000, 5000, 3500, 0, 0, 2, 1e-9);
    expectCamera(after({GLUT_KEY_F6, GLUT_KEY_F6}), 5000, 5000, 3500, 0, 0, -98, 0);
    // The zoom steps 25 degrees and stops at 25 and 175: a step to 0 or 180
    // does nothing, and the opposite key steps back at once.
    EXPECT_EQ(after({GLUT_KEY_F7}).fovY, 25.0);
    EXPECT_EQ(after({GLUT_KEY_F7, GLUT_KEY_F7, GLUT_KEY_F7}).fovY, 25.0);
    EXPECT_EQ(after({GLUT_KEY_F7, GLUT_KEY_F7, GLUT_KEY_F8}).fovY, 50.0);
    EXPECT_EQ(after({GLUT_KEY_F8}).fovY, 75.0);
    EXPECT_EQ(after({GLUT_KEY_F8, GLUT_KEY_F8, GLUT_KEY_F8, GLUT_KEY_F8, GLUT_KEY_F8}).fovY, 175.0);
    EXPECT_EQ(
        after({GLUT_KEY_F8, GLUT_KEY_F8, GLUT_KEY_F8, GLUT_KEY_F8, GLUT_KEY_F8, GLUT_KEY_F7}).fovY,
        150.0);
}

TEST(CameraKeys, SevenTurnsEachWayReturnInEveryOrder) {
    int keys[14];
    std::fill(keys, keys + 7, GLUT_KEY_LEFT);
    std::fill(keys + 7, keys + 14, GLUT_KEY_RIGHT);
    do {  // all 3432 orders; the eye never moves
        AppState s = resetCamera();
        for (int key : keys) moveCamera(s, key);
        expectCamera(s, 5000, 5000, 3500, 0, 0, 2, 1e-6);
        if (HasFailure()) return;
    } while (std::next_permutation(keys, keys + 14));

    // Seven Left turns alone: 7 x 0.872664625 rad (pi taken as 3.14159265),
    // which differs from 350 degrees by enough to show at 1e-6.
    const double t = 7 * 50.0 / 180 * 3.14159265;
    AppState s = resetCamera();
    for (int i = 0; i < 7; ++i) moveCamera(s, GLUT_KEY_LEFT);
    expectCamera(s, 5000, 5000, 3500, 5000 - 5000 * std::cos(t) + 5000 * std::sin(t),
                 5000 - 5000 * std::sin(t) - 5000 * std::cos(t), 2, 1e-6);
}

TEST(CameraKeys, OtherCodesChangeNothing) {
    const int codes[] = {GLUT_KEY_F9,
                         GLUT_KEY_F10,
                         GLUT_KEY_F11,
                         GLUT_KEY_F12,
                         GLUT_KEY_PAGE_UP,
                         GLUT_KEY_PAGE_DOWN,
                         GLUT_KEY_HOME,
                         GLUT_KEY_END,
                         GLUT_KEY_INSERT,
                         0,
                         13,
                         99,
                         109,
                         112,
                         255,
                         -1};
    for (const AppState& start : {resetCamera(), after({GLUT_KEY_LEFT, GLUT_KEY_F6})}) {
        for (int code : codes) {
            AppState s = start;
            moveCamera(s, code);
            EXPECT_EQ(stateText(s), stateText(start)) << "code " << code;
        }
    }
    // The callback ignores the mouse position and asks for no redisplay.
    resetGlCounters();
    appState = resetCamera();
    onSpecialKey(GLUT_KEY_F1, 400, 300);
    EXPECT_EQ(appState.eyeZ, 3550.0);
    EXPECT_EQ(glCounters.redisplays, 0);
    appState = AppState{};
}

TEST(CameraKeys, NoKeySequenceChangesTheHorizontalEyeCentreDistance) {
    // Set UNIVERSE_TEST_SEED to replay a failing sequence.
    unsigned seed = std::random_device{}();
    if (const char* fixed = std::getenv("UNIVERSE_TEST_SEED")) seed = std::stoul(fixed);
    SCOPED_TRACE("seed " + std::to_string(seed));
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> pick(0, 12);
    AppState s = resetCamera();
    for (int i = 0; i < 5000; ++i) {
        const int r = pick(random);  // F1-F8, the four arrows, or F12
        const int key = r < 8 ? r + 1 : r < 12 ? r - 8 + GLUT_KEY_LEFT : GLUT_KEY_F12;
        moveCamera(s, key);
        ASSERT_NEAR(std::hypot(s.centerX - s.eyeX, s.centerY - s.eyeY), 7071.0678, 1e-4)
            << "press " << i << ", key " << key;
    }
}
