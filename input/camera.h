// Layer input/: the keys. Each key is a plain change of the state record
// plus a thin GLUT callback around it; nothing here draws.
//
// Camera navigation with the function and arrow keys: raise, lower, slide,
// tilt, zoom, walk and turn.
#pragma once

struct AppState;

// Degrees of the field of view that one zoom key (F7, F8) takes or adds.
const double zoomStep = 25.0;

// Applies one special key (a GLUT_KEY_* code) to the camera fields and the
// zoom; unknown codes change nothing.
void moveCamera(AppState& state, int key);

// GLUT special-key callback; the mouse position is ignored.
void onSpecialKey(int key, int x, int y);
