// Reads what an X window shows into an RGB picture.
#pragma once

#include <X11/Xlib.h>

#include "png_file.h"

// The window's contents now, rows top to bottom; empty when unreadable.
RgbImage readWindowImage(Display* display, Window window);
