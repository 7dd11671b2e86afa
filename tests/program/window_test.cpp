// The viewer as it first appears: its window, read from the X server, and
// the intro screen in it.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

#include "viewer_session.h"

TEST(ViewerWindow, OpensWithItsTitleSizeAndPlaceOnTheIntroScreen) {
    // GLUT's own options go to GLUT and change nothing here.
    const char* display = std::getenv("DISPLAY");
    ASSERT_NE(display, nullptr);
    ViewerSession viewer;
    ASSERT_EQ(viewer.start({"-display", display, "-sync"}), "");

    // "Visualização Computacional - Universo -  Representação 3D " as Latin-1:
    // two blanks after "Universo -", one at the end, ç = 0xE7, ã = 0xE3.
    const std::string title = viewer.x.titleBytes(viewer.window);
    EXPECT_EQ(title.size(), 58u);
    EXPECT_EQ(title, std::string(
                         "Visualiza\xE7\xE3o Computacional - Universo -  Representa\xE7\xE3o 3D "));
    // The same text in UTF-8 for today's taskbars, the class that ties the
    // window to its desktop entry, and an icon.
    const std::string utf8Title =
        "Visualiza\xC3\xA7\xC3\xA3o Computacional - Universo -  Representa\xC3\xA7\xC3\xA3o 3D ";
    EXPECT_EQ(viewer.x.propertyBytes(viewer.window, "_NET_WM_NAME"), utf8Title);
    EXPECT_EQ(viewer.x.propertyBytes(viewer.window, "_NET_WM_ICON_NAME"), utf8Title);
    EXPECT_EQ(viewer.x.propertyBytes(viewer.window, "WM_CLASS"),
              std::string("universe\0Universo3D\0", 20));
    EXPECT_FALSE(viewer.x.propertyBytes(viewer.window, "_NET_WM_ICON").empty());

    const ScreenRect r = viewer.rect();
    EXPECT_EQ(r.x, 100);
    EXPECT_EQ(r.y, 100);
    EXPECT_EQ(r.width, 800);
    EXPECT_EQ(r.height, 600);

    // The intro's lines where their points project: " Projecto 3D - Opengl "
    // at (-150, 50, 700) and "  O Universo  " at (-150, 150, 600) in Times
    // Roman 24, " Clique no botao..." at (1100, 0, -300) in Helvetica 18.
    const ViewCamera camera = textScreenCamera();
    const WindowPoint line1 = projectPoint(camera, -150, 50, 700);
    const WindowPoint line2 = projectPoint(camera, -150, 150, 600);
    const WindowPoint line9 = projectPoint(camera, 1100, 0, -300);
    EXPECT_TRUE(viewer.waitForPicture([&](const WindowImage& image) {
        return textLineStartsAt(image, line1, 6) && textLineStartsAt(image, line2, 12) &&
               textLineStartsAt(image, line9, 5);
    })) << textLineStartsAt(viewer.last, line1, 6)
        << textLineStartsAt(viewer.last, line2, 12) << textLineStartsAt(viewer.last, line9, 5);

    // The axes are on and lit: the z axis rises from the origin, blue.
    const WindowPoint zAxis = projectPoint(camera, 0, 0, 800);
    EXPECT_GT(countInDisc(viewer.last, zAxis.x, zAxis.y, 4,
                          [](const Rgb& c) { return c.b > 150 && c.b > c.r + 100; }),
              3);
}

// --scene earth-auto --fullscreen: the window fills the screen and opens on
// the automatic Earth scene, as if chosen from the menu before the first
// frame; the intro never shows. The Earth, radius 1200 at the origin, seen
// by the reset camera: lit, its blue wire covers much of the disc where it
// projects.
TEST(ViewerWindow, StartsInTheSceneNamedOnTheCommandLine) {
    ViewerSession viewer;
    ASSERT_EQ(viewer.start({"--scene", "earth-auto", "--fullscreen"}), "");
    const WindowImage screen = viewer.x.captureScreen();
    ScreenRect filled{};
    EXPECT_TRUE(waitUntil(
        [&] {
            filled = viewer.rect();
            return filled == ScreenRect{0, 0, screen.width, screen.height};
        },
        pictureTimeout))
        << filled.x << "," << filled.y << " " << filled.width << "x" << filled.height;

    ViewCamera camera;
    camera.width = filled.width;
    camera.height = filled.height;
    const WindowPoint origin = projectPoint(camera, 0, 0, 0);
    const double radius = projectedRadius(camera, 1200, std::hypot(5000, 5000, 3500));
    const WindowPoint introLine = projectPoint(textScreenCamera(), -150, 50, 700);
    // Lit, the wire is blue with a white highlight; the sun of the other
    // scenes would be red and yellow.
    auto blue = [](const Rgb& c) { return c.b > 80 && c.b >= c.r + 20 && c.b >= c.g + 20; };
    auto warm = [](const Rgb& c) { return c.r > c.b + 60; };
    bool introSeen = false;
    double blueShare = 0, warmShare = 0;
    EXPECT_TRUE(viewer.waitForPicture([&](const WindowImage& image) {
        introSeen = introSeen || textLineStartsAt(image, introLine, 6);
        const double r = 0.8 * radius;
        const double all =
            countInDisc(image, origin.x, origin.y, r, [](const Rgb&) { return true; });
        blueShare = countInDisc(image, origin.x, origin.y, r, blue) / all;
        warmShare = countInDisc(image, origin.x, origin.y, r, warm) / all;
        // One-pixel wire lines cover less of the disc on a full screen
        // (about a quarter at 1920 x 1200, a third at 800 x 600).
        return blueShare > 0.15 && warmShare < 0.02;
    })) << "Earth's disc: "
        << blueShare << " blue, " << warmShare << " red or yellow";
    EXPECT_FALSE(introSeen);
}
