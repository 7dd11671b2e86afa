#include "input/camera.h"

#include <GL/freeglut.h>

#include <cmath>

#include "state/app_state.h"

namespace {

const double moveStep = 50.0;                          // scene units
const double turnAngle = moveStep / 180 * 3.14159265;  // radians, ~50 degrees

// Changes the field of view by `step` degrees unless that would leave the
// open range (0, 180), where the projection is empty or turns upside down:
// from 50 the zoom stops at 25 and 175.
void zoom(AppState& s, double step) {
    const double fovY = s.fovY + step;
    if (fovY > 0.0 && fovY < 180.0) s.fovY = fovY;
}

// Turns the look-at point about the vertical line through the eye by `t`
// radians (counter-clockwise seen from +z), from the values on entry.
void turnView(AppState& s, double t, double ex0, double ey0, double cx0, double cy0) {
    s.centerX = ex0 + std::cos(t) * (cx0 - ex0) - std::sin(t) * (cy0 - ey0);
    s.centerY = ey0 + std::sin(t) * (cx0 - ex0) + std::cos(t) * (cy0 - ey0);
}

}  // namespace

void moveCamera(AppState& s, int key) {
    // Unit view vector from the eye to the centre, z included.
    const double dx = s.centerX - s.eyeX;
    const double dy = s.centerY - s.eyeY;
    const double dz = s.centerZ - s.eyeZ;
    const double length = std::sqrt(dx * dx + dy * dy + dz * dz);
    const double ux = dx / length, uy = dy / length, uz = dz / length;
    const double ex0 = s.eyeX, ey0 = s.eyeY, cx0 = s.centerX, cy0 = s.centerY;
    const double step = moveStep;

    switch (key) {
        case GLUT_KEY_F1:  // rise
            s.eyeZ += step;
            s.centerZ += step;
            break;
        case GLUT_KEY_F2:  // sink
            s.eyeZ -= step;
            s.centerZ -= step;
            break;
        case GLUT_KEY_F3:  // slide left
            s.eyeX -= step * uy;
            s.eyeY += step * ux;
            s.centerX -= step * uy;
            s.centerY += step * ux;
            break;
        case GLUT_KEY_F4:  // slide right
            s.eyeX += step * uy;
            s.eyeY -= step * ux;
            s.centerX += step * uy;
            s.centerY -= step * ux;
            break;
        case GLUT_KEY_F5:  // look up
            s.centerZ += step;
            break;
        case GLUT_KEY_F6:  // look down
            s.centerZ -= step;
            break;
        case GLUT_KEY_F7:  // zoom in, shown from the next reshape
            zoom(s, -zoomStep);
            break;
        case GLUT_KEY_F8:  // zoom out
            zoom(s, zoomStep);
            break;
        case GLUT_KEY_UP:  // walk forward along the full view direction
            s.eyeX += step * ux;
            s.centerX += step * ux;
            s.eyeY += step * uy;
            s.centerY += step * uy;
            s.eyeZ += step * uz;
            s.centerZ += step * uz;
            break;
        case GLUT_KEY_DOWN:  // walk backward
            s.eyeX -= step * ux;
            s.centerX -= step * ux;
            s.eyeY -= step * uy;
            s.centerY -= step * uy;
            s.eyeZ -= step * uz;
            s.centerZ -= step * uz;
            break;
        case GLUT_KEY_LEFT: turnView(s, turnAngle, ex0, ey0, cx0, cy0); break;
        case GLUT_KEY_RIGHT: turnView(s, -turnAngle, ex0, ey0, cx0, cy0); break;
        default: break;
    }
}

void onSpecialKey(int key, int /*x*/, int /*y*/) { moveCamera(appState, key); }
