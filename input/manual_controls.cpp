#include "input/manual_controls.h"

#include "state/app_state.h"

namespace {

const float translateStep = 100.0f;  // scene units, z offset only
const float rotateStep = 30.0f;      // degrees
const double scaleStep = 0.2;        // added in double, stored as float

}  // namespace

void pressKey(AppState& s, unsigned char key) {
    // Modes and star axis.
    switch (key) {
        case 'e': toggle(s.scaleMode); break;
        case 'r': toggle(s.rotateMode); break;
        case 't': toggle(s.translateMode); break;
        case 'x': s.starAxis = 'a'; break;
        case 'y': s.starAxis = 'b'; break;
        case 'z': s.starAxis = 'c'; break;
        default: break;
    }
    // Objects that follow the manual motion in the manual Earth scene.
    switch (key) {
        case 'a': toggle(s.moonGroupManual); break;
        case 's': toggle(s.earthRocketManual); break;
        case 'd': toggle(s.blueSatelliteManual); break;
        case 'f': toggle(s.redSatelliteManual); break;
        case 'g': toggle(s.greenSatelliteManual); break;
        default: break;
    }
    // Steps of every mode that is on.
    if (key != '+' && key != '-') return;
    const int sign = (key == '+') ? 1 : -1;
    if (s.translateMode) s.manualOffsetZ += sign * translateStep;
    if (s.rotateMode) s.manualAngle += sign * rotateStep;
    if (s.scaleMode) {
        s.manualScaleX = s.manualScaleX + sign * scaleStep;
        s.manualScaleY = s.manualScaleY + sign * scaleStep;
        s.manualScaleZ = s.manualScaleZ + sign * scaleStep;
    }
}

void onKeyboard(unsigned char key, int /*x*/, int /*y*/) { pressKey(appState, key); }
