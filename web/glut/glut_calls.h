// The inspection of the frame shown (glut_calls.cpp), as the event loop in
// glut_runtime.cpp sees it.
#pragma once

// Keeps the GL state as a frame starts, the state a cut frame is replayed
// from; the loop calls it before each display callback, unless inspecting.
void callsFrameStarts();

// Whether the frame shown is being inspected: the loop then neither idles
// nor draws, and takes no input.
bool callsInspecting();

// The window was resized while inspecting: `applyReshape` runs from the
// frame's starting state, which then includes the new size, and the cut
// frame is drawn again at it; with nullptr, the cut frame is drawn again
// as it is (after the WebGL context came back).
void callsReshape(void (*applyReshape)());

// Whether there is a frame to inspect: the start-up frames are drawn and
// the program has not ended (glut_runtime.cpp).
bool callsCanInspect();
