#include "input/manual_controls.h"

#include "input/key_table.h"
#include "state/app_state.h"

namespace {

const float translateStep = 100.0f;  // scene units, z offset only
const float rotateStep = 30.0f;      // degrees
const double scaleStep = 0.2;        // added in double, stored as float

// One step forward (`sign` 1) or back (-1) of every mode that is on.
void stepModes(AppState& s, int sign) {
    if (s.translateMode) s.manualOffsetZ += sign * translateStep;
    if (s.rotateMode) s.manualAngle += sign * rotateStep;
    if (s.scaleMode) {
        s.manualScaleX = s.manualScaleX + sign * scaleStep;
        s.manualScaleY = s.manualScaleY + sign * scaleStep;
        s.manualScaleZ = s.manualScaleZ + sign * scaleStep;
    }
}

}  // namespace

void pressKey(AppState& s, unsigned char key) {
    const ViewerKey* row = findKey(key, false);
    if (!row) return;
    switch (row->action) {
        case KeyAction::Mode:
        case KeyAction::Follow: toggle(s.*row->flag); break;
        case KeyAction::StarAxis: s.starAxis = row->axis; break;
        case KeyAction::StepForward: stepModes(s, 1); break;
        case KeyAction::StepBack: stepModes(s, -1); break;
        case KeyAction::Camera:
        case KeyAction::None: break;
    }
}

void onKeyboard(unsigned char key, int /*x*/, int /*y*/) { pressKey(appState, key); }
