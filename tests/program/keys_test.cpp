// The keys pressed on the real keyboard device of the virtual X server, in
// the manual Universe (nothing moves there by itself), unlit and without
// axes so the sun and the Earth show in their exact colours. After each
// burst of keys the sun and the Earth must stand where the camera and the
// manual transform, worked out here from the key rules, project them.
#include <X11/keysym.h>
#include <gtest/gtest.h>

#include <cmath>

#include "viewer_session.h"

namespace {

// The camera rules: a 50-unit step, turns of 50 / 180 * 3.14159265 radians,
// zoom steps of 25 degrees; every move uses the unit view vector of the
// position before the key.
struct CameraModel {
    ViewCamera view;   // the projection in force in the window
    double fovY = 50;  // the zoom, shown from the next reshape

    void press(unsigned long key) {
        auto& e = view.eye;
        auto& c = view.centre;
        const double s = 50;
        const double dx = c[0] - e[0], dy = c[1] - e[1], dz = c[2] - e[2];
        const double l = std::sqrt(dx * dx + dy * dy + dz * dz);
        const double ux = dx / l, uy = dy / l, uz = dz / l;
        const double turn = s / 180 * 3.14159265;
        switch (key) {
            case XK_F1: e[2] += s, c[2] += s; break;
            case XK_F2: e[2] -= s, c[2] -= s; break;
            case XK_F3: e[0] -= s * uy, e[1] += s * ux, c[0] -= s * uy, c[1] += s * ux; break;
            case XK_F4: e[0] += s * uy, e[1] -= s * ux, c[0] += s * uy, c[1] -= s * ux; break;
            case XK_F5: c[2] += s; break;
            case XK_F6: c[2] -= s; break;
            case XK_F7: fovY -= 25; break;
            case XK_F8: fovY += 25; break;
            case XK_Up:
            case XK_Down: {
                const double k = key == XK_Up ? s : -s;
                for (int i = 0; i < 3; ++i) e[i] += k * (i == 0 ? ux : i == 1 ? uy : uz);
                for (int i = 0; i < 3; ++i) c[i] += k * (i == 0 ? ux : i == 1 ? uy : uz);
                break;
            }
            case XK_Left:
            case XK_Right: {
                const double t = key == XK_Left ? turn : -turn;
                const double cx = c[0] - e[0], cy = c[1] - e[1];
                c[0] = e[0] + std::cos(t) * cx - std::sin(t) * cy;
                c[1] = e[1] + std::sin(t) * cx + std::cos(t) * cy;
                break;
            }
        }
    }
    void reshape(int width, int height) {
        view.fovY = fovY;
        view.width = width;
        view.height = height;
    }
};

// Where the manual Universe puts a point of its own frame: turned by the
// manual angle about the chosen axis, moved by the offset, scaled.
struct ManualModel {
    char axis = 'c';
    double angle = 90, offsetZ = 0, scale = 1;

    std::array<double, 3> place(double x, double y, double z) const {
        const double a = angle * std::acos(-1.0) / 180, c = std::cos(a), s = std::sin(a);
        x *= scale, y *= scale, z = z * scale + offsetZ;
        if (axis == 'a') return {x, c * y - s * z, s * y + c * z};
        if (axis == 'b') return {c * x + s * z, y, -s * x + c * z};
        return {c * x - s * y, s * x + c * y, z};
    }
};

}  // namespace

class ManualUniverseKeys : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(viewer.start(), "");
        ASSERT_EQ(viewer.choose({menu::Scenes, menu::UniverseManual}), "");
        ASSERT_EQ(viewer.choose({menu::Options, menu::LightOff}), "");
        ASSERT_EQ(viewer.choose({menu::Options, menu::AxesOff}), "");
    }

    void press(const std::vector<unsigned long>& keys) {
        viewer.type(keys);
        for (unsigned long k : keys) camera.press(k);
    }

    // The sun, radius 590 at the manual frame's origin, as one patch of its
    // two exact colours where its outline projects.
    ::testing::AssertionResult sunInPlace(const WindowImage& image) const {
        const auto at = manual.place(0, 0, 0);
        const WindowPoint p = projectPoint(camera.view, at[0], at[1], at[2]);
        return patchCovers(patchNear(image, p.x, p.y, 10, isSunColour),
                           projectedSphere(camera.view, at, 590 * manual.scale));
    }

    // The Earth, radius 90, 1100 out at 45 degrees in the manual frame: its
    // blue wire fills the middle of where it projects.
    ::testing::AssertionResult earthInPlace(const WindowImage& image) const {
        const double e = 1100 / std::sqrt(2.0);
        const auto at = manual.place(e, e, 0);
        const WindowPoint p = projectPoint(camera.view, at[0], at[1], at[2]);
        const PixelBox box = projectedSphere(camera.view, at, 90 * manual.scale);
        const double r = 0.8 * (box.x1 - box.x0) / 2;
        const int blue = countInDisc(image, p.x, p.y, r, isWireBlue);
        const int all = countInDisc(image, p.x, p.y, r, [](const Rgb&) { return true; });
        if (all > 0 && blue > 0.3 * all) return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure()
               << "Earth at (" << p.x << ", " << p.y << "): " << blue << " of " << all << " blue";
    }

    // A plain planet of the manual frame at its starting angle, as one patch
    // of its exact colour where its outline projects.
    ::testing::AssertionResult planetInPlace(const WindowImage& image, double phase,
                                             double distance, double radius, Rgb colour) const {
        const double a = phase * std::acos(-1.0) / 180;
        const auto at = manual.place(distance * std::cos(a), distance * std::sin(a), 0);
        const WindowPoint p = projectPoint(camera.view, at[0], at[1], at[2]);
        return patchCovers(patchNear(image, p.x, p.y, 10,
                                     [&](const Rgb& c) {
                                         return near(c, colour.r, colour.g, colour.b);
                                     }),
                           projectedSphere(camera.view, at, radius * manual.scale));
    }
    // The fourth planet, tan (0.78, 0.67, 0.43), radius 190, 2000 out at -40
    // degrees; the fifth, green (0.4, 0.75, 0.25), radius 120, 3500 out at
    // -150 degrees.
    ::testing::AssertionResult tanPlanetInPlace(const WindowImage& image) const {
        return planetInPlace(image, -40, 2000, 190, {199, 171, 110});
    }
    ::testing::AssertionResult greenPlanetInPlace(const WindowImage& image) const {
        return planetInPlace(image, -150, 3500, 120, {102, 191, 64});
    }

    void expectInPlace(const std::string& step) {
        EXPECT_TRUE(viewer.waitForPicture([this](const WindowImage& image) {
            return sunInPlace(image) && earthInPlace(image) && tanPlanetInPlace(image);
        })) << step
            << ": " << sunInPlace(viewer.last) << "; " << earthInPlace(viewer.last) << "; "
            << tanPlanetInPlace(viewer.last);
    }

    ViewerSession viewer;
    CameraModel camera;
    ManualModel manual;
};

TEST_F(ManualUniverseKeys, CameraKeysMoveTheViewByTheirSteps) {
    expectInPlace("start");
    const std::vector<std::pair<unsigned long, int>> moves = {{XK_F1, 4},  {XK_F2, 4},   {XK_F3, 4},
                                                              {XK_F4, 4},  {XK_F5, 4},   {XK_F6, 4},
                                                              {XK_Up, 10}, {XK_Down, 10}};
    for (const auto& [key, times] : moves) {
        press(std::vector<unsigned long>(times, key));
        expectInPlace("key " + std::to_string(key) + " x" + std::to_string(times));
    }

    // Left turns the look-at point 50 degrees about the eye: the sun leaves
    // the 64-degree-wide view and the green fifth planet (radius 120, 3500
    // out at -150 degrees, turned 90 more) comes in. Looking that way the
    // view vector is no longer symmetric in x and y, which the slides and
    // the walk must follow. Right brings the sun back.
    press({XK_Left});
    const WindowPoint sun = projectPoint(camera.view, 0, 0, 0);
    EXPECT_TRUE(sun.x < 0 || sun.x > 800);
    const std::pair<std::vector<unsigned long>, std::string> turned[] = {
        {{XK_F3, XK_F3, XK_F3, XK_F3}, "Left, F3 x4"},
        {{XK_F4, XK_F4, XK_F4, XK_F4}, "F4 x4"},
        {{XK_Up, XK_Up, XK_Up, XK_Up, XK_Up, XK_Up}, "Up x6"}};
    EXPECT_TRUE(viewer.waitForPicture([this](const WindowImage& image) {
        return countInRect(image, 0, 0, image.width, image.height, isSunColour) < 2000 &&
               greenPlanetInPlace(image);
    })) << "Left: "
        << greenPlanetInPlace(viewer.last);
    for (const auto& [keys, step] : turned) {
        press(keys);
        EXPECT_TRUE(viewer.waitForPicture([this](const WindowImage& image) {
            return bool(greenPlanetInPlace(image));
        })) << step
            << ": " << greenPlanetInPlace(viewer.last);
    }
    press({XK_Down, XK_Down, XK_Down, XK_Down, XK_Down, XK_Down, XK_Right});
    expectInPlace("Down x6, Right");

    // F7 zooms only from the next reshape: first the rise of F1 shows with
    // the old projection, then a resize of the window brings 25 degrees.
    press({XK_F7, XK_F1, XK_F1, XK_F1, XK_F1});
    expectInPlace("F7 before a reshape");
    viewer.x.resizeWindow(viewer.window, 640, 480);
    camera.reshape(640, 480);
    EXPECT_TRUE(viewer.waitForPicture([](const WindowImage& image) { return image.width == 640; }));
    expectInPlace("F7 after a reshape to 640 x 480");
    press({XK_F8, XK_F2, XK_F2, XK_F2, XK_F2});
    expectInPlace("F8 before a reshape");
    viewer.x.resizeWindow(viewer.window, 800, 600);
    camera.reshape(800, 600);
    expectInPlace("F8 after a reshape to 800 x 600");
}

TEST_F(ManualUniverseKeys, LetterKeysTurnMoveAndScaleTheUniverse) {
    expectInPlace("start");
    // x and y turn everything drawn after the axes about those axes
    // instead; z turns it about z again.
    const std::pair<unsigned long, char> axes[] = {{XK_x, 'a'}, {XK_y, 'b'}, {XK_z, 'c'}};
    for (const auto& [key, axis] : axes) {
        press({key});
        manual.axis = axis;
        expectInPlace(std::string("axis ") + axis);
    }
    // e, r and t switch scaling (0.2 a step), turning (30 degrees) and
    // moving along z (100); '+' and '-' step each mode that is on.
    press({XK_e, XK_plus});
    manual.scale = 1.2;
    expectInPlace("e +");
    press({XK_minus, XK_e, XK_r, XK_plus});
    manual.scale = 1;
    manual.angle = 120;
    expectInPlace("e - e r +");
    press({XK_minus, XK_r, XK_t, XK_plus});
    manual.angle = 90;
    manual.offsetZ = 100;
    expectInPlace("r - r t +");
    press({XK_e, XK_r, XK_plus});
    manual.angle = 120;
    manual.offsetZ = 200;
    manual.scale = 1.2;
    expectInPlace("all three modes +");
    // With every mode off, '+' and '-' change nothing: the picture then
    // follows the next camera key alone.
    press({XK_e, XK_r, XK_t, XK_plus, XK_plus, XK_minus, XK_F1});
    expectInPlace("modes off, + + - F1");
}
