// The pop-up menu chosen with the real pointer: every scene entry, every
// option, the instruction pages; after each choice the window must show the
// chosen screen, judged by pixels where the scene's own numbers put things.
// And each menu as it opens, read from the screen: drawn whole at once.
#include <gtest/gtest.h>

#include <cmath>
#include <iomanip>
#include <sstream>

#include "viewer_session.h"

namespace {

using std::chrono::milliseconds;

bool isAxisRed(const Rgb& c) { return near(c, 255, 0, 0); }
bool isWhite(const Rgb& c) { return near(c, 255, 255, 255); }
// The four triangle colours of a star: (0.9, 0.5, 0.2), (0.6, 0.75, 0),
// (0, 0, 0.5), (0.1, 1, 0.75).
bool isStarColour(const Rgb& c) {
    return near(c, 230, 128, 51) || near(c, 230, 127, 51) || near(c, 153, 191, 0) ||
           near(c, 0, 0, 128) || near(c, 0, 0, 127) || near(c, 26, 255, 191);
}

// Planets that only the Universe scenes have: tan (0.78, 0.67, 0.43), green
// (0.4, 0.75, 0.25), teal (0, 0.65, 0.4), peach (1, 0.75, 0.5).
int universePlanetColoursSeen(const WindowImage& image) {
    const int colours[4][3] = {{199, 171, 110}, {102, 191, 64}, {0, 166, 102}, {255, 191, 128}};
    int seen = 0;
    for (const auto& c : colours)
        if (countInRect(image, 0, 0, image.width, image.height,
                        [&](const Rgb& p) { return near(p, c[0], c[1], c[2]); }) >= 15)
            ++seen;
    return seen;
}

const ViewCamera sceneCamera;  // the reset camera: (5000, 5000, 3500) to (0, 0, 2)

double distanceFromEye(double x, double y, double z) {
    const auto& e = sceneCamera.eye;
    return std::sqrt((x - e[0]) * (x - e[0]) + (y - e[1]) * (y - e[1]) + (z - e[2]) * (z - e[2]));
}

// Share of the disc of `fraction` times a sphere's apparent radius, about its
// projected centre, that `accept` takes.
double discShare(const WindowImage& image, double x, double y, double z, double radius,
                 double fraction, const std::function<bool(const Rgb&)>& accept) {
    const WindowPoint p = projectPoint(sceneCamera, x, y, z);
    const double r = fraction * projectedRadius(sceneCamera, radius, distanceFromEye(x, y, z));
    const int all = countInDisc(image, p.x, p.y, r, [](const Rgb&) { return true; });
    return all ? double(countInDisc(image, p.x, p.y, r, accept)) / all : 0;
}

// The sun, radius 590 at the origin, as one patch of its unlit red and
// yellow exactly where its outline projects.
::testing::AssertionResult sunAtOrigin(const WindowImage& image, double tolerance) {
    const WindowPoint o = projectPoint(sceneCamera, 0, 0, 0);
    return patchCovers(patchNear(image, o.x, o.y, 10, isSunColour),
                       projectedSphere(sceneCamera, {0, 0, 0}, 590), tolerance);
}

bool axesDrawnUnlit(const WindowImage& image) {
    const WindowPoint z = projectPoint(sceneCamera, 0, 0, 1500);
    return countInDisc(image, z.x, z.y, 4, isWireBlue) > 0;
}

bool axesAbsent(const WindowImage& image) {
    const WindowPoint z = projectPoint(sceneCamera, 0, 0, 1500);
    const WindowPoint x = projectPoint(sceneCamera, 2000, 0, 0);
    return countInDisc(image, z.x, z.y, 5, isWireBlue) == 0 &&
           countInDisc(image, x.x, x.y, 5, isAxisRed) == 0;
}

// A star of the blinking field: block (5, 5, 1), lattice point (0, 7000, 0),
// star centre 25 further on each axis, turned 90 degrees about z by the
// manual Universe's start values.
const WindowPoint blinkingStar = projectPoint(sceneCamera, -7025, 25, 25);
int starPixels(const WindowImage& image) {
    return countInDisc(image, blinkingStar.x, blinkingStar.y, 9, isStarColour);
}

// freeglut's menu: grey 0.7 with black text, entries 25 pixels tall below
// a 2-pixel border.
bool isMenuGrey(const Rgb& c) { return near(c, 178, 178, 178); }
bool isMenuText(const Rgb& c) { return c.r < 40 && c.g < 40 && c.b < 40; }

// Whether a menu is drawn whole on the screen: each quarter of its window
// mostly menu grey (text covers well under half of any quarter), and text in
// its first and last entries, on a grey row. The submenu arrows at the right
// edge are not counted as text.
::testing::AssertionResult drawnWhole(const WindowImage& screen, const ScreenRect& menu,
                                      int entries) {
    std::ostringstream found;
    found << std::fixed << std::setprecision(2) << "grey share of the quarters (TL, TR, BL, BR):";
    bool whole = true;
    for (int q = 0; q < 4; ++q) {
        const int x0 = menu.x + (q % 2) * (menu.width / 2),
                  y0 = menu.y + (q / 2) * (menu.height / 2);
        const int x1 = q % 2 ? menu.x + menu.width : menu.x + menu.width / 2;
        const int y1 = q / 2 ? menu.y + menu.height : menu.y + menu.height / 2;
        const double share =
            double(countInRect(screen, x0, y0, x1, y1, isMenuGrey)) / ((x1 - x0) * (y1 - y0));
        found << " " << share;
        whole = whole && share >= 0.6;
    }
    for (int entry : {0, entries - 1}) {
        const int x0 = menu.x + 2, x1 = menu.x + menu.width - 16;
        const int y0 = menu.y + 2 + entry * 25, y1 = y0 + 25;
        const int text = countInRect(screen, x0, y0, x1, y1, isMenuText);
        const int grey = countInRect(screen, x0, y0, x1, y1, isMenuGrey);
        const double greyShare = double(grey) / ((x1 - x0) * (y1 - y0));
        found << "; entry " << entry << ": " << text << " dark pixels, grey share " << greyShare;
        whole = whole && text >= 30 && greyShare >= 0.5;
    }
    if (whole) return ::testing::AssertionSuccess() << found.str();
    return ::testing::AssertionFailure() << found.str();
}

}  // namespace

class MenuWalk : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(viewer.start(), ""); }

    void choose(const std::vector<int>& path) {
        std::vector<ScreenRect> menus;
        ASSERT_EQ(viewer.choose(path, &menus), "") << "menu path " << path.front();
        // A menu is its entries 25 pixels each plus a 2-pixel border top
        // and bottom.
        static const int entries[] = {6, 16, 13, 6};
        ASSERT_GE(menus.size(), 1u);
        EXPECT_EQ(menus[0].height, 5 * 25 + 4);
        if (path.size() > 1 && menus.size() > 1) {
            EXPECT_EQ(menus[1].height, entries[path[0]] * 25 + 4);
        }
    }

    // The picture does not change for three seconds, a handful of frames
    // even of the slowest scene. Where the menus just were, the window may
    // still show them until its next frame: that part is not compared.
    bool staysStill() {
        const WindowImage first = viewer.capture();
        return !waitUntil([&] { return !viewer.sameOutsideMenus(viewer.capture(), first); },
                          milliseconds(3000));
    }
    bool animates() {
        const WindowImage first = viewer.capture();
        return waitUntil([&] { return !viewer.sameOutsideMenus(viewer.capture(), first); },
                         pictureTimeout);
    }

    ViewerSession viewer;
};

TEST_F(MenuWalk, EveryEntryShowsWhatItChose) {
    // The intro as it stays: the axes are drawn before the light is set,
    // so only from the second frame on do they show lit, with a highlight.
    const ViewCamera text = textScreenCamera();
    const WindowPoint introLine1 = projectPoint(text, -150, 50, 700);
    const WindowPoint zAxis = projectPoint(text, 0, 0, 800);
    ASSERT_TRUE(viewer.waitForPicture([&](const WindowImage& image) {
        return textLineStartsAt(image, introLine1, 6) &&
               countInDisc(image, zAxis.x, zAxis.y, 4,
                           [](const Rgb& c) { return c.b > 200 && c.r >= 30 && c.r == c.g; }) > 0;
    }));
    const WindowImage intro = viewer.last;

    // On the intro, axes and light are switched off; the screen turns both
    // back on as it draws, so the scene chosen next has them.
    choose({menu::Options, menu::AxesOff});
    choose({menu::Options, menu::LightOff});
    EXPECT_TRUE(viewer.waitForPicture([&](const WindowImage& image) { return image == intro; }));
    EXPECT_TRUE(staysStill());

    // Universo Manual, lit: the sun shaded by the light (red with a highlight,
    // not only its two flat colours), the lit z axis blue above it.
    choose({menu::Scenes, menu::UniverseManual});
    EXPECT_TRUE(viewer.waitForPicture([](const WindowImage& image) {
        const WindowPoint z = projectPoint(sceneCamera, 0, 0, 1500);
        return discShare(image, 0, 0, 0, 590, 0.8, [](const Rgb& c) { return c.r >= 200; }) > 0.9 &&
               discShare(image, 0, 0, 0, 590, 0.95, [](const Rgb& c) { return !isSunColour(c); }) >
                   0.1 &&
               countInDisc(image, z.x, z.y, 4, [](const Rgb& c) { return c.b > c.r + 100; }) > 0;
    })) << "lit manual Universe";

    // Sem luz: the sun's exact red and yellow, the z axis exactly blue.
    choose({menu::Options, menu::LightOff});
    EXPECT_TRUE(viewer.waitForPicture([](const WindowImage& image) {
        return discShare(image, 0, 0, 0, 590, 0.95, isSunColour) > 0.97 && axesDrawnUnlit(image);
    })) << "unlit manual Universe";

    // Sem eixos coordenados: no z axis above the sun, no x axis; the sun
    // alone where its outline projects. Com eixos brings them back.
    choose({menu::Options, menu::AxesOff});
    EXPECT_TRUE(viewer.waitForPicture(axesAbsent)) << "axes still drawn";
    EXPECT_TRUE(sunAtOrigin(viewer.last, 1.5));
    // The Earth, 1100 out at 45 degrees, turned 90 more by the manual turn.
    const double e = 1100 / std::sqrt(2.0);
    EXPECT_GT(discShare(viewer.last, -e, e, 0, 90, 0.8, isWireBlue), 0.3);
    choose({menu::Options, menu::AxesOn});
    EXPECT_TRUE(viewer.waitForPicture(axesDrawnUnlit)) << "axes not back";
    choose({menu::Options, menu::AxesOff});
    EXPECT_TRUE(viewer.waitForPicture(axesAbsent));

    // Steady stars: a star of the blinking field stays, and nothing moves
    // in the manual scene. Blinking stars: the same star goes and comes.
    choose({menu::Options, menu::StarsSteady});
    EXPECT_TRUE(
        viewer.waitForPicture([](const WindowImage& image) { return starPixels(image) >= 5; }));
    EXPECT_TRUE(staysStill()) << "the manual Universe with steady stars changed";
    choose({menu::Options, menu::StarsBlinking});
    EXPECT_TRUE(viewer.waitForPicture([](const WindowImage& image) {
        return starPixels(image) == 0;
    })) << "the star did not blink off";
    EXPECT_TRUE(viewer.waitForPicture([](const WindowImage& image) {
        return starPixels(image) >= 5;
    })) << "the star did not blink on";
    choose({menu::Options, menu::StarsSteady});

    // Universo Automático: the sun at the origin, the outer planets' own
    // colours, and motion.
    choose({menu::Scenes, menu::UniverseAuto});
    EXPECT_TRUE(viewer.waitForPicture([](const WindowImage& image) {
        return sunAtOrigin(image, 3) && universePlanetColoursSeen(image) >= 2;
    })) << sunAtOrigin(viewer.last, 3)
        << ", " << universePlanetColoursSeen(viewer.last);
    EXPECT_TRUE(animates());

    // Terra, Lua, Foguetão e Homem - Automático: the Earth, radius 1200 at
    // the origin, black under its blue wire; no sun; motion.
    auto earthAtOrigin = [](const WindowImage& image) {
        return discShare(image, 0, 0, 0, 1200, 0.8, isWireBlue) > 0.3 &&
               discShare(image, 0, 0, 0, 1200, 0.3, isSunColour) < 0.05;
    };
    choose({menu::Scenes, menu::EarthAuto});
    EXPECT_TRUE(viewer.waitForPicture(earthAtOrigin)) << "Earth scene";
    EXPECT_TRUE(animates());

    // The manual form: the Moon, radius 190, white at (1550, 1550, 205), and
    // with no follow flag set nothing moves.
    choose({menu::Scenes, menu::EarthManual});
    EXPECT_TRUE(viewer.waitForPicture([&](const WindowImage& image) {
        return earthAtOrigin(image) && discShare(image, 1550, 1550, 205, 190, 0.6, isWhite) > 0.8;
    })) << "manual Earth scene";
    EXPECT_TRUE(staysStill());

    // Universo com matrizes: the sun, blue planets, none of the Universe's
    // own planet colours; motion.
    choose({menu::Scenes, menu::MatrixUniverse});
    EXPECT_TRUE(viewer.waitForPicture([](const WindowImage& image) {
        return sunAtOrigin(image, 3) && universePlanetColoursSeen(image) == 0 &&
               countInRect(image, 0, 0, image.width, image.height, isWireBlue) > 100;
    })) << "matrix Universe";
    EXPECT_TRUE(animates());

    // Com luz: shading again.
    choose({menu::Options, menu::LightOn});
    EXPECT_TRUE(viewer.waitForPicture([](const WindowImage& image) {
        return discShare(image, 0, 0, 0, 590, 0.95, [](const Rgb& c) { return !isSunColour(c); }) >
               0.1;
    })) << "light not back";

    // Menu Principal: the intro again, exactly as at start-up.
    choose({menu::Scenes, menu::Intro});
    EXPECT_TRUE(viewer.waitForPicture([&](const WindowImage& image) { return image == intro; }));

    // The instruction pages only redraw: the intro stays as it is.
    for (const std::vector<int>& path : {std::vector<int>{menu::GeneralHelp, 0},
                                         {menu::GeneralHelp, 15},
                                         {menu::ManualHelp, 0},
                                         {menu::ManualHelp, 6},
                                         {menu::ManualHelp, 12}}) {
        choose(path);
        EXPECT_TRUE(viewer.waitForPicture([&](const WindowImage& image) { return image == intro; }))
            << "after instruction entry " << path[1];
        EXPECT_TRUE(staysStill());
    }
    EXPECT_TRUE(viewer.program.running());
}

// A person reading the key help rests the pointer on the entry and reads.
// The main menu opens on a click and each submenu on resting over its entry
// in the main menu; the pointer never moves inside the menu being judged.
// Without the pointer moving again, a picture of the screen must come to
// show the menu whole.
TEST_F(MenuWalk, EachMenuIsWholeWithoutPointerMotion) {
    ASSERT_TRUE(viewer.waitForPicture([](const WindowImage&) { return true; }));
    XDriver& x = viewer.x;
    std::vector<ScreenRect> seen;
    auto judgeMenuOpenedBy = [&](const char* name, int entries, const std::function<void()>& open) {
        open();
        const bool opened = x.waitForNewPopup(seen, pictureTimeout);
        ASSERT_TRUE(opened) << name << " did not open";
        const ScreenRect menu = seen.back();
        ::testing::AssertionResult whole = ::testing::AssertionFailure();
        waitUntil([&] { return bool(whole = drawnWhole(x.captureScreen(), menu, entries)); },
                  pictureTimeout);
        RecordProperty(name, whole.message());
        EXPECT_TRUE(whole) << name << " (" << menu.width << " x " << menu.height << ")";
    };

    const ScreenRect window = viewer.rect();
    judgeMenuOpenedBy("main", 5, [&] {
        x.movePointer(window.x + 20, window.y + 20);
        x.clickButton(1);
    });
    ASSERT_FALSE(HasFatalFailure());
    const ScreenRect mainMenu = seen.front();
    const struct {
        const char* name;
        int entry, entries;
    } submenus[] = {{"scenes", menu::Scenes, 6},
                    {"generalHelp", menu::GeneralHelp, 16},
                    {"manualHelp", menu::ManualHelp, 13},
                    {"options", menu::Options, 6}};
    for (const auto& submenu : submenus) {
        judgeMenuOpenedBy(submenu.name, submenu.entries, [&] {
            int pointerX = 0, pointerY = 0;
            menuEntryCentre(mainMenu, submenu.entry, &pointerX, &pointerY);
            x.movePointer(pointerX, pointerY);
        });
        ASSERT_FALSE(HasFatalFailure());
    }
}
