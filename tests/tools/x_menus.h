// Driving the live viewer through X: finding its window, choosing entries of
// its pop-up menus with injected pointer events (XTest), and reading what
// its window shows.
#pragma once

#include <X11/Xlib.h>

#include <string>

#include "png_file.h"

// The top-level window titled `title`, waiting up to `seconds`; 0 if none.
Window waitForTitledWindow(Display* display, const char* title, double seconds);

// Opens the left-button menu with a click at window point (x, y), rests the
// pointer on entry `mainEntry` (0 = top) to open its submenu, and clicks
// entry `subEntry` of that. Returns "" or the step that failed.
std::string chooseFromSubmenu(Display* display, Window window, int x, int y, int mainEntry, int subEntry);

// The window's contents as the X server shows them, rows top to bottom.
RgbImage grabWindow(Display* display, Window window);
