// The intro and farewell text screens, written in bitmap text among the
// coordinate axes.
#pragma once

// Writes `text` (Latin-1 bytes) in bitmap `font` from the raster position of
// the scene point (x, y, z), in the current colour.
void drawText(float x, float y, float z, void* font, const char* text);

// The intro screen: one whole frame, ending with the buffer swap.
void drawIntroScreen();

// The farewell picture alone: one whole frame, ending with the swap.
void drawFarewellFrame();

// The farewell screen: its picture, ten seconds' pause, then the process
// ends with status 0. Does not return.
[[noreturn]] void drawFarewellScreen();
