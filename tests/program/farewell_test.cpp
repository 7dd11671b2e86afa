// "Sair do universo" chosen with the pointer: the farewell picture, ten
// seconds in which the program answers nothing, then exit status 0.
#include <X11/keysym.h>
#include <gtest/gtest.h>

#include "viewer_session.h"

TEST(Farewell, ShowsItsPictureIgnoresInputForTenSecondsThenExitsWithZero) {
    using Clock = std::chrono::steady_clock;
    using std::chrono::milliseconds;
    ViewerSession viewer;
    ASSERT_EQ(viewer.start(), "");
    const ViewCamera camera = textScreenCamera();
    const WindowPoint introLast = projectPoint(camera, 1100, 0, -300);
    ASSERT_TRUE(viewer.waitForPicture(
        [&](const WindowImage& image) { return bool(textLineStartsAt(image, introLast, 5)); }));

    const Clock::time_point chosen = Clock::now();
    ASSERT_EQ(viewer.choose({menu::Exit}), "");

    // Its own lines where their points project: " Visualizacao Computacional "
    // at (1100, 50, 600), " Aguarde...esta a encerrar!" at (100, 450, -600);
    // the intro's last line is gone.
    const WindowPoint line3 = projectPoint(camera, 1100, 50, 600);
    const WindowPoint line10 = projectPoint(camera, 100, 450, -600);
    ASSERT_TRUE(viewer.waitForPicture([&](const WindowImage& image) {
        return textLineStartsAt(image, line3, 6) && textLineStartsAt(image, line10, 5) &&
               noTextAt(image, introLast);
    })) << textLineStartsAt(viewer.last, line3, 6)
        << "; " << textLineStartsAt(viewer.last, line10, 5);
    const Clock::time_point seen = Clock::now();
    const WindowImage farewell = viewer.last;

    // Keys and clicks meet a program that sleeps: no menu opens, the picture
    // stays, the camera keys move nothing.
    const ScreenRect r = viewer.rect();
    int probes = 0;
    while (viewer.program.running() && Clock::now() - seen < milliseconds(12000)) {
        viewer.type({XK_F1, XK_Left, XK_Up});
        viewer.x.movePointer(r.x + 20, r.y + 20);
        viewer.x.clickButton(1);
        const bool changed = waitUntil(
            [&] {
                const WindowImage now = viewer.capture();
                return !viewer.program.running() || !viewer.x.popups().empty() ||
                       (!now.empty() && !(now == farewell));
            },
            milliseconds(500));
        if (!viewer.program.running()) break;
        EXPECT_FALSE(changed) << "the farewell screen answered input";
        ++probes;
    }
    ASSERT_TRUE(viewer.program.waitExit(pictureTimeout));
    const Clock::time_point ended = Clock::now();
    EXPECT_GE(probes, 5);

    // The sleep of 10 s starts after the picture is drawn, which follows the
    // choice: at least 10 s from the choice, and about 10 s from the first
    // sight of the picture, plus the time to end the program and notice it
    // (seconds on a busy machine), which is far below a second sleep.
    EXPECT_GE(ended - chosen, milliseconds(10000));
    EXPECT_LE(ended - seen, milliseconds(10000 + 6000));
    EXPECT_EQ(viewer.program.termSignal(), 0);
    EXPECT_EQ(viewer.program.exitStatus(), 0);
    EXPECT_TRUE(
        waitUntil([&] { return viewer.x.findWindows(viewerTitle).empty(); }, pictureTimeout));
}
