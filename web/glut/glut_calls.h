// The inspection of the frame shown (glut_calls.cpp), as the event loop in
// glut_runtime.cpp sees it.
#pragma once

// Keeps the GL state as a frame starts, the state a cut frame is replayed
// from; the loop calls it before each display callback, unless inspecting.
void callsFrameStarts();

// Whether the frame shown is being inspected: the loop then neither idles
// nor draws, and takes no input.
bool callsInspecting();

// The window was resized while inspecting: `reshape` runs from the
// frame's starting state, which then includes the new size, and the cut
// frame is drawn again at it; with nullptr, the cut frame is drawn again
// as it is (after the WebGL context came back).
void callsReshape(void (*reshape)());

// Whether a frame has been drawn and the viewer has said how to draw it
// again (glutWebInspectFunc).
bool callsReady();

// Draws the frame shown again from the state it started in, recording its
// calls, and returns how many there are; inspection then lasts until
// callsStop, which draws the whole frame again.
int callsStart();
void callsStop();
