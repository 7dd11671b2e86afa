// universe-xshot: saves the contents of the X window whose title is the
// viewer's as a PNG, waiting up to a given time for the window to appear.
//   universe-xshot OUTPUT.png [SECONDS]
#include <X11/Xlib.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>

#include "app/window.h"
#include "png_file.h"
#include "x_window_image.h"

// Depth-first search for a window named `title` below `parent`.
static Window findWindow(Display* display, Window parent, const char* title) {
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
    for (unsigned i = 0; i < count && !found; ++i) found = findWindow(display, children[i], title);
    if (children) XFree(children);
    return found;
}

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: universe-xshot OUTPUT.png [SECONDS]\n");
        return 2;
    }
    const double seconds = argc > 2 ? std::atof(argv[2]) : 10.0;
    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "universe-xshot: cannot open the X display\n");
        return 1;
    }
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    Window window = 0;
    while (!(window = findWindow(display, DefaultRootWindow(display), windowTitle))) {
        if (std::chrono::steady_clock::now() > deadline) {
            std::fprintf(stderr, "universe-xshot: no viewer window appeared\n");
            return 1;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    // Give the first frames time to be drawn.
    std::this_thread::sleep_for(std::chrono::milliseconds(1500));
    const RgbImage image = readWindowImage(display, window);
    if (image.pixels.empty()) {
        std::fprintf(stderr, "universe-xshot: cannot read the window\n");
        return 1;
    }
    XCloseDisplay(display);
    const std::string error = writePng(argv[1], image);
    if (!error.empty()) {
        std::fprintf(stderr, "universe-xshot: %s\n", error.c_str());
        return 1;
    }
    return 0;
}
