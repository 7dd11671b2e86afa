// Layer app/, the top: main, the window, the frame loop and the menus; the
// only layer that registers GLUT callbacks and picks the scene to draw.
//
// The frame loop: the display, idle and reshape callbacks and the view reset
// they share.
#pragma once

struct AppState;

// Restores the clocks, the manual transform and the camera to their start
// values; leaves zoom, star axis, follow flags, options and stride alone.
void resetView(AppState& state);

// One idle tick: flips the star phase and advances the clock of the scene
// shown (and the stride in the automatic Universe and Earth scenes).
void advanceClocks(AppState& state);

// Stores a new window size and builds the viewport and the projection from
// it. A height of 0 changes nothing.
void applyReshape(AppState& state, int width, int height);

// The display callback's work with `drawFarewell` in place of the farewell
// screen's function, so that tools can draw the farewell picture without its
// pause and exit.
void displayFrame(void (*drawFarewell)());

// GLUT callbacks.
void onDisplay();
void onIdle();
void onReshape(int width, int height);

// Registers the viewer's GLUT callbacks in their order: reshape, `display`
// (onDisplay on the desktop), keyboard, special keys, idle.
void registerCallbacks(void (*display)());
