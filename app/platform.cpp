#include "app/platform.h"

#include <GL/freeglut.h>

#ifdef _WIN32

#include <string>

// Latin-1 is the first 256 code points of Unicode: each byte widens as is.
static std::wstring widenLatin1(const char* text) {
    std::wstring wide;
    for (const unsigned char* c = reinterpret_cast<const unsigned char*>(text); *c; ++c) {
        wide.push_back(static_cast<wchar_t>(*c));
    }
    return wide;
}

void setNativeWindowTitle(const char* latin1Title) {
    // The window whose device context GLUT made current with the window.
    HWND window = WindowFromDC(wglGetCurrentDC());
    if (!window) return;
    // GLUT's window class is an ANSI one: SetWindowTextW would pass the text
    // through its ANSI window procedure, in the code page. The wide default
    // procedure stores the text as given.
    const std::wstring title = widenLatin1(latin1Title);
    DefWindowProcW(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(title.c_str()));
}

void showUserText(const char* latin1Text, bool isError) {
    MessageBoxW(nullptr, widenLatin1(latin1Text).c_str(), L"Universo 3D",
                MB_OK | (isError ? MB_ICONERROR : MB_ICONINFORMATION));
}

std::string displayProblem(const std::string& /*displayName*/) { return ""; }

void endDisplayCheck() {}

void decorateWindow() {}

#else

#include <GL/glx.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <cstdio>
#include <cstdlib>

void setNativeWindowTitle(const char* /*latin1Title*/) {}

void showUserText(const char* latin1Text, bool isError) {
    std::fputs(latin1Text, isError ? stderr : stdout);
}

// The connection displayProblem opened, held until endDisplayCheck.
static Display* checkedDisplay = nullptr;

std::string displayProblem(const std::string& displayName) {
    checkedDisplay = XOpenDisplay(displayName.empty() ? nullptr : displayName.c_str());
    if (checkedDisplay) return "";
    if (!displayName.empty()) return "cannot open the X display '" + displayName + "' given by -display";
    const char* fromEnvironment = std::getenv("DISPLAY");
    if (!fromEnvironment || !*fromEnvironment) return "cannot open an X display: DISPLAY is not set";
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

#endif
