// The X11 platform (the Linux viewer): the display check, the window's
// UTF-8 title, class and icon, and texts for the user on the terminal.
#include "app/platform.h"

#include <GL/glx.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <cstdio>
#include <cstdlib>
#include <string>

// Latin-1 is the first 256 code points of Unicode: bytes from 0x80 become
// two UTF-8 bytes.
static std::string utf8FromLatin1(const char* text) {
    std::string utf8;
    for (const unsigned char* c = reinterpret_cast<const unsigned char*>(text); *c; ++c) {
        if (*c < 0x80) {
            utf8.push_back(static_cast<char>(*c));
        } else {
            utf8.push_back(static_cast<char>(0xC0 | (*c >> 6)));
            utf8.push_back(static_cast<char>(0x80 | (*c & 0x3F)));
        }
    }
    return utf8;
}

void setNativeWindowTitle(const char* latin1Title) {
    // glutCreateWindow made its window's context current.
    Display* display = glXGetCurrentDisplay();
    const Window window = glXGetCurrentDrawable();
    if (!display || !window) return;
    const std::string title = utf8FromLatin1(latin1Title);
    const Atom utf8String = XInternAtom(display, "UTF8_STRING", False);
    for (const char* name : {"_NET_WM_NAME", "_NET_WM_ICON_NAME"}) {
        XChangeProperty(display, window, XInternAtom(display, name, False), utf8String, 8,
                        PropModeReplace, reinterpret_cast<const unsigned char*>(title.data()),
                        static_cast<int>(title.size()));
    }
    XFlush(display);
}

bool windowViewable() {
    Display* display = glXGetCurrentDisplay();
    const Window window = glXGetCurrentDrawable();
    XWindowAttributes attributes;
    if (!display || !window || !XGetWindowAttributes(display, window, &attributes)) return true;
    return attributes.map_state == IsViewable;
}

void showUserText(const char* latin1Text, bool isError) {
    std::fputs(latin1Text, isError ? stderr : stdout);
}

// The connection displayProblem opened, held until endDisplayCheck.
static Display* checkedDisplay = nullptr;

std::string displayProblem(const std::string& displayName) {
    checkedDisplay = XOpenDisplay(displayName.empty() ? nullptr : displayName.c_str());
    if (checkedDisplay) return "";
    if (!displayName.empty())
        return "cannot open the X display '" + displayName + "' given by -display";
    const char* fromEnvironment = std::getenv("DISPLAY");
    if (!fromEnvironment || !*fromEnvironment)
        return "cannot open an X display: DISPLAY is not set";
    return std::string("cannot open the X display '") + fromEnvironment + "' named by DISPLAY";
}

void endDisplayCheck() {
    if (checkedDisplay) XCloseDisplay(checkedDisplay);
    checkedDisplay = nullptr;
}

// _NET_WM_ICON's layout: for each size, width, height, then the pixels as
// 0xAARRGGBB, rows top to bottom; Xlib takes 32-bit property data as longs.
// Made at build time by universe-install-files.
static const unsigned long windowIcon[] = {
#include "window_icon.inc"
};

void decorateWindow() {
    // glutCreateWindow made its window's context current.
    Display* display = glXGetCurrentDisplay();
    const Window window = glXGetCurrentDrawable();
    if (!display || !window) return;

    char instance[] = "universe";
    char windowClass[] = "Universo3D";
    XClassHint hint{instance, windowClass};
    XSetClassHint(display, window, &hint);

    const Atom icon = XInternAtom(display, "_NET_WM_ICON", False);
    XChangeProperty(display, window, icon, XA_CARDINAL, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(windowIcon),
                    static_cast<int>(sizeof windowIcon / sizeof windowIcon[0]));
    XFlush(display);
}

HelpStyle platformHelpStyle() { return HelpStyle::Terminal; }
