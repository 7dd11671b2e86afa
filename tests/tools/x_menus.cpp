#include "x_menus.h"

#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>

#include <chrono>
#include <cstring>
#include <thread>
#include <vector>

namespace {

// freeglut draws each entry 25 pixels tall, under a 2-pixel border.
const int entryHeight = 25;
const int menuBorder = 2;

void pause(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

Window findTitled(Display* display, Window parent, const char* title) {
    char* name = nullptr;
    if (XFetchName(display, parent, &name) && name) {
        const bool match = std::strcmp(name, title) == 0;
        XFree(name);
        if (match) return parent;
    }
    Window root, up, *children = nullptr;
    unsigned count = 0;
    if (!XQueryTree(display, parent, &root, &up, &children, &count)) return 0;
    Window found = 0;
    for (unsigned i = 0; i < count && !found; ++i) found = findTitled(display, children[i], title);
    if (children) XFree(children);
    return found;
}

struct Box {
    Window id;
    int x, y, width, height;
};

// Menus are the viewable override-redirect windows on the root.
std::vector<Box> shownMenus(Display* display) {
    std::vector<Box> menus;
    Window root, up, *children = nullptr;
    unsigned count = 0;
    if (!XQueryTree(display, DefaultRootWindow(display), &root, &up, &children, &count)) return menus;
    for (unsigned i = 0; i < count; ++i) {
        XWindowAttributes a;
        if (XGetWindowAttributes(display, children[i], &a) && a.map_state == IsViewable && a.override_redirect)
            menus.push_back({children[i], a.x, a.y, a.width, a.height});
    }
    if (children) XFree(children);
    return menus;
}

bool waitForMenuCount(Display* display, size_t count, std::vector<Box>& menus) {
    for (int tries = 0; tries < 100; ++tries) {
        menus = shownMenus(display);
        if (menus.size() == count) return true;
        pause(50);
    }
    return false;
}

void movePointer(Display* display, int x, int y) {
    XTestFakeMotionEvent(display, -1, x, y, 0);
    XFlush(display);
    pause(150);
}

void click(Display* display, int x, int y) {
    movePointer(display, x, y);
    XTestFakeButtonEvent(display, 1, True, 0);
    XFlush(display);
    pause(50);
    XTestFakeButtonEvent(display, 1, False, 0);
    XFlush(display);
    pause(150);
}

int entryCentreY(const Box& menu, int entry) { return menu.y + menuBorder + entry * entryHeight + entryHeight / 2; }

}  // namespace

Window waitForTitledWindow(Display* display, const char* title, double seconds) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    while (std::chrono::steady_clock::now() < deadline) {
        const Window window = findTitled(display, DefaultRootWindow(display), title);
        XWindowAttributes a;
        if (window && XGetWindowAttributes(display, window, &a) && a.map_state == IsViewable) return window;
        pause(100);
    }
    return 0;
}

std::string chooseFromSubmenu(Display* display, Window window, int x, int y, int mainEntry, int subEntry) {
    int rootX = 0, rootY = 0;
    Window child;
    XTranslateCoordinates(display, window, DefaultRootWindow(display), x, y, &rootX, &rootY, &child);
    std::vector<Box> menus;
    click(display, rootX, rootY);
    if (!waitForMenuCount(display, 1, menus)) return "the menu did not open";
    const Box main = menus[0];
    movePointer(display, main.x + main.width / 2, entryCentreY(main, mainEntry));
    if (!waitForMenuCount(display, 2, menus)) return "the submenu did not open";
    const Box sub = menus[0].id == main.id ? menus[1] : menus[0];
    click(display, sub.x + sub.width / 2, entryCentreY(sub, subEntry));
    if (!waitForMenuCount(display, 0, menus)) return "the menus did not close";
    return "";
}

RgbImage grabWindow(Display* display, Window window) {
    RgbImage image;
    XWindowAttributes a;
    if (!XGetWindowAttributes(display, window, &a)) return image;
    XImage* shot = XGetImage(display, window, 0, 0, a.width, a.height, AllPlanes, ZPixmap);
    if (!shot) return image;
    image.width = a.width;
    image.height = a.height;
    for (int row = 0; row < a.height; ++row)
        for (int col = 0; col < a.width; ++col) {
            const unsigned long p = XGetPixel(shot, col, row);
            image.pixels.push_back(static_cast<unsigned char>((p & shot->red_mask) >> 16));
            image.pixels.push_back(static_cast<unsigned char>((p & shot->green_mask) >> 8));
            image.pixels.push_back(static_cast<unsigned char>(p & shot->blue_mask));
        }
    XDestroyImage(shot);
    return image;
}
