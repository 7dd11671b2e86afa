// Manual controls: the letter keys that set the manual transform, the star
// axis and the follow flags. The transform itself is applied while drawing
// (render/manual_motion.h).
#pragma once

struct AppState;

// Applies one character key as its row of the key table says: a mode or
// follow flag on or off, the star axis, or a step of the modes that are on.
// Characters outside the table (upper-case letters too) change nothing.
void pressKey(AppState& state, unsigned char key);

// GLUT keyboard callback; the mouse position is ignored.
void onKeyboard(unsigned char key, int x, int y);
