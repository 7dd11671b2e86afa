#include "viewer_session.h"

#include <X11/keysym.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <deque>
#include <sstream>

const std::string viewerTitle =
    "Visualiza\xE7\xE3o Computacional - Universo -  Representa\xE7\xE3o 3D ";

ViewerSession::~ViewerSession() { program.kill(); }

std::string ViewerSession::start(const std::vector<std::string>& args) {
    if (!x.ready()) return x.opened() ? "the X server lacks XTest" : "cannot open the X display";
    const char* binary = std::getenv("UNIVERSE_BINARY");
    if (!binary) return "UNIVERSE_BINARY is not set";
    const std::vector<XWindowId> before = x.findWindows(viewerTitle);
    if (!program.start(binary, args)) return std::string("cannot start ") + binary;
    const bool appeared = waitUntil(
        [&] {
            for (XWindowId w : x.findWindows(viewerTitle)) {
                bool old = false;
                for (XWindowId b : before) old = old || b == w;
                if (!old && x.viewable(w)) window = w;
            }
            return window != 0 || !program.running();
        },
        pictureTimeout);
    if (!appeared || !window) return "the viewer's window did not appear";
    return "";
}

bool ViewerSession::waitForPicture(const std::function<bool(const WindowImage&)>& holds,
                                   std::chrono::milliseconds timeout) {
    return waitUntil(
        [&] {
            last = capture();
            return !last.empty() && holds(last);
        },
        timeout);
}

std::string ViewerSession::choose(const std::vector<int>& path, std::vector<ScreenRect>* menus) {
    const ScreenRect r = rect();
    std::string failure;
    const bool chosen =
        x.chooseMenuEntry(r.x + 20, r.y + 20, path, pictureTimeout, &lastMenus, &failure);
    if (menus) *menus = lastMenus;
    return chosen ? "" : failure;
}

bool ViewerSession::sameOutsideMenus(const WindowImage& a, const WindowImage& b) {
    if (a.width != b.width || a.height != b.height) return false;
    const ScreenRect r = rect();
    for (int py = 0; py < a.height; ++py)
        for (int px = 0; px < a.width; ++px) {
            bool covered = false;
            for (const ScreenRect& m : lastMenus)
                covered = covered || (r.x + px >= m.x && r.x + px < m.x + m.width &&
                                      r.y + py >= m.y && r.y + py < m.y + m.height);
            if (!covered && !sameColour(a.at(px, py), b.at(px, py))) return false;
        }
    return true;
}

void ViewerSession::type(const std::vector<unsigned long>& keysyms) {
    const ScreenRect r = rect();
    x.movePointer(r.x + r.width - 10, r.y + r.height - 10);
    for (unsigned long k : keysyms) x.tapKey(k);
}

int countInDisc(const WindowImage& image, double cx, double cy, double radius,
                const std::function<bool(const Rgb&)>& accept) {
    int count = 0;
    for (int y = static_cast<int>(cy - radius) - 1; y <= cy + radius + 1; ++y)
        for (int x = static_cast<int>(cx - radius) - 1; x <= cx + radius + 1; ++x) {
            const double dx = x + 0.5 - cx, dy = y + 0.5 - cy;
            if (dx * dx + dy * dy <= radius * radius && x >= 0 && y >= 0 && x < image.width &&
                y < image.height && accept(image.at(x, y)))
                ++count;
        }
    return count;
}

int countInRect(const WindowImage& image, int x0, int y0, int x1, int y1,
                const std::function<bool(const Rgb&)>& accept) {
    int count = 0;
    for (int y = std::max(y0, 0); y < std::min(y1, image.height); ++y)
        for (int x = std::max(x0, 0); x < std::min(x1, image.width); ++x)
            if (accept(image.at(x, y))) ++count;
    return count;
}

Patch patchNear(const WindowImage& image, double cx, double cy, double searchRadius,
                const std::function<bool(const Rgb&)>& accept) {
    Patch patch;
    int seedX = -1, seedY = -1;
    double best = searchRadius * searchRadius;
    for (int y = static_cast<int>(cy - searchRadius); y <= cy + searchRadius; ++y)
        for (int x = static_cast<int>(cx - searchRadius); x <= cx + searchRadius; ++x) {
            if (x < 0 || y < 0 || x >= image.width || y >= image.height) continue;
            const double dx = x + 0.5 - cx, dy = y + 0.5 - cy;
            if (dx * dx + dy * dy <= best && accept(image.at(x, y))) {
                best = dx * dx + dy * dy;
                seedX = x;
                seedY = y;
            }
        }
    if (seedX < 0) return patch;
    std::vector<char> seen(static_cast<size_t>(image.width) * image.height, 0);
    std::deque<std::pair<int, int>> queue{{seedX, seedY}};
    seen[static_cast<size_t>(seedY) * image.width + seedX] = 1;
    patch = {true, seedX, seedY, seedX, seedY, 0};
    while (!queue.empty()) {
        const auto [x, y] = queue.front();
        queue.pop_front();
        ++patch.pixels;
        patch.x0 = std::min(patch.x0, x);
        patch.x1 = std::max(patch.x1, x);
        patch.y0 = std::min(patch.y0, y);
        patch.y1 = std::max(patch.y1, y);
        const int next[4][2] = {{x + 1, y}, {x - 1, y}, {x, y + 1}, {x, y - 1}};
        for (const auto& n : next) {
            if (n[0] < 0 || n[1] < 0 || n[0] >= image.width || n[1] >= image.height) continue;
            char& mark = seen[static_cast<size_t>(n[1]) * image.width + n[0]];
            if (mark || !accept(image.at(n[0], n[1]))) continue;
            mark = 1;
            queue.push_back({n[0], n[1]});
        }
    }
    return patch;
}

std::string describe(const Patch& patch) {
    if (!patch.found) return "no patch";
    std::ostringstream out;
    out << "patch x " << patch.x0 << ".." << patch.x1 << " y " << patch.y0 << ".." << patch.y1
        << " (centre " << patch.centreX() << ", " << patch.centreY() << ", radius "
        << patch.radius() << ", " << patch.pixels << " pixels)";
    return out.str();
}

::testing::AssertionResult patchCovers(const Patch& patch, const PixelBox& box, double tolerance) {
    // Pixel i is covered when its centre i + 0.5 is inside the outline.
    if (patch.found && std::fabs(patch.x0 - box.x0) <= tolerance &&
        std::fabs(patch.x1 + 1 - box.x1) <= tolerance &&
        std::fabs(patch.y0 - box.y0) <= tolerance && std::fabs(patch.y1 + 1 - box.y1) <= tolerance)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << describe(patch) << ", expected x " << box.x0 << ".."
                                         << box.x1 << " y " << box.y0 << ".." << box.y1;
}

ViewCamera textScreenCamera() {
    ViewCamera c;
    c.eye = {1500, 1500, 500};
    return c;
}

bool isTextBlue(const Rgb& c) { return c.b >= 120 && c.r < 40 && c.g < 40; }

::testing::AssertionResult textLineStartsAt(const WindowImage& image, const WindowPoint& at,
                                            int leadingBlanks) {
    // In the 120 pixels after the start: the first glyph column, and the
    // baseline as the lowest row that a good share of the glyphs reach
    // (descenders are only a few pixels wide).
    const int px = static_cast<int>(std::floor(at.x)), py = static_cast<int>(std::floor(at.y));
    int first = -1, pixels = 0, widest = 0;
    for (int x = px; x < px + 120 && first < 0; ++x)
        if (countInRect(image, x, py - 30, x + 1, py + 10, isTextBlue) > 0) first = x;
    std::vector<int> rows;
    for (int y = py - 30; y < py + 10; ++y) {
        rows.push_back(countInRect(image, px, y, px + 120, y + 1, isTextBlue));
        pixels += rows.back();
        widest = std::max(widest, rows.back());
    }
    int baseline = -1;
    for (size_t i = 0; i < rows.size(); ++i)
        if (rows[i] > 0 && rows[i] * 4 >= widest) baseline = py - 30 + static_cast<int>(i);
    const int left = countInRect(image, px - 30, py - 30, px, py + 10, isTextBlue);
    // Glyphs sit on the row above the baseline and start after the blanks.
    const double start = at.x + leadingBlanks;
    if (pixels >= 40 && left == 0 && std::fabs(baseline + 1 - at.y) <= 1.5 &&
        std::fabs(first - start) <= 1.5)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << "text at (" << at.x << ", " << at.y << "): " << pixels << " text pixels, " << left
           << " left of the start, first glyph column " << first << " (expected about " << start
           << "), baseline row " << baseline << " (expected about " << at.y - 1 << ")";
}

bool noTextAt(const WindowImage& image, const WindowPoint& at) {
    const int px = static_cast<int>(at.x), py = static_cast<int>(at.y);
    return countInRect(image, px - 30, py - 20, px + 120, py + 3, isTextBlue) == 0;
}
