// Reads a frame at the moment the scene presents it: the tools link with
// -Wl,--wrap=glutSwapBuffers, so every buffer swap of the scene functions
// passes through here first. Reading the back buffer before the swap does
// not depend on the window being visible or uncovered.
#pragma once

#include "png_file.h"

// Buffer swaps so far.
long swapCount();

// The next swap first copies the back buffer (the whole viewport, rows top
// to bottom) into `image`; pass nullptr to stop.
void captureNextSwap(RgbImage* image);
