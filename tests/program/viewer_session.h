// One run of the real viewer in the virtual X server, driven through X the
// way a person uses it, and helpers that judge what its window shows.
#pragma once

#include <chrono>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "support/x_driver.h"
#include "view_projection.h"

// Positions in the menu tree, counted from 0, top down.
namespace menu {
enum Main { Scenes = 0, GeneralHelp = 1, ManualHelp = 2, Options = 3, Exit = 4 };
enum Scene { UniverseAuto = 0, UniverseManual, EarthAuto, EarthManual, MatrixUniverse, Intro };
enum Option { AxesOn = 0, AxesOff, StarsBlinking, StarsSteady, LightOn, LightOff };
}  // namespace menu

// The viewer's title as X must hold it: Latin-1 bytes, 58 of them.
extern const std::string viewerTitle;

// Generous bound for anything the viewer must show after an input: a frame
// of the heavier scenes takes about half a second on a software renderer,
// more under sanitizers, and about 6 s on a machine loaded fifteen times
// over its cores (where a scene's first frames and a menu took over 30 s).
constexpr std::chrono::milliseconds pictureTimeout{60000};

class ViewerSession {
public:
    ~ViewerSession();

    // Starts the viewer named by UNIVERSE_BINARY with `args` and waits for
    // its window; empty on success, else what went wrong.
    std::string start(const std::vector<std::string>& args = {});

    XDriver x;
    ChildProcess program;
    XWindowId window = 0;

    ScreenRect rect() { return x.rect(window); }
    WindowImage capture() { return x.capture(window); }

    // Polls the window until `holds` accepts what it shows; `last` keeps the
    // image last read, for the failure message.
    bool waitForPicture(const std::function<bool(const WindowImage&)>& holds,
                        std::chrono::milliseconds timeout = pictureTimeout);
    WindowImage last;

    // Opens the menu with a click near the window's top-left corner and
    // chooses the entry at `path`; empty on success, else the failing step.
    std::string choose(const std::vector<int>& path, std::vector<ScreenRect>* menus = nullptr);
    // The menus shown by the last choice, on the screen.
    std::vector<ScreenRect> lastMenus;
    // Whether two pictures agree everywhere outside those menus.
    bool sameOutsideMenus(const WindowImage& a, const WindowImage& b);

    // Types keys with the pointer resting inside the window, which has the
    // keyboard focus that way (the server's focus follows the pointer).
    void type(const std::vector<unsigned long>& keysyms);
};

// --- Judging a picture ----------------------------------------------------

inline bool sameColour(const Rgb& a, const Rgb& b) {
    return a.r == b.r && a.g == b.g && a.b == b.b;
}

// Within one step of 255 on each channel, for colours such as 0.5 * 255.
inline bool near(const Rgb& c, int r, int g, int b) {
    return std::abs(c.r - r) <= 1 && std::abs(c.g - g) <= 1 && std::abs(c.b - b) <= 1;
}

// Unlit, a colour reaches the window as glColor3f gave it: the sun's red
// and its yellow wire, the Earth's blue wire.
inline bool isSunColour(const Rgb& c) { return near(c, 255, 0, 0) || near(c, 255, 255, 0); }
inline bool isWireBlue(const Rgb& c) { return near(c, 0, 0, 255); }

// Pixels within `radius` of (cx, cy) that `accept` takes.
int countInDisc(const WindowImage& image, double cx, double cy, double radius,
                const std::function<bool(const Rgb&)>& accept);
// Pixels in the rectangle [x0, x1) x [y0, y1) that `accept` takes.
int countInRect(const WindowImage& image, int x0, int y0, int x1, int y1,
                const std::function<bool(const Rgb&)>& accept);

// The bounding box of the 4-connected patch of accepted pixels that holds
// the accepted pixel nearest (cx, cy) within `searchRadius`; empty when none.
struct Patch {
    bool found = false;
    int x0 = 0, y0 = 0, x1 = 0, y1 = 0;  // inclusive
    int pixels = 0;
    double centreX() const { return (x0 + x1 + 1) / 2.0; }
    double centreY() const { return (y0 + y1 + 1) / 2.0; }
    double radius() const { return (x1 - x0 + 1 + y1 - y0 + 1) / 4.0; }
};
Patch patchNear(const WindowImage& image, double cx, double cy, double searchRadius,
                const std::function<bool(const Rgb&)>& accept);

std::string describe(const Patch& patch);

// Whether the patch covers the box, each edge within `tolerance` pixels.
::testing::AssertionResult patchCovers(const Patch& patch, const PixelBox& box,
                                       double tolerance = 1.5);

// --- The text screens -----------------------------------------------------

// The intro and farewell screens look from (1500, 1500, 500) at the camera
// centre, (0, 0, 2) after the reset that comes before them.
ViewCamera textScreenCamera();

// Bitmap text takes the lit blue that the z axis leaves current.
bool isTextBlue(const Rgb& c);

// A line of text starts where its scene point projects: its baseline there,
// its first glyph after the leading blanks (`leadingBlanks` pixels wide: a
// blank is 6 in Times Roman 24 and 5 in Helvetica 18), nothing just left.
::testing::AssertionResult textLineStartsAt(const WindowImage& image, const WindowPoint& at,
                                            int leadingBlanks);
// No text in the strip where a line starting at `at` would be.
bool noTextAt(const WindowImage& image, const WindowPoint& at);
