// The viewer as it first appears: its window, read from the X server, and
// the intro screen in it.
#include <gtest/gtest.h>

#include "viewer_session.h"

TEST(ViewerWindow, OpensWithItsTitleSizeAndPlaceOnTheIntroScreen) {
    // Arguments that are not GLUT's own change nothing.
    ViewerSession viewer;
    ASSERT_EQ(viewer.start({"--size", "10x10", "scene"}), "");

    // "Visualização Computacional - Universo -  Representação 3D " as Latin-1:
    // two blanks after "Universo -", one at the end, ç = 0xE7, ã = 0xE3.
    const std::string title = viewer.x.titleBytes(viewer.window);
    EXPECT_EQ(title.size(), 58u);
    EXPECT_EQ(title, std::string("Visualiza\xE7\xE3o Computacional - Universo -  Representa\xE7\xE3o 3D "));

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
        return textLineStartsAt(image, line1, 6) &&
               textLineStartsAt(image, line2, 12) &&
               textLineStartsAt(image, line9, 5);
    })) << textLineStartsAt(viewer.last, line1, 6)
        << textLineStartsAt(viewer.last, line2, 12)
        << textLineStartsAt(viewer.last, line9, 5);

    // The axes are on and lit: the z axis rises from the origin, blue.
    const WindowPoint zAxis = projectPoint(camera, 0, 0, 800);
    EXPECT_GT(countInDisc(viewer.last, zAxis.x, zAxis.y, 4,
                          [](const Rgb& c) { return c.b > 150 && c.b > c.r + 100; }),
              3);
}
