// A real GLUT window and GL context for drawing tests, opened once per test
// program the way the viewer opens its own (needs an X display).
#pragma once

#include <array>
#include <vector>

#include "state/app_state.h"

// Opens the window on first use: 800 x 600 at (100, 100), RGB, double
// buffered, depth; the viewer's fixed GL state; the first reshape.
void ensureGlWindow();

// Puts the state back to its start values, the projection back to the
// viewer's 800 x 600 one and the model-view matrix to identity, and clears
// the counters.
void resetForTest();

// Draws one frame through the display callback and returns the GL error
// that followed it (GL_NO_ERROR when all was well).
unsigned drawFrame();

int modelviewDepth();
int projectionDepth();
int attribDepth();

// Matrices read back from GL, column-major.
using Mat4 = std::array<double, 16>;
Mat4 currentModelview();
Mat4 currentProjection();

// Column-major matrix helpers.
Mat4 multiply(const Mat4& a, const Mat4& b);
Mat4 inverse(const Mat4& m);
std::array<double, 3> transformPoint(const Mat4& m, double x, double y, double z);

// The camera matrix that the scenes load for the current state.
Mat4 cameraMatrix();

// Where a model-view matrix recorded during a frame puts its origin, in the
// world frame (the camera taken off).
std::array<double, 3> worldOrigin(const Mat4& modelview);

// Window pixel (x from the left, y from the bottom) of a world point under
// the current camera, projection and viewport.
std::array<double, 2> projectToWindow(double x, double y, double z);

// What the window shows on the X server now, read back with XGetImage.
struct WindowPicture {
    int width = 0, height = 0;
    std::vector<unsigned char> rgb;  // rows top to bottom
    // RGB at window (x, y), bottom-left origin as in GL; black outside.
    std::array<int, 3> at(int x, int y) const;
};
WindowPicture grabWindow();

// The RGB pixel the window shows at (x, y), bottom-left origin.
std::array<int, 3> frontPixel(int x, int y);
