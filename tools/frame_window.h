// The window in which the tools draw the viewer's frames, and the two ways a
// frame comes about in the live program.
#pragma once

#include <string>

// Opens a `width` x `height` window titled `title`, RGB, double buffered,
// with depth, sets the viewer's fixed GL state and reshape callback, and
// waits until the reshape for that size has arrived. Returns "" or what went
// wrong (no X display, a window of another size).
std::string openFrameWindow(const char* title, int width, int height);

// One display as the live program does it, except that the farewell screen
// draws its picture only (no pause, no exit).
void drawViewerFrame();

// One turn of the live event loop: an idle tick through the program's own
// idle logic, then the display it requests.
void idleTickAndFrame();
