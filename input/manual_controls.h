// Manual controls: the letter keys that set the manual transform, the star
// axis and the follow flags, and the routine that applies the transform.
#pragma once

struct AppState;

// Applies one character key: modes and axis, then follow flags, then the
// '+'/'-' steps of the modes that are on. Only lower-case letters act.
void pressKey(AppState& state, unsigned char key);

// GLUT keyboard callback; the mouse position is ignored.
void onKeyboard(unsigned char key, int x, int y);

// In the manual scenes, multiplies the current matrix by the manual turn
// (about the star axis), translation and scale; in the manual Earth scene
// also takes one stride step. Pushes nothing.
void applyManualMotion();
