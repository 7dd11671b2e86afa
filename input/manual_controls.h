// Manual controls: the letter keys that set the manual transform, the star
// axis and the follow flags. The transform itself is applied while drawing
// (render/manual_motion.h).
#pragma once

struct AppState;

// Applies one character key: modes and axis, then follow flags, then the
// '+'/'-' steps of the modes that are on. Only lower-case letters act.
void pressKey(AppState& state, unsigned char key);

// GLUT keyboard callback; the mouse position is ignored.
void onKeyboard(unsigned char key, int x, int y);

